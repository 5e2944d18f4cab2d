#pragma once
// The playback range a scene file keeps in the text of its sceneConfigurationScriptNode, as
// "playbackOptions -min 1 -max 120 -ast 1 -aet 200 ;". The text is read for those flags only;
// it is never run.

#include <string>

namespace minihost::scenefile {

struct PlaybackOptions {
  bool given = false;
  bool hasMinimum = false, hasMaximum = false, hasAnimationStart = false, hasAnimationEnd = false,
       hasBy = false;
  double minimum = 0, maximum = 0, animationStart = 0, animationEnd = 0, by = 1;  // frames
};

// False with a reason when a playbackOptions flag has no number after it.
bool parsePlaybackOptions(const std::string& text, PlaybackOptions& out, std::string& problem);

}  // namespace minihost::scenefile
