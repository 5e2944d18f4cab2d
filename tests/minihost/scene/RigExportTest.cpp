// Rigged cameras and scenes at other frame rates, opened with "file -open" and exported through
// the built plug-in: the cameras move as their rigs drive them, and frame numbers are the
// file's own.

#include <gtest/gtest.h>

#include <cmath>

#include "ExportHarness.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class RigExportTest : public ExportTest {
 protected:
  bool openScene(const std::string& name) {
    return melScript("file -f -open \"" + std::string(VXR_SCENE_DIR) + "/" + name + "\";");
  }
};

TEST_F(RigExportTest, AParentConstrainedCameraFollowsItsKeyedTarget) {
  ASSERT_TRUE(openScene("camera_rig.ma"));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* cam = cameraTrack(*document, "|shotCam|shotCamShape");
  ASSERT_NE(cam, nullptr);
  ASSERT_EQ(keyFrames(*cam).size(), 11u);
  // The dolly moves 0 -> 100 in x and turns 0 -> 90 degrees about y over frames 1..11; the
  // camera rides 10 above it (the offset) and looks down the dolly's -z, which the turn
  // carries to (-sin a, 0, -cos a). The near plane (0.5) is half a unit down the view.
  for (int k : {0, 5, 10}) {
    double a = kPi / 2.0 * k / 10.0, x = 10.0 * k;
    const GViewportPlaneInfo& plane = cam->key(static_cast<unsigned>(k))->projector.plane;
    EXPECT_NEAR(plane.direction.x, -std::sin(a), 1e-6) << k;
    EXPECT_NEAR(plane.direction.z, -std::cos(a), 1e-6) << k;
    EXPECT_NEAR(plane.origin.x, x - 0.5 * std::sin(a), 1e-6) << k;
    EXPECT_NEAR(plane.origin.y, 10.0, 1e-6) << k;
    EXPECT_NEAR(plane.origin.z, -0.5 * std::cos(a), 1e-6) << k;
  }
}

TEST_F(RigExportTest, ACameraAndAimGroupTurnsTheCameraTowardsItsAim) {
  ASSERT_TRUE(openScene("camera_rig.ma"));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* cam = cameraTrack(*document, "|camera1_group|camera1|camera1Shape");
  ASSERT_NE(cam, nullptr);
  ASSERT_EQ(keyFrames(*cam).size(), 11u);
  // The group (the lookAt node itself) stands at y 5 turned 90 degrees about y, which carries
  // local z to world x and local x to world -z: the camera's eye is at (50, 5, 0) and its aim
  // slides from (0, 5, 0) to (0, 5, -50). The near plane (1) is one unit down the view.
  for (int k : {0, 5, 10}) {
    double aimX = 5.0 * k, length = std::sqrt(aimX * aimX + 50.0 * 50.0);
    const GViewportPlaneInfo& plane = cam->key(static_cast<unsigned>(k))->projector.plane;
    EXPECT_NEAR(plane.direction.x, -50.0 / length, 1e-6) << k;
    EXPECT_NEAR(plane.direction.y, 0.0, 1e-6) << k;
    EXPECT_NEAR(plane.direction.z, -aimX / length, 1e-6) << k;
    EXPECT_NEAR(plane.origin.x, 50.0 - 50.0 / length, 1e-6) << k;
    EXPECT_NEAR(plane.origin.y, 5.0, 1e-6) << k;
    EXPECT_NEAR(plane.up.y, 1.0, 1e-6) << k;
  }
}

TEST_F(RigExportTest, ACameraOnAMotionPathRidesItsCurveLookingAlongIt) {
  ASSERT_TRUE(openScene("camera_path.ma"));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* cam = cameraTrack(*document, "|pathCam|pathCamShape");
  ASSERT_NE(cam, nullptr);
  ASSERT_EQ(keyFrames(*cam).size(), 11u);
  // The track runs 400 along -x at a height of 100; uValue is the fraction of its length, keyed
  // 0 at frame 1 and 1 at frame 11. The camera looks along the path (its inverted z is the
  // front); the near plane (1) is one unit down the view.
  for (int k : {0, 3, 10}) {
    const double x = -40.0 * k;
    const GViewportPlaneInfo& plane = cam->key(static_cast<unsigned>(k))->projector.plane;
    EXPECT_NEAR(plane.direction.x, -1.0, 1e-6) << k;
    EXPECT_NEAR(plane.direction.y, 0.0, 1e-6) << k;
    EXPECT_NEAR(plane.direction.z, 0.0, 1e-6) << k;
    EXPECT_NEAR(plane.origin.x, x - 1.0, 1e-6) << k;
    EXPECT_NEAR(plane.origin.y, 100.0, 1e-6) << k;
    EXPECT_NEAR(plane.up.y, 1.0, 1e-6) << k;
  }
}

struct RateCase {
  const char* file;
  const char* unit;
  int lastFrame;
};

class FrameRateExportTest : public RigExportTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(FrameRateExportTest, FramesAreTheFilesOwn) {
  const RateCase& c = GetParam();
  ASSERT_TRUE(openScene(c.file));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* cam = cameraTrack(*document, "|shotCam|shotCamShape");
  ASSERT_NE(cam, nullptr);
  std::vector<int> expected;
  for (int f = 1; f <= c.lastFrame; ++f)
    expected.push_back(f);
  ASSERT_EQ(keyFrames(*cam), expected);
  // tx is keyed 0 at the first frame and 80 at the last, linear.
  unsigned middle = static_cast<unsigned>(c.lastFrame - 1) / 2;
  EXPECT_NEAR(cam->key(middle)->projector.plane.origin.x, 40.0, 1e-6);
  std::string unit;
  ASSERT_TRUE(mel("currentUnit -q -t;", &unit));
  EXPECT_EQ(unit, c.unit);
}

INSTANTIATE_TEST_SUITE_P(Rates, FrameRateExportTest,
                         ::testing::Values(RateCase{"rate_12fps.ma", "12fps", 13},
                                           RateCase{"rate_80fps.ma", "80fps", 9},
                                           // Frames of 29.97 fps are not whole ticks.
                                           RateCase{"rate_29.97fps.ma", "29.97fps", 9}));

}  // namespace
