#include "scene/PlaybackOptions.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace minihost::scenefile {

void parsePlaybackOptions(const std::string& text, PlaybackOptions& out,
                          std::vector<std::string>& problems) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) {
    // A ';' ends a statement, written apart or stuck to the last word.
    if (w.size() > 1 && w.back() == ';') {
      w.pop_back();
      words.push_back(w);
      words.push_back(";");
    } else {
      words.push_back(w);
    }
  }
  bool inside = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == ";") {
      inside = false;
      continue;
    }
    if (w == "playbackOptions") {
      inside = true;
      continue;
    }
    if (!inside || w.size() < 2 || w[0] != '-')
      continue;
    double* target = nullptr;
    bool* flag = nullptr;
    std::string name = w.substr(1);
    if (name == "min" || name == "minTime") {
      target = &out.minimum;
      flag = &out.hasMinimum;
    } else if (name == "max" || name == "maxTime") {
      target = &out.maximum;
      flag = &out.hasMaximum;
    } else if (name == "ast" || name == "animationStartTime") {
      target = &out.animationStart;
      flag = &out.hasAnimationStart;
    } else if (name == "aet" || name == "animationEndTime") {
      target = &out.animationEnd;
      flag = &out.hasAnimationEnd;
    } else if (name == "by") {
      target = &out.by;
      flag = &out.hasBy;
    } else {
      continue;  // other flags (loop, speed, view) do not concern the batch host
    }
    char* end = nullptr;
    const bool present = i + 1 < words.size() && words[i + 1] != ";";
    double v = present ? std::strtod(words[i + 1].c_str(), &end) : 0.0;
    if (!present || end == words[i + 1].c_str() || *end != '\0' || !std::isfinite(v) ||
        (target == &out.by && !(v > 0.0))) {
      problems.push_back("playbackOptions " + w + " takes " +
                         (target == &out.by ? "a positive number" : "a number") + ", not " +
                         (present ? "\"" + words[i + 1] + "\"" : std::string("nothing")) +
                         "; the default is kept");
      if (present)
        ++i;
      continue;
    }
    *target = v;
    *flag = true;
    out.given = true;
    ++i;
  }
}

}  // namespace minihost::scenefile
