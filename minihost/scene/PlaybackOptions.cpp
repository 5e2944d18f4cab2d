#include "scene/PlaybackOptions.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace minihost::scenefile {

bool parsePlaybackOptions(const std::string& text, PlaybackOptions& out, std::string& problem) {
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
    double v = i + 1 < words.size() ? std::strtod(words[i + 1].c_str(), &end) : 0.0;
    if (i + 1 >= words.size() || end == words[i + 1].c_str() || *end != '\0' || !std::isfinite(v)) {
      problem = "playbackOptions " + w + " needs a number";
      return false;
    }
    *target = v;
    *flag = true;
    out.given = true;
    ++i;
  }
  if (out.hasBy && !(out.by > 0.0)) {
    problem = "playbackOptions -by must be positive";
    return false;
  }
  return true;
}

}  // namespace minihost::scenefile
