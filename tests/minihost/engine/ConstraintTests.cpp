// Constraints and the camera aim node against values worked out by hand from the host's
// documented formulas.
#include <cmath>
#include <vector>

#include "RigFixture.h"
#include "engine/ScriptHost.h"

namespace {

using minihost::NodeRef;
using minihost::TangentType;

class ConstraintTest : public RigTest {};

TEST_F(ConstraintTest, PointConstraintPlacesThePivotThroughBothParents) {
  // The target sits under a group moved to x 10 and turned 90 degrees about z: its local
  // (1, 2, 3) is (-2, 1, 3) turned, (8, 1, 3) in the world. The constrained node's parent is
  // at y 5, so its translate is (8, -4, 3), plus the offset.
  NodeRef group = make("transform", "group1");
  set(group, "tx", 10.0);
  set(group, "rz", deg(90));
  NodeRef target = make("transform", "target", group);
  setVector(target, "t", 1, 2, 3);
  NodeRef rig = make("transform", "rig");
  set(rig, "ty", 5.0);
  NodeRef cam = make("transform", "cam", rig);
  NodeRef con = constrain("pointConstraint", target, cam, true, false);
  EXPECT_VECTOR_NEAR(MVector(get(cam, "tx"), get(cam, "ty"), get(cam, "tz")), 8, -4, 3, 1e-9);
  setVector(con, "offset", 1, 0, 0);
  EXPECT_NEAR(get(cam, "tx"), 9.0, 1e-9);
  EXPECT_VECTOR_NEAR(worldPosition(cam), 9, 1, 3, 1e-9);
  // The constrained node's own rotate pivot is taken off: its pivot lands on the target.
  setVector(cam, "rp", 0, 1, 0);
  EXPECT_VECTOR_NEAR(MVector(get(cam, "tx"), get(cam, "ty"), get(cam, "tz")), 9, -5, 3, 1e-9);
}

TEST_F(ConstraintTest, WeightsAverageTheTargetsAndZeroWeightGoesToRest) {
  NodeRef a = make("transform", "a");
  NodeRef b = make("transform", "b");
  setVector(b, "t", 4, 8, 0);
  NodeRef cam = make("transform", "cam");
  NodeRef con = constrain("pointConstraint", a, cam, true, false);
  addTarget(con, 1, b);
  set(con, "w1", 3.0);  // (0 * 1 + 4 * 3) / 4 = 3, (8 * 3) / 4 = 6
  EXPECT_VECTOR_NEAR(worldPosition(cam), 3, 6, 0, 1e-9);
  set(con, "w0", 0.0);
  set(con, "w1", 0.0);
  set(con, "enableRestPosition", 1.0);
  setVector(con, "restTranslate", 7, 7, 7);
  EXPECT_VECTOR_NEAR(worldPosition(cam), 7, 7, 7, 1e-9);
}

TEST_F(ConstraintTest, ConstrainedNodeFollowsItsKeyedTargetAtEveryTime) {
  NodeRef target = make("transform", "target");
  std::string error;
  int tx = scene().findAttribute(target, "tx");
  ASSERT_TRUE(
      scene().setKey(target, tx, 250.0, 0.0, TangentType::kLinear, TangentType::kLinear, &error));
  ASSERT_TRUE(
      scene().setKey(target, tx, 2750.0, 10.0, TangentType::kLinear, TangentType::kLinear, &error));
  NodeRef cam = make("transform", "cam");
  constrain("parentConstraint", target, cam, true, true);
  std::vector<double> xs;
  for (double frame : {1.0, 6.0, 11.0}) {
    scene().setCurrentTicks(frame * 250.0);
    xs.push_back(worldPosition(cam).x);
  }
  EXPECT_NEAR(xs[0], 0.0, 1e-9);
  EXPECT_NEAR(xs[1], 5.0, 1e-9);
  EXPECT_NEAR(xs[2], 10.0, 1e-9);
  // A timed read evaluates at its own time and leaves the scene where it is.
  double at = 3.0 * 250.0, value = 0.0;
  ASSERT_TRUE(scene().getNumber(cam, scene().findAttribute(cam, "tx"), value, &at));
  EXPECT_NEAR(value, 2.0, 1e-9);
  EXPECT_NEAR(get(cam, "tx"), 10.0, 1e-9);
}

TEST_F(ConstraintTest, ParentConstraintCarriesItsOffsetInTheTargetFrame) {
  // Target at x 5 turned 90 degrees about y: its local z (0, 0, 2) offset is world x 2,
  // so the constrained node sits at (7, 0, 0) and is turned as the target is.
  NodeRef target = make("transform", "target");
  set(target, "tx", 5.0);
  set(target, "ry", deg(90));
  NodeRef cam = make("transform", "cam");
  NodeRef con = constrain("parentConstraint", target, cam, true, true);
  setVector(con, minihost::elementName("tg", 0, "tot").c_str(), 0, 0, 2);
  EXPECT_VECTOR_NEAR(worldPosition(cam), 7, 0, 0, 1e-9);
  EXPECT_VECTOR_NEAR(worldAxis(cam, 0), 0, 0, -1, 1e-9);
  EXPECT_NEAR(get(cam, "ry"), deg(90), 1e-9);
  // An offset rotation of -90 about y in the target frame cancels the target's turn.
  setVector(con, minihost::elementName("tg", 0, "tor").c_str(), 0, deg(-90), 0);
  EXPECT_VECTOR_NEAR(worldAxis(cam, 0), 1, 0, 0, 1e-9);
}

TEST_F(ConstraintTest, TwoTargetsBlendTheirOrientations) {
  NodeRef a = make("transform", "a");
  NodeRef b = make("transform", "b");
  set(b, "ry", deg(90));
  setVector(b, "t", 10, 0, 0);
  NodeRef cam = make("transform", "cam");
  NodeRef con = constrain("parentConstraint", a, cam, true, true);
  addTarget(con, 1, b);
  EXPECT_NEAR(get(cam, "ry"), deg(45), 1e-9);
  EXPECT_NEAR(get(cam, "tx"), 5.0, 1e-9);
  // Weights 1 and 3: the normalised weighted sum of the two quaternions, whose half angle
  // is atan2(0.75 sin 45, 0.25 + 0.75 cos 45).
  set(con, "w1", 3.0);
  double half = std::atan2(0.75 * std::sin(deg(45)), 0.25 + 0.75 * std::cos(deg(45)));
  EXPECT_NEAR(get(cam, "ry"), 2.0 * half, 1e-9);
  EXPECT_NEAR(get(cam, "tx"), 7.5, 1e-9);
}

TEST_F(ConstraintTest, OrientConstraintWorksInTheConstrainedParentSpace) {
  // Target 30 degrees about x under a group at 15: 45 in the world; the constrained node's
  // parent is at 5, so 40 locally. An offset of 10 about y acts first; in rotate order yxz
  // (1 y first) the angles read back directly.
  NodeRef group = make("transform", "group1");
  set(group, "rx", deg(15));
  NodeRef target = make("transform", "target", group);
  set(target, "rx", deg(30));
  NodeRef rig = make("transform", "rig");
  set(rig, "rx", deg(5));
  NodeRef cam = make("transform", "cam", rig);
  NodeRef con = constrain("orientConstraint", target, cam, false, true);
  EXPECT_NEAR(get(cam, "rx"), deg(40), 1e-9);
  EXPECT_NEAR(get(cam, "ry"), 0.0, 1e-9);
  setVector(con, "offset", 0, deg(10), 0);
  set(cam, "rotateOrder", 4);  // yxz
  EXPECT_NEAR(get(cam, "rx"), deg(40), 1e-9);
  EXPECT_NEAR(get(cam, "ry"), deg(10), 1e-9);
  EXPECT_NEAR(get(cam, "rz"), 0.0, 1e-9);
}

TEST_F(ConstraintTest, ScaleConstraintTakesWorldScaleIntoTheParentSpace) {
  NodeRef group = make("transform", "group1");
  set(group, "sx", 2.0);
  set(group, "sy", 2.0);
  set(group, "sz", 2.0);
  NodeRef target = make("transform", "target", group);
  setVector(target, "s", 2, 3, 4);
  NodeRef rig = make("transform", "rig");
  setVector(rig, "s", 4, 4, 4);
  NodeRef box = make("transform", "box", rig);
  constrain("scaleConstraint", target, box, false, false, true);
  EXPECT_VECTOR_NEAR(MVector(get(box, "sx"), get(box, "sy"), get(box, "sz")), 1, 1.5, 2, 1e-9);
}

struct AimCase {
  int upType;
  MVector targetAt;
  MVector upObjectAt;
  MVector upObjectRotate;  // degrees
  MVector worldUp;
  MVector expectAim;  // world direction of the local x axis
  MVector expectUp;   // world direction of the local y axis
};

class AimTest : public RigTest, public ::testing::WithParamInterface<AimCase> {};

TEST_P(AimTest, AimAndUpVectorsFollowTheWorldUpType) {
  const AimCase& c = GetParam();
  NodeRef target = make("transform", "target");
  setVector(target, "t", c.targetAt.x, c.targetAt.y, c.targetAt.z);
  NodeRef upObject = make("transform", "upObject");
  setVector(upObject, "t", c.upObjectAt.x, c.upObjectAt.y, c.upObjectAt.z);
  setVector(upObject, "r", deg(c.upObjectRotate.x), deg(c.upObjectRotate.y),
            deg(c.upObjectRotate.z));
  NodeRef cam = make("transform", "cam");
  NodeRef con = constrain("aimConstraint", target, cam, false, true);
  link(cam, "t", con, "ct");
  link(upObject, "wm", con, "wum");
  set(con, "worldUpType", c.upType);
  setVector(con, "worldUpVector", c.worldUp.x, c.worldUp.y, c.worldUp.z);
  EXPECT_VECTOR_NEAR(worldAxis(cam, 0), c.expectAim.x, c.expectAim.y, c.expectAim.z, 1e-9);
  EXPECT_VECTOR_NEAR(worldAxis(cam, 1), c.expectUp.x, c.expectUp.y, c.expectUp.z, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    WorldUpTypes, AimTest,
    ::testing::Values(
        // Scene up: y.
        AimCase{0, {0, 0, 10}, {}, {}, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        // Object up: towards the up object's origin, (0, 0, -5) from the eye.
        AimCase{1, {10, 0, 0}, {0, 0, -5}, {}, {0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
        // Object rotation up: the world up vector (0, 1, 0) turned 90 about x is +z.
        AimCase{2, {10, 0, 0}, {3, 3, 3}, {90, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}},
        // Vector: as given, made perpendicular to the aim.
        AimCase{3, {0, 10, 0}, {}, {}, {1, 1, 0}, {0, 1, 0}, {1, 0, 0}},
        // None: the shortest turn, 90 about z, carries y to -x.
        AimCase{4, {0, 10, 0}, {}, {}, {0, 1, 0}, {0, 1, 0}, {-1, 0, 0}}));

TEST_F(ConstraintTest, LookAtTurnsTheCameraDownItsMinusZAndMeasuresTheDistance) {
  // The "camera and aim" group: the camera looks down its local -z at the aim node.
  NodeRef group = make("transform", "camera1_group");
  NodeRef cam = make("transform", "camera1", group);
  NodeRef camShape = make("camera", "camera1Shape", cam);
  NodeRef aim = make("transform", "camera1_aim", group);
  setVector(cam, "t", 10, 0, 0);
  NodeRef look = constrain("lookAt", aim, cam, false, true);
  link(cam, "t", look, "ct");
  setVector(look, "aimVector", 0, 0, -1);
  set(look, "worldUpType", 0);
  link(look, "db", camShape, "coi");
  EXPECT_VECTOR_NEAR(worldAxis(cam, 2), 1, 0, 0, 1e-9);  // -z towards the aim at the origin
  EXPECT_VECTOR_NEAR(worldAxis(cam, 1), 0, 1, 0, 1e-9);
  EXPECT_NEAR(get(camShape, "coi"), 10.0, 1e-9);
  // A twist turns the camera about its view axis: 90 degrees brings its up to the side.
  set(look, "twist", deg(90));
  EXPECT_VECTOR_NEAR(worldAxis(cam, 2), 1, 0, 0, 1e-9);
  EXPECT_NEAR(std::fabs(worldAxis(cam, 1).z), 1.0, 1e-9);
}

class WarningCollector : public minihost::ScriptHost {
 public:
  bool executeCommand(const std::string&, std::string*, bool, bool) override { return false; }
  bool sourceFile(const std::string&) override { return false; }
  void displayInfo(const std::string&) override {}
  void displayWarning(const std::string& text) override { warnings.push_back(text); }
  void displayError(const std::string&) override {}
  std::vector<std::string> warnings;
};

TEST_F(ConstraintTest, CycleIsRefusedWithAWarningNamingItAndStoredValuesHold) {
  NodeRef a = make("transform", "a");
  NodeRef b = make("transform", "b");
  set(a, "tx", 1.0);
  set(b, "tx", 2.0);
  constrain("pointConstraint", b, a, true, false);
  NodeRef second = make("pointConstraint", "bFollowsA", b);
  addTarget(second, 0, a);
  link(b, "pim", second, "cpim");
  link(second, "ct", b, "t");
  WarningCollector collector;
  minihost::setScriptHost(&collector);
  double ax = get(a, "tx");
  worldPosition(b);
  minihost::setScriptHost(nullptr);
  EXPECT_TRUE(std::isfinite(ax));
  ASSERT_FALSE(collector.warnings.empty());
  EXPECT_NE(collector.warnings[0].find("Cycle"), std::string::npos) << collector.warnings[0];
  EXPECT_NE(collector.warnings[0].find("bFollowsA"), std::string::npos) << collector.warnings[0];
  EXPECT_NE(collector.warnings[0].find("pointConstraint1"), std::string::npos)
      << collector.warnings[0];
}

TEST_F(ConstraintTest, AChainTooDeepToPullIsRefusedWithAWarningNotACrash) {
  // Each node follows the one before through a point constraint: reading the last pulls them
  // all. Far past the bound, the read stops with a warning and stored values.
  NodeRef previous = make("transform", "n0");
  set(previous, "tx", 1.0);
  for (int i = 1; i <= 300; ++i) {
    NodeRef next = make("transform", ("n" + std::to_string(i)).c_str());
    constrain("pointConstraint", previous, next, true, false);
    previous = next;
  }
  WarningCollector collector;
  minihost::setScriptHost(&collector);
  double x = get(previous, "tx");
  minihost::setScriptHost(nullptr);
  EXPECT_TRUE(std::isfinite(x));
  ASSERT_FALSE(collector.warnings.empty());
  EXPECT_NE(collector.warnings[0].find("chained more than"), std::string::npos)
      << collector.warnings[0];
  // A short chain is pulled whole.
  NodeRef a = make("transform", "a");
  set(a, "tz", 6.0);
  NodeRef b = make("transform", "b");
  NodeRef c = make("transform", "c");
  constrain("pointConstraint", a, b, true, false);
  constrain("pointConstraint", b, c, true, false);
  EXPECT_NEAR(get(c, "tz"), 6.0, 1e-12);
}

TEST_F(ConstraintTest, ResultsFollowChangesToTheirInputsAndDeletedTargets) {
  NodeRef target = make("transform", "target");
  NodeRef cam = make("transform", "cam");
  constrain("pointConstraint", target, cam, true, false);
  set(target, "tz", 4.0);
  EXPECT_NEAR(get(cam, "tz"), 4.0, 1e-12);
  set(target, "tz", -3.0);  // a cached result must not outlive the change
  EXPECT_NEAR(get(cam, "tz"), -3.0, 1e-12);
  std::string error;
  ASSERT_TRUE(scene().deleteNode(target, &error)) << error;
  // Without a target the constraint keeps its last result (its rest position is off).
  EXPECT_NEAR(get(cam, "tz"), -3.0, 1e-12);
}

}  // namespace
