#pragma once

#include <cstdint>

#include "anim_model/AnimationFileFormat.h"
#include "boundary/math/ProjectorFields.h"

// The fields of the two key records in file order, told once: the tracks' write_item and
// read_item walk them with the stream walkers of boundary/math/FieldStreams.h, and vxrinfo's
// checker walks them field by field. The walker's calls are those of walkProjectorFields, plus
// enter(group)/leave() around the projector's fields. The key is const for a walker that writes.
//
// Every key record begins with a format version byte: written 0, read and ignored.

template <class Walker, class Key>
void walkCameraKeyFields(Walker& w, Key& key) {
  std::uint8_t version = kRecordFormatVersion;
  w.byte("version", version);
  w.enter("projector");
  walkProjectorFields(w, key.projector);
  w.leave();
  w.dword("frame", key.frame);
}

template <class Walker, class Key>
void walkLightKeyFields(Walker& w, Key& key) {
  std::uint8_t version = kRecordFormatVersion;
  w.byte("version", version);
  w.dword("frame", key.frame);
  w.byte("type", key.type);
  w.byte("red", key.red);
  w.byte("green", key.green);
  w.byte("blue", key.blue);
  w.vector("position", key.position);
  w.vector("target", key.target);
  w.real("intensity", key.intensity);
  w.real("coneHalfAngle", key.coneHalfAngle);
  w.real("penumbraAngle", key.penumbraAngle);
  w.real("reserved", key.reserved);
}
