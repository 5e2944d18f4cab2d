#pragma once
// The playback range a scene file keeps in the text of its sceneConfigurationScriptNode, as
// "playbackOptions -min 1 -max 120 -ast 1 -aet 200 ;". The text is read for those flags only;
// it is never run.

#include <string>
#include <vector>

namespace minihost::scenefile {

struct PlaybackOptions {
  bool given = false;
  bool hasMinimum = false, hasMaximum = false, hasAnimationStart = false, hasAnimationEnd = false,
       hasBy = false;
  double minimum = 0, maximum = 0, animationStart = 0, animationEnd = 0, by = 1;  // frames
};

// Reads the flags; a flag whose value is not a usable number is left at its default, with a
// problem naming it added to `problems`.
void parsePlaybackOptions(const std::string& text, PlaybackOptions& out,
                          std::vector<std::string>& problems);

}  // namespace minihost::scenefile
