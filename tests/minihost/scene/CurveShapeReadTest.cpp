// Curve shapes read from a scene file's cached data and the path animation nodes that follow
// them, against values worked out by hand from the file.

#include <cmath>

#include "SceneFixture.h"
#include "engine/NurbsCurve.h"
#include "scene/SceneFile.h"

namespace {

using minihost::scenefile::readSceneText;
using minihost::scenefile::SceneFileResult;

TEST_F(SceneFileTest, CurveShapesKeepTheirDegreeFormKnotsAndControlVertices) {
  open("camera_path.ma");
  const minihost::Node* track = scene().node(node("trackShape"));
  ASSERT_NE(track, nullptr);
  ASSERT_NE(track->curveGeometry(), nullptr);
  EXPECT_EQ(track->curveGeometry()->degree(), 3);
  EXPECT_EQ(track->curveGeometry()->form(), minihost::NurbsCurve::kOpen);
  EXPECT_EQ(track->curveGeometry()->cvCount(), 5);
  EXPECT_EQ(number("trackShape", "spans"), 2.0);
  EXPECT_EQ(number("trackShape", "maxValue"), 2.0);
  EXPECT_EQ(number("loopShape", "form"), 2.0);
  const minihost::Node* arc = scene().node(node("arcShape"));
  ASSERT_NE(arc->curveGeometry(), nullptr);
  EXPECT_TRUE(arc->curveGeometry()->rational());
  // The periodic loop at fraction 0: its first knot, (P0 + 4·P1 + P2) / 6.
  EXPECT_NEAR(number("loopRider", "tx"), 0.0, 1e-9);
  EXPECT_NEAR(number("loopRider", "ty"), 400.0 / 6.0, 1e-9);
  // The rational arc of radius 10 at its middle parameter.
  EXPECT_NEAR(number("arcRider", "tx"), 10.0 * std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(number("arcRider", "ty"), 10.0 * std::sqrt(0.5), 1e-9);
}

TEST_F(SceneFileTest, CurvePointsAreInTheFilesLengthUnitAndMayHaveTwoDimensions) {
  const char* text =
      "currentUnit -l meter -a degree -t film;\n"
      "createNode transform -n \"c\";\n"
      "createNode nurbsCurve -n \"cShape\" -p \"c\";\n"
      "\tsetAttr \".cc\" -type \"nurbsCurve\" 1 1 0 no 2 2 0 1 2 1 2 3 4;\n";
  SceneFileResult r = readSceneText(text, "metres.ma", scene(), true);
  ASSERT_TRUE(r.ok) << r.error;
  const minihost::Node* shape = scene().node(node("cShape"));
  ASSERT_NE(shape->curveGeometry(), nullptr);
  const MVector end = shape->curveGeometry()->cv(1);
  EXPECT_NEAR(end.x, 300.0, 1e-9);
  EXPECT_NEAR(end.y, 400.0, 1e-9);
  EXPECT_EQ(end.z, 0.0);
  EXPECT_NEAR(shape->curveGeometry()->length(MMatrix()), 100.0 * std::sqrt(8.0), 1e-9);
}

TEST_F(SceneFileTest, ACameraOnAPathRidesItsCurveAndLooksAlongIt) {
  open("camera_path.ma");
  // The track runs 400 along -x, 100 up; uValue is the fraction of its length, keyed 0 at
  // frame 1 and 1 at frame 11. The camera's front is its z axis, inverted, so it looks along the
  // path.
  for (double frame : {1.0, 4.0, 11.0}) {
    const double f = (frame - 1.0) / 10.0;
    EXPECT_NEAR(numberAtFrame("pathCam", "tx", frame), -400.0 * f, 1e-6) << frame;
    scene().setCurrentTicks(frame * 250.0);
    std::vector<double> eye = worldPoint("pathCam", 0, 0, 0);
    std::vector<double> view = worldPoint("pathCam", 0, 0, -1);
    EXPECT_NEAR(eye[0], -400.0 * f, 1e-6) << frame;
    EXPECT_NEAR(eye[1], 100.0, 1e-9) << frame;
    EXPECT_NEAR(eye[2], 0.0, 1e-9) << frame;
    EXPECT_NEAR(view[0] - eye[0], -1.0, 1e-9) << frame;
    EXPECT_NEAR(view[1] - eye[1], 0.0, 1e-9) << frame;
  }
}

TEST_F(SceneFileTest, APathWithoutACurveShapeKeepsItsStoredValueAndSaysSo) {
  SceneFileResult r = open("camera_path.ma");
  EXPECT_TRUE(anyContains(r.warnings,
                          "\"motionPath4\" (motionPath) drives stuck.tx and is not "
                          "evaluated (its curve \"historyShape\" has no stored shape)"));
  EXPECT_FALSE(anyContains(r.warnings, "\"motionPath1\""));
  EXPECT_NEAR(number("stuck", "tx"), 0.0, 1e-12);
}

TEST_F(SceneFileTest, CurveDataThatDescribeNoCurveRefuseTheFile) {
  std::string error;
  minihost::NodeRef keeper = scene().createNode("transform", "keeper", minihost::NodeRef{}, &error);
  ASSERT_TRUE(keeper.isSet()) << error;
  const struct {
    const char* cc;
    const char* error;
  } cases[] = {
      {"3 1 0 no 3 6 0 0 0 1 1 0 4 0 0 0 1 0 0 2 0 0 3 0 0", "knots are not finite and rising"},
      {"3 1 0 no 3 999999999 0 0", "knot count does not fit"},
      {"3 1 0 no 3 6 0 0 0 1 1 1 4 0 0 0 1 0 0 2 0 0", "control vertex count does not fit"},
      {"3 1 0 no 3 6 0 0 0 1 1 1 5 0 0 0 1 0 0 2 0 0 3 0 0 4 0 0", "5 control vertices where 4"},
      {"3 1 0 yes 3 6 0 0 0 1 1 1 4 0 0 0 1 1 0 0 0 2 0 0 1 3 0 0 1", "control vertex 1"},
      {"3 1 0 no 4 6 0 0 0 1 1 1 4 0 0 0 1 0 0 2 0 0 3 0 0", "dimension 4"},
      {"12 1 0 no 3 6 0 0 0 1 1 1 4 0 0 0 1 0 0 2 0 0 3 0 0", "degree 12"},
      {"3 1.5 0 no 3", "header numbers must be whole"},
      {"3 1 0", "expected -type \"nurbsCurve\""},
  };
  for (const auto& c : cases) {
    std::string text =
        "createNode transform -n \"a\";\ncreateNode nurbsCurve -n \"aShape\" -p \"a\";"
        "\n\tsetAttr \".cc\" -type \"nurbsCurve\" " +
        std::string(c.cc) + ";\n";
    SceneFileResult r = readSceneText(text, "cut.ma", scene(), true);
    EXPECT_FALSE(r.ok) << c.cc;
    EXPECT_NE(r.error.find("cut.ma:3: curve \"aShape\": "), std::string::npos) << r.error;
    EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
    EXPECT_TRUE(scene().isAlive(keeper));
    EXPECT_FALSE(scene().findNode("a").isSet());
  }
}

}  // namespace
