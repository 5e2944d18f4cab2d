#pragma once
// Node construction shared by the parser's files.

#include <memory>
#include <utility>

#include "mel/Ast.h"

namespace mel::parser {

// Statements and expressions nest at most this deep, so hostile input fails cleanly
// instead of exhausting the native stack.
constexpr int kMaxNesting = 200;

inline ExprPtr makeExpr(ExprKind kind, int line) {
  auto e = std::make_unique<Expr>();
  e->kind = kind;
  e->line = line;
  return e;
}

inline ExprPtr makeLiteral(Value v, int line) {
  auto e = makeExpr(ExprKind::kLiteral, line);
  e->value = std::move(v);
  return e;
}

inline StmtPtr makeStmt(StmtKind kind, int line) {
  auto s = std::make_unique<Stmt>();
  s->kind = kind;
  s->line = line;
  return s;
}

inline bool isAssignable(const Expr& e) {
  return e.kind == ExprKind::kVariable || e.kind == ExprKind::kIndex;
}

// Counts one level of recursion for as long as it lives.
class NestingGuard {
 public:
  explicit NestingGuard(int& depth) : depth_(depth) { ++depth_; }
  ~NestingGuard() { --depth_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
  bool tooDeep() const { return depth_ > kMaxNesting; }

 private:
  int& depth_;
};

}  // namespace mel::parser
