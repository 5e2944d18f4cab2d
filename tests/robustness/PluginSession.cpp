#include "PluginSession.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "anim_model/AnimationFileHeader.h"
#include "anim_model/CameraKey.h"
#include "anim_model/LightKey.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_Light.h"
#include "anim_model/VXRAnimation_LightList.h"
#include "boundary/base/ompstream.h"
#include "mel/MelHost.h"

namespace {

// The host lives for the whole program with the plug-in loaded; a test that unloads it loads it
// again before it ends.
class PluginEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    mel::MelHost& host = mel::initMinihostMel();
    std::string name, error;
    ASSERT_TRUE(host.loadPlugin(pluginPath(), name, error)) << error;
  }
  void TearDown() override { mel::shutdownMinihostMel(); }
};

const ::testing::Environment* const pluginEnvironment =
    ::testing::AddGlobalTestEnvironment(new PluginEnvironment);

}  // namespace

void RobustnessTest::SetUp() {
  char pattern[] = "/tmp/vxr-robust-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  folder_ = pattern;
  ASSERT_TRUE(mel("file -f -new;"));
}

void RobustnessTest::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool RobustnessTest::mel(const std::string& text, std::string* result, std::string* errors) {
  ::testing::internal::CaptureStderr();
  MString value;
  const MStatus status = MGlobal::executeCommand(MString(text.c_str()), value, false, false);
  const std::string captured = ::testing::internal::GetCapturedStderr();
  if (result != nullptr)
    *result = value.asChar();
  if (errors != nullptr)
    *errors = captured;
  return static_cast<bool>(status);
}

std::vector<std::string> RobustnessTest::folderEntries(const std::string& folder) const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(folder.empty() ? folder_ : folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

const char* pluginPath() {
  return VXR_PLUGIN_PATH;
}

const char* pluginName() {
  return "vxrImpEx40";
}

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

std::string readBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& file, const std::string& bytes) {
  // A new file each time: a file truncated and rewritten in place is flushed to the disk at
  // close by some file systems, which makes sweeps of thousands of files slow.
  std::remove(file.c_str());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << file;
}
