#pragma once
// A MEL value: int, float, string, vector, or an array of one of those.
// MEL converts freely between them; the conversions live here so that every
// assignment, argument and operator converts the same way.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mel {

enum class ValueType : unsigned char {
  kNone,  // a command that returns nothing
  kInt,
  kFloat,
  kString,
  kVector,
  kIntArray,
  kFloatArray,
  kStringArray,
  kVectorArray
};

struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
};

bool isArrayType(ValueType type);
// int[] for int, and back; kNone for anything without a counterpart.
ValueType arrayOf(ValueType element);
ValueType elementOf(ValueType array);
// "int", "float[]", ...
const char* typeName(ValueType type);

class Value {
 public:
  Value() = default;
  Value(int v) : data_(v) {}
  Value(double v) : data_(v) {}
  Value(const char* v) : data_(std::string(v)) {}
  Value(std::string v) : data_(std::move(v)) {}
  Value(std::string_view v) : data_(std::string(v)) {}
  Value(Vec3 v) : data_(v) {}
  Value(std::vector<int> v) : data_(std::move(v)) {}
  Value(std::vector<double> v) : data_(std::move(v)) {}
  Value(std::vector<std::string> v) : data_(std::move(v)) {}
  Value(std::vector<Vec3> v) : data_(std::move(v)) {}

  // The zero of a type: 0, 0.0, "", <<0,0,0>>, an empty array.
  static Value defaultOf(ValueType type);

  ValueType type() const { return static_cast<ValueType>(data_.index()); }
  bool isNone() const { return type() == ValueType::kNone; }
  bool isArray() const { return isArrayType(type()); }
  bool isNumber() const { return type() == ValueType::kInt || type() == ValueType::kFloat; }

  // Conversions. Strings convert by their leading number ("12abc" is 12, "abc" is 0);
  // arrays convert through their first element (scalars) or their size is not used.
  int asInt() const;
  double asFloat() const;
  std::string asString() const;
  Vec3 asVector() const;
  bool asBool() const;
  std::vector<std::string> asStringArray() const;
  std::vector<int> asIntArray() const;
  std::vector<double> asFloatArray() const;
  std::vector<Vec3> asVectorArray() const;

  // This value converted to `type`; kNone leaves it as it is.
  Value convertedTo(ValueType type) const;

  // Direct access for callers that checked type() first.
  int intRef() const { return std::get<int>(data_); }
  double floatRef() const { return std::get<double>(data_); }
  const std::string& stringRef() const { return std::get<std::string>(data_); }
  std::string& stringRef() { return std::get<std::string>(data_); }
  const Vec3& vectorRef() const { return std::get<Vec3>(data_); }
  const std::vector<int>& intArray() const { return std::get<std::vector<int>>(data_); }
  std::vector<int>& intArray() { return std::get<std::vector<int>>(data_); }
  const std::vector<double>& floatArray() const { return std::get<std::vector<double>>(data_); }
  std::vector<double>& floatArray() { return std::get<std::vector<double>>(data_); }
  const std::vector<std::string>& stringArray() const {
    return std::get<std::vector<std::string>>(data_);
  }
  std::vector<std::string>& stringArray() { return std::get<std::vector<std::string>>(data_); }
  const std::vector<Vec3>& vectorArray() const { return std::get<std::vector<Vec3>>(data_); }
  std::vector<Vec3>& vectorArray() { return std::get<std::vector<Vec3>>(data_); }

  // Number of elements of an array; 0 for anything else.
  std::size_t arraySize() const;
  // Element `index` of an array as a scalar value; the element type's zero when out of range.
  Value element(std::size_t index) const;
  // Sets element `index`, growing the array with zeros; converts `v` to the element type.
  void setElement(std::size_t index, const Value& v);
  void clearArray();

  bool operator==(const Value& o) const { return data_ == o.data_; }

 private:
  std::variant<std::monostate, int, double, std::string, Vec3, std::vector<int>,
               std::vector<double>, std::vector<std::string>, std::vector<Vec3>>
      data_;
};

// How MEL prints numbers: ints in decimal, floats with up to ten significant digits
// and no trailing zeros ("1", "0.5", "0.3333333333").
std::string formatFloat(double v);
std::string formatVector(const Vec3& v);
// Clamps instead of overflowing: NaN is 0, out-of-range values saturate.
int floatToInt(double v);
// Parses a leading number as MEL's string conversion does; `consumedAll` tells whether the
// whole text (bar surrounding blanks) was a number.
double parseLeadingNumber(std::string_view text, bool* consumedAll = nullptr);

}  // namespace mel
