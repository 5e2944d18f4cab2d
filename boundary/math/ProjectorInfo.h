#pragma once

#include <cstdint>

#include "boundary/math/GViewportInfo.h"

// A camera as a projector: the view, plus the image size in pixels.
// The default is the default view with a 640 × 480 image.
class ProjectorInfo : public GViewportInfo {
 public:
  std::int32_t imageWidth = 640;
  std::int32_t imageHeight = 480;

  ProjectorInfo() = default;
  // Assigns the whole view part; the image size stays.
  ProjectorInfo& operator=(const GViewportInfo& view) {
    GViewportInfo::operator=(view);
    return *this;
  }
};

// The view (as GViewportInfo's operator writes it), then width and height as DWords.
opstream& operator<<(opstream& out, const ProjectorInfo& projector);
ipstream& operator>>(ipstream& in, ProjectorInfo& projector);
