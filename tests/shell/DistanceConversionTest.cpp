// Lengths converted between the host's units, checked against the units' definitions.

#include <gtest/gtest.h>

#include <maya/MDistance.h>

#include <cmath>
#include <ostream>

#include "shell/DistanceConversion.h"

namespace {

struct UnitCase {
  double value;
  MDistance::Unit from;
  double expected;
  MDistance::Unit to;
};

std::ostream& operator<<(std::ostream& out, const UnitCase& c) {
  return out << c.value << " (unit " << c.from << ") -> unit " << c.to;
}

// Every unit against the centimetre (the host's internal unit) and a few pairs of neither.
const UnitCase kCases[] = {
    {1, MDistance::kInches, 2.54, MDistance::kCentimeters},
    {1, MDistance::kFeet, 30.48, MDistance::kCentimeters},
    {1, MDistance::kYards, 91.44, MDistance::kCentimeters},
    {1, MDistance::kMiles, 160934.4, MDistance::kCentimeters},
    {10, MDistance::kMillimeters, 1, MDistance::kCentimeters},
    {1, MDistance::kMeters, 100, MDistance::kCentimeters},
    {1, MDistance::kKilometers, 100000, MDistance::kCentimeters},
    {12, MDistance::kInches, 1, MDistance::kFeet},
    {3, MDistance::kFeet, 1, MDistance::kYards},
    {1760, MDistance::kYards, 1, MDistance::kMiles},
    {1, MDistance::kMiles, 1.609344, MDistance::kKilometers},
    {2.5, MDistance::kMeters, 2500, MDistance::kMillimeters},
    {-4, MDistance::kMeters, -400, MDistance::kCentimeters},
    {0, MDistance::kMiles, 0, MDistance::kMillimeters},
};

// Near enough for a value of this size: the factors are exact in decimal but not in binary.
double tolerance(double value) {
  return 1e-9 * (1 + std::fabs(value));
}

class DistanceConversionTest : public ::testing::TestWithParam<UnitCase> {};

TEST_P(DistanceConversionTest, ConvertsByTheUnitsDefinitions) {
  const UnitCase& c = GetParam();
  EXPECT_NEAR(convertDistance(c.value, c.from, c.to), c.expected, tolerance(c.expected));
}

TEST_P(DistanceConversionTest, ConvertsBackToTheValueItStartedFrom) {
  const UnitCase& c = GetParam();
  EXPECT_NEAR(convertDistance(c.expected, c.to, c.from), c.value, tolerance(c.value));
  EXPECT_NEAR(convertDistance(convertDistance(c.value, c.from, c.to), c.to, c.from), c.value,
              tolerance(c.value));
}

TEST_P(DistanceConversionTest, LeavesAValueInItsOwnUnitUnchanged) {
  const UnitCase& c = GetParam();
  EXPECT_EQ(convertDistance(c.value, c.from, c.from), c.value);
  EXPECT_EQ(convertDistance(c.expected, c.to, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Units, DistanceConversionTest, ::testing::ValuesIn(kCases));

}  // namespace
