#pragma once

#include <string>

// The bytes of a valid animation file with `cameras` camera tracks and `lights` light tracks of
// `keys` keys each.
std::string validAnimationFile(int cameras, int lights, int keys);
