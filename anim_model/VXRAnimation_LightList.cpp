#include "anim_model/VXRAnimation_LightList.h"

VXRAnimation_LightList::~VXRAnimation_LightList() = default;

void* VXRAnimation_LightList::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
}
