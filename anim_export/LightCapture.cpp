#include "anim_export/LightCapture.h"

#include <maya/MColor.h>
#include <maya/MFnDirectionalLight.h>
#include <maya/MFnLight.h>
#include <maya/MFnNonExtendedLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MFnTransform.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTransformationMatrix.h>

#include <cmath>
#include <new>

#include "boundary/math/Matrix3D.h"

namespace {

const Vector3D kLocalZ(0.0, 0.0, 1.0);

// A colour channel as a byte: the component times 255, truncated toward zero, held in 0..255.
std::uint8_t colourByte(float component) {
  const double scaled = static_cast<double>(component) * static_cast<double>(255.0f);
  if (!(scaled > 0.0))
    return 0;
  if (scaled >= 255.0)
    return 255;
  return static_cast<std::uint8_t>(scaled);
}

// A host matrix (row vectors) as a Matrix3D (column vectors): its transpose.
Matrix3D fromHost(const MMatrix& host) {
  return Matrix3D(host(0, 0), host(1, 0), host(2, 0), host(3, 0), host(0, 1), host(1, 1),
                  host(2, 1), host(3, 1), host(0, 2), host(1, 2), host(2, 2), host(3, 2),
                  host(0, 3), host(1, 3), host(2, 3), host(3, 3));
}

// The transform directly above the light, relative to its parent: its whole matrix, which
// places the light, and its rotation alone, which aims it (a scale would otherwise stretch the
// direction). Both are the identity when the transform cannot be read.
struct LightPlacement {
  Matrix3D matrix;
  Matrix3D rotation;
};

LightPlacement lightPlacement(const MDagPath& lightPath) {
  LightPlacement placement;
  MStatus status;
  MObject transformNode = lightPath.transform(&status);
  if (!status)
    return placement;
  MFnTransform transform(transformNode, &status);
  if (!status)
    return placement;
  const MMatrix host = transform.transformationMatrix(&status);
  if (!status)
    return placement;
  placement.matrix = fromHost(host);
  const MTransformationMatrix parts = transform.transformation(&status);
  if (status)
    placement.rotation = fromHost(parts.asRotateMatrix()).get_rotate();
  return placement;
}

}  // namespace

bool captureLight(VXRAnimation_Light& track, const MDagPath& lightPath, std::int32_t frame) {
  MStatus status;
  MFnNonExtendedLight light(lightPath, &status);
  if (!status)
    return true;

  // A light none of the three kinds accepts (an area light) would otherwise be written as a
  // point light at the start position: it gets no keys, like an ambient light.
  status.clear();
  MFnDirectionalLight directional(lightPath, &status);
  const bool isDirectional = static_cast<bool>(status);
  status.clear();
  MFnPointLight point(lightPath, &status);
  const bool isPoint = static_cast<bool>(status);
  status.clear();
  MFnSpotLight spot(lightPath, &status);
  const bool isSpot = static_cast<bool>(status);
  if (!isDirectional && !isPoint && !isSpot)
    return true;

  LightKey* key = new (std::nothrow) LightKey();
  if (key == nullptr)
    return false;
  key->frame = frame;

  const MColor colour = light.color();
  key->red = colourByte(colour.r);
  key->green = colourByte(colour.g);
  key->blue = colourByte(colour.b);
  key->intensity = static_cast<double>(light.intensity());

  const LightPlacement placement = lightPlacement(lightPath);
  if (isDirectional) {
    key->type = LightKey::kDirectional;
    key->position = placement.rotation * kLocalZ;
  }
  if (isPoint) {
    key->type = LightKey::kPoint;
    key->position = placement.matrix.get_shift();
  }
  if (isSpot) {
    key->type = LightKey::kSpot;
    key->coneHalfAngle = spot.coneAngle() * 0.5;
    key->penumbraAngle = spot.penumbraAngle();
    key->position = placement.matrix.get_shift();
    const Vector3D d = placement.rotation * kLocalZ;
    key->target = Vector3D(key->position.x - d.x, key->position.y - d.y, key->position.z - d.z);
  }

  if (track.v_insert(key) < 0) {
    delete key;
    return false;
  }
  return true;
}
