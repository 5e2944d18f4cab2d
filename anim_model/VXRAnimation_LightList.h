#pragma once

#include "anim_model/TrackList.h"
#include "anim_model/VXRAnimation_Light.h"
#include "boundary/base/GMetaClass.h"

// The light tracks of one animation file, owned, in file order.
class VXRAnimation_LightList : public TrackList<VXRAnimation_Light> {
 public:
  static constexpr type_info gTypeInfo_{"VXRAnimation_LightList"};
  static GMetaClass metaclass_;

  VXRAnimation_LightList() = default;
  ~VXRAnimation_LightList() override;

  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override;
  using GCollection::cast_to_;
};
