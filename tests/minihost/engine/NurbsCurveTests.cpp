// NURBS curve geometry against values worked out by hand: points and derivatives by the basis
// functions, lengths and the parameter at a length, and the data a curve refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/NurbsCurve.h"

namespace {

using minihost::NurbsCurve;

constexpr double kPi = 3.14159265358979323846;

// x, y, z, w per control vertex from x, y, z triples (w = 1).
std::vector<double> points(std::initializer_list<double> xyz) {
  std::vector<double> in(xyz), out;
  for (size_t i = 0; i + 2 < in.size(); i += 3)
    out.insert(out.end(), {in[i], in[i + 1], in[i + 2], 1.0});
  return out;
}

std::shared_ptr<const NurbsCurve> curve(int degree, int spans, int form, std::vector<double> knots,
                                        std::vector<double> cvs, bool rational = false) {
  std::string problem;
  auto c =
      NurbsCurve::make(degree, spans, form, rational, std::move(knots), std::move(cvs), problem);
  EXPECT_NE(c, nullptr) << problem;
  return c;
}

void expectNear(const MVector& v, double x, double y, double z, double tolerance = 1e-12) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(NurbsCurveTest, ALinearCurveRunsStraightBetweenItsControlVertices) {
  // Two spans of unequal length: 2 along x, then 6 along y.
  auto c = curve(1, 2, NurbsCurve::kOpen, {0, 1, 2}, points({0, 0, 0, 2, 0, 0, 2, 6, 0}));
  ASSERT_NE(c, nullptr);
  expectNear(c->evaluate(0.5).point, 1, 0, 0);
  expectNear(c->evaluate(0.5).d1, 2, 0, 0);
  expectNear(c->evaluate(1.5).point, 2, 3, 0);
  expectNear(c->evaluate(1.5).d1, 0, 6, 0);
  // Outside the range an open curve holds its ends.
  expectNear(c->evaluate(-3).point, 0, 0, 0);
  expectNear(c->evaluate(7).point, 2, 6, 0);
  const MMatrix identity;
  EXPECT_NEAR(c->length(identity), 8.0, 1e-9);
  // Half the length is 2 along the second span: a third of its parameter range.
  EXPECT_NEAR(c->paramAtLength(4.0, identity), 1.0 + 1.0 / 3.0, 1e-9);
  EXPECT_NEAR(c->lengthTo(1.5, identity), 5.0, 1e-9);
}

TEST(NurbsCurveTest, ACubicSpanIsItsBezierCurve) {
  auto c = curve(3, 1, NurbsCurve::kOpen, {0, 0, 0, 1, 1, 1},
                 points({0, 0, 0, 1, 2, 0, 3, 2, 0, 4, 0, 0}));
  ASSERT_NE(c, nullptr);
  // At t = 1/2 the Bernstein weights are 1/8, 3/8, 3/8, 1/8.
  const NurbsCurve::Sample s = c->evaluate(0.5);
  expectNear(s.point, 2, 1.5, 0);
  // 3·[(1−t)²(P1−P0) + 2t(1−t)(P2−P1) + t²(P3−P2)] and 6·[(1−t)(P2−2P1+P0) + t(P3−2P2+P1)].
  expectNear(s.d1, 4.5, 0, 0);
  expectNear(s.d2, 0, -12, 0);
  expectNear(c->evaluate(0.0).point, 0, 0, 0);
  expectNear(c->evaluate(1.0).point, 4, 0, 0);
  expectNear(c->evaluate(1.0).d1, 3, -6, 0);
  // By symmetry half the length is reached at t = 1/2, and a matrix scales lengths.
  const MMatrix identity;
  EXPECT_NEAR(c->paramAtLength(0.5 * c->length(identity), identity), 0.5, 1e-9);
  MMatrix doubled;
  doubled.matrix[0][0] = doubled.matrix[1][1] = doubled.matrix[2][2] = 2.0;
  doubled.matrix[3][0] = 10.0;
  EXPECT_NEAR(c->length(doubled), 2.0 * c->length(identity), 1e-9);
  expectNear(c->evaluate(0.5, doubled).point, 14, 3, 0);
}

TEST(NurbsCurveTest, APeriodicCubicWrapsRoundItsParameterRange) {
  // Four spans over a square of control vertices; the last three repeat the first three, as the
  // host stores a periodic curve. At a knot a uniform cubic is (P[i] + 4·P[i+1] + P[i+2]) / 6.
  auto c = curve(3, 4, NurbsCurve::kPeriodic, {-2, -1, 0, 1, 2, 3, 4, 5, 6},
                 points({1, 0, 0, 0, 1, 0, -1, 0, 0, 0, -1, 0, 1, 0, 0, 0, 1, 0, -1, 0, 0}));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->minParam(), 0.0);
  EXPECT_EQ(c->maxParam(), 4.0);
  expectNear(c->evaluate(0).point, 0, 4.0 / 6.0, 0);
  expectNear(c->evaluate(1).point, -4.0 / 6.0, 0, 0);
  expectNear(c->evaluate(4).point, 0, 4.0 / 6.0, 0);
  expectNear(c->evaluate(5).point, -4.0 / 6.0, 0, 0);
  expectNear(c->evaluate(-1).point, 4.0 / 6.0, 0, 0);
  // Each quarter of a symmetric closed loop is a quarter of its length.
  const MMatrix identity;
  EXPECT_NEAR(c->paramAtLength(0.25 * c->length(identity), identity), 1.0, 1e-9);
}

TEST(NurbsCurveTest, ARationalQuadraticIsAnExactQuarterCircle) {
  const double w = std::sqrt(0.5);
  auto c = curve(2, 1, NurbsCurve::kOpen, {0, 0, 1, 1}, {1, 0, 0, 1, 1, 1, 0, w, 0, 1, 0, 1}, true);
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->rational());
  expectNear(c->cv(1), 1, 1, 0);  // weights do not move the control vertices
  for (double u : {0.0, 0.1, 0.37, 0.5, 0.9, 1.0})
    EXPECT_NEAR(c->evaluate(u).point.length(), 1.0, 1e-12) << u;
  expectNear(c->evaluate(0.5).point, w, w, 0);
  // The tangent at the ends is along the legs of the control polygon; the second derivative of
  // a circle has a part towards the centre.
  const NurbsCurve::Sample start = c->evaluate(0.0);
  EXPECT_NEAR(start.d1.x, 0.0, 1e-12);
  EXPECT_GT(start.d1.y, 0.0);
  const NurbsCurve::Sample mid = c->evaluate(0.5);
  const MVector t = mid.d1.normal();
  const MVector inward = mid.d2 - (mid.d2 * t) * t;
  EXPECT_NEAR((inward.normal() * mid.point), -1.0, 1e-9);
  const MMatrix identity;
  EXPECT_NEAR(c->length(identity), kPi / 2.0, 1e-7);
  EXPECT_NEAR(c->paramAtLength(kPi / 4.0, identity), 0.5, 1e-7);
}

TEST(NurbsCurveTest, DegenerateCurvesStayFinite) {
  const MMatrix identity;
  // Every control vertex in one place: no length, and the start stands for every fraction.
  auto still = curve(3, 1, NurbsCurve::kOpen, {0, 0, 0, 1, 1, 1},
                     points({5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}));
  ASSERT_NE(still, nullptr);
  EXPECT_EQ(still->length(identity), 0.0);
  EXPECT_EQ(still->paramAtLength(0.5, identity), 0.0);
  expectNear(still->evaluate(0.3).point, 5, 5, 5);
  // Repeated control vertices stop the curve for a moment; lengths still invert.
  auto pausing = curve(3, 2, NurbsCurve::kOpen, {0, 0, 0, 1, 2, 2, 2},
                       points({0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 3, 0, 0}));
  ASSERT_NE(pausing, nullptr);
  const double total = pausing->length(identity);
  EXPECT_NEAR(total, 3.0, 1e-9);
  for (double f : {0.1, 0.5, 0.9}) {
    const double u = pausing->paramAtLength(f * total, identity);
    EXPECT_NEAR(pausing->lengthTo(u, identity), f * total, 1e-9) << f;
  }
  // A knot repeated up to the degree inside the range is allowed (a kink); evaluation at it is
  // continuous from both sides.
  auto kinked =
      curve(2, 2, NurbsCurve::kOpen, {0, 0, 1, 1, 2}, points({0, 0, 0, 1, 1, 0, 2, 0, 0, 3, 1, 0}));
  ASSERT_NE(kinked, nullptr);
  EXPECT_NEAR((kinked->evaluate(1.0 - 1e-9).point - kinked->evaluate(1.0).point).length(), 0.0,
              1e-6);
  expectNear(kinked->evaluate(std::nan("")).point, 0, 0, 0);
}

TEST(NurbsCurveTest, DataThatDescribeNoCurveAreRefusedWithTheReason) {
  struct Case {
    int degree, spans, form;
    std::vector<double> knots, cvs;
    const char* problem;
  };
  const std::vector<double> four = points({0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0});
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {0, 1, 0, {}, four, "degree 0"},
      {8, 1, 0, {}, four, "degree 8"},
      {3, 0, 0, {0, 0, 0, 1, 1}, four, "at least one span"},
      {3, 1, 3, {0, 0, 0, 1, 1, 1}, four, "form 3"},
      {3, 1, 0, {0, 0, 0, 1, 1}, four, "5 knots"},
      {3, 2, 0, {0, 0, 0, 1, 2, 2, 2}, four, "4 control vertices where 5"},
      {3, 1, 0, {0, 0, 1, 0, 1, 1}, four, "rising at knot 3"},
      {3, 1, 0, {0, 0, 0, inf, inf, inf}, four, "rising at knot 3"},
      {3, 1, 0, {1, 1, 1, 1, 1, 1}, four, "no parameter range"},
      {1, 3, 0, {0, 1, 1, 2}, four, "repeats more often"},
      {3,
       1,
       0,
       {0, 0, 0, 1, 1, 1},
       {0, 0, 0, 1, 1, 0, 0, 0, 2, 0, 0, 1, 3, 0, 0, 1},
       "control vertex 1"},
      {3,
       1,
       0,
       {0, 0, 0, 1, 1, 1},
       {0, 0, 0, 1, 1, 0, 0, 1, std::nan(""), 0, 0, 1, 3, 0, 0, 1},
       "control vertex 2"},
  };
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_EQ(NurbsCurve::make(c.degree, c.spans, c.form, false, c.knots, c.cvs, problem), nullptr)
        << c.problem;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }
}

}  // namespace
