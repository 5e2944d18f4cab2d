#include "anim_model/VXRAnimation_Camera.h"

#include <new>

#include "anim_model/AxisMatrices.h"
#include "anim_model/KeyFields.h"
#include "boundary/math/FieldStreams.h"

VXRAnimation_Camera::~VXRAnimation_Camera() = default;

void* VXRAnimation_Camera::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
}

void VXRAnimation_Camera::write_item(opstream& out, void* item) const {
  FieldStreamWriter writer(out);
  walkCameraKeyFields(writer, *static_cast<const CameraKey*>(item));
}

void* VXRAnimation_Camera::read_item(ipstream& in) {
  CameraKey* key = new (std::nothrow) CameraKey;
  if (key == nullptr) {
    // Out of memory: refuse the data rather than store a hole in the track.
    in.setFailure(GStreamState::badbit);
    return nullptr;
  }
  FieldStreamReader reader(in);
  walkCameraKeyFields(reader, *key);
  return key;
}

void VXRAnimation_Camera::convertUpAxis(bool fileIsZUp) {
  const Matrix3D& turn = upAxisConversionFor(fileIsZUp);
  for (int i = count - 1; i >= 0; --i) {
    CameraKey* key = this->key(i);
    if (key == nullptr)
      continue;
    GViewportPlaneInfo& plane = key->projector.plane;
    Vector3D point = turn * plane.getPlaneOrigin();
    Vector3D direction = turn * plane.getPlaneDirection();
    Vector3D up = turn * plane.getPlaneUp();
    plane.setPlaneParameters(point, direction, up);
  }
}
