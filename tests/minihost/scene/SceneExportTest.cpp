// Scene files opened with "file -open" and exported through the built plug-in: the keys in the
// animation file are the values the scene file defines.

#include <gtest/gtest.h>

#include <cmath>

#include "ExportHarness.h"
#include "tests/support/FileText.h"
#include "tests/support/OutputCapture.h"

namespace {

class SceneExportTest : public ExportTest {
 protected:
  static std::string scene(const std::string& name) {
    return std::string(VXR_SCENE_DIR) + "/" + name;
  }
  bool openScene(const std::string& name) {
    return melScript("file -f -open \"" + scene(name) + "\";");
  }
};

TEST_F(SceneExportTest, AKeyedCameraExportsItsPathAndZoomFrameByFrame) {
  ASSERT_TRUE(openScene("camera_light.ma"));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* cam = cameraTrack(*document, "|shotCam|shotCamShape");
  ASSERT_NE(cam, nullptr);
  ASSERT_EQ(keyFrames(*cam), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  // tx keyed -10 at frame 1 to 10 at frame 11, linear; the plane sits at the near clip (0.5)
  // in front of the camera, which looks down -z from z = 50.
  const double expectedX[] = {-10.0, 0.0, 10.0};
  const int keys[] = {0, 5, 10};
  for (int i = 0; i < 3; ++i) {
    const ProjectorInfo& p = cam->key(keys[i])->projector;
    EXPECT_NEAR(p.plane.origin.x, expectedX[i], 1e-9);
    EXPECT_NEAR(p.plane.origin.z, 49.5, 1e-9);
  }
  // The focal length doubles from 35 to 70 mm, so the window halves.
  EXPECT_NEAR(cam->key(10)->projector.window.size.x / cam->key(0)->projector.window.size.x, 0.5,
              1e-9);
  EXPECT_EQ(cam->key(0)->projector.imageWidth, 320);
  EXPECT_EQ(cam->key(0)->projector.imageHeight, 240);
}

TEST_F(SceneExportTest, CamerasOfTheSameNameUnderOtherParentsExportUnderTheirOwnPaths) {
  ASSERT_TRUE(openScene("same_names.ma"));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* a = cameraTrack(*document, "|shotA|cam|camShape");
  const VXRAnimation_Camera* b = cameraTrack(*document, "|shotB|cam|camShape");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ASSERT_FALSE(keyFrames(*a).empty());
  ASSERT_FALSE(keyFrames(*b).empty());
  // Twice the focal length, half the window: each track holds its own camera.
  EXPECT_NEAR(b->key(0)->projector.window.size.x / a->key(0)->projector.window.size.x, 0.5, 1e-9);
  // The short name is ambiguous in the scene, as in the host.
  std::string errors;
  EXPECT_FALSE(mel("select cam;", nullptr, &errors));
  EXPECT_NE(errors.find("More than one object matches name: cam"), std::string::npos) << errors;
}

TEST_F(SceneExportTest, AReferencedCameraRigMovesAsTheShotKeysItUnderItsNamespace) {
  ASSERT_TRUE(openScene("refs/shots/shot010.ma"));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  // The shot's curves reach the rig through the reference node's placeholder list.
  const VXRAnimation_Camera* cam =
      cameraTrack(*document, "|shotCam:rig|shotCam:cam|shotCam:camShape");
  ASSERT_NE(cam, nullptr);
  ASSERT_EQ(keyFrames(*cam), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  // tx 0 to 100 and ty 10 to 20, linear; the near clip plane is 0.5 in front, down -z from 50.
  const double expectedX[] = {0.0, 50.0, 100.0}, expectedY[] = {10.0, 15.0, 20.0};
  const int keys[] = {0, 5, 10};
  for (int i = 0; i < 3; ++i) {
    const ProjectorInfo& p = cam->key(keys[i])->projector;
    EXPECT_NEAR(p.plane.origin.x, expectedX[i], 1e-9);
    EXPECT_NEAR(p.plane.origin.y, expectedY[i], 1e-9);
    EXPECT_NEAR(p.plane.origin.z, 49.5, 1e-9);
  }
}

TEST_F(SceneExportTest, KeyedLightsExportTheirIntensityColourAndCone) {
  ASSERT_TRUE(openScene("camera_light.ma"));
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Light* fill = lightTrack(*document, "|fill|fillShape");
  const VXRAnimation_Light* key = lightTrack(*document, "|key|keyShape");
  ASSERT_TRUE(fill && key);
  EXPECT_NEAR(fill->key(0)->intensity, 0.5, 1e-6);
  EXPECT_NEAR(fill->key(5)->intensity, 1.0, 1e-6);
  EXPECT_NEAR(fill->key(10)->intensity, 1.5, 1e-6);
  EXPECT_EQ(fill->key(0)->red, 0);
  EXPECT_EQ(fill->key(10)->red, 255);
  EXPECT_EQ(key->key(0)->type, LightKey::kSpot);
  EXPECT_NEAR(key->key(0)->intensity, 2.0, 1e-6);
  // 1, 0.5, 0.25 of 255, truncated.
  EXPECT_EQ(key->key(0)->red, 255);
  EXPECT_EQ(key->key(0)->green, 127);
  EXPECT_EQ(key->key(0)->blue, 63);
  const double degree = std::acos(-1.0) / 180.0;
  EXPECT_NEAR(key->key(0)->coneHalfAngle, 10 * degree, 1e-6);
  EXPECT_NEAR(key->key(10)->coneHalfAngle, 30 * degree, 1e-6);
  EXPECT_NEAR(key->key(0)->position.x, 5.0, 1e-9);
  EXPECT_NEAR(key->key(0)->position.y, 10.0, 1e-9);
}

TEST_F(SceneExportTest, TheFileCommandRefusesBinaryAndDamagedScenesAndKeepsTheScene) {
  ASSERT_TRUE(openScene("camera_light.ma"));
  EXPECT_FALSE(melScript("file -f -open \"shot.mb\";"));
  const std::string damaged = path("damaged.ma");
  writeBytes(damaged, "createNode transform -n \"half\";\n\tsetAttr \".t\" -type \"double3\" 1");
  EXPECT_FALSE(melScript("file -f -open \"" + damaged + "\";"));
  EXPECT_EQ(melResult("objExists shotCam"), "1");
  EXPECT_EQ(melResult("objExists half"), "0");
}

}  // namespace

namespace {

TEST_F(SceneExportTest, ACameraTrackerScriptRunsFarEnoughToGiveItsKeyedCamera) {
  OutputCapture errors(2);
  ASSERT_TRUE(melFile(scene("tracker_camera.mel")));
  const std::string said = errors.finish();
  EXPECT_NE(said.find("camera: -shutterAngle does not apply"), std::string::npos) << said;
  EXPECT_NE(said.find("imagePlane: image planes are not modelled"), std::string::npos) << said;
  EXPECT_EQ(melResult("objExists track01"), "1");
  setRenderRange(1, 3, 1);
  std::unique_ptr<AnimationDocument> document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Camera* cam = cameraTrack(*document, "|trackCam|trackCamShape");
  ASSERT_NE(cam, nullptr);
  ASSERT_EQ(cam->keyCount(), 3);
  EXPECT_NEAR(cam->key(0)->projector.plane.origin.x, -4.0, 1e-9);
  EXPECT_NEAR(cam->key(2)->projector.plane.origin.x, 4.0, 1e-9);
  EXPECT_NEAR(cam->key(2)->projector.window.size.x / cam->key(0)->projector.window.size.x, 0.5,
              1e-9);
}

}  // namespace

namespace {

TEST_F(SceneExportTest, ZeroingTransformPivotsKeepsTheNodeInPlace) {
  ASSERT_TRUE(
      melScript("createNode transform -n piv; setAttr piv.rotatePivot 1 0 0;"
                "setAttr piv.scalePivotTranslate 0 0 2; setAttr piv.rotateZ 90;"
                "setAttr piv.translate 5 0 0;"));
  const std::string before = melResult("xform -q -ws -m piv");
  ASSERT_TRUE(melScript("xform -zeroTransformPivots piv;"));
  EXPECT_EQ(melResult("xform -q -ws -m piv"), before);
  EXPECT_EQ(melResult("getAttr piv.rotatePivot"), "0 0 0");
  EXPECT_EQ(melResult("getAttr piv.scalePivotTranslate"), "0 0 0");
  // The pivot turned (0,0,0) about (1,0,0) to (1,-1,0), then (0,0,2) and (5,0,0) moved it.
  EXPECT_EQ(melResult("getAttr piv.translate"), "6 -1 2");
}

}  // namespace
