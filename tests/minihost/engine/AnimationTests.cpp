// Key-frame curves, time changes and time and distance units.
#include <maya/MAnimControl.h>
#include <maya/MDGContext.h>
#include <maya/MDistance.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>
#include <maya/MTime.h>

#include "SceneFixture.h"
#include "engine/AnimCurve.h"

namespace {

using minihost::AnimCurve;
using minihost::CurveKey;
using minihost::TangentType;

constexpr double kFrame = 250.0;  // ticks per film frame

AnimCurve curve(std::initializer_list<std::pair<double, double>> keys, TangentType type) {
  AnimCurve c;
  for (const auto& k : keys)
    c.setKey(CurveKey{k.first * kFrame, k.second, type, type});
  return c;
}

TEST(AnimCurveTest, LinearKeysInterpolateStraightAndHoldOutside) {
  AnimCurve c = curve({{1, 0}, {11, 10}}, TangentType::kLinear);
  EXPECT_DOUBLE_EQ(c.evaluate(1 * kFrame), 0.0);
  EXPECT_DOUBLE_EQ(c.evaluate(11 * kFrame), 10.0);
  EXPECT_NEAR(c.evaluate(6 * kFrame), 5.0, 1e-12);
  EXPECT_NEAR(c.evaluate(3.5 * kFrame), 2.5, 1e-12);
  EXPECT_DOUBLE_EQ(c.evaluate(-5 * kFrame), 0.0);
  EXPECT_DOUBLE_EQ(c.evaluate(50 * kFrame), 10.0);
}

TEST(AnimCurveTest, StepHoldsTheEarlierKeyUntilTheNext) {
  AnimCurve c = curve({{1, 0}, {11, 10}}, TangentType::kStep);
  EXPECT_DOUBLE_EQ(c.evaluate(10.9 * kFrame), 0.0);
  EXPECT_DOUBLE_EQ(c.evaluate(11 * kFrame), 10.0);
}

TEST(AnimCurveTest, FlatTangentsEaseInAndOut) {
  AnimCurve c = curve({{0, 0}, {4, 10}}, TangentType::kFlat);
  EXPECT_NEAR(c.evaluate(2 * kFrame), 5.0, 1e-12);
  EXPECT_NEAR(c.evaluate(1 * kFrame), 10.0 * (3 * 0.0625 - 2 * 0.015625), 1e-12);
}

TEST(AnimCurveTest, ClampedDoesNotOvershootWhereSplineDoes) {
  AnimCurve spline = curve({{0, 0}, {10, 10}, {20, 10}}, TangentType::kSpline);
  AnimCurve clamped = curve({{0, 0}, {10, 10}, {20, 10}}, TangentType::kClamped);
  EXPECT_GT(spline.evaluate(15 * kFrame), 10.0);
  EXPECT_NEAR(clamped.evaluate(15 * kFrame), 10.0, 1e-12);
  // Both pass through every key and rise smoothly before the middle key.
  EXPECT_DOUBLE_EQ(clamped.evaluate(10 * kFrame), 10.0);
  EXPECT_GT(clamped.evaluate(7 * kFrame), clamped.evaluate(5 * kFrame));
}

TEST(AnimCurveTest, KeyAtAnExistingTimeReplacesIt) {
  AnimCurve c = curve({{1, 0}, {5, 1}}, TangentType::kLinear);
  c.setKey(CurveKey{5 * kFrame, 3.0, TangentType::kLinear, TangentType::kLinear});
  EXPECT_EQ(c.keyCount(), 2u);
  EXPECT_DOUBLE_EQ(c.evaluate(5 * kFrame), 3.0);
  EXPECT_TRUE(c.removeKeyAt(1 * kFrame));
  EXPECT_DOUBLE_EQ(c.evaluate(0), 3.0);
  EXPECT_DOUBLE_EQ(AnimCurve().evaluate(7.0), 0.0);
}

class AnimationTest : public SceneTest {};

TEST_F(AnimationTest, CurrentTimeChangeReevaluatesKeyedAttributes) {
  auto t = make("transform", "mover");
  int tx = scene().findAttribute(t, "tx");
  ASSERT_TRUE(
      scene().setKey(t, tx, 1 * kFrame, 0.0, TangentType::kLinear, TangentType::kLinear, nullptr));
  ASSERT_TRUE(scene().setKey(t, tx, 11 * kFrame, 10.0, TangentType::kLinear, TangentType::kLinear,
                             nullptr));
  EXPECT_TRUE(scene().findNode("mover_translateX").isSet());
  MAnimControl::setCurrentTime(MTime(6.0, MTime::kFilm));
  EXPECT_NEAR(get(t, "translateX"), 5.0, 1e-12);
  MAnimControl::setCurrentTime(MTime(11.0, MTime::kFilm));
  EXPECT_NEAR(get(t, "translateX"), 10.0, 1e-12);

  // A timed context evaluates elsewhere without moving the scene.
  MPlug plug = MFnDependencyNode(object(t)).findPlug("tx", true);
  EXPECT_EQ(plug.name(), MString("mover.translateX"));
  MDGContext at3(MTime(3.0, MTime::kFilm));
  double v = 0;
  // The context form is deprecated in the SDK but still serves old plug-ins.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ASSERT_TRUE(plug.getValue(v, at3));
#pragma GCC diagnostic pop
  EXPECT_NEAR(v, 2.0, 1e-12);
  EXPECT_DOUBLE_EQ(MAnimControl::currentTime().value(), 11.0);
}

TEST_F(AnimationTest, ValueSetOnKeyedAttributeHoldsUntilTimeChanges) {
  auto t = make("transform", "mover");
  int ty = scene().findAttribute(t, "translateY");
  scene().setKey(t, ty, 1 * kFrame, 1.0, TangentType::kLinear, TangentType::kLinear, nullptr);
  set(t, "translateY", 7.0);
  EXPECT_DOUBLE_EQ(get(t, "translateY"), 7.0);
  MAnimControl::setCurrentTime(MTime(2.0, MTime::kFilm));
  EXPECT_DOUBLE_EQ(get(t, "translateY"), 1.0);
}

TEST_F(AnimationTest, PlainConnectionFeedsTheDestinationAndBlocksWrites) {
  auto src = make("transform", "src");
  auto dst = make("transform", "dst");
  std::string error;
  ASSERT_TRUE(scene().connect(src, scene().findAttribute(src, "tx"), dst,
                              scene().findAttribute(dst, "ty"), false, &error))
      << error;
  set(src, "translateX", 4.0);
  EXPECT_DOUBLE_EQ(get(dst, "translateY"), 4.0);
  EXPECT_FALSE(scene().setNumber(dst, scene().findAttribute(dst, "ty"), 1.0));
  EXPECT_FALSE(scene().connect(src, scene().findAttribute(src, "rx"), dst,
                               scene().findAttribute(dst, "ty"), false, &error));
  EXPECT_FALSE(scene().setKey(dst, scene().findAttribute(dst, "ty"), 0, 1, TangentType::kLinear,
                              TangentType::kLinear, &error));
}

TEST_F(AnimationTest, ConnectionCycleDoesNotHang) {
  auto a = make("transform", "a");
  auto b = make("transform", "b");
  int ax = scene().findAttribute(a, "tx"), bx = scene().findAttribute(b, "tx");
  ASSERT_TRUE(scene().connect(a, ax, b, bx, false, nullptr));
  ASSERT_TRUE(scene().connect(b, bx, a, ax, false, nullptr));
  double v = 0;
  EXPECT_FALSE(scene().getNumber(a, ax, v));
}

TEST_F(AnimationTest, NewSceneHasTheHostsTimeDefaults) {
  EXPECT_DOUBLE_EQ(MAnimControl::currentTime().as(MTime::kFilm), 1.0);
  EXPECT_DOUBLE_EQ(MAnimControl::minTime().as(MTime::kFilm), 1.0);
  EXPECT_DOUBLE_EQ(MAnimControl::maxTime().as(MTime::kFilm), 120.0);
  EXPECT_EQ(MTime::uiUnit(), MTime::kFilm);
  EXPECT_EQ(MAnimControl::currentTime().unit(), MTime::kFilm);
}

TEST(TimeTest, ConversionsBetweenRatesAreExactForWholeFrames) {
  EXPECT_DOUBLE_EQ(MTime(10.0, MTime::kFilm).as(MTime::kFilm), 10.0);
  EXPECT_DOUBLE_EQ(MTime(24.0, MTime::kFilm).as(MTime::kSeconds), 1.0);
  EXPECT_DOUBLE_EQ(MTime(1.0, MTime::kSeconds).as(MTime::kNTSCFrame), 30.0);
  EXPECT_DOUBLE_EQ(MTime(10.0, MTime::kFilm).as(MTime::kPALFrame), 10.0 * 25.0 / 24.0);
  EXPECT_DOUBLE_EQ(MTime(-2.5, MTime::kFilm).as(MTime::kFilm), -2.5);
  EXPECT_TRUE(MTime(1.0, MTime::kSeconds) == MTime(24.0, MTime::kFilm));
  EXPECT_DOUBLE_EQ((MTime(1.0, MTime::kFilm) + MTime(1.0, MTime::kSeconds)).value(), 25.0);
}

TEST(DistanceTest, ConvertsBetweenUnits) {
  EXPECT_DOUBLE_EQ(MDistance(3.5, MDistance::kCentimeters).as(MDistance::kMillimeters), 35.0);
  EXPECT_DOUBLE_EQ(MDistance(1.0, MDistance::kInches).as(MDistance::kCentimeters), 2.54);
  EXPECT_NEAR(MDistance(2.8, MDistance::kCentimeters).as(MDistance::kInches), 2.8 / 2.54, 1e-15);
  EXPECT_DOUBLE_EQ(MDistance(2.0, MDistance::kMeters).as(MDistance::kCentimeters), 200.0);
  MStatus status;
  EXPECT_EQ(MDistance(1.0).as(MDistance::kInvalid, &status), 0.0);
  EXPECT_FALSE(status);
}

}  // namespace
