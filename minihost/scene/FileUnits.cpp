#include "scene/FileUnits.h"

#include <utility>

#include "engine/TimeUnits.h"

namespace minihost::scenefile {

bool applyFileUnits(const Units& u, Scene& s) {
  static const std::pair<const char*, MDistance::Unit> linear[] = {
      {"mm", MDistance::kMillimeters}, {"millimeter", MDistance::kMillimeters},
      {"cm", MDistance::kCentimeters}, {"centimeter", MDistance::kCentimeters},
      {"m", MDistance::kMeters},       {"meter", MDistance::kMeters},
      {"km", MDistance::kKilometers},  {"kilometer", MDistance::kKilometers},
      {"in", MDistance::kInches},      {"inch", MDistance::kInches},
      {"ft", MDistance::kFeet},        {"foot", MDistance::kFeet},
      {"yd", MDistance::kYards},       {"yard", MDistance::kYards},
      {"mi", MDistance::kMiles},       {"mile", MDistance::kMiles}};
  for (const auto& l : linear) {
    if (u.linearName == l.first)
      s.setLinearUnit(l.second);
  }
  static const std::pair<const char*, MAngle::Unit> angle[] = {
      {"deg", MAngle::kDegrees},    {"degree", MAngle::kDegrees}, {"rad", MAngle::kRadians},
      {"radian", MAngle::kRadians}, {"min", MAngle::kAngMinutes}, {"sec", MAngle::kAngSeconds}};
  for (const auto& a : angle) {
    if (u.angleName == a.first)
      s.setAngleUnit(a.second);
  }
  const TimeUnitInfo* time = timeUnitByName(u.timeName);
  if (time)
    s.setTimeUnit(time->unit);
  bool known = time != nullptr;
  return known;
}

}  // namespace minihost::scenefile
