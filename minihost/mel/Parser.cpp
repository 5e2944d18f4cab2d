#include "mel/Parser.h"

#include <utility>

namespace mel {

namespace {

constexpr int kMaxNesting = 200;

ExprPtr makeExpr(ExprKind kind, int line) {
  auto e = std::make_unique<Expr>();
  e->kind = kind;
  e->line = line;
  return e;
}

ExprPtr makeLiteral(Value v, int line) {
  auto e = makeExpr(ExprKind::kLiteral, line);
  e->value = std::move(v);
  return e;
}

StmtPtr makeStmt(StmtKind kind, int line) {
  auto s = std::make_unique<Stmt>();
  s->kind = kind;
  s->line = line;
  return s;
}

bool isAssignable(const Expr& e) {
  return e.kind == ExprKind::kVariable || e.kind == ExprKind::kIndex;
}

// Keeps the recursion depth bounded so that deeply nested input fails cleanly.
class NestingGuard {
 public:
  explicit NestingGuard(int& depth) : depth_(depth) { ++depth_; }
  ~NestingGuard() { --depth_; }
  bool tooDeep() const { return depth_ > kMaxNesting; }

 private:
  int& depth_;
};

}  // namespace

Parser::Parser(std::string_view source, std::shared_ptr<const std::string> file,
               GlobalTable& globals)
    : lexer_(source), file_(std::move(file)), globals_(globals) {}

void Parser::advance() {
  tok_ = lexer_.next();
  if (tok_.kind == TokenKind::kError) {
    fail(tok_.text, tok_.line);
  }
}

void Parser::advanceToNextArgument() {
  // The next command argument is rescanned in argument mode from this token's offset, so
  // text that is no expression token (such as "|group1") is no error here.
  tok_ = lexer_.next();
}

bool Parser::accept(const char* punct) {
  if (tok_.isPunct(punct)) {
    advance();
    return true;
  }
  return false;
}

bool Parser::expect(const char* punct) {
  if (accept(punct)) {
    return true;
  }
  return fail(std::string("Syntax error: expected '") + punct + "'");
}

bool Parser::fail(const std::string& message, int line) {
  if (!failed_) {
    failed_ = true;
    error_.message = message;
    error_.line = line < 0 ? tok_.line : line;
  }
  return false;
}

const VarRef* Parser::lookup(const std::string& name) const {
  for (auto it = function_->blocks.rbegin(); it != function_->blocks.rend(); ++it) {
    auto found = it->find(name);
    if (found != it->end()) {
      return &found->second;
    }
  }
  return nullptr;
}

bool Parser::declareLocal(const std::string& name, ValueType type, int line, VarRef& out) {
  auto& block = function_->blocks.back();
  auto existing = block.find(name);
  if (existing != block.end()) {
    if (existing->second.type != type || existing->second.global) {
      return fail("Invalid redeclaration of variable \"$" + name + "\" as a different type", line);
    }
    out = existing->second;
    return true;
  }
  out.name = name;
  out.global = false;
  out.type = type;
  out.index = static_cast<int>(function_->slotTypes->size());
  function_->slotTypes->push_back(type);
  block.emplace(name, out);
  return true;
}

bool Parser::declareGlobal(const std::string& name, ValueType type, int line, VarRef& out,
                           bool& created) {
  int index = globals_.declare(name, type, &created);
  if (index < 0) {
    return fail("Invalid redeclaration of variable \"$" + name + "\" as a different type", line);
  }
  out.name = name;
  out.global = true;
  out.type = type;
  out.index = index;
  function_->blocks.back()[name] = out;
  return true;
}

std::unique_ptr<Unit> Parser::parse() {
  auto unit = std::make_unique<Unit>();
  unit->file = file_;
  Function top;
  top.slotTypes = &unit->slotTypes;
  top.blocks.emplace_back();
  function_ = &top;
  advance();
  while (!failed_ && tok_.kind != TokenKind::kEnd) {
    if (tok_.isKeyword("proc")) {
      advance();
      parseProc(false, *unit);
      continue;
    }
    if (tok_.isKeyword("global")) {
      // "global proc" or a global declaration: look one token ahead.
      Lexer saved = lexer_;
      Token savedTok = tok_;
      advance();
      if (tok_.isKeyword("proc")) {
        advance();
        parseProc(true, *unit);
        continue;
      }
      lexer_ = saved;
      tok_ = savedTok;
    }
    StmtPtr s = parseStatement();
    if (s) {
      unit->statements.push_back(std::move(s));
    }
  }
  function_ = nullptr;
  if (failed_) {
    return nullptr;
  }
  return unit;
}

bool Parser::isTypeKeyword(const Token& t, ValueType& type) const {
  if (t.kind != TokenKind::kIdentifier) {
    return false;
  }
  if (t.text == "int") {
    type = ValueType::kInt;
  } else if (t.text == "float") {
    type = ValueType::kFloat;
  } else if (t.text == "string") {
    type = ValueType::kString;
  } else if (t.text == "vector") {
    type = ValueType::kVector;
  } else {
    return false;
  }
  return true;
}

bool Parser::parseTypeSuffix(ValueType& type) {
  if (tok_.isPunct("[")) {
    advance();
    if (!expect("]")) {
      return false;
    }
    type = arrayOf(type);
  }
  return true;
}

bool Parser::parseProc(bool global, Unit& unit) {
  int line = tok_.line;
  auto proc = std::make_shared<ProcDef>();
  proc->global = global;
  proc->file = file_;
  proc->line = line;
  ValueType returnType = ValueType::kNone;
  if (isTypeKeyword(tok_, returnType)) {
    advance();
    if (!parseTypeSuffix(returnType)) {
      return false;
    }
  }
  proc->returnType = returnType;
  if (tok_.kind != TokenKind::kIdentifier) {
    return fail("Syntax error: expected a procedure name");
  }
  proc->name = tok_.text;
  advance();
  if (!expect("(")) {
    return false;
  }
  Function fn;
  fn.slotTypes = &proc->slotTypes;
  fn.blocks.emplace_back();
  Function* outer = function_;
  function_ = &fn;
  bool ok = true;
  if (!tok_.isPunct(")")) {
    while (true) {
      ValueType type;
      if (!isTypeKeyword(tok_, type)) {
        ok = fail("Syntax error: expected a parameter type");
        break;
      }
      advance();
      if (tok_.kind != TokenKind::kVariable) {
        ok = fail("Syntax error: expected a parameter name");
        break;
      }
      std::string name = tok_.text;
      int paramLine = tok_.line;
      advance();
      if (!parseTypeSuffix(type)) {
        ok = false;
        break;
      }
      Param p;
      if (!declareLocal(name, type, paramLine, p.var)) {
        ok = false;
        break;
      }
      proc->params.push_back(p);
      if (!accept(",")) {
        break;
      }
    }
  }
  if (ok) {
    ok = expect(")");
  }
  if (ok && !tok_.isPunct("{")) {
    ok = fail("Syntax error: expected '{' to begin the body of " + proc->name);
  }
  if (ok) {
    currentProc_ = proc.get();
    advance();
    while (!failed_ && !tok_.isPunct("}")) {
      if (tok_.kind == TokenKind::kEnd) {
        fail("Syntax error: missing '}' at the end of " + proc->name);
        break;
      }
      StmtPtr s = parseStatement();
      if (s) {
        proc->body.push_back(std::move(s));
      }
    }
    currentProc_ = nullptr;
    ok = !failed_ && expect("}");
  }
  function_ = outer;
  if (!ok) {
    return false;
  }
  unit.procs.push_back(std::move(proc));
  return true;
}

bool Parser::endOfStatement() {
  if (accept(";")) {
    return true;
  }
  // The last statement of a block or of the text may omit its semicolon.
  if (tok_.isPunct("}") || tok_.kind == TokenKind::kEnd) {
    return true;
  }
  return fail("Syntax error");
}

StmtPtr Parser::parseStatement() {
  NestingGuard guard(nesting_);
  if (guard.tooDeep()) {
    fail("Syntax error: statements nested too deeply");
    return nullptr;
  }
  int line = tok_.line;
  if (tok_.isPunct(";")) {
    advance();
    return makeStmt(StmtKind::kEmpty, line);
  }
  if (tok_.isPunct("{")) {
    return parseBlock();
  }
  ValueType type;
  if (isTypeKeyword(tok_, type)) {
    // "int $x" declares; "int(...)" is a conversion call.
    Lexer saved = lexer_;
    Token savedTok = tok_;
    advance();
    bool declaration = tok_.kind == TokenKind::kVariable;
    lexer_ = saved;
    tok_ = savedTok;
    if (declaration) {
      return parseDeclaration(false);
    }
  }
  if (tok_.kind == TokenKind::kIdentifier) {
    const std::string& word = tok_.text;
    if (word == "global") {
      advance();
      if (tok_.isKeyword("proc")) {
        fail("Syntax error: procedures can only be defined at the top level");
        return nullptr;
      }
      return parseDeclaration(true);
    }
    if (word == "proc") {
      fail("Syntax error: procedures can only be defined at the top level");
      return nullptr;
    }
    if (word == "if")
      return parseIf();
    if (word == "while")
      return parseWhile();
    if (word == "do")
      return parseDoWhile();
    if (word == "for")
      return parseFor();
    if (word == "switch")
      return parseSwitch();
    if (word == "return")
      return parseReturn();
    if (word == "break" || word == "continue") {
      bool isBreak = word == "break";
      if (isBreak ? (loopDepth_ == 0 && switchDepth_ == 0) : loopDepth_ == 0) {
        fail("Syntax error: \"" + word + "\" outside a loop");
        return nullptr;
      }
      advance();
      endOfStatement();
      return makeStmt(isBreak ? StmtKind::kBreak : StmtKind::kContinue, line);
    }
    if (word == "else" || word == "case" || word == "default" || word == "in") {
      fail("Syntax error: unexpected \"" + word + "\"");
      return nullptr;
    }
    if (word != "true" && word != "false" && word != "on" && word != "off" && word != "yes" &&
        word != "no" && word != "catch" && word != "catchQuiet" && !isTypeKeyword(tok_, type)) {
      return parseCommandOrCall();
    }
  }
  auto s = makeStmt(StmtKind::kExpr, line);
  s->expr = parseExpression();
  if (!s->expr) {
    return nullptr;
  }
  endOfStatement();
  return s;
}

StmtPtr Parser::parseBlock() {
  auto s = makeStmt(StmtKind::kBlock, tok_.line);
  advance();  // '{'
  pushBlock();
  while (!failed_ && !tok_.isPunct("}")) {
    if (tok_.kind == TokenKind::kEnd) {
      fail("Syntax error: missing '}'");
      break;
    }
    if (tok_.isKeyword("proc")) {
      fail("Syntax error: procedures can only be defined at the top level");
      break;
    }
    StmtPtr child = parseStatement();
    if (child) {
      s->body.push_back(std::move(child));
    }
  }
  popBlock();
  if (failed_) {
    return nullptr;
  }
  advance();  // '}'
  return s;
}

StmtPtr Parser::parseDeclaration(bool global) {
  int line = tok_.line;
  ValueType baseType;
  if (!isTypeKeyword(tok_, baseType)) {
    fail("Syntax error: expected a type");
    return nullptr;
  }
  advance();
  auto s = makeStmt(StmtKind::kDeclare, line);
  while (true) {
    if (tok_.kind != TokenKind::kVariable) {
      fail("Syntax error: expected a variable name");
      return nullptr;
    }
    std::string name = tok_.text;
    int varLine = tok_.line;
    advance();
    ValueType type = baseType;
    if (tok_.isPunct("[")) {
      advance();
      if (!tok_.isPunct("]")) {
        ExprPtr size = parseExpression();  // a size hint; arrays grow as needed
        if (!size) {
          return nullptr;
        }
      }
      if (!expect("]")) {
        return nullptr;
      }
      type = arrayOf(baseType);
    }
    Declarator d;
    // The initializer is parsed before the name is bound, so "int $x = $x" is refused.
    if (accept("=")) {
      d.init = parseAssignment();
      if (!d.init) {
        return nullptr;
      }
    }
    bool ok;
    if (global) {
      bool created = false;
      ok = declareGlobal(name, type, varLine, d.var, created);
      d.initOnce = true;
      d.initDone = !created;
    } else {
      ok = declareLocal(name, type, varLine, d.var);
    }
    if (!ok) {
      return nullptr;
    }
    s->decls.push_back(std::move(d));
    if (!accept(",")) {
      break;
    }
  }
  if (!endOfStatement()) {
    return nullptr;
  }
  return s;
}

StmtPtr Parser::parseIf() {
  auto s = makeStmt(StmtKind::kIf, tok_.line);
  advance();
  if (!expect("("))
    return nullptr;
  s->expr = parseExpression();
  if (!s->expr || !expect(")"))
    return nullptr;
  s->then = parseStatement();
  if (!s->then)
    return nullptr;
  if (tok_.isKeyword("else")) {
    advance();
    s->otherwise = parseStatement();
    if (!s->otherwise)
      return nullptr;
  }
  return s;
}

StmtPtr Parser::parseWhile() {
  auto s = makeStmt(StmtKind::kWhile, tok_.line);
  advance();
  if (!expect("("))
    return nullptr;
  s->expr = parseExpression();
  if (!s->expr || !expect(")"))
    return nullptr;
  ++loopDepth_;
  s->then = parseStatement();
  --loopDepth_;
  return s->then ? std::move(s) : nullptr;
}

StmtPtr Parser::parseDoWhile() {
  auto s = makeStmt(StmtKind::kDoWhile, tok_.line);
  advance();
  ++loopDepth_;
  s->then = parseStatement();
  --loopDepth_;
  if (!s->then)
    return nullptr;
  if (!tok_.isKeyword("while")) {
    fail("Syntax error: expected \"while\" after the body of \"do\"");
    return nullptr;
  }
  advance();
  if (!expect("("))
    return nullptr;
  s->expr = parseExpression();
  if (!s->expr || !expect(")"))
    return nullptr;
  if (!endOfStatement())
    return nullptr;
  return s;
}

StmtPtr Parser::parseFor() {
  int line = tok_.line;
  advance();
  if (!expect("("))
    return nullptr;
  // for ($x in $array) or for (type $x in $array)
  {
    Lexer saved = lexer_;
    Token savedTok = tok_;
    ValueType declared = ValueType::kNone;
    bool typed = isTypeKeyword(tok_, declared);
    if (typed)
      advance();
    if (tok_.kind == TokenKind::kVariable) {
      std::string name = tok_.text;
      int varLine = tok_.line;
      advance();
      if (tok_.isKeyword("in")) {
        advance();
        auto s = makeStmt(StmtKind::kForIn, line);
        s->expr = parseExpression();
        if (!s->expr || !expect(")"))
          return nullptr;
        ValueType arrayType = staticType(*s->expr);
        ValueType element = typed ? declared : elementOf(arrayType);
        const VarRef* existing = typed ? nullptr : lookup(name);
        if (existing != nullptr) {
          s->loopVar = *existing;
        } else if (!declareLocal(name, element, varLine, s->loopVar)) {
          return nullptr;
        }
        ++loopDepth_;
        s->then = parseStatement();
        --loopDepth_;
        return s->then ? std::move(s) : nullptr;
      }
    }
    lexer_ = saved;
    tok_ = savedTok;
  }
  auto s = makeStmt(StmtKind::kFor, line);
  if (!tok_.isPunct(";")) {
    do {
      ExprPtr e = parseExpression();
      if (!e)
        return nullptr;
      s->init.push_back(std::move(e));
    } while (accept(","));
  }
  if (!expect(";"))
    return nullptr;
  if (!tok_.isPunct(";")) {
    s->expr = parseExpression();
    if (!s->expr)
      return nullptr;
  }
  if (!expect(";"))
    return nullptr;
  if (!tok_.isPunct(")")) {
    do {
      ExprPtr e = parseExpression();
      if (!e)
        return nullptr;
      s->step.push_back(std::move(e));
    } while (accept(","));
  }
  if (!expect(")"))
    return nullptr;
  ++loopDepth_;
  s->then = parseStatement();
  --loopDepth_;
  return s->then ? std::move(s) : nullptr;
}

StmtPtr Parser::parseSwitch() {
  auto s = makeStmt(StmtKind::kSwitch, tok_.line);
  advance();
  if (!expect("("))
    return nullptr;
  s->expr = parseExpression();
  if (!s->expr || !expect(")"))
    return nullptr;
  if (!expect("{"))
    return nullptr;
  pushBlock();
  ++switchDepth_;
  bool sawDefault = false;
  while (!failed_ && !tok_.isPunct("}")) {
    if (tok_.kind == TokenKind::kEnd) {
      fail("Syntax error: missing '}' at the end of \"switch\"");
      break;
    }
    if (tok_.isKeyword("case") || tok_.isKeyword("default")) {
      SwitchCase c;
      c.firstStatement = s->body.size();
      if (tok_.isKeyword("case")) {
        advance();
        c.value = parseTernary();
        if (!c.value)
          break;
      } else {
        if (sawDefault) {
          fail("Syntax error: more than one \"default\" in a \"switch\"");
          break;
        }
        sawDefault = true;
        advance();
      }
      if (!expect(":"))
        break;
      s->cases.push_back(std::move(c));
      continue;
    }
    if (s->cases.empty()) {
      fail("Syntax error: expected \"case\" or \"default\"");
      break;
    }
    StmtPtr child = parseStatement();
    if (child) {
      s->body.push_back(std::move(child));
    }
  }
  --switchDepth_;
  popBlock();
  if (failed_)
    return nullptr;
  advance();  // '}'
  return s;
}

StmtPtr Parser::parseReturn() {
  auto s = makeStmt(StmtKind::kReturn, tok_.line);
  advance();
  if (!tok_.isPunct(";") && !tok_.isPunct("}") && tok_.kind != TokenKind::kEnd) {
    s->expr = parseExpression();
    if (!s->expr)
      return nullptr;
  }
  if (currentProc_ != nullptr) {
    if (s->expr && currentProc_->returnType == ValueType::kNone) {
      fail("This procedure has no return value.", s->line);
      return nullptr;
    }
  }
  if (!endOfStatement())
    return nullptr;
  return s;
}

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

ExprPtr Parser::parseExpression() {
  return parseAssignment();
}

ExprPtr Parser::parseAssignment() {
  NestingGuard guard(nesting_);
  if (guard.tooDeep()) {
    fail("Syntax error: expression nested too deeply");
    return nullptr;
  }
  // An undeclared variable followed by '=' is declared by the assignment.
  if (tok_.kind == TokenKind::kVariable && lookup(tok_.text) == nullptr) {
    Lexer saved = lexer_;
    Token var = tok_;
    advance();
    if (tok_.isPunct("=")) {
      advance();
      ExprPtr value = parseAssignment();
      if (!value)
        return nullptr;
      auto target = makeExpr(ExprKind::kVariable, var.line);
      if (!declareLocal(var.text, staticType(*value), var.line, target->var))
        return nullptr;
      auto e = makeExpr(ExprKind::kAssign, var.line);
      e->op = '=';
      e->children.push_back(std::move(target));
      e->children.push_back(std::move(value));
      return e;
    }
    lexer_ = saved;
    tok_ = var;
  }
  ExprPtr left = parseTernary();
  if (!left)
    return nullptr;
  int op = 0;
  if (tok_.isPunct("="))
    op = '=';
  else if (tok_.isPunct("+="))
    op = '+';
  else if (tok_.isPunct("-="))
    op = '-';
  else if (tok_.isPunct("*="))
    op = '*';
  else if (tok_.isPunct("/="))
    op = '/';
  if (op == 0)
    return left;
  if (!isAssignable(*left)) {
    fail("Syntax error: cannot assign to this expression");
    return nullptr;
  }
  int line = tok_.line;
  advance();
  ExprPtr value = parseAssignment();
  if (!value)
    return nullptr;
  auto e = makeExpr(ExprKind::kAssign, line);
  e->op = op;
  e->children.push_back(std::move(left));
  e->children.push_back(std::move(value));
  return e;
}

ExprPtr Parser::parseTernary() {
  ExprPtr cond = parseOr();
  if (!cond || !tok_.isPunct("?"))
    return cond;
  int line = tok_.line;
  advance();
  ExprPtr a = parseAssignment();
  if (!a || !expect(":"))
    return nullptr;
  ExprPtr b = parseAssignment();
  if (!b)
    return nullptr;
  auto e = makeExpr(ExprKind::kTernary, line);
  e->children.push_back(std::move(cond));
  e->children.push_back(std::move(a));
  e->children.push_back(std::move(b));
  return e;
}

ExprPtr Parser::parseOr() {
  ExprPtr left = parseAnd();
  while (left && tok_.isPunct("||")) {
    int line = tok_.line;
    advance();
    ExprPtr right = parseAnd();
    if (!right)
      return nullptr;
    auto e = makeExpr(ExprKind::kLogical, line);
    e->op = '|';
    e->children.push_back(std::move(left));
    e->children.push_back(std::move(right));
    left = std::move(e);
  }
  return left;
}

ExprPtr Parser::parseAnd() {
  ExprPtr left = parseEquality();
  while (left && tok_.isPunct("&&")) {
    int line = tok_.line;
    advance();
    ExprPtr right = parseEquality();
    if (!right)
      return nullptr;
    auto e = makeExpr(ExprKind::kLogical, line);
    e->op = '&';
    e->children.push_back(std::move(left));
    e->children.push_back(std::move(right));
    left = std::move(e);
  }
  return left;
}

namespace {
ExprPtr makeBinary(int op, int line, ExprPtr l, ExprPtr r) {
  auto e = makeExpr(ExprKind::kBinary, line);
  e->op = op;
  e->children.push_back(std::move(l));
  e->children.push_back(std::move(r));
  return e;
}
}  // namespace

ExprPtr Parser::parseEquality() {
  ExprPtr left = parseRelational();
  while (left && (tok_.isPunct("==") || tok_.isPunct("!="))) {
    int op = tok_.text == "==" ? kOpEq : kOpNotEq;
    int line = tok_.line;
    advance();
    ExprPtr right = parseRelational();
    if (!right)
      return nullptr;
    left = makeBinary(op, line, std::move(left), std::move(right));
  }
  return left;
}

ExprPtr Parser::parseRelational() {
  ExprPtr left = parseAdditive();
  while (left &&
         (tok_.isPunct("<") || tok_.isPunct(">") || tok_.isPunct("<=") || tok_.isPunct(">="))) {
    int op = tok_.text == "<"    ? kOpLess
             : tok_.text == ">"  ? kOpGreater
             : tok_.text == "<=" ? kOpLessEq
                                 : kOpGreaterEq;
    int line = tok_.line;
    advance();
    ExprPtr right = parseAdditive();
    if (!right)
      return nullptr;
    left = makeBinary(op, line, std::move(left), std::move(right));
  }
  return left;
}

ExprPtr Parser::parseAdditive() {
  ExprPtr left = parseMultiplicative();
  while (left && (tok_.isPunct("+") || tok_.isPunct("-"))) {
    int op = tok_.text[0];
    int line = tok_.line;
    advance();
    ExprPtr right = parseMultiplicative();
    if (!right)
      return nullptr;
    left = makeBinary(op, line, std::move(left), std::move(right));
  }
  return left;
}

ExprPtr Parser::parseMultiplicative() {
  ExprPtr left = parseUnary();
  while (left &&
         (tok_.isPunct("*") || tok_.isPunct("/") || tok_.isPunct("%") || tok_.isPunct("^"))) {
    int op = tok_.text[0];
    int line = tok_.line;
    advance();
    ExprPtr right = parseUnary();
    if (!right)
      return nullptr;
    left = makeBinary(op, line, std::move(left), std::move(right));
  }
  return left;
}

ExprPtr Parser::parseUnary() {
  NestingGuard guard(nesting_);
  if (guard.tooDeep()) {
    fail("Syntax error: expression nested too deeply");
    return nullptr;
  }
  int line = tok_.line;
  if (tok_.isPunct("-") || tok_.isPunct("!") || tok_.isPunct("+")) {
    int op = tok_.text[0];
    advance();
    ExprPtr operand = parseUnary();
    if (!operand)
      return nullptr;
    if (op == '-' && operand->kind == ExprKind::kLiteral && operand->value.isNumber()) {
      // Fold negative literals so that -2147483648 stays an int.
      if (operand->value.type() == ValueType::kInt) {
        operand->value =
            Value(static_cast<int>(0u - static_cast<unsigned>(operand->value.intRef())));
      } else {
        operand->value = Value(-operand->value.floatRef());
      }
      return operand;
    }
    auto e = makeExpr(ExprKind::kUnary, line);
    e->op = op;
    e->children.push_back(std::move(operand));
    return e;
  }
  if (tok_.isPunct("++") || tok_.isPunct("--")) {
    int op = tok_.text[0];
    advance();
    ExprPtr target = parseUnary();
    if (!target)
      return nullptr;
    if (!isAssignable(*target)) {
      fail("Syntax error: '++' and '--' need a variable");
      return nullptr;
    }
    auto e = makeExpr(ExprKind::kIncDec, line);
    e->op = op;
    e->prefix = true;
    e->children.push_back(std::move(target));
    return e;
  }
  // A cast: (int) $x, (string) 5.
  if (tok_.isPunct("(")) {
    Lexer saved = lexer_;
    Token savedTok = tok_;
    advance();
    ValueType type;
    if (isTypeKeyword(tok_, type)) {
      advance();
      if (tok_.isPunct(")")) {
        advance();
        ExprPtr operand = parseUnary();
        if (!operand)
          return nullptr;
        auto e = makeExpr(ExprKind::kCast, line);
        e->castType = type;
        e->children.push_back(std::move(operand));
        return e;
      }
    }
    lexer_ = saved;
    tok_ = savedTok;
  }
  return parsePostfix();
}

ExprPtr Parser::parsePostfix() {
  ExprPtr e;
  if (tok_.kind == TokenKind::kVariable) {
    e = parseVariable();
  } else {
    e = parsePrimary();
  }
  if (!e)
    return nullptr;
  while (true) {
    int line = tok_.line;
    if (tok_.isPunct("[") && (e->kind == ExprKind::kVariable)) {
      advance();
      ExprPtr index = parseExpression();
      if (!index || !expect("]"))
        return nullptr;
      auto ix = makeExpr(ExprKind::kIndex, line);
      ix->var = e->var;
      ix->children.push_back(std::move(index));
      e = std::move(ix);
      continue;
    }
    if (tok_.isPunct(".") && (e->kind == ExprKind::kVariable || e->kind == ExprKind::kIndex)) {
      advance();
      if (tok_.kind != TokenKind::kIdentifier ||
          (tok_.text != "x" && tok_.text != "y" && tok_.text != "z")) {
        fail("Syntax error: expected x, y or z after '.'");
        return nullptr;
      }
      auto c = makeExpr(ExprKind::kComponent, line);
      c->op = tok_.text[0];
      c->var = e->var;
      if (e->kind == ExprKind::kIndex) {
        c->children.push_back(std::move(e->children[0]));
      }
      advance();
      e = std::move(c);
      continue;
    }
    if ((tok_.isPunct("++") || tok_.isPunct("--")) && isAssignable(*e)) {
      auto inc = makeExpr(ExprKind::kIncDec, line);
      inc->op = tok_.text[0];
      inc->prefix = false;
      inc->children.push_back(std::move(e));
      advance();
      e = std::move(inc);
      continue;
    }
    break;
  }
  return e;
}

ExprPtr Parser::parseVariable() {
  const VarRef* ref = lookup(tok_.text);
  if (ref == nullptr) {
    fail("\"$" + tok_.text + "\" is an undeclared variable.");
    return nullptr;
  }
  auto e = makeExpr(ExprKind::kVariable, tok_.line);
  e->var = *ref;
  advance();
  return e;
}

ExprPtr Parser::parsePrimary() {
  int line = tok_.line;
  switch (tok_.kind) {
    case TokenKind::kInt: {
      auto e = makeLiteral(Value(static_cast<int>(tok_.intValue)), line);
      advance();
      return e;
    }
    case TokenKind::kFloat: {
      auto e = makeLiteral(Value(tok_.floatValue), line);
      advance();
      return e;
    }
    case TokenKind::kString: {
      auto e = makeLiteral(Value(tok_.text), line);
      advance();
      return e;
    }
    case TokenKind::kBacktick:
      return parseBacktick();
    case TokenKind::kIdentifier: {
      const std::string& w = tok_.text;
      if (w == "true" || w == "on" || w == "yes") {
        advance();
        return makeLiteral(Value(1), line);
      }
      if (w == "false" || w == "off" || w == "no") {
        advance();
        return makeLiteral(Value(0), line);
      }
      std::string name = w;
      advance();
      if (!tok_.isPunct("(")) {
        fail("Syntax error: \"" + name + "\" used as a value; call it with () or `" + name + "`",
             line);
        return nullptr;
      }
      if (name == "catch" || name == "catchQuiet") {
        advance();
        auto e = makeExpr(ExprKind::kCatch, line);
        e->quiet = name == "catchQuiet";
        ExprPtr inner = parseExpression();
        if (!inner || !expect(")"))
          return nullptr;
        e->children.push_back(std::move(inner));
        return e;
      }
      Token nameToken;
      nameToken.kind = TokenKind::kIdentifier;
      nameToken.text = name;
      ValueType type;
      if (isTypeKeyword(nameToken, type)) {
        advance();
        ExprPtr operand = parseExpression();
        if (!operand || !expect(")"))
          return nullptr;
        auto e = makeExpr(ExprKind::kCast, line);
        e->castType = type;
        e->children.push_back(std::move(operand));
        return e;
      }
      return parseFunctionCall(name, line);
    }
    case TokenKind::kPunct:
      if (tok_.text == "(") {
        advance();
        ExprPtr e = parseExpression();
        if (!e || !expect(")"))
          return nullptr;
        return e;
      }
      if (tok_.text == "{")
        return parseArrayLiteral();
      if (tok_.text == "<<")
        return parseVectorLiteral();
      break;
    case TokenKind::kEnd:
      fail("Syntax error: unexpected end of text");
      return nullptr;
    default:
      break;
  }
  fail("Syntax error");
  return nullptr;
}

ExprPtr Parser::parseArrayLiteral() {
  auto e = makeExpr(ExprKind::kArrayLiteral, tok_.line);
  advance();  // '{'
  if (!tok_.isPunct("}")) {
    do {
      ExprPtr element = parseExpression();
      if (!element)
        return nullptr;
      e->children.push_back(std::move(element));
    } while (accept(","));
  }
  if (!expect("}"))
    return nullptr;
  return e;
}

ExprPtr Parser::parseVectorLiteral() {
  auto e = makeExpr(ExprKind::kVectorLiteral, tok_.line);
  advance();  // '<<'
  for (int i = 0; i < 3; ++i) {
    // Each component stops before '>>' or ',', so no comparison is parsed at this level.
    ExprPtr c = parseAdditive();
    if (!c)
      return nullptr;
    e->children.push_back(std::move(c));
    if (i < 2 && !expect(","))
      return nullptr;
  }
  if (!expect(">>"))
    return nullptr;
  return e;
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

ValueType Parser::staticType(const Expr& e) {
  switch (e.kind) {
    case ExprKind::kLiteral:
      return e.value.type();
    case ExprKind::kVectorLiteral:
      return ValueType::kVector;
    case ExprKind::kArrayLiteral: {
      ValueType t = ValueType::kIntArray;
      for (const auto& c : e.children) {
        ValueType ct = staticType(*c);
        if (ct == ValueType::kString)
          return ValueType::kStringArray;
        if (ct == ValueType::kVector)
          t = ValueType::kVectorArray;
        else if (ct == ValueType::kFloat && t == ValueType::kIntArray)
          t = ValueType::kFloatArray;
        else if (ct == ValueType::kNone)
          return ValueType::kNone;
      }
      return t;
    }
    case ExprKind::kVariable:
      return e.var.type;
    case ExprKind::kIndex:
      return elementOf(e.var.type);
    case ExprKind::kComponent:
      return ValueType::kFloat;
    case ExprKind::kUnary:
      return e.op == '!' ? ValueType::kInt : staticType(*e.children[0]);
    case ExprKind::kLogical:
      return ValueType::kInt;
    case ExprKind::kBinary: {
      if (e.op == kOpEq || e.op == kOpNotEq || e.op == kOpLess || e.op == kOpGreater ||
          e.op == kOpLessEq || e.op == kOpGreaterEq) {
        return ValueType::kInt;
      }
      ValueType a = staticType(*e.children[0]);
      ValueType b = staticType(*e.children[1]);
      if (a == ValueType::kNone || b == ValueType::kNone)
        return ValueType::kNone;
      if (e.op == '+' && (a == ValueType::kString || b == ValueType::kString)) {
        return ValueType::kString;
      }
      if (a == ValueType::kVector || b == ValueType::kVector) {
        return (e.op == '*' && a == b) ? ValueType::kFloat : ValueType::kVector;
      }
      if (a == ValueType::kFloat || b == ValueType::kFloat)
        return ValueType::kFloat;
      if (a == ValueType::kInt && b == ValueType::kInt)
        return ValueType::kInt;
      return ValueType::kNone;
    }
    case ExprKind::kTernary: {
      ValueType a = staticType(*e.children[1]);
      return a == staticType(*e.children[2]) ? a : ValueType::kNone;
    }
    case ExprKind::kAssign:
      return staticType(*e.children[0]);
    case ExprKind::kIncDec:
      return staticType(*e.children[0]);
    case ExprKind::kCast:
      return e.castType;
    case ExprKind::kCatch:
      return ValueType::kInt;
    case ExprKind::kCall:
      return ValueType::kNone;
  }
  return ValueType::kNone;
}

}  // namespace mel
