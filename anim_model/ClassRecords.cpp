// The static objects of the animation layer, in the order they must be built at load: first the
// axis matrices, then the class records of the camera track, camera list, light track and light
// list. C++ orders the initialisation of static objects only within one translation unit, so
// all six live here; they are destroyed at unload in the reverse order.

#include "anim_model/ClassRecords.h"

#include "anim_model/AxisMatrices.h"
#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_LightList.h"

namespace {
// The handle slot handed to the class records. It starts null and this code never writes it.
void* animationModuleHandle = nullptr;
}  // namespace

const Matrix3D kYUpToZUp(1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1);
const Matrix3D kZUpToYUp(1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1);

GMetaClass VXRAnimation_Camera::metaclass_(&animationModuleHandle, VXRAnimation_Camera::gTypeInfo_,
                                           "VXRAnimation_Camera",
                                           gCreateObject<VXRAnimation_Camera>,
                                           gDestroyObject<VXRAnimation_Camera>,
                                           &GCollection::metaclass_);

GMetaClass VXRAnimation_CameraList::metaclass_(&animationModuleHandle,
                                               VXRAnimation_CameraList::gTypeInfo_,
                                               "VXRAnimation_CameraList",
                                               gCreateObject<VXRAnimation_CameraList>,
                                               gDestroyObject<VXRAnimation_CameraList>,
                                               &GCollection::metaclass_);

GMetaClass VXRAnimation_Light::metaclass_(&animationModuleHandle, VXRAnimation_Light::gTypeInfo_,
                                          "VXRAnimation_Light", gCreateObject<VXRAnimation_Light>,
                                          gDestroyObject<VXRAnimation_Light>,
                                          &GCollection::metaclass_);

GMetaClass VXRAnimation_LightList::metaclass_(&animationModuleHandle,
                                              VXRAnimation_LightList::gTypeInfo_,
                                              "VXRAnimation_LightList",
                                              gCreateObject<VXRAnimation_LightList>,
                                              gDestroyObject<VXRAnimation_LightList>,
                                              &GCollection::metaclass_);

bool ensureAnimationClassRecords() {
  return GMetaClass::find("VXRAnimation_Camera") == &VXRAnimation_Camera::metaclass_ &&
         GMetaClass::find("VXRAnimation_CameraList") == &VXRAnimation_CameraList::metaclass_ &&
         GMetaClass::find("VXRAnimation_Light") == &VXRAnimation_Light::metaclass_ &&
         GMetaClass::find("VXRAnimation_LightList") == &VXRAnimation_LightList::metaclass_;
}
