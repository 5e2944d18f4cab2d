// Commands in command syntax, function syntax and backquotes.

#include <utility>

#include "mel/Parser.h"
#include "mel/ParserNodes.h"

namespace mel {

using namespace parser;

StmtPtr Parser::parseCommandOrCall() {
  int line = tok_.line;
  std::string name = tok_.text;
  Lexer afterName = lexer_;
  advance();
  if (tok_.isPunct("(")) {
    // Function syntax, unless more arguments follow the parentheses, as in
    // "setAttr ($node + \".tx\") 1;", which is command syntax with an expression argument.
    Lexer saved = lexer_;
    Token savedTok = tok_;
    ExprPtr call = parseFunctionCall(name, line);
    if (call && !failed_) {
      // The call may be the start of a larger expression: "f() + 1;".
      auto s = makeStmt(StmtKind::kExpr, line);
      s->expr = std::move(call);
      if (tok_.isPunct(";") || tok_.isPunct("}") || tok_.kind == TokenKind::kEnd) {
        endOfStatement();
        return s;
      }
    }
    if (failed_) {
      // Try again as command syntax; keep the first error if that fails too.
      ParseError first = error_;
      failed_ = false;
      lexer_ = saved;
      tok_ = savedTok;
      ExprPtr command = parseCommandSyntax(name, line, false);
      if (!command) {
        error_ = first;
        failed_ = true;
        return nullptr;
      }
      auto s = makeStmt(StmtKind::kExpr, line);
      s->expr = std::move(command);
      endOfStatement();
      return s;
    }
    lexer_ = saved;
    tok_ = savedTok;
  }
  (void)afterName;
  auto s = makeStmt(StmtKind::kExpr, line);
  s->expr = parseCommandSyntax(name, line, false);
  if (!s->expr)
    return nullptr;
  endOfStatement();
  return s;
}

ExprPtr Parser::parseCommandSyntax(const std::string& name, int line, bool inBacktick) {
  auto call = makeExpr(ExprKind::kCall, line);
  call->name = name;
  call->commandSyntax = true;
  while (!failed_) {
    bool done = false;
    ExprPtr arg = parseCommandArgument(done, inBacktick);
    if (done)
      break;
    if (!arg)
      return nullptr;
    call->children.push_back(std::move(arg));
  }
  if (failed_)
    return nullptr;
  return call;
}

ExprPtr Parser::parseCommandArgument(bool& done, bool inBacktick) {
  lexer_.seek(tok_.offset, tok_.line);
  Token a = lexer_.nextCommandArgument();
  switch (a.kind) {
    case TokenKind::kError:
      fail(a.text, a.line);
      return nullptr;
    case TokenKind::kEnd:
      tok_ = a;
      done = true;
      return nullptr;
    case TokenKind::kFlag: {
      auto e = makeLiteral(Value(a.text), a.line);
      e->isFlag = true;
      advanceToNextArgument();
      return e;
    }
    case TokenKind::kInt:
      advanceToNextArgument();
      return makeLiteral(Value(static_cast<int>(a.intValue)), a.line);
    case TokenKind::kFloat:
      advanceToNextArgument();
      return makeLiteral(Value(a.floatValue), a.line);
    case TokenKind::kWord:
    case TokenKind::kIdentifier:
      advanceToNextArgument();
      return makeLiteral(Value(a.text), a.line);
    case TokenKind::kString:
      advanceToNextArgument();
      return makeLiteral(Value(a.text), a.line);
    case TokenKind::kBacktick:
      if (inBacktick) {
        tok_ = a;  // the closing backtick; the caller consumes it
        done = true;
        return nullptr;
      }
      tok_ = a;
      return parseBacktick();
    case TokenKind::kVariable: {
      lexer_.seek(a.offset, a.line);
      advance();
      return parsePostfix();
    }
    case TokenKind::kPunct:
      if (a.text == ";" || a.text == "}") {
        tok_ = a;
        done = true;
        return nullptr;
      }
      if (a.text == "(") {
        tok_ = a;
        advance();
        ExprPtr e = parseExpression();
        if (!e || !expect(")"))
          return nullptr;
        return e;
      }
      if (a.text == "{") {
        tok_ = a;
        return parseArrayLiteral();
      }
      if (a.text == "<<") {
        tok_ = a;
        return parseVectorLiteral();
      }
      fail("Syntax error: unexpected '" + a.text + "'", a.line);
      return nullptr;
    default:
      fail("Syntax error", a.line);
      return nullptr;
  }
}

ExprPtr Parser::parseFunctionCall(const std::string& name, int line) {
  auto call = makeExpr(ExprKind::kCall, line);
  call->name = name;
  advance();  // '('
  if (!tok_.isPunct(")")) {
    do {
      ExprPtr arg = parseExpression();
      if (!arg)
        return nullptr;
      call->children.push_back(std::move(arg));
    } while (accept(","));
  }
  if (!expect(")"))
    return nullptr;
  return call;
}

ExprPtr Parser::parseBacktick() {
  int line = tok_.line;
  if (backtickDepth_ > 0) {
    fail("Syntax error: nested backquotes");
    return nullptr;
  }
  advance();  // opening '`'
  if (tok_.kind != TokenKind::kIdentifier) {
    fail("Syntax error: expected a command after '`'");
    return nullptr;
  }
  std::string name = tok_.text;
  int nameLine = tok_.line;
  advance();
  ++backtickDepth_;
  ExprPtr call;
  if (tok_.isPunct("(")) {
    // `f(1, 2)` is function syntax inside backquotes.
    Lexer saved = lexer_;
    Token savedTok = tok_;
    call = parseFunctionCall(name, nameLine);
    if (!call || tok_.kind != TokenKind::kBacktick) {
      failed_ = false;
      lexer_ = saved;
      tok_ = savedTok;
      call = parseCommandSyntax(name, nameLine, true);
    }
  } else {
    call = parseCommandSyntax(name, nameLine, true);
  }
  --backtickDepth_;
  if (!call)
    return nullptr;
  if (tok_.kind != TokenKind::kBacktick) {
    fail("Syntax error: missing closing '`'", line);
    return nullptr;
  }
  advance();
  return call;
}

}  // namespace mel
