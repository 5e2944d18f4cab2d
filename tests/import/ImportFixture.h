#pragma once

#include <gtest/gtest.h>

#include <maya/MObject.h>

#include <string>

#include "anim_model/AnimationDocument.h"

// The plug-in loaded into the stand-in host with its script interpreter, a fresh scene per test
// and a temporary folder removed afterwards.
class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs MEL text; true when it succeeded. `result` receives the value of the last command.
  bool mel(const std::string& text, std::string* result = nullptr);
  // Runs MEL text that must succeed and returns its result.
  std::string melResult(const std::string& text);
  // The same, with standard error captured into `errors`.
  bool melCapturingErrors(const std::string& text, std::string* result, std::string* errors);

  // Writes the document to a file in the temporary folder and returns its path.
  std::string writeDocument(const AnimationDocument& document, const std::string& name,
                            bool upAxisIsZ = false);
  // Loads a written document with "-open" and returns its handle.
  int open(const std::string& file);
  std::string path(const std::string& name) const { return folder_ + "/" + name; }

  static MObject node(const std::string& name);

 private:
  std::string folder_;
};

// The node named `name` (a shape or a transform), or the null object.
MObject nodeNamed(const std::string& name);

// Tracks and keys for hand-built documents.
VXRAnimation_Camera* addCameraTrack(AnimationDocument& document, const std::string& name, int keys);
VXRAnimation_Light* addLightTrack(AnimationDocument& document, const std::string& name,
                                  const LightKey& key, int keys);
CameraKey makeCameraKey(const Vector3D& planePoint, const Vector3D& view, const Vector3D& up,
                        double eyeDistance, double windowWidth, double windowHeight, int frame);
