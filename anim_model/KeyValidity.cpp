#include "anim_model/KeyValidity.h"

#include <cmath>
#include <limits>

namespace {

bool isFinite(const Vector3D& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool isFinite(const Vector2D& v) {
  return std::isfinite(v.x) && std::isfinite(v.y);
}

bool fitsFloat(double value) {
  return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

}  // namespace

const char* cameraKeyFault(const CameraKey& key) {
  const ProjectorInfo& p = key.projector;
  if (!isFinite(p.plane.origin) || !isFinite(p.plane.direction) || !isFinite(p.plane.up) ||
      !isFinite(p.window.origin) || !isFinite(p.window.size) || !isFinite(p.eyeOffset))
    return "holds a value that is not finite";
  const double d = p.eyeOffset.z;
  if (!(d > 0.0))
    return "has an eye distance (near clipping plane) that is not above 0";
  if (!(p.window.size.x > 0.0) || !(p.window.size.y > 0.0))
    return "has a window whose width or height is not above 0";
  // The import scales the window by the focal distance over the eye distance.
  const double s = kImportedFocalDistance / d;
  if (!std::isfinite(s) || !std::isfinite(s * d) || !std::isfinite(p.window.size.x * s) ||
      !std::isfinite(p.window.size.y * s))
    return "has an eye distance too small for its window";
  const Vector3D& v = p.plane.direction;
  const Vector3D eye = p.plane.origin - Vector3D(d * v.x, d * v.y, d * v.z);
  if (!isFinite(eye))
    return "places the eye at a point that is not finite";
  const Vector3D side = (-p.plane.up) * v;
  if (!isFinite(side) || !(v.length() > 0.0))
    return "has view and up directions that give no camera frame";
  return nullptr;
}

const char* lightKeyFault(const LightKey& key) {
  if (!isFinite(key.position) || !isFinite(key.target) || !std::isfinite(key.coneHalfAngle) ||
      !std::isfinite(key.penumbraAngle) || !std::isfinite(key.intensity))
    return "holds a value that is not finite";
  if (!fitsFloat(key.intensity))
    return "has an intensity too large for the light";
  if (key.type == LightKey::kSpot) {
    if (!isFinite(key.position - key.target))
      return "has a beam from its position to its target that is not finite";
    if (!std::isfinite(2.0 * key.coneHalfAngle))
      return "has a cone angle that is not finite";
  }
  return nullptr;
}
