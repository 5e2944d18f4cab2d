#include "anim_model/VXRAnimation_Light.h"

#include <new>

#include "anim_model/AxisMatrices.h"
#include "anim_model/KeyFields.h"
#include "boundary/math/FieldStreams.h"

VXRAnimation_Light::~VXRAnimation_Light() = default;

void* VXRAnimation_Light::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
}

void VXRAnimation_Light::write_item(opstream& out, void* item) const {
  FieldStreamWriter writer(out);
  walkLightKeyFields(writer, *static_cast<const LightKey*>(item));
}

void* VXRAnimation_Light::read_item(ipstream& in) {
  LightKey* key = new (std::nothrow) LightKey;
  if (key == nullptr) {
    // Out of memory: refuse the data rather than store a hole in the track.
    in.setFailure(GStreamState::badbit);
    return nullptr;
  }
  FieldStreamReader reader(in);
  walkLightKeyFields(reader, *key);
  return key;
}

void VXRAnimation_Light::convertUpAxis(bool fileIsZUp) {
  const Matrix3D& turn = upAxisConversionFor(fileIsZUp);
  for (int i = count - 1; i >= 0; --i) {
    LightKey* key = this->key(i);
    if (key == nullptr)
      continue;
    key->position = turn * key->position;
    key->target = turn * key->target;
  }
}
