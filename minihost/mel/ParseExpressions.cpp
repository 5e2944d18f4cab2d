// Expressions, by precedence, and their static types.

#include <utility>

#include "mel/Parser.h"
#include "mel/ParserNodes.h"

namespace mel {

using namespace parser;

namespace {
// The loosest binary operator (||), and + and -, the loosest inside a vector literal's component.
constexpr int kLogicalOrPrecedence = 1;
constexpr int kAdditivePrecedence = 5;
}  // namespace

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
  ExprPtr cond = parseBinary(kLogicalOrPrecedence);
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

namespace {

// The binary operators, each with its precedence (higher binds tighter) and the node it makes.
// All are left-associative.
struct BinaryRule {
  const char* token;
  int precedence;
  ExprKind kind;
  int op;
};

constexpr BinaryRule kBinaryRules[] = {
    {"||", kLogicalOrPrecedence, ExprKind::kLogical, '|'},
    {"&&", kLogicalOrPrecedence + 1, ExprKind::kLogical, '&'},
    {"==", kLogicalOrPrecedence + 2, ExprKind::kBinary, kOpEq},
    {"!=", kLogicalOrPrecedence + 2, ExprKind::kBinary, kOpNotEq},
    {"<", kLogicalOrPrecedence + 3, ExprKind::kBinary, kOpLess},
    {">", kLogicalOrPrecedence + 3, ExprKind::kBinary, kOpGreater},
    {"<=", kLogicalOrPrecedence + 3, ExprKind::kBinary, kOpLessEq},
    {">=", kLogicalOrPrecedence + 3, ExprKind::kBinary, kOpGreaterEq},
    {"+", kAdditivePrecedence, ExprKind::kBinary, '+'},
    {"-", kAdditivePrecedence, ExprKind::kBinary, '-'},
    {"*", kAdditivePrecedence + 1, ExprKind::kBinary, '*'},
    {"/", kAdditivePrecedence + 1, ExprKind::kBinary, '/'},
    {"%", kAdditivePrecedence + 1, ExprKind::kBinary, '%'},
    {"^", kAdditivePrecedence + 1, ExprKind::kBinary, '^'},
};

const BinaryRule* binaryRuleFor(const Token& token) {
  if (token.kind != TokenKind::kPunct)
    return nullptr;
  for (const BinaryRule& rule : kBinaryRules) {
    if (token.text == rule.token)
      return &rule;
  }
  return nullptr;
}

}  // namespace

// Precedence climbing: an operand, then every operator that binds at least as tightly as
// `minPrecedence`, each with a right operand that takes only tighter operators (so equal ones
// group to the left). The depth of recursion is bounded by the number of precedence levels per
// unary operand, whose own nesting is guarded.
ExprPtr Parser::parseBinary(int minPrecedence) {
  ExprPtr left = parseUnary();
  while (left) {
    const BinaryRule* rule = binaryRuleFor(tok_);
    if (rule == nullptr || rule->precedence < minPrecedence)
      break;
    const int line = tok_.line;
    advance();
    ExprPtr right = parseBinary(rule->precedence + 1);
    if (!right)
      return nullptr;
    auto e = makeExpr(rule->kind, line);
    e->op = rule->op;
    e->children.push_back(std::move(left));
    e->children.push_back(std::move(right));
    left = std::move(e);
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
    ExprPtr c = parseBinary(kAdditivePrecedence);
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
