#pragma once

#include <cstdint>

#include "anim_model/LightKey.h"
#include "boundary/math/Matrix3D.h"

// The arithmetic between a host light and a light key, over plain values: the key a capture
// stores and the transform, colour and cone an import sets from a key. The host adapters copy
// the light's values in and out; nothing here calls the host.

// A light at one moment, as a capture reads it.
struct LightSample {
  // `LightKey::kDirectional`, `kPoint` or `kSpot`.
  std::uint8_t type = LightKey::kPoint;
  // Colour channels and intensity as the host gives them.
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;
  float intensity = 0.0f;
  // Spot light: the full cone angle and the penumbra angle, in radians.
  double coneAngle = 0.0;
  double penumbraAngle = 0.0;
  // The transform directly above the light, relative to its parent: its whole matrix, which
  // places the light, and its rotation alone, which aims it (a scale would otherwise stretch
  // the direction).
  Matrix3D matrix;
  Matrix3D rotation;
};

// Fills `key` for the light: type, colour, intensity, placement and, for a spot light, the cone.
// A directional light stores the direction its local +z points along; a spot light a target
// one unit along its beam (local -z). Fields the light's type does not use keep their values.
void fillLightKey(LightKey& key, const LightSample& light, std::int32_t frame);

// A colour channel as a byte: the component times 255, truncated toward zero, held in 0..255.
std::uint8_t colourByte(float component);

// The matrix of the transform above a light that an import sets for the key: a directional
// light is turned so its local +z points along the stored direction (no translation), a point
// light is moved to its position (no rotation), and a spot light is turned so its local +z
// points from the target to its position and then moved there. These are for keys that
// `lightKeyFault` passes.
Matrix3D directionalLightTransform(const LightKey& key);
Matrix3D pointLightTransform(const LightKey& key);
Matrix3D spotLightTransform(const LightKey& key);

// The colour and intensity an import sets, in the host's single precision. Each byte maps back
// to a channel that a capture turns into the same byte.
struct LightAppearance {
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;
  float alpha = 1.0f;
  float intensity = 0.0f;
};
LightAppearance lightAppearance(const LightKey& key);

// A spot light's full cone angle from the stored half angle, in radians.
double spotConeAngle(const LightKey& key);
