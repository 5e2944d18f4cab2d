// Anim curves, units, playback range and transforms of scene files, checked against values
// worked out by hand from the keys and attributes in the files.

#include <cmath>

#include "SceneFixture.h"

namespace {

constexpr double kCmPerMetre = 100.0;

TEST_F(SceneFileTest, KeysReadInTheFilesUnitsAndTangentKinds) {
  open("curves.ma");
  // Linear tangents: straight lines between the keys (metres in the file).
  EXPECT_NEAR(numberAtFrame("box", "tx", 1), 0.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "tx", 6), 5.0 * kCmPerMetre, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "tx", 11), 10.0 * kCmPerMetre, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "tx", 16), 5.0 * kCmPerMetre, 1e-9);
  // Flat tangents: a quarter of the way in, 3s^2 - 2s^3 = 0.15625 of the rise.
  EXPECT_NEAR(numberAtFrame("box", "ty", 6), 8.0 * 0.15625 * kCmPerMetre, 1e-9);
  // Step holds the key's value, step next takes the next one's at once.
  EXPECT_NEAR(numberAtFrame("box", "tz", 6), 1.0 * kCmPerMetre, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "tz", 11), 2.0 * kCmPerMetre, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "tz", 16), 3.0 * kCmPerMetre, 1e-9);
  // Spline: end slopes 0.2 and 0.15 per frame over a 10-frame segment, halfway in:
  // 0.5*1 + 0.125*2 + 0.5*3 - 0.125*1.5.
  EXPECT_NEAR(numberAtFrame("box", "sz", 6), 2.0625, 1e-9);
}

TEST_F(SceneFileTest, FixedTangentsTakeTheirDirectionInSecondsAndStoredUnits) {
  open("curves.ma");
  // Frames 1 to 25 are one second; the out tangent (1 s, 0.5 rad) leaves at 0.5 rad per
  // second, the in tangent (1, 0) arrives flat. Halfway: 0.125 * 0.5 + 0.5 * pi/2.
  EXPECT_NEAR(numberAtFrame("box", "rx", 13), 0.0625 + kPi / 4.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "rx", 25), kPi / 2.0, 1e-9);
}

TEST_F(SceneFileTest, InfinityRepeatsMirrorsOrExtendsTheCurve) {
  open("curves.ma");
  // sx: 1 to 2 over frames 1..11, cycling after and oscillating before.
  EXPECT_NEAR(numberAtFrame("box", "sx", 16), 1.5, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "sx", -2), 1.3, 1e-9);
  // sy: linear before (0.1 per frame), cycling with offset after.
  EXPECT_NEAR(numberAtFrame("box", "sy", -9), 0.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("box", "sy", 16), 2.5, 1e-9);
}

TEST_F(SceneFileTest, PlaybackRangeAndCurrentTimeComeFromTheFile) {
  open("curves.ma");
  EXPECT_DOUBLE_EQ(scene().minTicks(), 1 * 250.0);
  EXPECT_DOUBLE_EQ(scene().maxTicks(), 21 * 250.0);
  EXPECT_DOUBLE_EQ(scene().animationStartTicks(), 1 * 250.0);
  EXPECT_DOUBLE_EQ(scene().animationEndTicks(), 30 * 250.0);
  EXPECT_DOUBLE_EQ(scene().currentTicks(), 11 * 250.0);
  // The time set in the file already shows in the driven attributes.
  EXPECT_NEAR(number("box", "tx"), 10.0 * kCmPerMetre, 1e-9);
  EXPECT_EQ(scene().linearUnit(), MDistance::kMeters);
}

void expectPoint(const std::vector<double>& p, double x, double y, double z) {
  EXPECT_NEAR(p[0], x, 1e-9);
  EXPECT_NEAR(p[1], y, 1e-9);
  EXPECT_NEAR(p[2], z, 1e-9);
}

TEST_F(SceneFileTest, WorldMatricesTakePivotsTheirTranslationsShearAndRotateAxis) {
  open("transforms.ma");
  // (2,0,0) turns a quarter about z around the pivot (1,0,0) to (1,1,0), then moves by the
  // pivot translation (0,5,0) and the translation (10,0,0).
  expectPoint(worldPoint("rotatePivoted", 2, 0, 0), 11, 6, 0);
  // Scaled by 2 in x about (1,0,0), then moved by the scale pivot translation (0,0,3).
  expectPoint(worldPoint("scalePivoted", 2, 0, 0), 3, 0, 3);
  // Shear xy moves x by y.
  expectPoint(worldPoint("sheared", 0, 1, 0), 1, 1, 0);
  expectPoint(worldPoint("axisTurned", 1, 0, 0), 0, 1, 0);
}

TEST_F(SceneFileTest, RotateOrderAndInheritedTransforms) {
  open("transforms.ma");
  // xyz: x first takes (0,0,1) to (0,-1,0), which y leaves alone.
  expectPoint(worldPoint("orderXYZ", 0, 0, 1), 0, -1, 0);
  // zyx: y first takes (0,0,1) to (1,0,0), which x leaves alone.
  expectPoint(worldPoint("orderZYX", 0, 0, 1), 1, 0, 0);
  expectPoint(worldPoint("inheriting", 0, 0, 0), 1, 102, 3);
  expectPoint(worldPoint("independent", 0, 0, 0), 1, 2, 3);
}

TEST_F(SceneFileTest, SameNamesUnderOtherParentsKeepTheirNamesAndConnections) {
  minihost::scenefile::SceneFileResult r = open("names.ma");
  minihost::NodeRef a = scene().findNode("|groupA|pCube1");
  minihost::NodeRef b = scene().findNode("groupB|pCube1");
  ASSERT_TRUE(a.isSet());
  ASSERT_TRUE(b.isSet());
  EXPECT_NE(a, b);
  double va = 0, vb = 0;
  scene().getNumber(a, scene().findAttribute(a, "tx"), va);
  scene().getNumber(b, scene().findAttribute(b, "tx"), vb);
  EXPECT_DOUBLE_EQ(va, 5.0);
  EXPECT_DOUBLE_EQ(vb, 7.0);
  // The short name now names two nodes, so it names neither; each gets a path of its own.
  bool ambiguous = false;
  EXPECT_FALSE(scene().findNode("pCube1", &ambiguous).isSet());
  EXPECT_TRUE(ambiguous);
  EXPECT_EQ(scene().partialPathName(a), "groupA|pCube1");
  EXPECT_EQ(scene().fullPathName(b), "|groupB|pCube1");
  // A shape may have its transform's name: they are not siblings.
  minihost::NodeRef rigShape = scene().findNode("|rig|rig");
  ASSERT_TRUE(rigShape.isSet());
  EXPECT_EQ(scene().node(rigShape)->kind(), minihost::NodeKind::kCamera);
  EXPECT_EQ(scene().partialPathName(rigShape), "rig|rig");
  for (const std::string& warning : r.warnings)
    EXPECT_EQ(warning.find("is named"), std::string::npos) << warning;
}

}  // namespace
