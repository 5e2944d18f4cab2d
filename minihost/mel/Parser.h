#pragma once
// Builds the syntax tree of one unit of MEL source and resolves its variables.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mel/Ast.h"
#include "mel/GlobalTable.h"
#include "mel/Lexer.h"

namespace mel {

struct ParseError {
  std::string message;
  int line = 0;
};

class Parser {
 public:
  Parser(std::string_view source, std::shared_ptr<const std::string> file, GlobalTable& globals);

  // Null on a syntax error; error() then says what and where.
  std::unique_ptr<Unit> parse();
  const ParseError& error() const { return error_; }

 private:
  struct Function {
    std::vector<std::unordered_map<std::string, VarRef>> blocks;
    std::vector<ValueType>* slotTypes = nullptr;
  };

  // Tokens.
  void advance();
  void advanceToNextArgument();
  bool accept(const char* punct);
  bool expect(const char* punct);
  bool fail(const std::string& message, int line = -1);
  bool failed() const { return failed_; }

  // Scopes.
  void pushBlock() { function_->blocks.emplace_back(); }
  void popBlock() { function_->blocks.pop_back(); }
  const VarRef* lookup(const std::string& name) const;
  bool declareLocal(const std::string& name, ValueType type, int line, VarRef& out);
  bool declareGlobal(const std::string& name, ValueType type, int line, VarRef& out, bool& created);

  // Statements.
  StmtPtr parseStatement();
  StmtPtr parseBlock();
  StmtPtr parseDeclaration(bool global);
  bool parseProc(bool global, Unit& unit);
  bool parseParameterList(ProcDef& proc);
  bool parseProcBody(ProcDef& proc);
  ExprPtr parseCondition();
  StmtPtr parseIf();
  StmtPtr parseWhile();
  StmtPtr parseDoWhile();
  StmtPtr parseFor();
  StmtPtr parseSwitch();
  StmtPtr parseReturn();
  StmtPtr parseCommandOrCall();
  bool endOfStatement();

  // Expressions.
  ExprPtr parseExpression();
  ExprPtr parseAssignment();
  ExprPtr parseTernary();
  // The binary operators that bind at least as tightly as `minPrecedence` (see the table).
  ExprPtr parseBinary(int minPrecedence);
  ExprPtr parseUnary();
  ExprPtr parsePostfix();
  ExprPtr parsePrimary();
  ExprPtr parseVariable();
  ExprPtr parseFunctionCall(const std::string& name, int line);
  ExprPtr parseArrayLiteral();
  ExprPtr parseVectorLiteral();
  ExprPtr parseBacktick();
  // `cmd arg arg ...` up to the end of the statement or the closing backtick.
  ExprPtr parseCommandSyntax(const std::string& name, int line, bool inBacktick);
  ExprPtr parseCommandArgument(bool& done, bool inBacktick);

  bool isTypeKeyword(const Token& t, ValueType& type) const;
  bool parseTypeSuffix(ValueType& type);  // an optional "[]"
  static ValueType staticType(const Expr& e);

  Lexer lexer_;
  Token tok_;
  std::shared_ptr<const std::string> file_;
  GlobalTable& globals_;
  Function* function_ = nullptr;
  bool failed_ = false;
  ParseError error_;
  int loopDepth_ = 0;
  int switchDepth_ = 0;
  int backtickDepth_ = 0;
  int nesting_ = 0;  // guards the recursion against hostile input
  const ProcDef* currentProc_ = nullptr;
};

}  // namespace mel
