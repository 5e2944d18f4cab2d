// "-setinfo": keys written onto existing cameras and lights and their transforms.

#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnSpotLight.h>
#include <maya/MFnTransform.h>
#include <maya/MMatrix.h>
#include <maya/MVector.h>

#include <cmath>
#include <string>

#include "ImportFixture.h"

namespace {

constexpr double kTolerance = 1e-9;

class KeyApplicationTest : public ImportTest {
 protected:
  // Writes the document, opens it and applies key 0 of camera or light track 0 to `path`.
  bool apply(const AnimationDocument& document, const std::string& which,
             const std::string& targetPath) {
    const int handle = open(writeDocument(document, "keys.vxranim"));
    const std::string pathOption = which == "camera" ? "-camerapath" : "-lightpath";
    return mel("VXR_AnimationImportCmd -id " + std::to_string(handle) + " -" + which +
               "id 0 -keyframe 0 " + pathOption + " \"" + targetPath + "\" -setinfo");
  }

  static MMatrix worldMatrix(const std::string& shape) {
    MDagPath path;
    MFnDagNode(node(shape)).getPath(path);
    return path.inclusiveMatrix();
  }
};

void expectVectorNear(const MVector& actual, const MVector& expected, double tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST_F(KeyApplicationTest, CameraFilmBackSitsAtThirtyFiveMillimetres) {
  mel("camera -name shot");
  AnimationDocument document;
  VXRAnimation_Camera* track = addCameraTrack(document, "|shot|shotShape", 0);
  track->v_insert(new CameraKey(makeCameraKey(Vector3D(0, 0, -10), Vector3D(0, 0, -1),
                                              Vector3D(0, 1, 0), 10.0, 8.0, 6.0, 1)));
  ASSERT_TRUE(apply(document, "camera", "|shot"));

  MFnCamera camera(node("|shot|shotShape"));
  EXPECT_NEAR(camera.nearClippingPlane(), 10.0, kTolerance);
  EXPECT_NEAR(camera.focalLength(), 35.0, kTolerance);
  EXPECT_NEAR(camera.horizontalFilmAperture(), 2.8 / 2.54, kTolerance);
  EXPECT_NEAR(camera.verticalFilmAperture(), 2.1 / 2.54, kTolerance);
  EXPECT_FALSE(camera.isOrtho());
}

TEST_F(KeyApplicationTest, CameraLookingDownMinusZIsPlacedAtItsEye) {
  mel("camera -name shot; move 5 6 7 shot; rotate 10 20 30 shot");
  AnimationDocument document;
  VXRAnimation_Camera* track = addCameraTrack(document, "|shot|shotShape", 0);
  CameraKey key =
      makeCameraKey(Vector3D(0, 0, -1), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 1.0, 0.8, 0.6, 1);
  key.projector.perspective = 0;
  track->v_insert(new CameraKey(key));
  ASSERT_TRUE(apply(document, "camera", "|shot"));

  const MMatrix m = worldMatrix("|shot|shotShape");
  for (unsigned i = 0; i < 4; ++i) {
    for (unsigned j = 0; j < 4; ++j)
      EXPECT_NEAR(m(i, j), i == j ? 1.0 : 0.0, kTolerance) << i << "," << j;
  }
  EXPECT_TRUE(MFnCamera(node("|shot|shotShape")).isOrtho());
}

TEST_F(KeyApplicationTest, DirectionalLightTurnsItsLocalZOntoTheStoredDirection) {
  mel("directionalLight -name sun");
  LightKey key;
  key.type = LightKey::kDirectional;
  key.position = Vector3D(1, 0, 0);
  key.red = 255;
  key.green = 128;
  key.blue = 0;
  AnimationDocument document;
  addLightTrack(document, "|sun|sunShape", key, 1);
  ASSERT_TRUE(apply(document, "light", "|sun"));

  // A quarter turn about +y takes local +z to +x.
  const MMatrix m = worldMatrix("|sun|sunShape");
  expectVectorNear(MVector(0, 0, 1) * m, MVector(1, 0, 0), kTolerance);
  expectVectorNear(MVector(0, 1, 0) * m, MVector(0, 1, 0), kTolerance);

  const MColor colour = MFnLight(node("|sun|sunShape")).color();
  EXPECT_EQ(colour.r, 255u * 0.003921569f);
  EXPECT_EQ(colour.g, 128u * 0.003921569f);
  EXPECT_EQ(colour.b, 0.0f);
}

TEST_F(KeyApplicationTest, LightPointingAlongMinusZGetsAHalfTurn) {
  mel("spotLight -name beam");
  LightKey key;
  key.type = LightKey::kSpot;
  key.position = Vector3D(0, 5, 0);
  key.target = Vector3D(0, 5, 1);  // the beam's local +z points to -z
  key.coneHalfAngle = 0.3;
  key.penumbraAngle = -0.1;
  AnimationDocument document;
  addLightTrack(document, "|beam|beamShape", key, 1);
  ASSERT_TRUE(apply(document, "light", "|beam"));

  const MMatrix m = worldMatrix("|beam|beamShape");
  for (unsigned i = 0; i < 4; ++i) {
    for (unsigned j = 0; j < 4; ++j)
      EXPECT_TRUE(std::isfinite(m(i, j)));
  }
  expectVectorNear(MVector(0, 0, 1) * m, MVector(0, 0, -1), kTolerance);
  EXPECT_NEAR(m(3, 1), 5.0, kTolerance);

  MFnSpotLight spot(node("|beam|beamShape"));
  EXPECT_NEAR(spot.coneAngle(), 0.6, kTolerance);
  EXPECT_NEAR(spot.penumbraAngle(), -0.1, kTolerance);
}

TEST_F(KeyApplicationTest, PointLightLosesItsRotation) {
  mel("pointLight -name bulb; rotate 30 40 50 bulb");
  LightKey key;
  key.type = LightKey::kPoint;
  key.position = Vector3D(1, 2, 3);
  AnimationDocument document;
  addLightTrack(document, "|bulb|bulbShape", key, 1);
  ASSERT_TRUE(apply(document, "light", "|bulb"));

  const MMatrix m = worldMatrix("|bulb|bulbShape");
  for (unsigned i = 0; i < 3; ++i) {
    for (unsigned j = 0; j < 3; ++j)
      EXPECT_NEAR(m(i, j), i == j ? 1.0 : 0.0, kTolerance);
  }
  expectVectorNear(MVector(m(3, 0), m(3, 1), m(3, 2)), MVector(1, 2, 3), kTolerance);
}

TEST_F(KeyApplicationTest, CameraWinsOverLight) {
  mel("camera -name shot; pointLight -name bulb");
  AnimationDocument document;
  addCameraTrack(document, "|shot|shotShape", 1);
  LightKey key;
  key.position = Vector3D(9, 9, 9);
  addLightTrack(document, "|bulb|bulbShape", key, 1);
  const int handle = open(writeDocument(document, "both.vxranim"));
  ASSERT_TRUE(mel("VXR_AnimationImportCmd -id " + std::to_string(handle) +
                  " -cameraid 0 -lightid 0 -keyframe 0 -camerapath \"|shot\" "
                  "-lightpath \"|bulb\" -setinfo"));
  const MMatrix light = worldMatrix("|bulb|bulbShape");
  EXPECT_EQ(light(3, 0), 0.0);
  EXPECT_NEAR(MFnCamera(node("|shot|shotShape")).focalLength(), 35.0, kTolerance);
}

TEST_F(KeyApplicationTest, MissingTargetOrWrongKindFailsAndSetsNothing) {
  mel("pointLight -name bulb");
  AnimationDocument document;
  addCameraTrack(document, "|shot|shotShape", 1);
  EXPECT_FALSE(apply(document, "camera", "|nowhere"));
  EXPECT_FALSE(apply(document, "camera", "|bulb"));
}

TEST_F(KeyApplicationTest, KeyWithoutEyeDistanceIsRefusedInsteadOfWritingInfinities) {
  mel("camera -name shot");
  AnimationDocument document;
  VXRAnimation_Camera* track = addCameraTrack(document, "|shot|shotShape", 0);
  track->v_insert(new CameraKey(
      makeCameraKey(Vector3D(0, 0, -1), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 0.0, 1.0, 1.0, 1)));
  const double focalBefore = MFnCamera(node("|shot|shotShape")).focalLength();
  EXPECT_FALSE(apply(document, "camera", "|shot"));
  EXPECT_EQ(MFnCamera(node("|shot|shotShape")).focalLength(), focalBefore);
}

}  // namespace
