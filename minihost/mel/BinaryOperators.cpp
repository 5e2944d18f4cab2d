// The binary operators, one function per kind of operands: comparisons, string joining, and
// vector, int and float arithmetic.

#include <cmath>
#include <limits>

#include "mel/IntWrap.h"
#include "mel/Interpreter.h"

namespace mel {

namespace {

bool isComparison(int op) {
  return op == kOpLess || op == kOpGreater || op == kOpLessEq || op == kOpGreaterEq ||
         op == kOpEq || op == kOpNotEq;
}

template <typename T>
int compareResult(int op, const T& a, const T& b) {
  switch (op) {
    case kOpLess:
      return a < b;
    case kOpGreater:
      return b < a;
    case kOpLessEq:
      return !(b < a);
    case kOpGreaterEq:
      return !(a < b);
    case kOpEq:
      return a == b;
    case kOpNotEq:
      return !(a == b);
    default:
      return 0;
  }
}

const char* opText(int op) {
  switch (op) {
    case '+':
      return "+";
    case '-':
      return "-";
    case '*':
      return "*";
    case '/':
      return "/";
    case '%':
      return "%";
    case '^':
      return "^";
    default:
      return "comparison";
  }
}

std::string illegalOperation(int op, const char* type) {
  return std::string("Illegal operation \"") + opText(op) + "\" on data of type " + type + ".";
}

double length(const Vec3& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// Two strings compare as text and two ints as ints; with a vector on either side equality is
// by component and order by length; anything else compares as floats.
Value compare(int op, const Value& a, const Value& b) {
  const ValueType ta = a.type();
  const ValueType tb = b.type();
  if (ta == ValueType::kString && tb == ValueType::kString)
    return Value(compareResult(op, a.stringRef(), b.stringRef()));
  if (ta == ValueType::kInt && tb == ValueType::kInt)
    return Value(compareResult(op, a.intRef(), b.intRef()));
  if (ta == ValueType::kVector || tb == ValueType::kVector) {
    if (op == kOpEq || op == kOpNotEq) {
      const bool equal = a.asVector() == b.asVector();
      return Value((op == kOpEq) == equal ? 1 : 0);
    }
    return Value(compareResult(op, length(a.asVector()), length(b.asVector())));
  }
  return Value(compareResult(op, a.asFloat(), b.asFloat()));
}

// A scalar on one side acts on every component; vector times vector is the dot product and
// "^" the cross product. False for an operator vectors do not have.
bool vectorArithmetic(int op, const Value& a, const Value& b, Value& out) {
  const Vec3 x = a.asVector();
  const Vec3 y = b.asVector();
  switch (op) {
    case '+':
      out = Value(Vec3{x.x + y.x, x.y + y.y, x.z + y.z});
      return true;
    case '-':
      out = Value(Vec3{x.x - y.x, x.y - y.y, x.z - y.z});
      return true;
    case '*':
      if (a.type() == ValueType::kVector && b.type() == ValueType::kVector) {
        out = Value(x.x * y.x + x.y * y.y + x.z * y.z);
      } else {
        out = Value(Vec3{x.x * y.x, x.y * y.y, x.z * y.z});
      }
      return true;
    case '/':
      out = Value(Vec3{x.x / y.x, x.y / y.y, x.z / y.z});
      return true;
    case '^':
      out = Value(Vec3{x.y * y.z - x.z * y.y, x.z * y.x - x.x * y.z, x.x * y.y - x.y * y.x});
      return true;
    default:
      return false;
  }
}

enum class IntResult { kDone, kUnsupported, kDivideByZero };

IntResult intArithmetic(int op, int x, int y, Value& out) {
  switch (op) {
    case '+':
      out = Value(wrapAdd(x, y));
      return IntResult::kDone;
    case '-':
      out = Value(wrapSub(x, y));
      return IntResult::kDone;
    case '*':
      out = Value(wrapMul(x, y));
      return IntResult::kDone;
    case '/':
    case '%':
      if (y == 0)
        return IntResult::kDivideByZero;
      if (x == std::numeric_limits<int>::min() && y == -1) {
        out = Value(op == '/' ? x : 0);  // the one quotient that does not fit wraps
        return IntResult::kDone;
      }
      out = Value(op == '/' ? x / y : x % y);
      return IntResult::kDone;
    default:
      return IntResult::kUnsupported;
  }
}

bool floatArithmetic(int op, double x, double y, Value& out) {
  switch (op) {
    case '+':
      out = Value(x + y);
      return true;
    case '-':
      out = Value(x - y);
      return true;
    case '*':
      out = Value(x * y);
      return true;
    case '/':
      out = Value(x / y);
      return true;
    case '%':
      out = Value(std::fmod(x, y));
      return true;
    default:
      return false;
  }
}

}  // namespace

bool Interpreter::evalBinary(int op, const Value& a, const Value& b, Value& out) {
  const ValueType ta = a.type();
  const ValueType tb = b.type();
  if (a.isArray() || b.isArray()) {
    reportError(illegalOperation(op, typeName(a.isArray() ? ta : tb)));
    return false;
  }
  if (isComparison(op)) {
    out = compare(op, a, b);
    return true;
  }
  if (ta == ValueType::kString || tb == ValueType::kString) {
    if (op != '+') {
      reportError(illegalOperation(op, "string"));
      return false;
    }
    std::string s = a.asString();
    s += (tb == ValueType::kString) ? b.stringRef() : b.asString();
    out = Value(std::move(s));
    return true;
  }
  if (ta == ValueType::kVector || tb == ValueType::kVector) {
    if (vectorArithmetic(op, a, b, out))
      return true;
    reportError(illegalOperation(op, "vector"));
    return false;
  }
  if (ta == ValueType::kInt && tb == ValueType::kInt) {
    switch (intArithmetic(op, a.intRef(), b.intRef(), out)) {
      case IntResult::kDone:
        return true;
      case IntResult::kDivideByZero:
        reportError("Divide by zero.");
        return false;
      case IntResult::kUnsupported:
        break;
    }
  } else if (floatArithmetic(op, a.asFloat(), b.asFloat(), out)) {
    return true;
  }
  reportError(illegalOperation(op, typeName(ta)));
  return false;
}

}  // namespace mel
