#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "GeometryExpect.h"
#include "boundary/math/Matrix3D.h"

namespace {
const Matrix3D kYUpToZUp(1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1);
const Matrix3D kZUpToYUp(1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1);

bool finite(const Matrix3D& m) {
  for (const auto& row : m.m) {
    for (double v : row) {
      if (!std::isfinite(v))
        return false;
    }
  }
  return true;
}
}  // namespace

TEST(Matrix3DTest, LayoutIsRowByRowFromTheStart) {
  Matrix3D m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
  double raw[16];
  std::memcpy(raw, &m, sizeof raw);
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(raw[i], i + 1.0);
  EXPECT_EQ(m(1, 2), 7.0);
  EXPECT_EQ(m.m[3][0], 13.0);
  EXPECT_EQ(m.transposed()(2, 1), 7.0);
}

TEST(Matrix3DTest, DefaultIsIdentity) {
  Matrix3D id;
  EXPECT_EQ(id, Matrix3D(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
  EXPECT_EQ(id * Vector3D(1, 2, 3), Vector3D(1, 2, 3));
}

TEST(Matrix3DTest, UpAxisQuarterTurns) {
  EXPECT_EQ(kYUpToZUp * Vector3D(1, 2, 3), Vector3D(1, -3, 2));
  EXPECT_EQ(kZUpToYUp * Vector3D(1, 2, 3), Vector3D(1, 3, -2));
  EXPECT_EQ(kZUpToYUp * kYUpToZUp, Matrix3D());
  // They are the quarter turns about x.
  expectNear(Matrix3D::rot(Vector3D(1, 0, 0), M_PI / 2), kYUpToZUp);
  expectNear(Matrix3D::rot(Vector3D(1, 0, 0), -M_PI / 2), kZUpToYUp);
}

TEST(Matrix3DTest, ShiftAndProducts) {
  Matrix3D s = Matrix3D::shift(Vector3D(1, 2, 3));
  EXPECT_EQ(s * Vector3D(1, 1, 1), Vector3D(2, 3, 4));
  EXPECT_EQ(s.get_shift(), Vector3D(1, 2, 3));
  EXPECT_EQ(s.get_rotate(), Matrix3D());
  // shift × rot applies the rotation first.
  Matrix3D r = Matrix3D::rot(Vector3D(0, 0, 1), M_PI / 2);
  expectNear((s * r) * Vector3D(1, 0, 0), Vector3D(1, 3, 3));
  expectNear((r * s) * Vector3D(1, 0, 0), Vector3D(-2, 2, 3));
  // A translated frame's rotation part turns directions only.
  Matrix3D m = s * r;
  expectNear(m.get_rotate() * Vector3D(0, 0, 1), Vector3D(0, 0, 1));
  expectNear(m.rotateVector(Vector3D(1, 0, 0)), Vector3D(0, 1, 0));
  expectNear(m.get_shift(), Vector3D(1, 2, 3));
}

TEST(Matrix3DTest, RotationIsRightHanded) {
  expectNear(Matrix3D::rot(Vector3D(0, 0, 1), M_PI / 2) * Vector3D(1, 0, 0), Vector3D(0, 1, 0));
  expectNear(Matrix3D::rot(Vector3D(1, 0, 0), M_PI / 2) * Vector3D(0, 1, 0), Vector3D(0, 0, 1));
  expectNear(Matrix3D::rot(Vector3D(0, 1, 0), M_PI / 2) * Vector3D(0, 0, 1), Vector3D(1, 0, 0));
}

TEST(Matrix3DTest, RotationAboutANonUnitAxis) {
  expectNear(Matrix3D::rot(Vector3D(0, 0, 7.5), M_PI / 2),
             Matrix3D::rot(Vector3D(0, 0, 1), M_PI / 2));
  expectNear(Matrix3D::rot(Vector3D(0, 1e-30, 0), 1.0), Matrix3D::rot(Vector3D(0, 1, 0), 1.0));
  // A turn of 120 degrees about (1,1,1) cycles the axes.
  expectNear(Matrix3D::rot(Vector3D(2, 2, 2), 2 * M_PI / 3) * Vector3D(1, 0, 0), Vector3D(0, 1, 0));
}

TEST(Matrix3DTest, RotationCompositionAndInverse) {
  Vector3D axis(0.3, -0.5, 0.8);
  Matrix3D a = Matrix3D::rot(axis, 0.4);
  Matrix3D b = Matrix3D::rot(axis, 0.7);
  expectNear(a * b, Matrix3D::rot(axis, 1.1));
  expectNear(a * Matrix3D::rot(axis, -0.4), Matrix3D());
  expectNear(a * a.transposed(), Matrix3D());  // orthonormal
  // Points on the axis stay put.
  expectNear(a * axis, axis);
}

TEST(Matrix3DTest, ZeroAxisGivesAFiniteRotation) {
  EXPECT_EQ(Matrix3D::rot(Vector3D(), 0.0), Matrix3D());
  Matrix3D flip = Matrix3D::rot(Vector3D(0, 0, 1) * Vector3D(0, 0, -1), M_PI);
  EXPECT_TRUE(finite(flip));
  expectNear(flip * Vector3D(0, 0, 1), Vector3D(0, 0, -1));
  expectNear(flip, Matrix3D::rot(Vector3D(1, 0, 0), M_PI));
  EXPECT_TRUE(finite(Matrix3D::rot(Vector3D(NAN, 0, 0), 1.0)));
}

TEST(Matrix3DTest, HmtrBuildsARightHandedFrame) {
  // The import's camera frame: x = (-U) × V, z = -V, y must come out as U.
  Vector3D V(0, 0, -1), U(0, 1, 0), E(1, 2, 3);
  Matrix3D m = Matrix3D::hmtr((-U) * V, -V, E);
  expectNear(m, Matrix3D::shift(E));
  Vector3D V2 = Vector3D(1, -1, 0.5).normalised();
  Vector3D U2 = (Vector3D(0, 0, 1) - V2 * V2.z).normalised();
  Matrix3D f = Matrix3D::hmtr((-U2) * V2, -V2, E);
  expectNear(f.rotateVector(Vector3D(0, 1, 0)), U2);
  expectNear(f.rotateVector(Vector3D(0, 0, -1)), V2);
  expectNear(f * Vector3D(), E);
  Matrix3D rotation = f.get_rotate();
  expectNear(rotation * rotation.transposed(), Matrix3D());
}

TEST(Matrix3DTest, HmtrNormalisesAndOrthogonalises) {
  Matrix3D f = Matrix3D::hmtr(Vector3D(3, 0, 1), Vector3D(0, 0, 5), Vector3D());
  expectNear(f, Matrix3D());
  Matrix3D degenerate = Matrix3D::hmtr(Vector3D(0, 0, 2), Vector3D(0, 0, 1), Vector3D());
  EXPECT_TRUE(finite(degenerate));
  Matrix3D r = degenerate.get_rotate();
  expectNear(r * r.transposed(), Matrix3D());
  expectNear(r * Vector3D(0, 0, 1), Vector3D(0, 0, 1));
}
