#pragma once
// The scene's current time and playback range.

#include <maya/MStatus.h>
#include <maya/MTime.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MAnimControl {
 public:
  enum PlaybackMode { kPlaybackOnce, kPlaybackLoop, kPlaybackOscillate };

  MAnimControl();
  virtual ~MAnimControl();

  static MTime currentTime();
  // Moves the scene to the given time; animated attributes take their values there.
  static MStatus setCurrentTime(const MTime& newTime);
  static MTime minTime();
  static MTime maxTime();
  static MStatus setMinTime(MTime newMinTime);
  static MStatus setMaxTime(MTime newMaxTime);
  static MStatus setMinMaxTime(const MTime& newMinTime, const MTime& newMaxTime);
  static MTime animationStartTime();
  static MTime animationEndTime();
  static MStatus setAnimationStartTime(MTime newStartTime);
  static MStatus setAnimationEndTime(MTime newEndTime);
  static MStatus setAnimationStartEndTime(const MTime& newStartTime, const MTime& newEndTime);
  static MTime playbackBy();
  static MStatus setPlaybackBy(const MTime& increment);
  static bool isPlaying();
};

OPENMAYA_NAMESPACE_CLOSE
