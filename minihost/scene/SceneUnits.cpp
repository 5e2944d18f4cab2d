#include "scene/SceneUnits.h"

#include <cmath>
#include <cstdlib>

#include "engine/TimeUnits.h"

namespace minihost::scenefile {
namespace {
constexpr double kPi = 3.14159265358979323846;

struct Named {
  const char* name;
  double value;
};

template <size_t N>
bool lookUp(const Named (&table)[N], const std::string& name, double& out) {
  for (const Named& n : table) {
    if (name == n.name) {
      out = n.value;
      return true;
    }
  }
  return false;
}
}  // namespace

bool linearUnitScale(const std::string& name, double& centimetres) {
  static const Named table[] = {
      {"mm", 0.1},   {"millimeter", 0.1}, {"cm", 1.0},      {"centimeter", 1.0},
      {"m", 100.0},  {"meter", 100.0},    {"km", 100000.0}, {"kilometer", 100000.0},
      {"in", 2.54},  {"inch", 2.54},      {"ft", 30.48},    {"foot", 30.48},
      {"yd", 91.44}, {"yard", 91.44},     {"mi", 160934.4}, {"mile", 160934.4},
  };
  return lookUp(table, name, centimetres);
}

bool angleUnitScale(const std::string& name, double& radians) {
  static const Named table[] = {
      {"deg", kPi / 180.0}, {"degree", kPi / 180.0},       {"rad", 1.0},
      {"radian", 1.0},      {"min", kPi / (180.0 * 60.0)}, {"sec", kPi / (180.0 * 3600.0)},
  };
  return lookUp(table, name, radians);
}

bool timeUnitRate(const std::string& name, double& framesPerSecond) {
  static const Named table[] = {
      {"game", 15.0},       {"film", 24.0},      {"pal", 25.0},          {"ntsc", 30.0},
      {"show", 48.0},       {"palf", 50.0},      {"ntscf", 60.0},        {"sec", 1.0},
      {"millisec", 1000.0}, {"min", 1.0 / 60.0}, {"hour", 1.0 / 3600.0},
  };
  if (lookUp(table, name, framesPerSecond))
    return true;
  // Every rate the host knows, at its exact value (23.976fps is 24000/1001).
  if (const TimeUnitInfo* unit = timeUnitByName(name)) {
    framesPerSecond = unit->perSecond;
    return true;
  }
  // "23.976fps", "29.97df", "120fps": a rate and a suffix.
  size_t digits = name.find_first_not_of("0123456789.");
  if (digits == 0 || digits == std::string::npos)
    return false;
  std::string suffix = name.substr(digits);
  if (suffix != "fps" && suffix != "df")
    return false;
  double rate = std::strtod(name.substr(0, digits).c_str(), nullptr);
  if (!(rate > 0.0) || !std::isfinite(rate))
    return false;
  framesPerSecond = rate;
  return true;
}

}  // namespace minihost::scenefile
