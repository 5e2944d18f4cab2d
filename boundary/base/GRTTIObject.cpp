#include "boundary/base/GRTTIObject.h"

void* GRTTIObject::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : nullptr;
}
