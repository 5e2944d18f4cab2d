// The rule for a usable key that the export, the file checker and the import share: at its
// edges (values that are finite but overflow once the import works with them) and for the keys
// the export writes.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "anim_model/KeyValidity.h"

namespace {

CameraKey soundCameraKey() {
  CameraKey key;
  key.projector.plane.setPlaneParameters(Vector3D(0, 0, -0.1), Vector3D(0, 0, -1),
                                         Vector3D(0, 1, 0));
  key.projector.window.origin = Vector2D(-0.018, -0.012);
  key.projector.window.size = Vector2D(0.036, 0.024);
  key.projector.eyeOffset = Vector3D(0, 0, 0.1);
  return key;
}

TEST(KeyValidityTest, CameraKeysNeedAPositiveEyeDistanceAndWindowAndFiniteDerivedValues) {
  EXPECT_EQ(cameraKeyFault(soundCameraKey()), nullptr);
  // The smallest normal distance still gives a finite scale for a small window.
  CameraKey smallest = soundCameraKey();
  smallest.projector.eyeOffset.z = std::numeric_limits<double>::min();
  smallest.projector.window.size = Vector2D(1e-300, 1e-300);
  EXPECT_EQ(cameraKeyFault(smallest), nullptr);

  struct Case {
    const char* what;
    void (*spoil)(CameraKey&);
  };
  const Case cases[] = {
      {"eye distance 0", [](CameraKey& k) { k.projector.eyeOffset.z = 0.0; }},
      {"negative eye distance", [](CameraKey& k) { k.projector.eyeOffset.z = -1.0; }},
      {"denormal eye distance", [](CameraKey& k) { k.projector.eyeOffset.z = 5e-324; }},
      {"zero window width", [](CameraKey& k) { k.projector.window.size.x = 0.0; }},
      {"negative window height", [](CameraKey& k) { k.projector.window.size.y = -0.024; }},
      {"infinite origin",
       [](CameraKey& k) { k.projector.plane.origin.y = std::numeric_limits<double>::infinity(); }},
      {"NaN up", [](CameraKey& k) { k.projector.plane.up.x = std::nan(""); }},
      {"eye overflows",
       [](CameraKey& k) {
         k.projector.plane.direction = Vector3D(0, 0, -1e308);
         k.projector.eyeOffset.z = 10.0;
       }},
      {"frame overflows",
       [](CameraKey& k) {
         k.projector.plane.direction = Vector3D(1e200, 0, 0);
         k.projector.plane.up = Vector3D(0, 1e200, 0);
       }},
      {"no view direction", [](CameraKey& k) { k.projector.plane.direction = Vector3D(); }},
  };
  for (const Case& c : cases) {
    CameraKey key = soundCameraKey();
    c.spoil(key);
    EXPECT_NE(cameraKeyFault(key), nullptr) << c.what;
  }
}

TEST(KeyValidityTest, LightKeysNeedValuesThatStayFiniteInTheScene) {
  LightKey point;
  EXPECT_EQ(lightKeyFault(point), nullptr);
  LightKey spot;
  spot.type = LightKey::kSpot;
  spot.position = Vector3D(1e308, 0, 0);
  spot.target = Vector3D(1e308, 0, -1);
  EXPECT_EQ(lightKeyFault(spot), nullptr);
  spot.target = Vector3D(-1e308, 0, 0);
  EXPECT_NE(lightKeyFault(spot), nullptr) << "the beam overflows";
  // A point light ignores its target; a huge but finite one is no fault there.
  point.target = spot.target;
  EXPECT_EQ(lightKeyFault(point), nullptr);
  point.intensity = 1e39;
  EXPECT_NE(lightKeyFault(point), nullptr) << "beyond single precision";
  point.intensity = 1.0;
  point.penumbraAngle = std::numeric_limits<double>::infinity();
  EXPECT_NE(lightKeyFault(point), nullptr);
  LightKey wide;
  wide.type = LightKey::kSpot;
  wide.coneHalfAngle = 1e308;
  EXPECT_NE(lightKeyFault(wide), nullptr) << "the full cone angle overflows";
}

}  // namespace
