// Camera placement, default cameras, and function sets that attach only to their kind.
#include <maya/MFnAmbientLight.h>
#include <maya/MFnCamera.h>
#include <maya/MFnNonExtendedLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>

#include "SceneFixture.h"

namespace {

class CameraTest : public SceneTest {};

TEST_F(CameraTest, CameraTurnedAboutYLooksDownNegativeX) {
  auto t = make("transform", "cam1");
  auto s = make("camera", "camShape1", t);
  set(t, "rotateY", deg(90));
  set(t, "translateZ", 3.0);
  MFnCamera fn(object(s));
  EXPECT_TRUE(fn.eyePoint(MSpace::kWorld).isEquivalent(MPoint(0, 0, 3), 1e-12));
  EXPECT_TRUE(fn.viewDirection(MSpace::kWorld).isEquivalent(MVector(-1, 0, 0), 1e-12));
  EXPECT_TRUE(fn.upDirection(MSpace::kWorld).isEquivalent(MVector(0, 1, 0), 1e-12));
  // Object space is the camera's own frame.
  EXPECT_TRUE(fn.viewDirection().isEquivalent(MVector(0, 0, -1)));
}

TEST_F(CameraTest, CameraTurnedDownAboutXHasUpAlongNegativeZ) {
  auto group = make("transform", "rig");
  auto t = make("transform", "cam1", group);
  auto s = make("camera", "", t);
  set(group, "translateX", 2.0);
  set(t, "rotateX", deg(-90));
  MFnCamera fn(object(s));
  EXPECT_TRUE(fn.viewDirection(MSpace::kWorld).isEquivalent(MVector(0, -1, 0), 1e-12));
  EXPECT_TRUE(fn.upDirection(MSpace::kWorld).isEquivalent(MVector(0, 0, -1), 1e-12));
  EXPECT_TRUE(fn.eyePoint(MSpace::kWorld).isEquivalent(MPoint(2, 0, 0), 1e-12));
  EXPECT_EQ(fn.name(), MString("camShape1"));
}

TEST_F(CameraTest, DefaultPerspCameraLooksAtTheOrigin) {
  MFnCamera fn(path("persp"));  // a transform's path extends to its camera shape
  ASSERT_EQ(fn.name(), MString("perspShape"));
  MPoint eye = fn.eyePoint(MSpace::kWorld);
  EXPECT_TRUE(eye.isEquivalent(MPoint(28, 21, 28), 1e-9));
  MVector toOrigin = (MPoint::origin - eye).normal();
  EXPECT_TRUE(fn.viewDirection(MSpace::kWorld).isEquivalent(toOrigin, 1e-6));
  EXPECT_FALSE(fn.isOrtho());
  EXPECT_DOUBLE_EQ(fn.focalLength(), 35.0);
  EXPECT_NEAR(fn.aspectRatio(), 1.41732 / 0.94488, 1e-12);
}

TEST_F(CameraTest, DefaultOrthographicCamerasFaceTheirAxes) {
  struct Expect {
    const char* name;
    MVector view;
  } cams[] = {
      {"top", MVector(0, -1, 0)}, {"front", MVector(0, 0, -1)}, {"side", MVector(-1, 0, 0)}};
  for (const auto& c : cams) {
    MFnCamera fn(path(c.name));
    EXPECT_TRUE(fn.isOrtho()) << c.name;
    EXPECT_TRUE(fn.viewDirection(MSpace::kWorld).isEquivalent(c.view, 1e-9)) << c.name;
    EXPECT_NEAR((fn.eyePoint(MSpace::kWorld) - MPoint::origin).length(), 1000.1, 1e-9);
  }
}

TEST_F(CameraTest, ZUpSwitchTurnsDefaultCamerasLikeTheHost) {
  MGlobal::setZAxisUp();
  MFnCamera persp(path("persp"));
  EXPECT_TRUE(persp.eyePoint(MSpace::kWorld).isEquivalent(MPoint(28, -28, 21), 1e-9));
  MFnCamera top(path("top"));
  EXPECT_TRUE(top.viewDirection(MSpace::kWorld).isEquivalent(MVector(0, 0, -1), 1e-9));
  EXPECT_TRUE(MGlobal::isZAxisUp());
  MGlobal::setYAxisUp();
  EXPECT_TRUE(persp.eyePoint(MSpace::kWorld).isEquivalent(MPoint(28, 21, 28), 1e-9));
}

TEST_F(CameraTest, SettersChangeWhatGettersReport) {
  MFnCamera fn(path("persp"));
  fn.setNearClippingPlane(10.0);
  fn.setFocalLength(50.0);
  fn.setHorizontalFilmAperture(2.0);
  fn.setVerticalFilmAperture(1.0);
  fn.setIsOrtho(true);
  EXPECT_DOUBLE_EQ(fn.nearClippingPlane(), 10.0);
  EXPECT_DOUBLE_EQ(fn.focalLength(), 50.0);
  EXPECT_DOUBLE_EQ(fn.aspectRatio(), 2.0);
  EXPECT_TRUE(fn.isOrtho());
  EXPECT_EQ(fn.filmFit(), MFnCamera::kFillFilmFit);
  EXPECT_TRUE(fn.setFilmFit(MFnCamera::kOverscanFilmFit));
  EXPECT_EQ(fn.filmFit(), MFnCamera::kOverscanFilmFit);
}

TEST_F(CameraTest, CameraSetRefusesLightsAndTransformsWithoutCamera) {
  auto light = make("pointLight", "");
  MStatus status;
  MFnCamera fn(object(light), &status);
  EXPECT_FALSE(status);
  EXPECT_FALSE(fn.focalLength(&status) != 0.0);
  EXPECT_FALSE(status);
  auto group = make("transform", "empty");
  MFnCamera onTransform(path(group), &status);
  EXPECT_FALSE(status);
}

TEST_F(CameraTest, NonExtendedLightSetRefusesAmbientButTakesArea) {
  MStatus status;
  auto ambient = make("ambientLight", "");
  MFnNonExtendedLight onAmbient(object(ambient), &status);
  EXPECT_FALSE(status);
  MFnAmbientLight ambientFn(object(ambient), &status);
  EXPECT_TRUE(status);
  EXPECT_TRUE(MFnLight(object(ambient), &status).intensity() == 1.0f && status);

  auto area = make("areaLight", "");
  MFnNonExtendedLight onArea(object(area), &status);
  EXPECT_TRUE(status);
  MFnPointLight pointOnArea(object(area), &status);
  EXPECT_FALSE(status);
  MFnSpotLight spotOnArea(object(area), &status);
  EXPECT_FALSE(status);
}

TEST_F(CameraTest, SpotLightReadsItsConeThroughItsTransformPath) {
  auto spot = make("spotLight", "");
  MDagPath shapePath = path(spot);
  MFnSpotLight fn(shapePath);
  EXPECT_NEAR(fn.coneAngle(), deg(40), 1e-12);
  fn.setConeAngle(0.8);
  fn.setPenumbraAngle(0.1);
  fn.setColor(MColor(1.0f, 0.5f, 0.0f));
  MFnSpotLight again(path(scene().parentOf(spot)));
  EXPECT_DOUBLE_EQ(again.coneAngle(), 0.8);
  EXPECT_DOUBLE_EQ(again.penumbraAngle(), 0.1);
  EXPECT_EQ(again.color(), MColor(1.0f, 0.5f, 0.0f, 1.0f));
  EXPECT_TRUE(shapePath.transform().hasFn(MFn::kTransform));
}

}  // namespace
