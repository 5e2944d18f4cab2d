// The conversions between the host's matrices, points and vectors and the geometry library's.
// The host multiplies row vectors from the left (p' = p × M, translation in the fourth row), the
// library column vectors from the right (p' = M × p, translation in the fourth column): the same
// transform must move a point to the same place on either side.

#include <gtest/gtest.h>

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include <cmath>
#include <ostream>

#include "boundary/math/Matrix3D.h"
#include "boundary/math/Vector3D.h"
#include "shell/HostGeometry.h"

namespace {

const double kDegree = std::acos(-1.0) / 180.0;

void expectNear(const Vector3D& actual, double x, double y, double z) {
  EXPECT_NEAR(actual.x, x, 1e-12);
  EXPECT_NEAR(actual.y, y, 1e-12);
  EXPECT_NEAR(actual.z, z, 1e-12);
}

// A host matrix whose sixteen elements all differ, so that any element landing in the wrong
// place shows.
MMatrix distinctHostMatrix() {
  double m[4][4];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j)
      m[i][j] = 1 + 4 * i + j;
  }
  return MMatrix(m);
}

struct Placement {
  const char* name;
  double translate[3];
  double rotateDegrees[3];
  double scale[3];
};

std::ostream& operator<<(std::ostream& out, const Placement& p) {
  return out << p.name;
}

const Placement kPlacements[] = {
    {"identity", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}},
    {"translation", {1, 2, 3}, {0, 0, 0}, {1, 1, 1}},
    {"quarterTurnAboutX", {0, 0, 0}, {90, 0, 0}, {1, 1, 1}},
    {"quarterTurnAboutY", {0, 0, 0}, {0, 90, 0}, {1, 1, 1}},
    {"quarterTurnAboutZ", {0, 0, 0}, {0, 0, 90}, {1, 1, 1}},
    {"unevenScale", {0, 0, 0}, {0, 0, 0}, {2, 3, 4}},
    {"everything", {-5, 0.25, 7}, {30, -45, 60}, {0.5, 2, -1}},
};

MMatrix hostMatrix(const Placement& p) {
  MTransformationMatrix transform;
  transform.setScale(p.scale, MSpace::kTransform);
  transform.rotateTo(MEulerRotation(p.rotateDegrees[0] * kDegree, p.rotateDegrees[1] * kDegree,
                                    p.rotateDegrees[2] * kDegree));
  transform.setTranslation(MVector(p.translate[0], p.translate[1], p.translate[2]),
                           MSpace::kTransform);
  return transform.asMatrix();
}

class HostPlacementTest : public ::testing::TestWithParam<Placement> {};

TEST_P(HostPlacementTest, MovesAPointWhereTheHostMovesIt) {
  const MMatrix host = hostMatrix(GetParam());
  const Matrix3D ours = fromHostMatrix(host);
  for (const MPoint& point : {MPoint(0, 0, 0), MPoint(1, 0, 0), MPoint(0, 1, 0), MPoint(0, 0, 1),
                              MPoint(-2.5, 4, 0.125)}) {
    const MPoint moved = point * host;
    expectNear(ours * fromHostPoint(point), moved.x, moved.y, moved.z);
  }
}

TEST_P(HostPlacementTest, TurnsADirectionAsTheHostTurnsIt) {
  const MMatrix host = hostMatrix(GetParam());
  const Matrix3D ours = fromHostMatrix(host);
  for (const MVector& direction :
       {MVector(1, 0, 0), MVector(0, 1, 0), MVector(0, 0, 1), MVector(3, -1, 2)}) {
    const MVector turned = direction * host;
    expectNear(ours.rotateVector(fromHostVector(direction)), turned.x, turned.y, turned.z);
  }
}

TEST_P(HostPlacementTest, ComesBackToTheSameHostMatrix) {
  const MMatrix host = hostMatrix(GetParam());
  EXPECT_EQ(toHostMatrix(fromHostMatrix(host)), host);
}

TEST_P(HostPlacementTest, AHostMatrixMadeFromOursMovesAPointTheSameWay) {
  const Matrix3D ours = fromHostMatrix(hostMatrix(GetParam()));
  const MMatrix host = toHostMatrix(ours);
  const MPoint point(0.5, -1.5, 2);
  const MPoint moved = point * host;
  expectNear(ours * Vector3D(0.5, -1.5, 2), moved.x, moved.y, moved.z);
}

INSTANTIATE_TEST_SUITE_P(Placements, HostPlacementTest, ::testing::ValuesIn(kPlacements),
                         [](const ::testing::TestParamInfo<Placement>& info) {
                           return std::string(info.param.name);
                         });

TEST(HostGeometryTest, TheIdentityStaysTheIdentity) {
  EXPECT_EQ(fromHostMatrix(MMatrix()), Matrix3D());
  EXPECT_EQ(toHostMatrix(Matrix3D()), MMatrix::identity);
}

TEST(HostGeometryTest, TheHostsTranslationRowBecomesOurTranslationColumn) {
  MMatrix host;
  host(3, 0) = 1;
  host(3, 1) = 2;
  host(3, 2) = 3;
  const Matrix3D ours = fromHostMatrix(host);
  expectNear(ours.get_shift(), 1, 2, 3);
  EXPECT_EQ(ours(0, 3), 1);
  EXPECT_EQ(ours(1, 3), 2);
  EXPECT_EQ(ours(2, 3), 3);
  EXPECT_EQ(ours(3, 0), 0);
  EXPECT_EQ(ours(3, 1), 0);
  EXPECT_EQ(ours(3, 2), 0);
  EXPECT_EQ(ours(3, 3), 1);

  const MMatrix back = toHostMatrix(Matrix3D::shift(Vector3D(-4, 5, -6)));
  EXPECT_EQ(back(3, 0), -4);
  EXPECT_EQ(back(3, 1), 5);
  EXPECT_EQ(back(3, 2), -6);
  EXPECT_EQ(back(0, 3), 0);
  EXPECT_EQ(back(1, 3), 0);
  EXPECT_EQ(back(2, 3), 0);
}

TEST(HostGeometryTest, EveryElementIsTransposed) {
  const MMatrix host = distinctHostMatrix();
  const Matrix3D ours = fromHostMatrix(host);
  for (unsigned i = 0; i < 4; ++i) {
    for (unsigned j = 0; j < 4; ++j)
      EXPECT_EQ(ours(static_cast<int>(i), static_cast<int>(j)), host(j, i)) << i << "," << j;
  }
  EXPECT_EQ(toHostMatrix(ours), host);

  const Matrix3D general(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
  const MMatrix made = toHostMatrix(general);
  for (unsigned i = 0; i < 4; ++i) {
    for (unsigned j = 0; j < 4; ++j)
      EXPECT_EQ(made(i, j), general(static_cast<int>(j), static_cast<int>(i))) << i << "," << j;
  }
  EXPECT_EQ(fromHostMatrix(made), general);
}

// The host composes "first a, then b" as a × b, the library as b × a.
TEST(HostGeometryTest, CompositionOrderIsReversed) {
  const MMatrix first = hostMatrix(kPlacements[2]);
  const MMatrix then = hostMatrix(kPlacements[1]);
  const Matrix3D composed = fromHostMatrix(first * then);
  const Matrix3D expected = fromHostMatrix(then) * fromHostMatrix(first);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j)
      EXPECT_NEAR(composed(i, j), expected(i, j), 1e-12) << i << "," << j;
  }
  // A quarter turn about x takes y to z, then the translation moves it by (1, 2, 3).
  expectNear(composed * Vector3D(0, 1, 0), 1, 2, 4);
}

TEST(HostGeometryTest, VectorsAndPointsKeepTheirComponents) {
  expectNear(fromHostVector(MVector(3, -4, 12)), 3, -4, 12);  // not normalised
  expectNear(fromHostVector(MVector()), 0, 0, 0);
  expectNear(fromHostPoint(MPoint(1.5, -2, 1e6)), 1.5, -2, 1e6);
  // The host's points from transform and camera queries have w = 1; w is not divided out.
  expectNear(fromHostPoint(MPoint(2, 4, 6, 2)), 2, 4, 6);
}

}  // namespace
