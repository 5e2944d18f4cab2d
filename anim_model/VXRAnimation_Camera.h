#pragma once

#include "anim_model/CameraKey.h"
#include "anim_model/KeyTrack.h"
#include "boundary/base/GMetaClass.h"

// The animation of one host camera: its name and one CameraKey per exported frame.
//
// A key is stored as a format version byte, the projector, then the frame as a DWord.
class VXRAnimation_Camera : public KeyTrack<CameraKey> {
 public:
  static constexpr type_info gTypeInfo_{"VXRAnimation_Camera"};
  static GMetaClass metaclass_;

  VXRAnimation_Camera() = default;
  ~VXRAnimation_Camera() override;

  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override;
  using GCollection::cast_to_;

  void write_item(opstream& out, void* item) const override;
  // A new key read from the stream, or null (with the stream failed) when none could be made.
  void* read_item(ipstream& in) override;

  // Turns every key's viewing plane (point, direction, up) from the file's up axis to the other
  // one: by kZUpToYUp when `fileIsZUp`, else by kYUpToZUp. Nothing else of a key changes.
  void convertUpAxis(bool fileIsZUp);
};
