#include "ValidAnimationFile.h"

#include <gtest/gtest.h>

#include "anim_model/AnimationFileHeader.h"
#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_Light.h"
#include "anim_model/VXRAnimation_LightList.h"
#include "boundary/base/ompstream.h"

std::string validAnimationFile(int cameras, int lights, int keys) {
  VXRAnimation_CameraList cameraList;
  VXRAnimation_LightList lightList;
  for (int c = 0; c < cameras; ++c) {
    auto* track = new VXRAnimation_Camera();
    track->setName(GString(("cam" + std::to_string(c)).c_str()));
    for (int k = 0; k < keys; ++k) {
      auto* key = new CameraKey();
      key->frame = k + 1;
      key->projector.plane.setPlaneParameters(Vector3D(0, 0, -1), Vector3D(0, 0, -1),
                                              Vector3D(0, 1, 0));
      key->projector.window.origin = Vector2D(-0.4, -0.3);
      key->projector.window.size = Vector2D(0.8, 0.6);
      key->projector.eyeOffset = Vector3D(0, 0, 1.0 + k);
      key->projector.perspective = 1;
      track->v_insert(key);
    }
    cameraList.v_insert(track);
  }
  for (int l = 0; l < lights; ++l) {
    auto* track = new VXRAnimation_Light();
    track->setName(GString(("light" + std::to_string(l)).c_str()));
    for (int k = 0; k < keys; ++k) {
      auto* key = new LightKey();
      key->frame = k + 1;
      key->type = LightKey::kSpot;
      track->v_insert(key);
    }
    lightList.v_insert(track);
  }
  ompstream out;
  AnimationFileHeader header;
  header.write(out, cameraList);
  header.writeLights(out, lightList);
  EXPECT_FALSE(out.fail());
  return std::string(out.data(), out.size());
}
