// The example scene, examples/animated_scene.mel, exported whole: every camera and light with
// one key per frame, and the animation visible in the keys.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ExportHarness.h"

namespace {

class AnimatedSceneTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    ASSERT_TRUE(melFile(VXR_ANIMATED_SCENE));
    document = exportAndRead();
    ASSERT_NE(document, nullptr);
  }

  std::unique_ptr<AnimationDocument> document;
};

std::vector<int> frames1To48() {
  std::vector<int> frames;
  for (int f = 1; f <= 48; ++f)
    frames.push_back(f);
  return frames;
}

TEST_F(AnimatedSceneTest, EveryCameraAndLightHasAKeyForEachOfFrames1To48) {
  EXPECT_EQ(cameraNames(*document),
            (std::vector<std::string>{"|persp|perspShape", "|top|topShape", "|front|frontShape",
                                      "|side|sideShape", "|dollyCam|dollyCamShape",
                                      "|craneCam|craneCamShape"}));
  EXPECT_EQ(lightNames(*document), (std::vector<std::string>{"|sun|sunShape", "|lamp|lampShape",
                                                             "|stageSpot|stageSpotShape"}));
  for (int i = 0; i < document->cameras.trackCount(); ++i)
    EXPECT_EQ(keyFrames(*document->cameras.track(i)), frames1To48());
  for (int i = 0; i < document->lights.trackCount(); ++i)
    EXPECT_EQ(keyFrames(*document->lights.track(i)), frames1To48());
}

TEST_F(AnimatedSceneTest, TheDollyMovesAndZoomsIn) {
  const VXRAnimation_Camera* dolly = cameraTrack(*document, "|dollyCam|dollyCamShape");
  ASSERT_NE(dolly, nullptr);
  ASSERT_EQ(dolly->keyCount(), 48);
  const ProjectorInfo& first = dolly->key(0)->projector;
  const ProjectorInfo& last = dolly->key(47)->projector;
  EXPECT_LT(first.plane.origin.x, -24.0);
  EXPECT_GT(last.plane.origin.x, 24.0);
  // From 28 mm to 85 mm the window on the near plane narrows by 28 / 85.
  EXPECT_NEAR(last.window.size.x / first.window.size.x, 28.0 / 85.0, 1e-9);
  EXPECT_EQ(first.imageWidth, 1280);
  EXPECT_EQ(first.imageHeight, 720);
}

TEST_F(AnimatedSceneTest, TheLightsChangeOverTheShot) {
  const VXRAnimation_Light* sun = lightTrack(*document, "|sun|sunShape");
  const VXRAnimation_Light* lamp = lightTrack(*document, "|lamp|lampShape");
  const VXRAnimation_Light* spot = lightTrack(*document, "|stageSpot|stageSpotShape");
  ASSERT_TRUE(sun && lamp && spot);
  EXPECT_EQ(sun->key(0)->type, LightKey::kDirectional);
  EXPECT_NEAR(sun->key(0)->intensity, 1.2, 1e-6);
  EXPECT_NEAR(sun->key(47)->intensity, 0.4, 1e-6);
  EXPECT_EQ(sun->key(0)->blue, 255);
  EXPECT_EQ(sun->key(47)->blue, 76);  // 0.3 × 255 = 76.5, truncated
  EXPECT_EQ(lamp->key(0)->type, LightKey::kPoint);
  EXPECT_NEAR(lamp->key(0)->position.x, -6.0, 1e-9);
  EXPECT_NEAR(lamp->key(47)->position.x, 6.0, 1e-9);
  EXPECT_EQ(spot->key(0)->type, LightKey::kSpot);
  const double degrees = std::acos(-1.0) / 180.0;
  EXPECT_NEAR(spot->key(0)->coneHalfAngle, 10 * degrees, 1e-6);
  EXPECT_NEAR(spot->key(47)->coneHalfAngle, 30 * degrees, 1e-6);
}

}  // namespace
