#include "mel/Value.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace mel {

bool isArrayType(ValueType type) {
  return type == ValueType::kIntArray || type == ValueType::kFloatArray ||
         type == ValueType::kStringArray || type == ValueType::kVectorArray;
}

ValueType arrayOf(ValueType element) {
  switch (element) {
    case ValueType::kInt:
      return ValueType::kIntArray;
    case ValueType::kFloat:
      return ValueType::kFloatArray;
    case ValueType::kString:
      return ValueType::kStringArray;
    case ValueType::kVector:
      return ValueType::kVectorArray;
    default:
      return ValueType::kNone;
  }
}

ValueType elementOf(ValueType array) {
  switch (array) {
    case ValueType::kIntArray:
      return ValueType::kInt;
    case ValueType::kFloatArray:
      return ValueType::kFloat;
    case ValueType::kStringArray:
      return ValueType::kString;
    case ValueType::kVectorArray:
      return ValueType::kVector;
    default:
      return ValueType::kNone;
  }
}

const char* typeName(ValueType type) {
  switch (type) {
    case ValueType::kNone:
      return "none";
    case ValueType::kInt:
      return "int";
    case ValueType::kFloat:
      return "float";
    case ValueType::kString:
      return "string";
    case ValueType::kVector:
      return "vector";
    case ValueType::kIntArray:
      return "int[]";
    case ValueType::kFloatArray:
      return "float[]";
    case ValueType::kStringArray:
      return "string[]";
    case ValueType::kVectorArray:
      return "vector[]";
  }
  return "none";
}

Value Value::defaultOf(ValueType type) {
  switch (type) {
    case ValueType::kNone:
      return Value();
    case ValueType::kInt:
      return Value(0);
    case ValueType::kFloat:
      return Value(0.0);
    case ValueType::kString:
      return Value(std::string());
    case ValueType::kVector:
      return Value(Vec3{});
    case ValueType::kIntArray:
      return Value(std::vector<int>());
    case ValueType::kFloatArray:
      return Value(std::vector<double>());
    case ValueType::kStringArray:
      return Value(std::vector<std::string>());
    case ValueType::kVectorArray:
      return Value(std::vector<Vec3>());
  }
  return Value();
}

int floatToInt(double v) {
  if (std::isnan(v)) {
    return 0;
  }
  if (v >= static_cast<double>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  if (v <= static_cast<double>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(v);
}

double parseLeadingNumber(std::string_view text, bool* consumedAll) {
  std::size_t begin = 0;
  while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t' || text[begin] == '\n' ||
                                 text[begin] == '\r')) {
    ++begin;
  }
  // strtod needs a terminated buffer; numbers are short, so copy only the candidate part.
  std::size_t end = begin;
  while (end < text.size() && end - begin < 64 &&
         (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.' ||
          text[end] == '-' || text[end] == '+' || text[end] == 'e' || text[end] == 'E')) {
    ++end;
  }
  std::string candidate(text.substr(begin, end - begin));
  char* stop = nullptr;
  double v = std::strtod(candidate.c_str(), &stop);
  std::size_t used = static_cast<std::size_t>(stop - candidate.c_str());
  if (consumedAll != nullptr) {
    std::size_t rest = begin + used;
    while (rest < text.size() &&
           (text[rest] == ' ' || text[rest] == '\t' || text[rest] == '\n' || text[rest] == '\r')) {
      ++rest;
    }
    *consumedAll = used > 0 && rest == text.size();
  }
  return used > 0 ? v : 0.0;
}

std::string formatFloat(double v) {
  if (std::isnan(v)) {
    return "nan";
  }
  if (std::isinf(v)) {
    return v > 0 ? "inf" : "-inf";
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10g", v);
  std::string text(buffer);
  if (text == "-0") {
    text = "0";
  }
  return text;
}

std::string formatVector(const Vec3& v) {
  return formatFloat(v.x) + " " + formatFloat(v.y) + " " + formatFloat(v.z);
}

int Value::asInt() const {
  switch (type()) {
    case ValueType::kInt:
      return std::get<int>(data_);
    case ValueType::kFloat:
      return floatToInt(std::get<double>(data_));
    case ValueType::kString:
      return floatToInt(parseLeadingNumber(std::get<std::string>(data_)));
    case ValueType::kVector:
      return floatToInt(std::get<Vec3>(data_).x);
    default:
      return isArray() && arraySize() > 0 ? element(0).asInt() : 0;
  }
}

double Value::asFloat() const {
  switch (type()) {
    case ValueType::kInt:
      return std::get<int>(data_);
    case ValueType::kFloat:
      return std::get<double>(data_);
    case ValueType::kString:
      return parseLeadingNumber(std::get<std::string>(data_));
    case ValueType::kVector:
      return std::get<Vec3>(data_).x;
    default:
      return isArray() && arraySize() > 0 ? element(0).asFloat() : 0.0;
  }
}

std::string Value::asString() const {
  switch (type()) {
    case ValueType::kNone:
      return std::string();
    case ValueType::kInt:
      return std::to_string(std::get<int>(data_));
    case ValueType::kFloat:
      return formatFloat(std::get<double>(data_));
    case ValueType::kString:
      return std::get<std::string>(data_);
    case ValueType::kVector:
      return formatVector(std::get<Vec3>(data_));
    default: {
      // An array joined by blanks, as `print` would show it on one line.
      std::string out;
      for (std::size_t i = 0; i < arraySize(); ++i) {
        if (i > 0) {
          out += ' ';
        }
        out += element(i).asString();
      }
      return out;
    }
  }
}

Vec3 Value::asVector() const {
  switch (type()) {
    case ValueType::kVector:
      return std::get<Vec3>(data_);
    case ValueType::kString: {
      // "1 2 3" converts component by component.
      const std::string& s = std::get<std::string>(data_);
      Vec3 v;
      double* parts[3] = {&v.x, &v.y, &v.z};
      std::size_t pos = 0;
      for (double* part : parts) {
        while (pos < s.size() && s[pos] == ' ') {
          ++pos;
        }
        std::size_t end = s.find(' ', pos);
        if (end == std::string::npos) {
          end = s.size();
        }
        *part = parseLeadingNumber(std::string_view(s).substr(pos, end - pos));
        pos = end;
      }
      return v;
    }
    case ValueType::kFloatArray: {
      const auto& a = std::get<std::vector<double>>(data_);
      Vec3 v;
      if (a.size() > 0)
        v.x = a[0];
      if (a.size() > 1)
        v.y = a[1];
      if (a.size() > 2)
        v.z = a[2];
      return v;
    }
    case ValueType::kIntArray: {
      const auto& a = std::get<std::vector<int>>(data_);
      Vec3 v;
      if (a.size() > 0)
        v.x = a[0];
      if (a.size() > 1)
        v.y = a[1];
      if (a.size() > 2)
        v.z = a[2];
      return v;
    }
    default: {
      double f = asFloat();
      return Vec3{f, f, f};
    }
  }
}

bool Value::asBool() const {
  switch (type()) {
    case ValueType::kInt:
      return std::get<int>(data_) != 0;
    case ValueType::kFloat:
      return std::get<double>(data_) != 0.0;
    case ValueType::kString:
      return asFloat() != 0.0;
    case ValueType::kVector: {
      const Vec3& v = std::get<Vec3>(data_);
      return v.x != 0.0 || v.y != 0.0 || v.z != 0.0;
    }
    default:
      return arraySize() > 0;
  }
}

namespace {

// A value's elements as T: an array of T as it is, any other array element by element, a
// scalar as one element, nothing as none.
template <class T, class Same, class Convert>
std::vector<T> elementsAs(const Value& value, ValueType arrayType, Same same, Convert convert) {
  if (value.type() == arrayType)
    return same(value);
  std::vector<T> out;
  if (value.isArray()) {
    for (std::size_t i = 0; i < value.arraySize(); ++i)
      out.push_back(convert(value.element(i)));
  } else if (!value.isNone()) {
    out.push_back(convert(value));
  }
  return out;
}

}  // namespace

std::vector<std::string> Value::asStringArray() const {
  return elementsAs<std::string>(
      *this, ValueType::kStringArray, [](const Value& v) { return v.stringArray(); },
      [](const Value& v) { return v.asString(); });
}

std::vector<int> Value::asIntArray() const {
  return elementsAs<int>(
      *this, ValueType::kIntArray, [](const Value& v) { return v.intArray(); },
      [](const Value& v) { return v.asInt(); });
}

std::vector<double> Value::asFloatArray() const {
  if (type() == ValueType::kVector) {
    const Vec3& v = vectorRef();
    return {v.x, v.y, v.z};
  }
  return elementsAs<double>(
      *this, ValueType::kFloatArray, [](const Value& v) { return v.floatArray(); },
      [](const Value& v) { return v.asFloat(); });
}

std::vector<Vec3> Value::asVectorArray() const {
  return elementsAs<Vec3>(
      *this, ValueType::kVectorArray, [](const Value& v) { return v.vectorArray(); },
      [](const Value& v) { return v.asVector(); });
}

Value Value::convertedTo(ValueType target) const {
  if (target == type() || target == ValueType::kNone) {
    return *this;
  }
  switch (target) {
    case ValueType::kInt:
      return Value(asInt());
    case ValueType::kFloat:
      return Value(asFloat());
    case ValueType::kString:
      return Value(asString());
    case ValueType::kVector:
      return Value(asVector());
    case ValueType::kIntArray:
      return Value(asIntArray());
    case ValueType::kFloatArray:
      return Value(asFloatArray());
    case ValueType::kStringArray:
      return Value(asStringArray());
    case ValueType::kVectorArray:
      return Value(asVectorArray());
    case ValueType::kNone:
      break;
  }
  return *this;
}

std::size_t Value::arraySize() const {
  switch (type()) {
    case ValueType::kIntArray:
      return intArray().size();
    case ValueType::kFloatArray:
      return floatArray().size();
    case ValueType::kStringArray:
      return stringArray().size();
    case ValueType::kVectorArray:
      return vectorArray().size();
    default:
      return 0;
  }
}

Value Value::element(std::size_t index) const {
  switch (type()) {
    case ValueType::kIntArray:
      return index < intArray().size() ? Value(intArray()[index]) : Value(0);
    case ValueType::kFloatArray:
      return index < floatArray().size() ? Value(floatArray()[index]) : Value(0.0);
    case ValueType::kStringArray:
      return index < stringArray().size() ? Value(stringArray()[index]) : Value(std::string());
    case ValueType::kVectorArray:
      return index < vectorArray().size() ? Value(vectorArray()[index]) : Value(Vec3{});
    default:
      return Value();
  }
}

void Value::setElement(std::size_t index, const Value& v) {
  switch (type()) {
    case ValueType::kIntArray: {
      auto& a = intArray();
      if (index >= a.size())
        a.resize(index + 1, 0);
      a[index] = v.asInt();
      break;
    }
    case ValueType::kFloatArray: {
      auto& a = floatArray();
      if (index >= a.size())
        a.resize(index + 1, 0.0);
      a[index] = v.asFloat();
      break;
    }
    case ValueType::kStringArray: {
      auto& a = stringArray();
      if (index >= a.size())
        a.resize(index + 1);
      a[index] = v.type() == ValueType::kString ? v.stringRef() : v.asString();
      break;
    }
    case ValueType::kVectorArray: {
      auto& a = vectorArray();
      if (index >= a.size())
        a.resize(index + 1);
      a[index] = v.asVector();
      break;
    }
    default:
      break;
  }
}

void Value::clearArray() {
  switch (type()) {
    case ValueType::kIntArray:
      intArray().clear();
      break;
    case ValueType::kFloatArray:
      floatArray().clear();
      break;
    case ValueType::kStringArray:
      stringArray().clear();
      break;
    case ValueType::kVectorArray:
      vectorArray().clear();
      break;
    default:
      break;
  }
}

}  // namespace mel
