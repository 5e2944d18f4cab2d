// The camera arithmetic of the capture and the import over plain values: the film-back window
// for each film fit, the settings that make a camera uncapturable, the key a capture fills and
// the camera an import sets up from a key.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "AnimSamples.h"
#include "anim_model/CameraGeometry.h"
#include "anim_model/KeyValidity.h"

namespace {

constexpr double kTolerance = 1e-7;
constexpr double kCentimetresPerInch = 2.54;

// A 35 mm lens on a 1.417 × 0.945 inch film back, near clip 0.1, fill fit.
CameraLens filmLens() {
  CameraLens lens;
  lens.aspectRatio = 1.417 / 0.945;
  lens.horizontalFilmAperture = 1.417 * kCentimetresPerInch;
  lens.verticalFilmAperture = 0.945 * kCentimetresPerInch;
  lens.focalLength = 3.5;
  lens.nearClippingPlane = 0.1;
  return lens;
}

CameraSample filmCamera() {
  CameraSample camera;
  camera.lens = filmLens();
  camera.eye = Vector3D(1.0, 2.0, 3.0);
  camera.view = Vector3D(0.0, 0.0, -1.0);
  camera.up = Vector3D(0.0, 1.0, 0.0);
  return camera;
}

TEST(CameraGeometryTest, EachFilmFitCutsTheWindowItsRuleGives) {
  struct Case {
    const char* what;
    FilmFit fit;
    double imageAspect;
    double filmFitOffset;
    FilmBack expected;
  };
  const double filmAspect = filmLens().aspectRatio;
  const Case cases[] = {
      // The image is narrower than the film: fill keeps the height and crops the width.
      {"fill, 4:3 image", FilmFit::kFill, 4.0 / 3.0, 0.0, {-0.04572, 0.04572, -0.03429, 0.03429}},
      // The height grows past the film; the offset slides the window down.
      {"horizontal, 1:1 image, offset 0.5",
       FilmFit::kHorizontal,
       1.0,
       0.5,
       {-0.0514169, 0.0514169, -0.0599803, 0.0428534}},
      // The image is wider than the film: the height shrinks and the offset is not used.
      {"horizontal, 2:1 image, offset 0.5",
       FilmFit::kHorizontal,
       2.0,
       0.5,
       {-0.0514169, 0.0514169, -0.0257084, 0.0257084}},
      {"vertical, 1:1 image, offset 0.5",
       FilmFit::kVertical,
       1.0,
       0.5,
       {-0.03429, 0.03429, -0.03429, 0.03429}},
      {"vertical, 2:1 image, offset 0.5",
       FilmFit::kVertical,
       2.0,
       0.5,
       {-0.0771616, 0.0599984, -0.03429, 0.03429}},
      {"overscan, 2:1 image", FilmFit::kOverscan, 2.0, 0.0, {-0.06858, 0.06858, -0.03429, 0.03429}},
      {"overscan, 4:3 image",
       FilmFit::kOverscan,
       4.0 / 3.0,
       0.0,
       {-0.0514169, 0.0514169, -0.0385626, 0.0385626}},
      // At the film's own aspect ratio fill and overscan agree, both factors being 1.
      {"fill at the film aspect",
       FilmFit::kFill,
       filmAspect,
       0.0,
       {-0.0514169, 0.0514169, -0.03429, 0.03429}},
      {"overscan at the film aspect",
       FilmFit::kOverscan,
       filmAspect,
       0.0,
       {-0.0514169, 0.0514169, -0.03429, 0.03429}},
      {"no fit, 2:1 image", FilmFit::kNone, 2.0, 0.5, {-0.0514169, 0.0514169, -0.03429, 0.03429}},
  };
  for (const Case& c : cases) {
    CameraLens lens = filmLens();
    lens.filmFit = c.fit;
    lens.filmFitOffset = c.filmFitOffset;
    const FilmBack back = computeFilmBack(c.imageAspect, lens);
    EXPECT_NEAR(back.left, c.expected.left, kTolerance) << c.what;
    EXPECT_NEAR(back.right, c.expected.right, kTolerance) << c.what;
    EXPECT_NEAR(back.bottom, c.expected.bottom, kTolerance) << c.what;
    EXPECT_NEAR(back.top, c.expected.top, kTolerance) << c.what;
  }
}

TEST(CameraGeometryTest, CameraScaleAndFilmOffsetsMoveTheWholeWindow) {
  CameraLens scaled = filmLens();
  scaled.cameraScale = 2.0;
  const FilmBack doubled = computeFilmBack(4.0 / 3.0, scaled);
  EXPECT_NEAR(doubled.left, -0.09144, kTolerance);
  EXPECT_NEAR(doubled.top, 0.06858, kTolerance);

  // 0.1 inch right and 0.05 inch down, scaled onto the near plane like the film back.
  CameraLens offset = filmLens();
  offset.horizontalFilmOffset = 0.1 * kCentimetresPerInch;
  offset.verticalFilmOffset = -0.05 * kCentimetresPerInch;
  const FilmBack moved = computeFilmBack(4.0 / 3.0, offset);
  EXPECT_NEAR(moved.left, -0.0384629, kTolerance);
  EXPECT_NEAR(moved.right, 0.0529771, kTolerance);
  EXPECT_NEAR(moved.bottom, -0.0379186, kTolerance);
  EXPECT_NEAR(moved.top, 0.0306614, kTolerance);
}

TEST(CameraGeometryTest, TheWindowTakesTheImageAspectFromTheWholePixelCounts) {
  ImageSize image;
  image.width = 640;
  image.height = 480;
  const FilmWindow window = computeFilmWindow(filmLens(), image);
  EXPECT_EQ(window.nearDistance, 0.1);
  EXPECT_NEAR(window.origin.x, -0.04572, kTolerance);
  EXPECT_NEAR(window.origin.y, -0.03429, kTolerance);
  EXPECT_NEAR(window.size.x, 0.09144, kTolerance);
  EXPECT_NEAR(window.size.y, 0.06858, kTolerance);

  // The aspect ratio is divided in floating point: a 3 × 2 image (whose whole-number quotient
  // is 1) gets a wider overscan window than a 1 × 1 image.
  image.width = 3;
  image.height = 2;
  CameraLens lens = filmLens();
  lens.filmFit = FilmFit::kOverscan;
  const double wide = computeFilmWindow(lens, image).size.x;
  image.width = 1;
  image.height = 1;
  EXPECT_GT(wide, computeFilmWindow(lens, image).size.x);
}

TEST(CameraGeometryTest, SettingsThatGiveNoUsableWindowAreNamed) {
  struct Case {
    const char* expected;
    void (*spoil)(CameraSample&, ImageSize&);
  };
  const Case cases[] = {
      {"the image height in Render Globals is 0",
       [](CameraSample&, ImageSize& i) { i.height = 0; }},
      {"its focal length is 0", [](CameraSample& c, ImageSize&) { c.lens.focalLength = 0.0; }},
      {"its camera aspect ratio is 0",
       [](CameraSample& c, ImageSize&) { c.lens.aspectRatio = 0.0; }},
      {"its film back gives a window that is not finite",
       [](CameraSample& c, ImageSize&) { c.lens.focalLength = 1e-320; }},
      {"its film back gives a window that is not finite",
       [](CameraSample& c, ImageSize&) { c.lens.verticalFilmAperture = std::nan(""); }},
      {"its near clipping plane is not above 0",
       [](CameraSample& c, ImageSize&) { c.lens.nearClippingPlane = 0.0; }},
      {"its near clipping plane is not above 0",
       [](CameraSample& c, ImageSize&) { c.lens.nearClippingPlane = -0.1; }},
      // Finite windows the import would still refuse.
      {"its key has an eye distance too small for its window",
       [](CameraSample& c, ImageSize&) { c.lens.nearClippingPlane = 1e-320; }},
      {"its key has a window whose width or height is not above 0",
       [](CameraSample& c, ImageSize&) { c.lens.cameraScale = -1.0; }},
      {"its key holds a value that is not finite",
       [](CameraSample& c, ImageSize&) { c.eye.x = std::numeric_limits<double>::infinity(); }},
      {"its key has view and up directions that give no camera frame",
       [](CameraSample& c, ImageSize&) { c.view = Vector3D(); }},
  };
  ImageSize image;
  image.width = 640;
  image.height = 480;
  EXPECT_TRUE(uncapturableCameraSetting(filmCamera(), image).isEmpty());
  for (const Case& c : cases) {
    CameraSample camera = filmCamera();
    ImageSize spoiled = image;
    c.spoil(camera, spoiled);
    EXPECT_EQ(std::string(uncapturableCameraSetting(camera, spoiled).c_str()), c.expected);
  }
}

TEST(CameraGeometryTest, ACapturedKeyPlacesTheWindowAtTheNearDistanceAheadOfTheEye) {
  ImageSize image;
  image.width = 640;
  image.height = 480;
  struct Case {
    const char* what;
    Vector3D view;
    Vector3D up;
    bool isOrtho;
    Vector3D planeOrigin;
  };
  const Case cases[] = {
      {"looking down -z", Vector3D(0, 0, -1), Vector3D(0, 1, 0), false, Vector3D(1, 2, 2.9)},
      {"looking along +x, z up", Vector3D(1, 0, 0), Vector3D(0, 0, 1), false, Vector3D(1.1, 2, 3)},
      {"orthographic", Vector3D(0, 0, -1), Vector3D(0, 1, 0), true, Vector3D(1, 2, 2.9)},
  };
  for (const Case& c : cases) {
    CameraSample camera = filmCamera();
    camera.view = c.view;
    camera.up = c.up;
    camera.lens.isOrtho = c.isOrtho;
    CameraKey key;
    fillCameraKey(key, camera, 17, image);
    const ProjectorInfo& p = key.projector;
    EXPECT_EQ(key.frame, 17) << c.what;
    expectVectorNear(p.plane.origin, c.planeOrigin, 1e-12, c.what);
    EXPECT_EQ(p.plane.direction, c.view) << c.what;
    EXPECT_EQ(p.plane.up, c.up) << c.what;
    EXPECT_NEAR(p.window.origin.x, -0.04572, kTolerance) << c.what;
    EXPECT_NEAR(p.window.size.y, 0.06858, kTolerance) << c.what;
    EXPECT_EQ(p.eyeOffset, Vector3D(0, 0, 0.1)) << c.what;
    EXPECT_EQ(p.perspective, c.isOrtho ? 0 : 1) << c.what;
    EXPECT_EQ(p.scale, 1.0f) << c.what;
    EXPECT_EQ(p.imageWidth, 640) << c.what;
    EXPECT_EQ(p.imageHeight, 480) << c.what;
    EXPECT_EQ(cameraKeyFault(key), nullptr) << c.what;
  }
}

TEST(CameraGeometryTest, AnAppliedKeySetsAFrameAtTheEyeAndAFilmBackAtThirtyFiveMillimetres) {
  struct Case {
    const char* what;
    Vector3D planeOrigin;
    Vector3D view;
    Vector3D up;
    double eyeDistance;
    std::uint8_t perspective;
    Vector3D eye;
  };
  const Case cases[] = {
      {"looking down -z", Vector3D(0, 0, -10), Vector3D(0, 0, -1), Vector3D(0, 1, 0), 10.0, 1,
       Vector3D(0, 0, 0)},
      {"looking along +x, z up", Vector3D(5, 1, 2), Vector3D(1, 0, 0), Vector3D(0, 0, 1), 2.0, 1,
       Vector3D(3, 1, 2)},
      {"orthographic, looking up", Vector3D(0, 4, 0), Vector3D(0, 1, 0), Vector3D(0, 0, -1), 0.5, 0,
       Vector3D(0, 3.5, 0)},
  };
  for (const Case& c : cases) {
    CameraKey key;
    key.projector.plane.setPlaneParameters(c.planeOrigin, c.view, c.up);
    key.projector.window = GViewportWindowInfo(Vector2D(-4, -3), Vector2D(8, 6));
    key.projector.eyeOffset = Vector3D(0, 0, c.eyeDistance);
    key.projector.perspective = c.perspective;
    const AppliedCamera camera = appliedCamera(key);

    // The host camera looks down its local -z with local +y up.
    expectVectorNear(camera.transform.get_shift(), c.eye, 1e-12, c.what);
    expectVectorNear(camera.transform.rotateVector(Vector3D(0, 0, -1)), c.view, 1e-12, c.what);
    expectVectorNear(camera.transform.rotateVector(Vector3D(0, 1, 0)), c.up, 1e-12, c.what);
    EXPECT_EQ(camera.nearClippingPlane, c.eyeDistance) << c.what;
    EXPECT_NEAR(camera.focalLength, 3.5, 1e-12) << c.what;
    // The window scaled to the film back keeps the field of view.
    EXPECT_NEAR(camera.horizontalFilmAperture / camera.focalLength, 8.0 / c.eyeDistance, 1e-12)
        << c.what;
    EXPECT_NEAR(camera.verticalFilmAperture / camera.focalLength, 6.0 / c.eyeDistance, 1e-12)
        << c.what;
    EXPECT_EQ(camera.isOrtho, c.perspective == 0) << c.what;
  }
}

// What the import sets up from a captured key is the captured camera again: the eye, the view
// and the field of view of the fitted window.
TEST(CameraGeometryTest, ACapturedKeyAppliesAsTheCameraItCameFrom) {
  ImageSize image;
  image.width = 1920;
  image.height = 1080;
  const FilmFit fits[] = {FilmFit::kFill, FilmFit::kHorizontal, FilmFit::kVertical,
                          FilmFit::kOverscan};
  for (FilmFit fit : fits) {
    CameraSample camera = filmCamera();
    camera.lens.filmFit = fit;
    camera.lens.nearClippingPlane = 2.5;
    camera.view = Vector3D(0.6, 0.0, -0.8);
    camera.up = Vector3D(0.0, 1.0, 0.0);
    CameraKey key;
    fillCameraKey(key, camera, 0, image);
    const FilmWindow window = computeFilmWindow(camera.lens, image);
    const AppliedCamera applied = appliedCamera(key);
    const std::string what = "fit " + std::to_string(static_cast<int>(fit));
    expectVectorNear(applied.transform.get_shift(), camera.eye, 1e-12, what);
    expectVectorNear(applied.transform.rotateVector(Vector3D(0, 0, -1)), camera.view, 1e-12, what);
    EXPECT_EQ(applied.nearClippingPlane, 2.5) << what;
    EXPECT_NEAR(applied.horizontalFilmAperture / applied.focalLength, window.size.x / 2.5, 1e-12)
        << what;
    EXPECT_NEAR(applied.verticalFilmAperture / applied.focalLength, window.size.y / 2.5, 1e-12)
        << what;
  }
}

}  // namespace
