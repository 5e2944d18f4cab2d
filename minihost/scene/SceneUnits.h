#pragma once
// The unit names of currentUnit and the scale of each to the scene's stored units.

#include <string>

namespace minihost::scenefile {

// Centimetres per unit for "centimeter", "cm", "inch", ...; false for an unknown name.
bool linearUnitScale(const std::string& name, double& centimetres);
// Radians per unit for "degree", "deg", "radian", "rad", "min", "sec".
bool angleUnitScale(const std::string& name, double& radians);
// Frames per second for "film", "pal", "ntsc", "game", ..., "sec", "millisec" and "<n>fps".
bool timeUnitRate(const std::string& name, double& framesPerSecond);

}  // namespace minihost::scenefile
