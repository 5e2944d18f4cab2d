#include "mel/Parser.h"

#include "mel/ParserNodes.h"

#include <utility>

namespace mel {

using namespace parser;

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
  auto proc = std::make_shared<ProcDef>();
  proc->global = global;
  proc->file = file_;
  proc->line = tok_.line;
  ValueType returnType = ValueType::kNone;
  if (isTypeKeyword(tok_, returnType)) {
    advance();
    if (!parseTypeSuffix(returnType))
      return false;
  }
  proc->returnType = returnType;
  if (tok_.kind != TokenKind::kIdentifier)
    return fail("Syntax error: expected a procedure name");
  proc->name = tok_.text;
  advance();
  if (!expect("("))
    return false;
  // The parameters are the first locals of the procedure's own scope.
  Function fn;
  fn.slotTypes = &proc->slotTypes;
  fn.blocks.emplace_back();
  Function* outer = function_;
  function_ = &fn;
  const bool ok = parseParameterList(*proc) && parseProcBody(*proc);
  function_ = outer;
  if (!ok)
    return false;
  unit.procs.push_back(std::move(proc));
  return true;
}

// `type $name[]` entries separated by commas, up to and including the ')'.
bool Parser::parseParameterList(ProcDef& proc) {
  if (accept(")"))
    return true;
  do {
    ValueType type;
    if (!isTypeKeyword(tok_, type))
      return fail("Syntax error: expected a parameter type");
    advance();
    if (tok_.kind != TokenKind::kVariable)
      return fail("Syntax error: expected a parameter name");
    const std::string name = tok_.text;
    const int line = tok_.line;
    advance();
    Param p;
    if (!parseTypeSuffix(type) || !declareLocal(name, type, line, p.var))
      return false;
    proc.params.push_back(p);
  } while (accept(","));
  return expect(")");
}

// '{', the statements, '}'.
bool Parser::parseProcBody(ProcDef& proc) {
  if (!tok_.isPunct("{"))
    return fail("Syntax error: expected '{' to begin the body of " + proc.name);
  currentProc_ = &proc;
  advance();
  while (!failed_ && !tok_.isPunct("}")) {
    if (tok_.kind == TokenKind::kEnd) {
      fail("Syntax error: missing '}' at the end of " + proc.name);
      break;
    }
    if (StmtPtr s = parseStatement())
      proc.body.push_back(std::move(s));
  }
  currentProc_ = nullptr;
  return !failed_ && expect("}");
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

// "(" expression ")", as after if, while and switch; null after an error.
ExprPtr Parser::parseCondition() {
  if (!expect("("))
    return nullptr;
  ExprPtr condition = parseExpression();
  if (!condition || !expect(")"))
    return nullptr;
  return condition;
}

StmtPtr Parser::parseIf() {
  auto s = makeStmt(StmtKind::kIf, tok_.line);
  advance();
  s->expr = parseCondition();
  if (!s->expr)
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
  s->expr = parseCondition();
  if (!s->expr)
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
  s->expr = parseCondition();
  if (!s->expr)
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
  s->expr = parseCondition();
  if (!s->expr)
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

}  // namespace mel
