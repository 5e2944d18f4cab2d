// currentTime, playbackOptions, upAxis, currentUnit.

#include <cmath>

#include "engine/TimeUnits.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

namespace {

bool cmdCurrentTime(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"u", "update", 1}}, true, true))
    return false;
  if (flags.query) {
    call.result = Value(scene().currentTicks() / ticksPerUiUnit());
    return true;
  }
  if (flags.positional.size() != 1 || !flags.positional[0].isNumber()) {
    return call.failNamed("Expected one time value.");
  }
  double t = flags.positional[0].asFloat();
  if (!std::isfinite(t))
    return call.failNamed("Invalid time.");
  // "-update false" moves the time without evaluating the scene at it.
  const bool update = !flags.has("update") || asBoolArg(flags.value("update"));
  scene().setCurrentTicks(t * ticksPerUiUnit(), update);
  call.result = Value(t);
  return true;
}

bool cmdPlaybackOptions(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"min", "minTime", 1},
                    {"max", "maxTime", 1},
                    {"ast", "animationStartTime", 1},
                    {"aet", "animationEndTime", 1},
                    {"by", "by", 1}},
                   true, true)) {
    return false;
  }
  double k = ticksPerUiUnit();
  if (flags.query) {
    if (flags.has("minTime"))
      call.result = Value(scene().minTicks() / k);
    else if (flags.has("maxTime"))
      call.result = Value(scene().maxTicks() / k);
    else if (flags.has("animationStartTime"))
      call.result = Value(scene().animationStartTicks() / k);
    else if (flags.has("animationEndTime"))
      call.result = Value(scene().animationEndTicks() / k);
    else if (flags.has("by"))
      call.result = Value(scene().playbackByTicks() / k);
    else
      return call.failNamed("Nothing to query.");
    return true;
  }
  double minT = flags.value("minTime", 0, Value(scene().minTicks() / k)).asFloat() * k;
  double maxT = flags.value("maxTime", 0, Value(scene().maxTicks() / k)).asFloat() * k;
  double startT =
      flags.value("animationStartTime", 0, Value(scene().animationStartTicks() / k)).asFloat() * k;
  double endT =
      flags.value("animationEndTime", 0, Value(scene().animationEndTicks() / k)).asFloat() * k;
  if (!(minT <= maxT) || !(startT <= endT)) {
    return call.failNamed("The start of a range must not lie after its end.");
  }
  // The animation range always holds the playback range.
  if (startT > minT)
    startT = minT;
  if (endT < maxT)
    endT = maxT;
  scene().setAnimationRange(startT, endT);
  scene().setPlaybackRange(minT, maxT);
  if (flags.has("by")) {
    double by = flags.value("by").asFloat();
    if (!(by > 0.0))
      return call.failNamed("-by must be positive.");
    scene().setPlaybackByTicks(by * k);
  }
  return true;
}

bool cmdUpAxis(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"ax", "axis", 1}, {"rv", "rotateView", 0}}, true, false))
    return false;
  if (flags.query) {
    call.result = Value(std::string(scene().upAxisIsZ() ? "z" : "y"));
    return true;
  }
  if (!flags.has("axis"))
    return call.failNamed("Expected -axis y or -axis z.");
  std::string axis = flags.value("axis").asString();
  if (axis != "y" && axis != "z")
    return call.failNamed("Invalid axis: " + axis + " (use y or z).");
  scene().setUpAxisZ(axis == "z");
  return true;
}

struct UnitName {
  const char* name;
  const char* fullName;
  int value;
};

const UnitName kLinear[] = {{"mm", "millimeter", MDistance::kMillimeters},
                            {"cm", "centimeter", MDistance::kCentimeters},
                            {"m", "meter", MDistance::kMeters},
                            {"km", "kilometer", MDistance::kKilometers},
                            {"in", "inch", MDistance::kInches},
                            {"ft", "foot", MDistance::kFeet},
                            {"yd", "yard", MDistance::kYards},
                            {"mi", "mile", MDistance::kMiles}};
const UnitName kAngle[] = {{"deg", "degree", MAngle::kDegrees},
                           {"rad", "radian", MAngle::kRadians}};
template <std::size_t N>
const UnitName* byName(const UnitName (&table)[N], const std::string& text) {
  for (const UnitName& u : table) {
    if (text == u.name || text == u.fullName)
      return &u;
  }
  return nullptr;
}
template <std::size_t N>
const UnitName* byValue(const UnitName (&table)[N], int value) {
  for (const UnitName& u : table) {
    if (u.value == value)
      return &u;
  }
  return nullptr;
}

bool cmdCurrentUnit(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"l", "linear", 1},
                    {"a", "angle", 1},
                    {"t", "time", 1},
                    {"f", "fullName", 0},
                    {"ua", "updateAnimation", 1}},
                   true, false)) {
    return false;
  }
  bool full = flags.has("fullName");
  if (flags.query) {
    const UnitName* u = nullptr;
    if (flags.has("angle"))
      u = byValue(kAngle, scene().angleUnit());
    else if (flags.has("time")) {
      const minihost::TimeUnitInfo* t = minihost::timeUnitInfo(scene().timeUnit());
      call.result = Value(std::string(t == nullptr ? "" : full ? t->fullName : t->name));
      return true;
    } else
      u = byValue(kLinear, scene().linearUnit());
    call.result = Value(std::string(u == nullptr ? "" : full ? u->fullName : u->name));
    return true;
  }
  if (flags.has("linear")) {
    const UnitName* u = byName(kLinear, flags.value("linear").asString());
    if (u == nullptr)
      return call.failNamed("Unknown linear unit: " + flags.value("linear").asString());
    scene().setLinearUnit(static_cast<MDistance::Unit>(u->value));
  }
  if (flags.has("angle")) {
    const UnitName* u = byName(kAngle, flags.value("angle").asString());
    if (u == nullptr)
      return call.failNamed("Unknown angle unit: " + flags.value("angle").asString());
    scene().setAngleUnit(static_cast<MAngle::Unit>(u->value));
  }
  if (flags.has("time")) {
    const minihost::TimeUnitInfo* u = minihost::timeUnitByName(flags.value("time").asString());
    if (u == nullptr)
      return call.failNamed("Unknown time unit: " + flags.value("time").asString());
    scene().setTimeUnit(u->unit);
  }
  return true;
}

}  // namespace

void registerTimeCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("currentTime", cmdCurrentTime);
  t.set("playbackOptions", cmdPlaybackOptions);
  t.set("upAxis", cmdUpAxis);
  t.set("currentUnit", cmdCurrentUnit);
}

}  // namespace mel::host
