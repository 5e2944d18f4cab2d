#include "anim_model/VXRAnimation_CameraList.h"

VXRAnimation_CameraList::~VXRAnimation_CameraList() = default;

void* VXRAnimation_CameraList::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
}
