#include "anim_model/LightGeometry.h"

namespace {

const Vector3D kLocalZ(0.0, 0.0, 1.0);

// 1/255 in single precision; a byte times this and back times 255 gives the same byte.
constexpr float kColourScale = 0.003921569f;

// The rotation that turns the light's local +z onto `direction`. Parallel gives the identity;
// opposite gives a half turn about an axis perpendicular to z (the geometry library's rule for
// a zero axis), so a light pointing exactly along -z still gets a sound matrix.
//
// The angle stays in double precision: narrowing it to single precision would move the stored
// direction by up to 1e-7 radians on every import.
Matrix3D rotationOntoDirection(const Vector3D& direction) {
  const double angle = kLocalZ ^ direction;
  if (angle == 0.0)
    return Matrix3D();
  return Matrix3D::rot(kLocalZ * direction, angle);
}

float channel(std::uint8_t byte) {
  return static_cast<unsigned>(byte) * kColourScale;
}

}  // namespace

std::uint8_t colourByte(float component) {
  const double scaled = static_cast<double>(component) * static_cast<double>(255.0f);
  if (!(scaled > 0.0))
    return 0;
  if (scaled >= 255.0)
    return 255;
  return static_cast<std::uint8_t>(scaled);
}

void fillLightKey(LightKey& key, const LightSample& light, std::int32_t frame) {
  key.frame = frame;
  key.red = colourByte(light.red);
  key.green = colourByte(light.green);
  key.blue = colourByte(light.blue);
  key.intensity = static_cast<double>(light.intensity);
  key.type = light.type;
  switch (light.type) {
    case LightKey::kDirectional:
      key.position = light.rotation * kLocalZ;
      break;
    case LightKey::kSpot: {
      key.coneHalfAngle = light.coneAngle * 0.5;
      key.penumbraAngle = light.penumbraAngle;
      key.position = light.matrix.get_shift();
      const Vector3D d = light.rotation * kLocalZ;
      key.target = Vector3D(key.position.x - d.x, key.position.y - d.y, key.position.z - d.z);
      break;
    }
    default:
      key.position = light.matrix.get_shift();
      break;
  }
}

Matrix3D directionalLightTransform(const LightKey& key) {
  return rotationOntoDirection(key.position);
}

Matrix3D pointLightTransform(const LightKey& key) {
  return Matrix3D::shift(key.position);
}

Matrix3D spotLightTransform(const LightKey& key) {
  const Vector3D beam = key.position - key.target;
  // Rotation first, then the translation.
  return Matrix3D::shift(key.position) * rotationOntoDirection(beam);
}

LightAppearance lightAppearance(const LightKey& key) {
  LightAppearance appearance;
  appearance.red = channel(key.red);
  appearance.green = channel(key.green);
  appearance.blue = channel(key.blue);
  appearance.intensity = static_cast<float>(key.intensity);
  return appearance;
}

double spotConeAngle(const LightKey& key) {
  return 2.0 * key.coneHalfAngle;
}
