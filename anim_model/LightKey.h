#pragma once

#include <cstdint>

#include "boundary/math/Vector3D.h"

// One light key. A plain record; the track that holds it owns it. The start values are those a
// key keeps for every field the capture of its light kind does not set.
struct LightKey {
  // Light types as stored in `type`.
  static constexpr std::uint8_t kDirectional = 1;
  static constexpr std::uint8_t kPoint = 2;
  static constexpr std::uint8_t kSpot = 3;

  std::int32_t frame = 0;
  std::uint8_t type = kPoint;
  // Colour channels, 0 to 255.
  std::uint8_t red = 32;
  std::uint8_t green = 32;
  std::uint8_t blue = 32;
  // Point and spot light: the light's place. Directional light: the direction toward the light.
  Vector3D position{1.0, 1.0, 1.0};
  // Spot light: a point one unit along the beam.
  Vector3D target{0.0, 0.0, 0.0};
  double intensity = 0.25;
  // Spot light: half the cone angle and the penumbra angle, in radians.
  double coneHalfAngle = 1.0;
  double penumbraAngle = 1.1;
  // Carried through files unchanged; nothing interprets it.
  double reserved = 10.0;
};
