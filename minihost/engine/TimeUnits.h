#pragma once
// Every time unit the host knows: its MTime unit, its name in scene files and in
// "currentUnit -time", and its rate.

#include <string>

#include <maya/MTime.h>

namespace minihost {

struct TimeUnitInfo {
  MTime::Unit unit;
  const char* name;      // "film", "12fps", "23.976fps", "millisec", ...
  const char* fullName;  // the long form "currentUnit -fullName" gives
  double perSecond;      // frames (or units) per second: 24000/1001 for 23.976fps
};

// Null for a name or unit the host does not know. A rate written as "<N>fps" for one of the
// named rates ("24fps") is found as that unit.
const TimeUnitInfo* timeUnitByName(const std::string& name);
const TimeUnitInfo* timeUnitInfo(MTime::Unit unit);

}  // namespace minihost
