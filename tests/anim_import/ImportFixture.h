#pragma once

#include <maya/MObject.h>

#include <string>

#include "anim_model/AnimationDocument.h"
#include "tests/support/PluginFixture.h"

// The plug-in fixture with the animation import's own steps: hand-built documents written to the
// temporary folder and opened with the import command.
class ImportTest : public PluginTest {
 protected:
  // Writes the document to a file in the temporary folder and returns its path.
  std::string writeDocument(const AnimationDocument& document, const std::string& name,
                            bool upAxisIsZ = false);
  // Loads a written document with "-open" and returns its handle.
  int open(const std::string& file);

  static MObject node(const std::string& name);
};

// The node named `name` (a shape or a transform), or the null object.
MObject nodeNamed(const std::string& name);

// Tracks and keys for hand-built documents.
VXRAnimation_Camera* addCameraTrack(AnimationDocument& document, const std::string& name, int keys);
VXRAnimation_Light* addLightTrack(AnimationDocument& document, const std::string& name,
                                  const LightKey& key, int keys);
CameraKey makeCameraKey(const Vector3D& planePoint, const Vector3D& view, const Vector3D& up,
                        double eyeDistance, double windowWidth, double windowHeight, int frame);
