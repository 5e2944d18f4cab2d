#pragma once

class opstream;
class VXRAnimation_CameraList;
class VXRAnimation_LightList;

// Writes an animation file (version 1): call write, then writeLights, on one stream.
//
// Layout: the magic DWord, the version byte, the up-axis byte ('z' or 'y'), the camera list,
// the light list. Failures show in the stream's state.
class AnimationFileHeader {
 public:
  // The up axis recorded in the file; the writer sets it from the host.
  bool upAxisIsZ = true;

  // The header and the camera list.
  void write(opstream& out, const VXRAnimation_CameraList& cameras) const;
  // The light list, after write.
  void writeLights(opstream& out, const VXRAnimation_LightList& lights) const;
};
