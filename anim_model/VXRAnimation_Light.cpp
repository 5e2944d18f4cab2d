#include "anim_model/VXRAnimation_Light.h"

#include <new>

#include "anim_model/AxisMatrices.h"

VXRAnimation_Light::~VXRAnimation_Light() = default;

void* VXRAnimation_Light::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : GCollection::cast_to_(id);
}

void VXRAnimation_Light::write_item(opstream& out, void* item) const {
  const LightKey& key = *static_cast<const LightKey*>(item);
  out.writeByte(kRecordFormatVersion);
  out.writeDWord(static_cast<std::uint32_t>(key.frame));
  out.writeByte(key.type);
  out.writeByte(key.red);
  out.writeByte(key.green);
  out.writeByte(key.blue);
  out << key.position << key.target;
  out << key.intensity << key.coneHalfAngle << key.penumbraAngle << key.reserved;
}

void* VXRAnimation_Light::read_item(ipstream& in) {
  LightKey* key = new (std::nothrow) LightKey;
  if (key == nullptr) {
    // Out of memory: refuse the data rather than store a hole in the track.
    in.setFailure(GStreamState::badbit);
    return nullptr;
  }
  in.readByte();
  key->frame = static_cast<std::int32_t>(in.readDWord());
  key->type = in.readByte();
  key->red = in.readByte();
  key->green = in.readByte();
  key->blue = in.readByte();
  in >> key->position >> key->target;
  in >> key->intensity >> key->coneHalfAngle >> key->penumbraAngle >> key->reserved;
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
