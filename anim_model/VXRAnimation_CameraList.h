#pragma once

#include "anim_model/TrackList.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "boundary/base/GMetaClass.h"

// The camera tracks of one animation file, owned, in file order.
class VXRAnimation_CameraList : public TrackList<VXRAnimation_Camera> {
 public:
  static constexpr type_info gTypeInfo_{"VXRAnimation_CameraList"};
  static GMetaClass metaclass_;

  VXRAnimation_CameraList() = default;
  ~VXRAnimation_CameraList() override;

  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override;
  using GCollection::cast_to_;
};
