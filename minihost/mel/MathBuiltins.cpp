// abs, sqrt, trigonometry, angle conversion, min/max and vector helpers.

#include <cmath>
#include <random>

#include "mel/Builtins.h"
#include "mel/Interpreter.h"

namespace mel {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool needArgs(CommandCall& call, std::size_t n) {
  if (call.count() != n) {
    return call.failNamed("Wrong number of arguments.");
  }
  return true;
}

template <double (*F)(double)>
bool unary(CommandCall& call) {
  if (!needArgs(call, 1))
    return false;
  call.result = Value(F(call.arg(0).asFloat()));
  return true;
}

double degToRad(double d) {
  return d * kPi / 180.0;
}
double radToDeg(double r) {
  return r * 180.0 / kPi;
}
double signOf(double v) {
  return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0;
}

bool cmdAbs(CommandCall& call) {
  if (!needArgs(call, 1))
    return false;
  const Value& v = call.arg(0);
  if (v.type() == ValueType::kInt) {
    int i = v.intRef();
    call.result = Value(i == INT32_MIN ? i : (i < 0 ? -i : i));
  } else if (v.type() == ValueType::kVector) {
    Vec3 a = v.vectorRef();
    call.result = Value(Vec3{std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)});
  } else {
    call.result = Value(std::fabs(v.asFloat()));
  }
  return true;
}

bool cmdSign(CommandCall& call) {
  if (!needArgs(call, 1))
    return false;
  call.result = Value(signOf(call.arg(0).asFloat()));
  return true;
}

bool minMax(CommandCall& call, bool isMax) {
  if (!needArgs(call, 2))
    return false;
  const Value& a = call.arg(0);
  const Value& b = call.arg(1);
  if (a.type() == ValueType::kInt && b.type() == ValueType::kInt) {
    int x = a.intRef(), y = b.intRef();
    call.result = Value(isMax ? (x > y ? x : y) : (x < y ? x : y));
  } else {
    double x = a.asFloat(), y = b.asFloat();
    call.result = Value(isMax ? (x > y ? x : y) : (x < y ? x : y));
  }
  return true;
}
bool cmdMin(CommandCall& call) {
  return minMax(call, false);
}
bool cmdMax(CommandCall& call) {
  return minMax(call, true);
}

bool cmdClamp(CommandCall& call) {
  if (!needArgs(call, 3))
    return false;
  double lo = call.arg(0).asFloat(), hi = call.arg(1).asFloat(), v = call.arg(2).asFloat();
  call.result = Value(v < lo ? lo : v > hi ? hi : v);
  return true;
}

bool cmdPow(CommandCall& call) {
  if (!needArgs(call, 2))
    return false;
  call.result = Value(std::pow(call.arg(0).asFloat(), call.arg(1).asFloat()));
  return true;
}

bool cmdFmod(CommandCall& call) {
  if (!needArgs(call, 2))
    return false;
  call.result = Value(std::fmod(call.arg(0).asFloat(), call.arg(1).asFloat()));
  return true;
}

bool cmdAtan2(CommandCall& call) {
  if (!needArgs(call, 2))
    return false;
  call.result = Value(std::atan2(call.arg(0).asFloat(), call.arg(1).asFloat()));
  return true;
}

bool cmdHypot(CommandCall& call) {
  if (!needArgs(call, 2))
    return false;
  call.result = Value(std::hypot(call.arg(0).asFloat(), call.arg(1).asFloat()));
  return true;
}

bool cmdMag(CommandCall& call) {
  if (!needArgs(call, 1))
    return false;
  Vec3 v = call.arg(0).asVector();
  call.result = Value(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
  return true;
}

bool cmdUnit(CommandCall& call) {
  if (!needArgs(call, 1))
    return false;
  Vec3 v = call.arg(0).asVector();
  double m = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  call.result = Value(m > 0 ? Vec3{v.x / m, v.y / m, v.z / m} : v);
  return true;
}

bool cmdDot(CommandCall& call) {
  if (!needArgs(call, 2))
    return false;
  Vec3 a = call.arg(0).asVector(), b = call.arg(1).asVector();
  call.result = Value(a.x * b.x + a.y * b.y + a.z * b.z);
  return true;
}

bool cmdCross(CommandCall& call) {
  if (!needArgs(call, 2))
    return false;
  Vec3 a = call.arg(0).asVector(), b = call.arg(1).asVector();
  call.result = Value(Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x});
  return true;
}

std::mt19937& generator() {
  static std::mt19937 g(12345u);
  return g;
}

bool cmdRand(CommandCall& call) {
  if (call.count() < 1 || call.count() > 2)
    return call.failNamed("Wrong number of arguments.");
  double lo = call.count() == 2 ? call.arg(0).asFloat() : 0.0;
  double hi = call.arg(call.count() - 1).asFloat();
  std::uniform_real_distribution<double> d(0.0, 1.0);
  call.result = Value(lo + (hi - lo) * d(generator()));
  return true;
}

bool cmdSeed(CommandCall& call) {
  if (!needArgs(call, 1))
    return false;
  generator().seed(static_cast<unsigned>(call.arg(0).asInt()));
  return true;
}

}  // namespace

void registerMathBuiltins(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("abs", cmdAbs);
  t.set("sign", cmdSign);
  t.set("sqrt", unary<std::sqrt>);
  t.set("sin", unary<std::sin>);
  t.set("cos", unary<std::cos>);
  t.set("tan", unary<std::tan>);
  t.set("asin", unary<std::asin>);
  t.set("acos", unary<std::acos>);
  t.set("atan", unary<std::atan>);
  t.set("exp", unary<std::exp>);
  t.set("log", unary<std::log>);
  t.set("log10", unary<std::log10>);
  t.set("floor", unary<std::floor>);
  t.set("ceil", unary<std::ceil>);
  t.set("trunc", unary<std::trunc>);
  t.set("deg_to_rad", unary<degToRad>);
  t.set("rad_to_deg", unary<radToDeg>);
  t.set("min", cmdMin);
  t.set("max", cmdMax);
  t.set("clamp", cmdClamp);
  t.set("pow", cmdPow);
  t.set("fmod", cmdFmod);
  t.set("atan2", cmdAtan2);
  t.set("hypot", cmdHypot);
  t.set("mag", cmdMag);
  t.set("unit", cmdUnit);
  t.set("dot", cmdDot);
  t.set("cross", cmdCross);
  t.set("rand", cmdRand);
  t.set("seed", cmdSeed);
}

}  // namespace mel
