#include "anim_import/KeyApplication.h"

#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MDistance.h>
#include <maya/MFnLight.h>
#include <maya/MFnTransform.h>
#include <maya/MObject.h>
#include <maya/MTransformationMatrix.h>

#include <cmath>

#include "anim_model/KeyValidity.h"
#include "shell/DistanceConversion.h"

namespace {

// 1/255 in single precision; a byte times this and back times 255 gives the same byte.
constexpr float kColourScale = 0.003921569f;
constexpr float kAlpha = 1.0f;
const Vector3D kReferenceAxis(0.0, 0.0, 1.0);

// The rotation that turns the light's local +z onto `direction`. Parallel gives the identity;
// opposite gives a half turn about an axis perpendicular to z (the geometry library's rule for
// a zero axis), so a light pointing exactly along -z still gets a sound matrix.
//
// The angle stays in double precision: narrowing it to single precision would move the stored
// direction by up to 1e-7 radians on every import.
Matrix3D rotationOntoDirection(const Vector3D& direction) {
  const double angle = kReferenceAxis ^ direction;
  if (angle == 0.0)
    return Matrix3D();
  return Matrix3D::rot(kReferenceAxis * direction, angle);
}

void applyColourAndIntensity(MFnLight& light, const LightKey& key) {
  const MColor colour(static_cast<unsigned>(key.red) * kColourScale,
                      static_cast<unsigned>(key.green) * kColourScale,
                      static_cast<unsigned>(key.blue) * kColourScale, kAlpha);
  light.setIntensity(static_cast<float>(key.intensity));
  light.setColor(colour);
}

}  // namespace

MMatrix toHostMatrix(const Matrix3D& matrix) {
  MMatrix host;
  for (unsigned i = 0; i < 4; ++i) {
    for (unsigned j = 0; j < 4; ++j)
      host(i, j) = matrix.m[j][i];
  }
  return host;
}

void setParentTransform(const MFnDagNode& shape, const Matrix3D& matrix) {
  MDagPath path;
  shape.getPath(path);
  MObject transformNode = path.transform();
  MFnTransform transform(transformNode);
  transform.set(MTransformationMatrix(toHostMatrix(matrix)));
}

void applyCameraKey(MFnCamera& camera, const CameraKey& key) {
  const ProjectorInfo& p = key.projector;
  const Vector3D& planePoint = p.plane.getPlaneOrigin();
  const Vector3D& view = p.plane.getPlaneDirection();
  const Vector3D& up = p.plane.getPlaneUp();
  const double d = p.eyeOffset.z;

  // The host camera looks down its local -z with local +y up: local x goes to (-U) x V,
  // local z to -V, and the origin to the eye, d behind the viewing plane.
  const Vector3D eye = planePoint - Vector3D(d * view.x, d * view.y, d * view.z);
  setParentTransform(camera, Matrix3D::hmtr((-up) * view, -view, eye));

  // The film back at 3.5 cm with the window scaled by the same factor keeps the field of view
  // of the stored window.
  const double s = kImportedFocalDistance / d;
  camera.setNearClippingPlane(d);
  camera.setFocalLength(convertDistance(s * d, MDistance::kCentimeters, MDistance::kMillimeters));
  camera.setHorizontalFilmAperture(
      convertDistance(p.window.size.x * s, MDistance::kCentimeters, MDistance::kInches));
  camera.setVerticalFilmAperture(
      convertDistance(p.window.size.y * s, MDistance::kCentimeters, MDistance::kInches));
  camera.setIsOrtho(p.perspective == 0);
}

void applyDirectionalLightKey(MFnDirectionalLight& light, const LightKey& key) {
  setParentTransform(light, rotationOntoDirection(key.position));
  applyColourAndIntensity(light, key);
}

void applyPointLightKey(MFnPointLight& light, const LightKey& key) {
  setParentTransform(light, Matrix3D::shift(key.position));
  applyColourAndIntensity(light, key);
}

void applySpotLightKey(MFnSpotLight& light, const LightKey& key) {
  const Vector3D beam = key.position - key.target;
  // Rotation first, then the translation.
  setParentTransform(light, Matrix3D::shift(key.position) * rotationOntoDirection(beam));
  light.setConeAngle(2.0 * key.coneHalfAngle);
  light.setPenumbraAngle(key.penumbraAngle);
  applyColourAndIntensity(light, key);
}
