// Expression evaluation.

#include <cmath>

#include "mel/IntWrap.h"
#include "mel/Interpreter.h"

namespace mel {

namespace {

// Arrays grow on assignment; beyond this an index is treated as a mistake, not a request
// for gigabytes.
constexpr std::size_t kMaxArrayIndex = 50000000;

}  // namespace

bool Interpreter::convertForStore(ValueType target, Value& value) {
  if (target == ValueType::kNone || value.type() == target) {
    return true;
  }
  if (value.isNone()) {
    value = Value::defaultOf(target);
    return true;
  }
  if (value.isArray() && !isArrayType(target)) {
    reportError(std::string("Cannot convert data of type ") + typeName(value.type()) + " to type " +
                typeName(target) + ".");
    return false;
  }
  value = value.convertedTo(target);
  return true;
}

bool Interpreter::assignTo(const VarRef& var, Value value) {
  if (!convertForStore(var.type, value)) {
    return false;
  }
  slot(var) = std::move(value);
  return true;
}

bool Interpreter::arrayIndex(const Value& index, std::size_t& out, bool forWrite) {
  double f = index.asFloat();
  if (f < 0 || std::isnan(f)) {
    reportError("Array index out of bounds: " + index.asString());
    return false;
  }
  if (forWrite && f > static_cast<double>(kMaxArrayIndex)) {
    reportError("Array index too large: " + index.asString());
    return false;
  }
  out = f > static_cast<double>(kMaxArrayIndex) ? kMaxArrayIndex + 1
                                                : static_cast<std::size_t>(index.asInt());
  return true;
}

bool Interpreter::eval(const Expr& e, Value& out) {
  switch (e.kind) {
    case ExprKind::kLiteral:
      out = e.value;
      return true;
    case ExprKind::kVariable:
      out = slot(e.var);
      return true;
    case ExprKind::kIndex:
      return evalIndex(e, out);
    case ExprKind::kComponent:
      return evalComponent(e, out);
    case ExprKind::kVectorLiteral: {
      Value c[3];
      for (int i = 0; i < 3; ++i) {
        if (!eval(*e.children[static_cast<std::size_t>(i)], c[i]))
          return false;
      }
      out = Value(Vec3{c[0].asFloat(), c[1].asFloat(), c[2].asFloat()});
      return true;
    }
    case ExprKind::kArrayLiteral:
      return evalArrayLiteral(e, out);
    case ExprKind::kUnary:
      return evalUnary(e, out);
    case ExprKind::kBinary: {
      Value a;
      Value b;
      if (!eval(*e.children[0], a) || !eval(*e.children[1], b))
        return false;
      line_ = e.line;
      return evalBinary(e.op, a, b, out);
    }
    case ExprKind::kLogical: {
      Value a;
      if (!eval(*e.children[0], a))
        return false;
      bool left = a.asBool();
      if (e.op == '&' ? !left : left) {
        out = Value(left ? 1 : 0);
        return true;
      }
      Value b;
      if (!eval(*e.children[1], b))
        return false;
      out = Value(b.asBool() ? 1 : 0);
      return true;
    }
    case ExprKind::kTernary: {
      Value c;
      if (!eval(*e.children[0], c))
        return false;
      return eval(*e.children[c.asBool() ? 1 : 2], out);
    }
    case ExprKind::kAssign:
      return evalAssign(e, out);
    case ExprKind::kIncDec:
      return evalIncDec(e, out);
    case ExprKind::kCall:
      return evalCall(e, out);
    case ExprKind::kCast: {
      Value v;
      if (!eval(*e.children[0], v))
        return false;
      if (v.isArray()) {
        line_ = e.line;
        reportError(std::string("Cannot convert data of type ") + typeName(v.type()) + " to type " +
                    typeName(e.castType) + ".");
        return false;
      }
      out = v.convertedTo(e.castType);
      return true;
    }
    case ExprKind::kCatch:
      return evalCatch(e, out);
  }
  return false;
}

bool Interpreter::evalIndex(const Expr& e, Value& out) {
  Value index;
  if (!eval(*e.children[0], index))
    return false;
  const Value& array = slot(e.var);
  if (!array.isArray()) {
    line_ = e.line;
    reportError("\"$" + e.var.name + "\" is not an array.");
    return false;
  }
  std::size_t i = 0;
  if (!arrayIndex(index, i, false))
    return false;
  out = array.element(i);
  return true;
}

bool Interpreter::evalComponent(const Expr& e, Value& out) {
  Vec3 v;
  if (!e.children.empty()) {
    Value index;
    if (!eval(*e.children[0], index))
      return false;
    std::size_t i = 0;
    if (!arrayIndex(index, i, false))
      return false;
    v = slot(e.var).element(i).asVector();
  } else {
    const Value& value = slot(e.var);
    if (value.type() != ValueType::kVector) {
      line_ = e.line;
      reportError("\"$" + e.var.name + "\" is not a vector.");
      return false;
    }
    v = value.vectorRef();
  }
  out = Value(e.op == 'x' ? v.x : e.op == 'y' ? v.y : v.z);
  return true;
}

bool Interpreter::evalArrayLiteral(const Expr& e, Value& out) {
  std::vector<Value> elements(e.children.size());
  bool anyString = false, anyVector = false, anyFloat = false;
  for (std::size_t i = 0; i < e.children.size(); ++i) {
    if (!eval(*e.children[i], elements[i]))
      return false;
    switch (elements[i].type()) {
      case ValueType::kString:
        anyString = true;
        break;
      case ValueType::kVector:
        anyVector = true;
        break;
      case ValueType::kFloat:
        anyFloat = true;
        break;
      case ValueType::kInt:
        break;
      default:
        line_ = e.line;
        reportError("An array can only hold int, float, string or vector values.");
        return false;
    }
  }
  ValueType type = anyString   ? ValueType::kStringArray
                   : anyVector ? ValueType::kVectorArray
                   : anyFloat  ? ValueType::kFloatArray
                               : ValueType::kIntArray;
  out = Value::defaultOf(type);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    out.setElement(i, elements[i]);
  }
  return true;
}

bool Interpreter::evalUnary(const Expr& e, Value& out) {
  Value v;
  if (!eval(*e.children[0], v))
    return false;
  if (e.op == '!') {
    out = Value(v.asBool() ? 0 : 1);
    return true;
  }
  if (e.op == '+') {
    out = std::move(v);
    return true;
  }
  switch (v.type()) {
    case ValueType::kInt:
      out = Value(wrapSub(0, v.intRef()));
      return true;
    case ValueType::kFloat:
      out = Value(-v.floatRef());
      return true;
    case ValueType::kVector: {
      const Vec3& a = v.vectorRef();
      out = Value(Vec3{-a.x, -a.y, -a.z});
      return true;
    }
    case ValueType::kString:
      out = Value(-v.asFloat());
      return true;
    default:
      line_ = e.line;
      reportError("Illegal operation \"-\" on data of type " + std::string(typeName(v.type())) +
                  ".");
      return false;
  }
}

bool Interpreter::evalAssign(const Expr& e, Value& out) {
  const Expr& target = *e.children[0];
  Value value;
  if (!eval(*e.children[1], value))
    return false;
  line_ = e.line;
  if (e.op != '=') {
    Value current;
    if (!eval(target, current))
      return false;
    if (e.op == '+' && target.kind == ExprKind::kVariable && current.type() == ValueType::kString) {
      // Appending to a string variable in place keeps long loops linear.
      std::string& s = slot(target.var).stringRef();
      s += value.type() == ValueType::kString ? value.stringRef() : value.asString();
      out = Value(s);
      return true;
    }
    Value combined;
    if (!evalBinary(e.op, current, value, combined))
      return false;
    value = std::move(combined);
  }
  if (target.kind == ExprKind::kVariable) {
    if (!convertForStore(target.var.type, value))
      return false;
    Value& dest = slot(target.var);
    dest = std::move(value);
    out = dest;
    return true;
  }
  // target.kind == kIndex
  Value index;
  if (!eval(*target.children[0], index))
    return false;
  Value& array = slot(target.var);
  if (!array.isArray()) {
    if (target.var.type == ValueType::kNone && array.isNone()) {
      array = Value::defaultOf(arrayOf(value.type()));
    }
    if (!array.isArray()) {
      reportError("\"$" + target.var.name + "\" is not an array.");
      return false;
    }
  }
  if (value.isArray()) {
    reportError(std::string("Cannot convert data of type ") + typeName(value.type()) + " to type " +
                typeName(elementOf(array.type())) + ".");
    return false;
  }
  std::size_t i = 0;
  if (!arrayIndex(index, i, true))
    return false;
  array.setElement(i, value);
  out = array.element(i);
  return true;
}

bool Interpreter::evalIncDec(const Expr& e, Value& out) {
  const Expr& target = *e.children[0];
  Value current;
  if (!eval(target, current))
    return false;
  Value updated;
  if (current.type() == ValueType::kInt) {
    updated = Value(e.op == '+' ? wrapAdd(current.intRef(), 1) : wrapSub(current.intRef(), 1));
  } else if (current.type() == ValueType::kFloat) {
    updated = Value(current.floatRef() + (e.op == '+' ? 1.0 : -1.0));
  } else {
    line_ = e.line;
    reportError(std::string("Illegal operation \"") + (e.op == '+' ? "++" : "--") +
                "\" on data of type " + typeName(current.type()) + ".");
    return false;
  }
  if (target.kind == ExprKind::kVariable) {
    slot(target.var) = updated;
  } else {
    Value index;
    if (!eval(*target.children[0], index))
      return false;
    std::size_t i = 0;
    if (!arrayIndex(index, i, true))
      return false;
    slot(target.var).setElement(i, updated);
  }
  out = e.prefix ? std::move(updated) : std::move(current);
  return true;
}

bool Interpreter::evalCatch(const Expr& e, Value& out) {
  if (e.quiet) {
    ++quietDepth_;
  }
  Value ignored;
  bool ok = eval(*e.children[0], ignored);
  if (e.quiet) {
    --quietDepth_;
  }
  out = Value(ok ? 0 : 1);
  return true;
}

}  // namespace mel
