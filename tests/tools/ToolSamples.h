#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boundary/math/Vector3D.h"
#include "tests/support/MeshSamples.h"
#include "tests/support/FileText.h"

// Sample files for the tool tests, made by the code that makes real files: animation files
// through anim_model's writer, mesh files (MeshSamples.h) with the base library's memory stream
// in the mesh record layout.

// The bytes of a version 1 animation file: two cameras ("persp" 5 keys from frame -2, "side"
// 3 keys), an empty camera track "unused", and three lights: "sun" (directional, 2 keys),
// "bulb" (point, 4 keys, moving), "spot" (spot, 1 key). `upAxisIsZ` goes into the header.
// `cameraName` replaces the first camera's name.
std::string sampleAnimationBytes(bool upAxisIsZ, const std::string& cameraName = "persp");

// One key of a scene made to measure: a camera's eye and view direction (its up is the scene's
// up axis), or a light's place (a directional light: the direction toward it).
struct SampleKey {
  std::int32_t frame = 0;
  Vector3D place;
  Vector3D direction{1.0, 0.0, 0.0};
};
struct SampleTrack {
  std::string name;
  int lightType = 0;  // 0 for a camera; else LightKey's type
  std::vector<SampleKey> keys;
};
// The bytes of a version 1 animation file holding these tracks, cameras and lights each in
// the order given. Camera keys have a near plane 0.1 in front of the eye and a 4:3 window.
std::string animationBytes(bool upAxisIsZ, const std::vector<SampleTrack>& tracks);

// A small version 1 z-up file: camera "c" with one key, point light "l" with one key.
std::string smallAnimationBytes();

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path(const std::string& name) const { return root_ + "/" + name; }
  const std::string& root() const { return root_; }

 private:
  std::string root_;
};

// Runs the tool in-process.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};
ToolRun runTool(const std::vector<std::string>& args);
