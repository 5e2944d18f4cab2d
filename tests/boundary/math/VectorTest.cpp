#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "GeometryExpect.h"
#include "boundary/math/Vector2D.h"
#include "boundary/math/Vector3D.h"

TEST(Vector3DTest, Arithmetic) {
  Vector3D a(1, 2, 3), b(-4, 5, 0.5);
  EXPECT_EQ(a + b, Vector3D(-3, 7, 3.5));
  EXPECT_EQ(a - b, Vector3D(5, -3, 2.5));
  EXPECT_EQ(-a, Vector3D(-1, -2, -3));
  EXPECT_EQ(a * 2.0, Vector3D(2, 4, 6));
  EXPECT_EQ(2.0 * a, Vector3D(2, 4, 6));
  EXPECT_EQ(a.dot(b), -4 + 10 + 1.5);
  EXPECT_EQ(Vector3D(3, 4, 12).length(), 13.0);
  Vector3D c = a;
  c += b;
  c -= a;
  EXPECT_EQ(c, b);
}

TEST(Vector3DTest, CrossProductIsThisTimesOperand) {
  Vector3D x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
  EXPECT_EQ(x * y, z);
  EXPECT_EQ(y * z, x);
  EXPECT_EQ(z * x, y);
  EXPECT_EQ(y * x, -z);
  Vector3D a(1, 2, 3), b(-2, 0.5, 4);
  Vector3D c = a * b;
  EXPECT_DOUBLE_EQ(c.dot(a), 0.0);
  EXPECT_DOUBLE_EQ(c.dot(b), 0.0);
  EXPECT_EQ(c, Vector3D(2 * 4 - 3 * 0.5, 3 * -2 - 1 * 4, 1 * 0.5 - 2 * -2));
}

TEST(Vector3DTest, AngleIsExactForEqualAndOppositeDirections) {
  Vector3D a(0.3, -1.7, 2.9);
  EXPECT_EQ(a ^ a, 0.0);
  EXPECT_EQ(Vector3D(0, 0, 1) ^ Vector3D(0, 0, 5), 0.0);
  EXPECT_EQ(Vector3D(0, 0, 1) ^ Vector3D(0, 0, -1), M_PI);
  EXPECT_EQ(a ^ (-a), M_PI);
}

TEST(Vector3DTest, AngleIsAccurateEverywhere) {
  EXPECT_DOUBLE_EQ(Vector3D(0, 0, 1) ^ Vector3D(1, 0, 0), M_PI / 2);
  EXPECT_DOUBLE_EQ(Vector3D(1, 0, 0) ^ Vector3D(1, 1, 0), M_PI / 4);
  // A tiny angle that acos of the dot product would round to 0.
  double tiny = 1e-9;
  EXPECT_NEAR(Vector3D(1, 0, 0) ^ Vector3D(std::cos(tiny), std::sin(tiny), 0), tiny, 1e-20);
  // Independent of the lengths.
  EXPECT_DOUBLE_EQ(Vector3D(1e-200, 0, 0) ^ Vector3D(0, 1e200, 0), M_PI / 2);
  EXPECT_EQ(Vector3D() ^ Vector3D(1, 2, 3), 0.0);
}

TEST(Vector3DTest, LengthAndNormalisationAvoidOverflow) {
  Vector3D huge(1e300, 1e300, 0);
  EXPECT_DOUBLE_EQ(huge.length(), std::sqrt(2.0) * 1e300);
  expectNear(huge.normalised(), Vector3D(std::sqrt(0.5), std::sqrt(0.5), 0));
  Vector3D small(3e-310, 4e-310, 0);
  expectNear(small.normalised(), Vector3D(0.6, 0.8, 0));
  EXPECT_EQ(Vector3D().normalised(), Vector3D());
  Vector3D nan(std::numeric_limits<double>::quiet_NaN(), 0, 0);
  EXPECT_EQ(nan.normalised(), Vector3D());
}

TEST(Vector2DTest, MembersAndComparison) {
  Vector2D v(1.5, -2);
  EXPECT_EQ(v.x, 1.5);
  EXPECT_EQ(v.y, -2);
  EXPECT_EQ(v, Vector2D(1.5, -2));
  EXPECT_NE(v, Vector2D());
}
