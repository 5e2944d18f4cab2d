#pragma once

#include <maya/MFnDependencyNode.h>
#include <maya/MString.h>

#include <cstdint>

// What an export takes from the scene's render settings: the image size (stored in every
// camera key) and the frame range and step. The remaining fields are read and carried but not
// used by the export.
struct RenderSettings {
  std::int32_t width = 0;
  std::int32_t height = 0;
  float pixelAspect = 0.0f;
  bool aspectLock = false;
  float deviceAspectRatio = 0.0f;
  bool lockDeviceAspectRatio = false;
  bool oddFieldFirst = false;
  std::int32_t fields = 0;
  std::int32_t zerothScanline = 0;
  std::int32_t startFrame = 0;
  std::int32_t endFrame = 0;
  std::int32_t byFrameStep = 1;
  bool ignoreFilmGate = false;
  bool renderAll = false;
};

// Fills `settings` from "defaultRenderGlobals" and the resolution node connected to its
// "resolution" plug. False when the render globals cannot be found or the resolution lookup
// fails. With animation off in the render settings it reports so and uses the playback range
// with step 1.
bool queryRenderSettings(RenderSettings& settings);

// Attribute readers: the plug's value in the normal context; the read's status is not examined.
int readIntAttribute(const MFnDependencyNode& node, const MString& attribute);
bool readBoolAttribute(const MFnDependencyNode& node, const MString& attribute);
double readDoubleAttribute(const MFnDependencyNode& node, const MString& attribute);
