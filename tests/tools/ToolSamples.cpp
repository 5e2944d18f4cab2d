#include "ToolSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/GString.h"
#include "boundary/base/ompstream.h"
#include "tools/vxrinfo/Vxrinfo.h"

namespace {

CameraKey cameraKey(std::int32_t frame, const Vector3D& eye, const Vector3D& direction,
                    const Vector3D& up = Vector3D(0.0, 0.0, 1.0)) {
  CameraKey key;
  key.frame = frame;
  const double nearDistance = 0.1;
  key.projector.plane.setPlaneParameters(eye + direction * nearDistance, direction, up);
  key.projector.window =
      GViewportWindowInfo(Vector2D(-0.04572, -0.03429), Vector2D(0.09144, 0.06858));
  key.projector.eyeOffset = Vector3D(0.0, 0.0, nearDistance);
  key.projector.perspective = 1;
  key.projector.scale = 1.0f;
  key.projector.imageWidth = 640;
  key.projector.imageHeight = 480;
  return key;
}

LightKey lightKey(std::int32_t frame, std::uint8_t type, const Vector3D& position) {
  LightKey key;
  key.frame = frame;
  key.type = type;
  key.red = 250;
  key.green = static_cast<std::uint8_t>(200 + frame);
  key.blue = 10;
  key.position = position;
  if (type == LightKey::kSpot)
    key.target = position - Vector3D(0.0, 0.0, 1.0);
  key.intensity = 1.5 + frame;
  key.coneHalfAngle = 0.35;
  key.penumbraAngle = -0.125;
  return key;
}

}  // namespace

std::string sampleAnimationBytes(bool upAxisIsZ, const std::string& cameraName) {
  VXRAnimation_CameraList cameras;
  auto* persp = new VXRAnimation_Camera;
  persp->setName(GString(cameraName.data(), cameraName.size()));
  for (int i = 0; i < 5; ++i) {
    const double t = i * 0.25;
    persp->v_insert(
        new CameraKey(cameraKey(-2 + i, Vector3D(10.0 * std::cos(t), 10.0 * std::sin(t), 3.0),
                                Vector3D(-std::cos(t), -std::sin(t), -0.3).normalised())));
  }
  cameras.v_insert(persp);
  auto* side = new VXRAnimation_Camera;
  side->setName("side");
  for (int i = 0; i < 3; ++i)
    side->v_insert(
        new CameraKey(cameraKey(i + 1, Vector3D(-8.0, i * 2.0, 1.0), Vector3D(1, 0, 0))));
  cameras.v_insert(side);
  auto* unused = new VXRAnimation_Camera;
  unused->setName("unused");
  cameras.v_insert(unused);

  VXRAnimation_LightList lights;
  auto* sun = new VXRAnimation_Light;
  sun->setName("sun");
  sun->v_insert(new LightKey(lightKey(1, LightKey::kDirectional, Vector3D(0.6, 0.0, 0.8))));
  sun->v_insert(new LightKey(lightKey(2, LightKey::kDirectional, Vector3D(0.0, 0.6, 0.8))));
  lights.v_insert(sun);
  auto* bulb = new VXRAnimation_Light;
  bulb->setName("bulb");
  for (int i = 0; i < 4; ++i)
    bulb->v_insert(new LightKey(lightKey(i, LightKey::kPoint, Vector3D(i, -4.0, 2.0))));
  lights.v_insert(bulb);
  auto* spot = new VXRAnimation_Light;
  spot->setName("spot");
  spot->v_insert(new LightKey(lightKey(7, LightKey::kSpot, Vector3D(3.0, 3.0, 6.0))));
  lights.v_insert(spot);

  ompstream out;
  AnimationFileHeader header;
  header.upAxisIsZ = upAxisIsZ;
  header.write(out, cameras);
  header.writeLights(out, lights);
  EXPECT_FALSE(out.fail());
  return std::string(out.data(), out.size());
}

std::string animationBytes(bool upAxisIsZ, const std::vector<SampleTrack>& tracks) {
  VXRAnimation_CameraList cameras;
  VXRAnimation_LightList lights;
  const Vector3D up = upAxisIsZ ? Vector3D(0, 0, 1) : Vector3D(0, 1, 0);
  for (const SampleTrack& t : tracks) {
    if (t.lightType == 0) {
      auto* camera = new VXRAnimation_Camera;
      camera->setName(GString(t.name.data(), t.name.size()));
      for (const SampleKey& k : t.keys)
        camera->v_insert(new CameraKey(cameraKey(k.frame, k.place, k.direction, up)));
      cameras.v_insert(camera);
    } else {
      auto* light = new VXRAnimation_Light;
      light->setName(GString(t.name.data(), t.name.size()));
      for (const SampleKey& k : t.keys) {
        LightKey key = lightKey(k.frame, static_cast<std::uint8_t>(t.lightType), k.place);
        if (t.lightType == LightKey::kSpot)
          key.target = k.place + k.direction;
        light->v_insert(new LightKey(key));
      }
      lights.v_insert(light);
    }
  }
  ompstream out;
  AnimationFileHeader header;
  header.upAxisIsZ = upAxisIsZ;
  header.write(out, cameras);
  header.writeLights(out, lights);
  EXPECT_FALSE(out.fail());
  return std::string(out.data(), out.size());
}

std::string smallAnimationBytes() {
  return animationBytes(true, {{"c", 0, {{1, Vector3D(0, -5, 1), Vector3D(0, 1, 0)}}},
                               {"l", LightKey::kPoint, {{1, Vector3D(1, 2, 3)}}}});
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vxrinfo-test-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  root_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

ToolRun runTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  ToolRun run;
  run.status = runVxrinfo(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}
