// Light keys: kind, placement by the light's own transform, cone, colour and intensity, and
// the lights that get no keys.

#include <gtest/gtest.h>

#include <string>

#include "ExportHarness.h"

namespace {

constexpr double kTolerance = 1e-9;

class LightCaptureTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    setRenderRange(1, 1, 1);
  }

  // The single key of the named light after an export.
  LightKey captured(const std::string& name) {
    auto document = exportAndRead();
    if (document == nullptr)
      return LightKey();
    const VXRAnimation_Light* track = lightTrack(*document, name);
    if (track == nullptr || track->keyCount() != 1) {
      ADD_FAILURE() << name << " has no single key";
      return LightKey();
    }
    return *track->key(0);
  }

  static void expectVector(const Vector3D& actual, double x, double y, double z, double tol) {
    EXPECT_NEAR(actual.x, x, tol);
    EXPECT_NEAR(actual.y, y, tol);
    EXPECT_NEAR(actual.z, z, tol);
  }
};

TEST_F(LightCaptureTest, APointLightIsPlacedAtItsTranslation) {
  ASSERT_TRUE(
      melScript("pointLight -n pl; setAttr pl.translate 1 2 3; setAttr plShape.intensity 0.75;"));
  const LightKey key = captured("|pl|plShape");
  EXPECT_EQ(key.type, LightKey::kPoint);
  expectVector(key.position, 1, 2, 3, kTolerance);
  expectVector(key.target, 0, 0, 0, 0.0);
  EXPECT_DOUBLE_EQ(key.intensity, 0.75);
  EXPECT_EQ(key.coneHalfAngle, 1.0);
  EXPECT_EQ(key.penumbraAngle, 1.1);
  EXPECT_EQ(key.reserved, 10.0);
  EXPECT_EQ(key.frame, 1);
}

TEST_F(LightCaptureTest, ADirectionalLightStoresTheDirectionTowardTheLight) {
  ASSERT_TRUE(melScript("directionalLight -n dl; setAttr dl.translate 5 6 7;"));
  expectVector(captured("|dl|dlShape").position, 0, 0, 1, kTolerance);
  ASSERT_TRUE(melScript("setAttr dl.rotateX 90;"));
  const LightKey key = captured("|dl|dlShape");
  EXPECT_EQ(key.type, LightKey::kDirectional);
  // Its translation does not matter.
  expectVector(key.position, 0, -1, 0, kTolerance);
  expectVector(key.target, 0, 0, 0, 0.0);
}

TEST_F(LightCaptureTest, ASpotLightStoresItsPlaceATargetAlongTheBeamAndItsCone) {
  ASSERT_TRUE(
      melScript("spotLight -n sp; setAttr sp.translate 0 5 0;"
                "currentUnit -angle rad;"
                "setAttr spShape.coneAngle 0.8; setAttr spShape.penumbraAngle 0.1;"
                "currentUnit -angle deg;"));
  const LightKey key = captured("|sp|spShape");
  EXPECT_EQ(key.type, LightKey::kSpot);
  expectVector(key.position, 0, 5, 0, kTolerance);
  expectVector(key.target, 0, 5, -1, kTolerance);
  EXPECT_NEAR(key.coneHalfAngle, 0.4, 1e-7);
  EXPECT_NEAR(key.penumbraAngle, 0.1, 1e-7);
}

TEST_F(LightCaptureTest, ATurnedSpotLightAimsItsTargetAlongItsBeam) {
  ASSERT_TRUE(melScript("spotLight -n sp; setAttr sp.translate 1 2 3; setAttr sp.rotateY 90;"));
  const LightKey key = captured("|sp|spShape");
  // Turned +90 degrees about y, local -z points along world -x.
  expectVector(key.target, 0, 2, 3, kTolerance);
}

// A scale sizes a light's icon, not its beam: the direction stays of unit length and the target
// one unit along the beam, whatever the scale, also an uneven one.
TEST_F(LightCaptureTest, AScaledTransformLeavesTheDirectionAndTargetAtUnitDistance) {
  ASSERT_TRUE(
      melScript("directionalLight -n dl; setAttr dl.scale 2 2 2;"
                "spotLight -n sp; setAttr sp.translate 1 2 3; setAttr sp.scale 3 0.5 3;"));
  auto document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Light* directional = lightTrack(*document, "|dl|dlShape");
  const VXRAnimation_Light* spot = lightTrack(*document, "|sp|spShape");
  ASSERT_TRUE(directional != nullptr && directional->keyCount() == 1);
  ASSERT_TRUE(spot != nullptr && spot->keyCount() == 1);
  expectVector(directional->key(0)->position, 0, 0, 1, kTolerance);
  expectVector(spot->key(0)->position, 1, 2, 3, kTolerance);
  expectVector(spot->key(0)->target, 1, 2, 2, kTolerance);

  ASSERT_TRUE(
      melScript("setAttr dl.rotateX 90; setAttr sp.rotateY 90; setAttr sp.scale 0.25 4 2;"));
  document = exportAndRead();
  ASSERT_NE(document, nullptr);
  expectVector(lightTrack(*document, "|dl|dlShape")->key(0)->position, 0, -1, 0, kTolerance);
  expectVector(lightTrack(*document, "|sp|spShape")->key(0)->target, 0, 2, 3, kTolerance);
}

TEST_F(LightCaptureTest, ColourChannelsBecomeBytesTruncatedAndClamped) {
  ASSERT_TRUE(melScript("pointLight -n pl; setAttr plShape.color -type double3 1 0.5 0;"));
  LightKey key = captured("|pl|plShape");
  EXPECT_EQ(key.red, 255);
  EXPECT_EQ(key.green, 127);
  EXPECT_EQ(key.blue, 0);
  // Beyond 0..1 the byte holds at its ends instead of wrapping around.
  ASSERT_TRUE(melScript("setAttr plShape.color -type double3 2.5 -1 0.999;"));
  key = captured("|pl|plShape");
  EXPECT_EQ(key.red, 255);
  EXPECT_EQ(key.green, 0);
  EXPECT_EQ(key.blue, 254);
}

TEST_F(LightCaptureTest, ALightUnderATranslatedGroupIsPlacedByItsOwnTransformOnly) {
  ASSERT_TRUE(
      melScript("group -em -n rig; setAttr rig.translate 10 20 30; setAttr rig.rotateX 45;"
                "pointLight -n pl; parent pl rig; setAttr pl.translate 1 2 3;"));
  expectVector(captured("|rig|pl|plShape").position, 1, 2, 3, kTolerance);
}

TEST_F(LightCaptureTest, AmbientAndAreaLightsHaveTracksWithoutKeys) {
  ASSERT_TRUE(
      melScript("ambientLight -n amb; createNode areaLight -n areaShape; pointLight -n pl;"));
  setRenderRange(1, 3, 1);
  auto document = exportAndRead();
  ASSERT_NE(document, nullptr);
  const VXRAnimation_Light* ambient = lightTrack(*document, "|amb|ambShape");
  const VXRAnimation_Light* area = lightTrack(*document, "|area|areaShape");
  const VXRAnimation_Light* point = lightTrack(*document, "|pl|plShape");
  ASSERT_NE(ambient, nullptr);
  ASSERT_NE(area, nullptr);
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(ambient->keyCount(), 0);
  EXPECT_EQ(area->keyCount(), 0);
  EXPECT_EQ(keyFrames(*point), (std::vector<int>{1, 2, 3}));
}

}  // namespace
