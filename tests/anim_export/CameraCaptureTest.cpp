// Camera keys: the viewing plane in world space, the film-back window on the near plane, the
// image size, and the cameras whose settings would give no finite window.

#include <gtest/gtest.h>

#include <string>

#include "ExportHarness.h"
#include "tests/support/FileText.h"

namespace {

constexpr double kTolerance = 1e-6;

class CameraCaptureTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    setRenderRange(1, 1, 1);
    // A 35 mm lens on a 1.417 × 0.945 inch film back, near plane 0.1, fill fit, 640 × 480.
    ASSERT_TRUE(
        melScript("camera -n filmCam;"
                  "setAttr filmCamShape.focalLength 35;"
                  "setAttr filmCamShape.horizontalFilmAperture 1.417;"
                  "setAttr filmCamShape.verticalFilmAperture 0.945;"
                  "setAttr filmCamShape.nearClipPlane 0.1;"
                  "setAttr filmCamShape.cameraScale 1;"
                  "setAttr filmCamShape.filmFit 0;"
                  "setAttr defaultResolution.width 640;"
                  "setAttr defaultResolution.height 480;"));
  }

  // The single key of filmCam.
  CameraKey captured() {
    document_ = exportAndRead();
    if (document_ == nullptr)
      return CameraKey();
    const VXRAnimation_Camera* track = cameraTrack(*document_, "|filmCam|filmCamShape");
    EXPECT_NE(track, nullptr);
    if (track == nullptr || track->keyCount() != 1) {
      ADD_FAILURE() << "filmCam has no single key";
      return CameraKey();
    }
    return *track->key(0);
  }

  // Left, right, bottom and top of a key's window.
  struct Edges {
    double left, right, bottom, top;
  };
  static Edges edgesOf(const CameraKey& key) {
    const GViewportWindowInfo& w = key.projector.window;
    return {w.origin.x, w.origin.x + w.size.x, w.origin.y, w.origin.y + w.size.y};
  }

  // A failed export: the message names the camera and the setting, no file is written and the
  // current time is as it was.
  void expectRefused(const std::string& camera, const std::string& setting) {
    ASSERT_TRUE(melScript("currentTime 7;"));
    const ExportRun run = exportTo(path("scene.vxranim"));
    EXPECT_FALSE(run.succeeded);
    EXPECT_NE(run.output.find("VXR animation. Can't export camera " + camera), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find(setting), std::string::npos) << run.output;
    EXPECT_TRUE(folderEntries().empty());
    EXPECT_DOUBLE_EQ(melNumber("currentTime -q"), 7.0);
  }

 private:
  std::unique_ptr<AnimationDocument> document_;
};

TEST_F(CameraCaptureTest, FillFitOnA640By480Image) {
  const CameraKey key = captured();
  const GViewportInfo& view = key.projector;
  EXPECT_NEAR(view.window.origin.x, -0.04572, kTolerance);
  EXPECT_NEAR(view.window.origin.y, -0.03429, kTolerance);
  EXPECT_NEAR(view.window.size.x, 0.09144, kTolerance);
  EXPECT_NEAR(view.window.size.y, 0.06858, kTolerance);
  EXPECT_NEAR(view.eyeOffset.x, 0.0, kTolerance);
  EXPECT_NEAR(view.eyeOffset.y, 0.0, kTolerance);
  EXPECT_NEAR(view.eyeOffset.z, 0.1, kTolerance);
  EXPECT_EQ(view.perspective, 1);
  EXPECT_EQ(key.projector.imageWidth, 640);
  EXPECT_EQ(key.projector.imageHeight, 480);
  EXPECT_EQ(key.frame, 1);
}

TEST_F(CameraCaptureTest, HorizontalFitWithAFilmFitOffsetOnASquareImage) {
  ASSERT_TRUE(
      melScript("setAttr filmCamShape.filmFit 1; setAttr filmCamShape.filmFitOffset 0.5;"
                "setAttr defaultResolution.width 480;"));
  const Edges e = edgesOf(captured());
  EXPECT_NEAR(e.left, -0.0514169, kTolerance);
  EXPECT_NEAR(e.right, 0.0514169, kTolerance);
  EXPECT_NEAR(e.bottom, -0.0599803, kTolerance);
  EXPECT_NEAR(e.top, 0.0428534, kTolerance);
}

TEST_F(CameraCaptureTest, VerticalFitOnASquareImageLeavesTheFilmFitOffsetUnused) {
  // The image is narrower than the film here, so the window is not widened and not shifted.
  ASSERT_TRUE(
      melScript("setAttr filmCamShape.filmFit 2; setAttr filmCamShape.filmFitOffset 0.5;"
                "setAttr defaultResolution.width 480;"));
  const Edges e = edgesOf(captured());
  const double half = 0.5 * (1.0 / 1.49947) * 1.417 * 2.54 * (0.1 / 3.5);
  EXPECT_NEAR(e.left, -half, kTolerance);
  EXPECT_NEAR(e.right, half, kTolerance);
  EXPECT_NEAR(e.bottom, -0.03429, kTolerance);
  EXPECT_NEAR(e.top, 0.03429, kTolerance);
}

TEST_F(CameraCaptureTest, CameraScaleScalesAndFilmOffsetsShiftTheWindow) {
  ASSERT_TRUE(
      melScript("setAttr filmCamShape.cameraScale 2;"
                "setAttr filmCamShape.horizontalFilmOffset 0.1;"
                "setAttr filmCamShape.verticalFilmOffset -0.2;"));
  const Edges e = edgesOf(captured());
  const double s = 2 * 0.1 / 3.5;
  EXPECT_NEAR(e.left, (-1.6002 + 0.254) * s, kTolerance);
  EXPECT_NEAR(e.right, (1.6002 + 0.254) * s, kTolerance);
  EXPECT_NEAR(e.bottom, (-1.20015 - 0.508) * s, kTolerance);
  EXPECT_NEAR(e.top, (1.20015 - 0.508) * s, kTolerance);
}

// The host renders a shaken camera with the shake added to its film offsets; the export keeps
// that framing. Shake that is not enabled changes nothing.
TEST_F(CameraCaptureTest, EnabledShakeShiftsTheWindowLikeAFilmOffset) {
  ASSERT_TRUE(
      melScript("setAttr filmCamShape.horizontalFilmOffset 0.1;"
                "setAttr filmCamShape.verticalFilmOffset -0.2;"
                "setAttr filmCamShape.horizontalShake 0.05;"
                "setAttr filmCamShape.verticalShake 0.3;"));
  const Edges still = edgesOf(captured());
  const double s = 0.1 / 3.5;
  EXPECT_NEAR(still.left, (-1.6002 + 0.254) * s, kTolerance);
  EXPECT_NEAR(still.bottom, (-1.20015 - 0.508) * s, kTolerance);

  ASSERT_TRUE(melScript("setAttr filmCamShape.shakeEnabled 1;"));
  const Edges shaken = edgesOf(captured());
  // Offset plus shake, inches to centimetres.
  EXPECT_NEAR(shaken.left, (-1.6002 + (0.1 + 0.05) * 2.54) * s, kTolerance);
  EXPECT_NEAR(shaken.right, (1.6002 + (0.1 + 0.05) * 2.54) * s, kTolerance);
  EXPECT_NEAR(shaken.bottom, (-1.20015 + (-0.2 + 0.3) * 2.54) * s, kTolerance);
  EXPECT_NEAR(shaken.top, (1.20015 + (-0.2 + 0.3) * 2.54) * s, kTolerance);
}

TEST_F(CameraCaptureTest, TheViewingPlaneSitsAtTheNearDistanceInWorldSpace) {
  ASSERT_TRUE(
      melScript("setAttr filmCam.translate 1 2 3; setAttr filmCam.rotateY 90;"
                "setAttr filmCamShape.nearClipPlane 0.5;"));
  const GViewportPlaneInfo plane = captured().projector.plane;
  // Turned +90 degrees about y, the camera looks along -x.
  EXPECT_NEAR(plane.origin.x, 0.5, kTolerance);
  EXPECT_NEAR(plane.origin.y, 2.0, kTolerance);
  EXPECT_NEAR(plane.origin.z, 3.0, kTolerance);
  EXPECT_NEAR(plane.direction.x, -1.0, kTolerance);
  EXPECT_NEAR(plane.direction.y, 0.0, kTolerance);
  EXPECT_NEAR(plane.direction.z, 0.0, kTolerance);
  EXPECT_NEAR(plane.up.x, 0.0, kTolerance);
  EXPECT_NEAR(plane.up.y, 1.0, kTolerance);
  EXPECT_NEAR(plane.up.z, 0.0, kTolerance);
}

TEST_F(CameraCaptureTest, AnOrthographicCameraHasTheSameWindowAndPerspectiveFlag0) {
  ASSERT_TRUE(melScript("setAttr filmCamShape.orthographic 1;"));
  const CameraKey key = captured();
  EXPECT_EQ(key.projector.perspective, 0);
  EXPECT_NEAR(key.projector.window.origin.x, -0.04572, kTolerance);
  EXPECT_NEAR(key.projector.window.size.y, 0.06858, kTolerance);
}

TEST_F(CameraCaptureTest, AnImageHeightOf0FailsTheExportNamingTheCameraAndTheSetting) {
  ASSERT_TRUE(melScript("setAttr defaultResolution.height 0;"));
  expectRefused("|persp|perspShape", "image height");
}

TEST_F(CameraCaptureTest, AFocalLengthOf0FailsTheExportNamingTheCameraAndTheSetting) {
  ASSERT_TRUE(melScript("setAttr filmCamShape.focalLength 0;"));
  expectRefused("|filmCam|filmCamShape", "focal length");
}

TEST_F(CameraCaptureTest, ACameraAspectRatioOf0FailsTheExportNamingTheCameraAndTheSetting) {
  ASSERT_TRUE(melScript("setAttr filmCamShape.horizontalFilmAperture 0;"));
  expectRefused("|filmCam|filmCamShape", "camera aspect ratio");
}

// The export writes only keys the import can apply, so every file it writes imports whole.
TEST_F(CameraCaptureTest, ANearClippingPlaneOf0FailsTheExportNamingTheCameraAndTheSetting) {
  ASSERT_TRUE(melScript("setAttr filmCamShape.nearClipPlane 0;"));
  expectRefused("|filmCam|filmCamShape", "its near clipping plane is not above 0");
}

TEST_F(CameraCaptureTest, AKeyTheImportWouldRefuseFailsTheExport) {
  // Positive but so small that the import's film-back scale overflows.
  ASSERT_TRUE(melScript("setAttr filmCamShape.nearClipPlane 1e-320;"));
  expectRefused("|filmCam|filmCamShape", "its key has an eye distance too small for its window");
  ASSERT_TRUE(
      melScript("setAttr filmCamShape.nearClipPlane 0.1; setAttr filmCamShape.cameraScale -1;"));
  expectRefused("|filmCam|filmCamShape",
                "its key has a window whose width or height is not above 0");
}

TEST_F(CameraCaptureTest, AFocalLengthAnimatedTo0FailsAtThatFrameAndKeepsThePreviousFile) {
  ASSERT_TRUE(
      melScript("setKeyframe -t 1 -v 35 -at focalLength -itt linear -ott step filmCamShape;"
                "setKeyframe -t 3 -v 0 -at focalLength -itt step -ott step filmCamShape;"));
  setRenderRange(1, 5, 1);
  const std::string target = path("scene.vxranim");
  writeBytes(target, "previous contents");
  const ExportRun run = exportTo(target);
  EXPECT_FALSE(run.succeeded);
  EXPECT_NE(run.output.find("|filmCam|filmCamShape at frame 3"), std::string::npos) << run.output;
  EXPECT_EQ(readBytes(target), "previous contents");
}

}  // namespace
