#include "scene/FileUnits.h"

#include <utility>

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
  static const std::pair<const char*, MTime::Unit> time[] = {
      {"game", MTime::kGames},      {"film", MTime::kFilm},     {"pal", MTime::kPALFrame},
      {"ntsc", MTime::kNTSCFrame},  {"show", MTime::kShowScan}, {"palf", MTime::kPALField},
      {"ntscf", MTime::kNTSCField}, {"sec", MTime::kSeconds},   {"millisec", MTime::kMilliseconds},
      {"min", MTime::kMinutes},     {"hour", MTime::kHours}};
  bool known = false;
  for (const auto& t : time) {
    if (u.timeName == t.first) {
      s.setTimeUnit(t.second);
      known = true;
    }
  }
  return known;
}

}  // namespace minihost::scenefile
