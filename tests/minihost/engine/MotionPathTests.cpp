// Path animation wired as the host's path animation command wires it (the path's point added to
// transMinusRotatePivot through addDoubleLinear nodes, rotate and rotate order straight across),
// against positions and axes worked out by hand.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "RigFixture.h"
#include "engine/NurbsCurve.h"
#include "engine/RigEvaluation.h"

namespace {

using minihost::NodeRef;
using minihost::NurbsCurve;

class MotionPathTest : public RigTest {
 protected:
  // A curve shape under a transform of its own, with the given geometry.
  NodeRef curveShape(const char* name, int degree, int spans, int form, std::vector<double> knots,
                     std::vector<double> cvs, bool rational = false) {
    NodeRef t = make("transform", name);
    NodeRef shape = make("nurbsCurve", (std::string(name) + "Shape").c_str(), t);
    std::string problem;
    scene().node(shape)->rareParts().curveGeometry =
        NurbsCurve::make(degree, spans, form, rational, std::move(knots), std::move(cvs), problem);
    EXPECT_NE(scene().node(shape)->curveGeometry(), nullptr) << problem;
    return shape;
  }
  // A straight line from a to b.
  NodeRef line(const char* name, const MVector& a, const MVector& b) {
    return curveShape(name, 1, 1, NurbsCurve::kOpen, {0, 1}, {a.x, a.y, a.z, 1, b.x, b.y, b.z, 1});
  }
  // A quarter circle of radius r about the origin in the xy plane, from +x to +y.
  NodeRef arc(const char* name, double r) {
    const double w = std::sqrt(0.5);
    return curveShape(name, 2, 1, NurbsCurve::kOpen, {0, 0, 1, 1},
                      {r, 0, 0, 1, r, r, 0, w, 0, r, 0, 1}, true);
  }

  // The motionPath node and the object it moves, wired as the path animation command does.
  struct PathRig {
    NodeRef path, object;
  };
  PathRig attach(NodeRef shape, const char* curveOutput = "ws") {
    PathRig rig{make("motionPath", "motionPath1"), make("transform", "rider")};
    link(shape, curveOutput, rig.path, "gp");
    const char* axes[3][3] = {{"tmrx", "xc", "tx"}, {"tmry", "yc", "ty"}, {"tmrz", "zc", "tz"}};
    for (auto& axis : axes) {
      NodeRef add = make("addDoubleLinear", (std::string("add_") + axis[2]).c_str());
      link(rig.object, axis[0], add, "i1");
      link(rig.path, axis[1], add, "i2");
      link(add, "o", rig.object, axis[2]);
    }
    link(rig.path, "r", rig.object, "r");
    link(rig.path, "ro", rig.object, "ro");
    return rig;
  }

  // Where a point of the object's own space (its rotate pivot, say) is in the world.
  MVector worldPoint(NodeRef node, const MVector& p) {
    MMatrix m = scene().worldMatrix(node);
    return MVector(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                   p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                   p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]);
  }
};

TEST_F(MotionPathTest, TheRotatePivotRidesThePathAtAParameterOrAFractionOfItsLength) {
  // Two spans: 2 along x, then 6 along y; the curve's transform moves it 10 along x.
  NodeRef shape =
      curveShape("path", 1, 2, NurbsCurve::kOpen, {0, 1, 2}, {0, 0, 0, 1, 2, 0, 0, 1, 2, 6, 0, 1});
  set(scene().parentOf(shape), "tx", 10.0);
  PathRig rig = attach(shape);
  set(rig.path, "u", 0.5);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 11, 0, 0, 1e-9);
  set(rig.path, "u", 1.5);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 12, 3, 0, 1e-9);
  // Half of the length (8) is 2 up the second span.
  set(rig.path, "fractionMode", 1);
  set(rig.path, "u", 0.5);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 12, 2, 0, 1e-9);
  set(rig.path, "u", 1.7);  // beyond the end of an open curve: its end
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 12, 6, 0, 1e-9);
  // An object whose rotate pivot is off its origin, scaled: the pivot, not the origin, is on
  // the path (transMinusRotatePivot takes the difference off).
  set(rig.path, "u", 0.5);
  setVector(rig.object, "rp", 1, 0, 0);
  setVector(rig.object, "s", 2, 2, 2);
  EXPECT_VECTOR_NEAR(worldPoint(rig.object, MVector(1, 0, 0)), 12, 2, 0, 1e-9);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 10, 2, 0, 1e-9);
}

TEST_F(MotionPathTest, ARiderOnThePathCanBeAimedByAConstraintWithoutACycle) {
  // Position from the path (follow off), orientation from an aim constraint that reads the
  // rider's translate: transMinusRotatePivot must not need the rider's rotation for that.
  PathRig rig = attach(line("path", MVector(0, 0, 0), MVector(10, 0, 0)));
  set(rig.path, "u", 0.5);
  NodeRef target = make("transform", "target");
  setVector(target, "t", 5, 0, -10);
  scene().disconnect(rig.path, scene().findAttribute(rig.path, "r"), rig.object,
                     scene().findAttribute(rig.object, "r"));
  NodeRef aim = constrain("aimConstraint", target, rig.object, false, true);
  link(rig.object, "t", aim, "ct");
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 5, 0, 0, 1e-12);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 0, 0, -1, 1e-12);
}

TEST_F(MotionPathTest, LocalSpaceLeavesOutTheCurvesTransform) {
  NodeRef shape = line("path", MVector(0, 0, 0), MVector(4, 0, 0));
  set(scene().parentOf(shape), "ty", 7.0);
  PathRig rig = attach(shape, "l");
  set(rig.path, "u", 0.25);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 1, 0, 0, 1e-12);
}

TEST_F(MotionPathTest, TransMinusRotatePivotIsTranslateLessThePivotsPlaceInTheParent) {
  NodeRef t = make("transform", "t");
  setVector(t, "t", 5, 6, 7);
  setVector(t, "rp", 1, 2, 3);
  setVector(t, "rpt", 0.5, 0, 0);
  EXPECT_VECTOR_NEAR(MVector(get(t, "tmrx"), get(t, "tmry"), get(t, "tmrz")), -1.5, -2, -3, 1e-12);
  // Scaled twice about the origin and turned 90 degrees about y: the pivot (1, 0, 0) goes to
  // (2, 0, 0), then turns about itself to (1, 0, -1).
  setVector(t, "rp", 1, 0, 0);
  setVector(t, "rpt", 0, 0, 0);
  setVector(t, "s", 2, 2, 2);
  set(t, "ry", deg(90));
  EXPECT_VECTOR_NEAR(MVector(get(t, "tmrx"), get(t, "tmry"), get(t, "tmrz")), -1, 0, 1, 1e-12);
  EXPECT_VECTOR_NEAR(worldPoint(t, MVector(1, 0, 0)) - MVector(5, 6, 7), 1, 0, -1, 1e-12);
}

TEST_F(MotionPathTest, FollowLinesTheFrontAndUpAxesUpWithThePathAndTheWorldUp) {
  PathRig rig = attach(line("path", MVector(0, 0, 0), MVector(0, 0, 10)));
  set(rig.path, "u", 0.5);
  set(rig.path, "follow", 1);
  // The node's own axes: front y, up z; the world up (0, 1, 0).
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 0, 1, 1e-12);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 2), 0, 1, 0, 1e-12);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), -1, 0, 0, 1e-12);
  // Front x, up y: a turn of -90 degrees about y.
  set(rig.path, "frontAxis", 0);
  set(rig.path, "upAxis", 1);
  EXPECT_VECTOR_NEAR(MVector(get(rig.object, "rx"), get(rig.object, "ry"), get(rig.object, "rz")),
                     0, deg(-90), 0, 1e-12);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 0, 0, 1, 1e-12);
  // Inverted front and up.
  set(rig.path, "inverseFront", 1);
  set(rig.path, "inverseUp", 1);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 0, 0, -1, 1e-12);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, -1, 0, 1e-12);
  // The rotate order passes to the object, and the angles are given in it.
  set(rig.path, "inverseFront", 0);
  set(rig.path, "inverseUp", 0);
  set(rig.path, "rotateOrder", 2);  // zxy
  EXPECT_EQ(get(rig.object, "ro"), 2.0);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 0, 0, 1, 1e-12);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 1, 0, 1e-12);
  // The up axis on the front axis makes no frame: the last orientation stays.
  set(rig.path, "upAxis", 0);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 0, 0, 1, 1e-12);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 1, 0, 1e-12);
  // Without follow the rotation is none.
  set(rig.path, "follow", 0);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 1, 0, 0, 1e-12);
}

TEST_F(MotionPathTest, EachWorldUpTypeGivesItsUp) {
  PathRig rig = attach(line("path", MVector(0, 0, 0), MVector(10, 0, 0)));
  set(rig.path, "u", 0.5);
  set(rig.path, "follow", 1);
  set(rig.path, "frontAxis", 0);
  set(rig.path, "upAxis", 1);
  NodeRef upObject = make("transform", "upObject");
  setVector(upObject, "t", 5, 0, -7);
  link(upObject, "wm", rig.path, "wum");
  setVector(rig.path, "wu", 0, 1, 0);
  // Vector (the default): the world up vector itself.
  setVector(rig.path, "wu", 0, 0, 1);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 0, 1, 1e-12);
  // Object up: towards the up object's origin, 7 along -z from the path's point.
  set(rig.path, "worldUpType", 1);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 0, -1, 1e-12);
  // Object rotation up: the world up vector turned by the up object (90 about x takes z to -y).
  set(rig.path, "worldUpType", 2);
  set(upObject, "rx", deg(90));
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, -1, 0, 1e-12);
  // Scene up: y, or z in a z-up scene.
  set(rig.path, "worldUpType", 0);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 1, 0, 1e-12);
  scene().setUpAxisZ(true);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 0, 1, 1e-12);
  scene().setUpAxisZ(false);
  // A world up along the path leaves the last orientation.
  set(rig.path, "worldUpType", 3);
  setVector(rig.path, "wu", 0, 0, 1);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 0, 1, 1e-12);
  setVector(rig.path, "wu", 1, 0, 0);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 0, 1, 1e-12);
}

TEST_F(MotionPathTest, NormalUpPointsToTheCentreOfTheTurn) {
  PathRig rig = attach(arc("path", 10.0));
  set(rig.path, "u", 0.5);
  set(rig.path, "follow", 1);
  set(rig.path, "frontAxis", 0);
  set(rig.path, "upAxis", 1);
  set(rig.path, "worldUpType", 4);
  const double h = std::sqrt(0.5);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 10 * h, 10 * h, 0, 1e-9);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), -h, h, 0, 1e-9);
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), -h, -h, 0, 1e-9);
}

TEST_F(MotionPathTest, TwistsTurnAboutTheObjectsOwnAxesAndBankLeansIntoTheTurn) {
  {
    PathRig rig = attach(line("straight", MVector(0, 0, 0), MVector(10, 0, 0)));
    set(rig.path, "follow", 1);
    set(rig.path, "frontAxis", 0);
    set(rig.path, "upAxis", 1);
    set(rig.path, "frontTwist", deg(90));  // about front (x): up goes to z
    EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 0, 1, 1e-12);
    set(rig.path, "frontTwist", 0);
    set(rig.path, "upTwist", deg(90));  // about up (y): front goes to -z
    EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 0, 0, -1, 1e-12);
    set(rig.path, "upTwist", 0);
    set(rig.path, "sideTwist", deg(90));  // about side (z): front goes to y
    EXPECT_VECTOR_NEAR(worldAxis(rig.object, 0), 0, 1, 0, 1e-12);
    // A straight path has nothing to bank into.
    set(rig.path, "sideTwist", 0);
    set(rig.path, "bank", 1);
    EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), 0, 1, 0, 1e-12);
  }
  SetUp();
  PathRig rig = attach(arc("turn", 10.0));
  set(rig.path, "u", 0.5);
  set(rig.path, "follow", 1);
  set(rig.path, "frontAxis", 0);
  set(rig.path, "upAxis", 2);
  setVector(rig.path, "wu", 0, 0, 1);
  const double h = std::sqrt(0.5);
  // Unbanked: up is z and the side axis (y) points to the centre.
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 1), -h, -h, 0, 1e-9);
  // A curvature of 1/10 times a bank scale of 5: half a radian towards the centre.
  set(rig.path, "bank", 1);
  set(rig.path, "bankScale", 5.0);
  const double a = 0.5;
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 2), -h * std::sin(a), -h * std::sin(a), std::cos(a),
                     1e-9);
  // At most bankLimit.
  set(rig.path, "bankLimit", deg(10));
  EXPECT_VECTOR_NEAR(worldAxis(rig.object, 2), -h * std::sin(deg(10)), -h * std::sin(deg(10)),
                     std::cos(deg(10)), 1e-9);
}

TEST_F(MotionPathTest, AKeyedUValueMovesTheObjectOverTimeAndTimedReadsAgree) {
  PathRig rig = attach(line("path", MVector(0, 0, 0), MVector(20, 0, 0)));
  std::string error;
  const int u = scene().findAttribute(rig.path, "u");
  using minihost::TangentType;
  ASSERT_TRUE(
      scene().setKey(rig.path, u, 250.0, 0.0, TangentType::kLinear, TangentType::kLinear, &error));
  ASSERT_TRUE(
      scene().setKey(rig.path, u, 2750.0, 1.0, TangentType::kLinear, TangentType::kLinear, &error));
  scene().setCurrentTicks(6 * 250.0);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 10, 0, 0, 1e-9);
  const double frame9 = 9 * 250.0;
  MMatrix at9 = minihost::worldMatrixAt(scene(), rig.object, &frame9);
  EXPECT_NEAR(at9[3][0], 16.0, 1e-9);
  EXPECT_VECTOR_NEAR(worldPosition(rig.object), 10, 0, 0, 1e-9);
}

TEST_F(MotionPathTest, WithoutACurveToFollowTheStoredValuesStay) {
  PathRig rig{make("motionPath", "motionPath1"), make("transform", "rider")};
  NodeRef shape = make("nurbsCurve", "emptyShape", make("transform", "empty"));
  link(rig.path, "xc", rig.object, "tx");
  set(rig.path, "xc", 4.0);
  EXPECT_EQ(get(rig.object, "tx"), 4.0);
  link(shape, "ws", rig.path, "gp");  // a curve shape without geometry
  EXPECT_EQ(get(rig.object, "tx"), 4.0);
  // Geometry goes only into geometry.
  std::string error;
  EXPECT_FALSE(scene().connect(rig.object, scene().findAttribute(rig.object, "tx"), rig.path,
                               scene().findAttribute(rig.path, "gp"), true, &error));
}

}  // namespace
