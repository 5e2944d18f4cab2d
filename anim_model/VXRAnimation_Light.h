#pragma once

#include "anim_model/KeyTrack.h"
#include "anim_model/LightKey.h"
#include "boundary/base/GMetaClass.h"

// The animation of one host light: its name and one LightKey per exported frame.
//
// A key is stored as a format version byte, then frame (DWord), type, red, green, blue (Bytes),
// position, target (Vector3D) and intensity, coneHalfAngle, penumbraAngle, reserved (doubles).
class VXRAnimation_Light : public KeyTrack<LightKey> {
 public:
  static constexpr type_info gTypeInfo_{"VXRAnimation_Light"};
  static GMetaClass metaclass_;

  VXRAnimation_Light() = default;
  ~VXRAnimation_Light() override;

  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override;
  using GCollection::cast_to_;

  void write_item(opstream& out, void* item) const override;
  // A new key (start values, then every field read over them), or null (with the stream failed)
  // when none could be made.
  void* read_item(ipstream& in) override;

  // Turns every key's position and target from the file's up axis to the other one: by
  // kZUpToYUp when `fileIsZUp`, else by kYUpToZUp. A directional light's position is a
  // direction; the same rotation serves it.
  void convertUpAxis(bool fileIsZUp);
};
