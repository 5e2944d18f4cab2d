// The light arithmetic of the capture and the import over plain values: the key a capture fills
// for each kind of light, colour bytes, and the transform and colour an import sets from a key.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "AnimSamples.h"
#include "anim_model/KeyValidity.h"
#include "anim_model/LightGeometry.h"

namespace {

constexpr double kTolerance = 1e-12;
const double kQuarterTurn = std::acos(0.0);

// A transform's matrix (translated, turned, and possibly scaled) and its rotation alone, as the
// capture adapter reads them.
LightSample sampleAt(std::uint8_t type, const Vector3D& translation, const Matrix3D& rotation,
                     double scale = 1.0) {
  LightSample light;
  light.type = type;
  const Matrix3D scaling(scale, 0, 0, 0, 0, scale, 0, 0, 0, 0, scale, 0, 0, 0, 0, 1);
  light.matrix = Matrix3D::shift(translation) * rotation * scaling;
  light.rotation = rotation;
  return light;
}

TEST(LightGeometryTest, EachKindOfLightStoresItsPlacementAndKeepsTheFieldsItDoesNotUse) {
  const Matrix3D none;
  const Matrix3D quarterAboutX = Matrix3D::rot(Vector3D(1, 0, 0), kQuarterTurn);
  const Matrix3D quarterAboutY = Matrix3D::rot(Vector3D(0, 1, 0), kQuarterTurn);
  struct Case {
    const char* what;
    LightSample light;
    std::uint8_t type;
    Vector3D position;
    Vector3D target;
  };
  const LightKey start;
  const Case cases[] = {
      {"point light", sampleAt(LightKey::kPoint, Vector3D(1, 2, 3), none), LightKey::kPoint,
       Vector3D(1, 2, 3), start.target},
      {"turned, scaled point light",
       sampleAt(LightKey::kPoint, Vector3D(1, 2, 3), quarterAboutX, 4), LightKey::kPoint,
       Vector3D(1, 2, 3), start.target},
      // A directional light stores where its local +z points; its translation does not matter.
      {"directional light", sampleAt(LightKey::kDirectional, Vector3D(7, 8, 9), none),
       LightKey::kDirectional, Vector3D(0, 0, 1), start.target},
      {"directional light turned about x",
       sampleAt(LightKey::kDirectional, Vector3D(7, 8, 9), quarterAboutX), LightKey::kDirectional,
       Vector3D(0, -1, 0), start.target},
      {"scaled directional light", sampleAt(LightKey::kDirectional, Vector3D(), quarterAboutX, 2),
       LightKey::kDirectional, Vector3D(0, -1, 0), start.target},
      // A spot light's target is one unit along its beam, local -z.
      {"spot light", sampleAt(LightKey::kSpot, Vector3D(0, 5, 0), none), LightKey::kSpot,
       Vector3D(0, 5, 0), Vector3D(0, 5, -1)},
      {"spot light turned about y", sampleAt(LightKey::kSpot, Vector3D(1, 2, 3), quarterAboutY),
       LightKey::kSpot, Vector3D(1, 2, 3), Vector3D(0, 2, 3)},
      {"scaled spot light", sampleAt(LightKey::kSpot, Vector3D(1, 2, 3), none, 3), LightKey::kSpot,
       Vector3D(1, 2, 3), Vector3D(1, 2, 2)},
  };
  for (const Case& c : cases) {
    LightKey key;
    LightSample light = c.light;
    light.red = 1.0f;
    light.green = 0.5f;
    light.intensity = 0.75f;
    light.coneAngle = 0.8;
    light.penumbraAngle = 0.1;
    fillLightKey(key, light, 12);
    EXPECT_EQ(key.frame, 12) << c.what;
    EXPECT_EQ(key.type, c.type) << c.what;
    expectVectorNear(key.position, c.position, kTolerance, c.what);
    expectVectorNear(key.target, c.target, kTolerance, c.what);
    EXPECT_EQ(key.red, 255) << c.what;
    EXPECT_EQ(key.green, 127) << c.what;
    EXPECT_EQ(key.blue, 0) << c.what;
    EXPECT_EQ(key.intensity, 0.75) << c.what;
    if (c.type == LightKey::kSpot) {
      EXPECT_EQ(key.coneHalfAngle, 0.4) << c.what;
      EXPECT_EQ(key.penumbraAngle, 0.1) << c.what;
    } else {
      EXPECT_EQ(key.coneHalfAngle, start.coneHalfAngle) << c.what;
      EXPECT_EQ(key.penumbraAngle, start.penumbraAngle) << c.what;
    }
    EXPECT_EQ(key.reserved, start.reserved) << c.what;
    EXPECT_EQ(lightKeyFault(key), nullptr) << c.what;
  }
}

TEST(LightGeometryTest, ColourChannelsBecomeBytesTruncatedAndHeldAtTheirEnds) {
  struct Case {
    float component;
    std::uint8_t byte;
  };
  const Case cases[] = {
      {0.0f, 0},  {1.0f, 255},  {0.5f, 127}, {0.999f, 254},      {2.5f, 255},
      {-1.0f, 0}, {1e30f, 255}, {-0.0f, 0},  {std::nanf(""), 0}, {1.0f / 255.0f, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(colourByte(c.component), c.byte) << c.component;
}

TEST(LightGeometryTest, EveryColourByteSurvivesAnImportAndACapture) {
  for (unsigned byte = 0; byte < 256; ++byte) {
    LightKey key;
    key.red = key.green = key.blue = static_cast<std::uint8_t>(byte);
    const LightAppearance appearance = lightAppearance(key);
    EXPECT_EQ(colourByte(appearance.red), byte);
    EXPECT_EQ(appearance.red, appearance.green);
    EXPECT_EQ(appearance.red, appearance.blue);
    EXPECT_EQ(appearance.alpha, 1.0f);
  }
  LightKey key;
  key.intensity = 0.1;
  EXPECT_EQ(lightAppearance(key).intensity, 0.1f);
}

TEST(LightGeometryTest, AnImportTurnsLocalZOntoTheStoredDirection) {
  const Vector3D directions[] = {
      Vector3D(0, 0, 1),  Vector3D(0, 0, -1),     Vector3D(1, 0, 0),
      Vector3D(0, -1, 0), Vector3D(0.6, 0, -0.8), Vector3D(1e-9, 0, -1),
  };
  for (const Vector3D& direction : directions) {
    const std::string what = "direction (" + std::to_string(direction.x) + ", " +
                             std::to_string(direction.y) + ", " + std::to_string(direction.z) + ")";
    const Vector3D unit = direction.normalised();

    LightKey directional;
    directional.type = LightKey::kDirectional;
    directional.position = direction;
    const Matrix3D turn = directionalLightTransform(directional);
    expectVectorNear(turn.rotateVector(Vector3D(0, 0, 1)), unit, kTolerance, what);
    EXPECT_EQ(turn.get_shift(), Vector3D()) << what;
    // A pure rotation: the frame stays orthonormal.
    EXPECT_NEAR(turn.rotateVector(Vector3D(1, 0, 0)).length(), 1.0, kTolerance) << what;
    EXPECT_NEAR(turn.rotateVector(Vector3D(0, 1, 0)).dot(unit), 0.0, kTolerance) << what;

    LightKey spot;
    spot.type = LightKey::kSpot;
    spot.position = Vector3D(1, 2, 3);
    spot.target = spot.position - direction;
    const Matrix3D placed = spotLightTransform(spot);
    expectVectorNear(placed.rotateVector(Vector3D(0, 0, 1)), unit, kTolerance, what);
    EXPECT_EQ(placed.get_shift(), spot.position) << what;
  }

  LightKey point;
  point.position = Vector3D(-4, 5, 6);
  EXPECT_EQ(pointLightTransform(point), Matrix3D::shift(Vector3D(-4, 5, 6)));

  LightKey spot;
  spot.coneHalfAngle = 0.4;
  EXPECT_EQ(spotConeAngle(spot), 0.8);
}

// The transform an import sets, read back by a capture, gives the key it came from.
TEST(LightGeometryTest, AnAppliedKeyCapturesAsTheSameKey) {
  LightKey directional;
  directional.type = LightKey::kDirectional;
  directional.position = Vector3D(0.0, 0.6, -0.8);
  LightKey point;
  point.type = LightKey::kPoint;
  point.position = Vector3D(3, -2, 1);
  LightKey spot;
  spot.type = LightKey::kSpot;
  spot.position = Vector3D(3, -2, 1);
  spot.target = Vector3D(3.48, -2.6, 1.64);  // one unit along (0.48, -0.6, 0.64)

  struct Case {
    const char* what;
    LightKey key;
    Matrix3D (*transform)(const LightKey&);
  };
  const Case cases[] = {
      {"directional", directional, directionalLightTransform},
      {"point", point, pointLightTransform},
      {"spot", spot, spotLightTransform},
  };
  for (const Case& c : cases) {
    LightSample light;
    light.type = c.key.type;
    light.matrix = c.transform(c.key);
    light.rotation = light.matrix.get_rotate();
    LightKey captured;
    fillLightKey(captured, light, 0);
    expectVectorNear(captured.position, c.key.position, kTolerance, c.what);
    expectVectorNear(captured.target, c.key.target, kTolerance, c.what);
  }
}

}  // namespace
