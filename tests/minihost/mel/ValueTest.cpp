#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mel/Value.h"

namespace {

using mel::Value;
using mel::ValueType;
using mel::Vec3;

TEST(ValueTest, StringsConvertByTheirLeadingNumber) {
  EXPECT_EQ(Value("12abc").asInt(), 12);
  EXPECT_EQ(Value("  -3.7").asInt(), -3);
  EXPECT_DOUBLE_EQ(Value("2.5e2x").asFloat(), 250.0);
  EXPECT_EQ(Value("abc").asInt(), 0);
  EXPECT_EQ(Value("").asFloat(), 0.0);
  bool whole = true;
  mel::parseLeadingNumber("4 5", &whole);
  EXPECT_FALSE(whole);
  mel::parseLeadingNumber(" 4.5 ", &whole);
  EXPECT_TRUE(whole);
}

TEST(ValueTest, FloatToIntSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(mel::floatToInt(1e20), std::numeric_limits<int>::max());
  EXPECT_EQ(mel::floatToInt(-1e20), std::numeric_limits<int>::min());
  EXPECT_EQ(mel::floatToInt(std::nan("")), 0);
  EXPECT_EQ(mel::floatToInt(-2.9), -2);
}

TEST(ValueTest, FloatsPrintShortAndWithoutNegativeZero) {
  EXPECT_EQ(mel::formatFloat(1.0), "1");
  EXPECT_EQ(mel::formatFloat(0.1 + 0.2), "0.3");
  EXPECT_EQ(mel::formatFloat(-0.0), "0");
  EXPECT_EQ(mel::formatFloat(1e21), "1e+21");
  EXPECT_EQ(Value(Vec3{1, -2.5, 0}).asString(), "1 -2.5 0");
}

TEST(ValueTest, ArraysGrowWithZerosAndConvertTheirElements) {
  Value a = Value::defaultOf(ValueType::kIntArray);
  a.setElement(3, Value("7"));
  ASSERT_EQ(a.arraySize(), 4u);
  EXPECT_EQ(a.intArray()[0], 0);
  EXPECT_EQ(a.intArray()[3], 7);
  EXPECT_EQ(a.element(10).asInt(), 0);
  EXPECT_EQ(a.element(10).type(), ValueType::kInt);
  Value s = Value::defaultOf(ValueType::kStringArray);
  s.setElement(1, Value(2.5));
  EXPECT_EQ(s.stringArray()[1], "2.5");
  s.clearArray();
  EXPECT_EQ(s.arraySize(), 0u);
}

TEST(ValueTest, ConversionsBetweenArraysAndScalars) {
  Value scalar(5);
  Value wrapped = scalar.convertedTo(ValueType::kStringArray);
  ASSERT_EQ(wrapped.type(), ValueType::kStringArray);
  EXPECT_EQ(wrapped.stringArray(), std::vector<std::string>{"5"});
  Value floats(std::vector<double>{1, 2, 3});
  Vec3 v = floats.asVector();
  EXPECT_EQ(v, (Vec3{1, 2, 3}));
  EXPECT_EQ(Value("1 2 3").asVector(), (Vec3{1, 2, 3}));
  EXPECT_EQ(Value(std::vector<std::string>{"a", "b"}).asString(), "a b");
  EXPECT_TRUE(Value(std::vector<int>{0}).asBool());  // a non-empty array is true
  EXPECT_FALSE(Value(std::vector<int>{}).asBool());
}

TEST(ValueTest, TypeNamesAndArrayCounterparts) {
  EXPECT_STREQ(mel::typeName(ValueType::kVectorArray), "vector[]");
  EXPECT_EQ(mel::arrayOf(ValueType::kFloat), ValueType::kFloatArray);
  EXPECT_EQ(mel::elementOf(ValueType::kStringArray), ValueType::kString);
  EXPECT_EQ(mel::arrayOf(ValueType::kIntArray), ValueType::kNone);
}

}  // namespace
