#pragma once

#include "anim_model/VXRAnimation_CameraList.h"
#include "anim_model/VXRAnimation_LightList.h"

class ipstream;

// A loaded animation file: its up axis and its camera and light tracks, owned.
//
// Destroying a document destroys the light tracks first, then the camera tracks (members are
// destroyed in reverse order of declaration).
class AnimationDocument {
 public:
  // True when the file's coordinates are z-up. A new document starts y-up (false), the host's
  // default axis: version 0 files carry no up-axis byte and came from y-up scenes, so they keep
  // this value. Reading a version 1 file sets it from the file; converting leaves it alone.
  bool upAxisIsZ = false;
  VXRAnimation_CameraList cameras;
  VXRAnimation_LightList lights;

  AnimationDocument();
  AnimationDocument(const AnimationDocument&) = delete;
  AnimationDocument& operator=(const AnimationDocument&) = delete;

  // Reads a whole animation file (version 0 or 1). True when the file was taken.
  //
  // False for another magic or a version above 1, checked before any track is read; false also
  // when the stream fails anywhere (data cut short, an unknown class, a track of the wrong kind)
  // or a list holds a null entry. On false the document is left as it was before the call:
  // whatever the call read is freed. Bytes after a complete file are not looked at.
  // Meant to be called once, on a new document.
  bool read(ipstream& in);

  // Brings every key to the host's up axis: nothing when the two axes agree; otherwise the
  // camera tracks, then the light tracks, are turned from `fileIsZUp`'s axis to the other.
  // `upAxisIsZ` keeps the file's value.
  void convertUpAxis(bool fileIsZUp, bool hostIsZUp);
};
