#pragma once

#include <cstdint>

#include "boundary/math/ProjectorInfo.h"

// One camera key: the camera as a projector at one frame. A plain record; the track that holds
// it owns it. Whoever makes a key sets both fields; `frame` starts at 0 so a key is never read
// with an indeterminate frame.
struct CameraKey {
  ProjectorInfo projector;
  std::int32_t frame = 0;
};
