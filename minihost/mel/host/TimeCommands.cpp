// currentTime, playbackOptions, setKeyframe, keyframe, upAxis, currentUnit.

#include <cmath>

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::AttrType;
using minihost::NodeRef;

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

bool tangent(CommandCall& call, const FlagSet& flags, const char* name,
             minihost::TangentType& out) {
  out = minihost::TangentType::kClamped;
  if (!flags.has(name))
    return true;
  std::string text = flags.value(name).asString();
  if (!minihost::parseTangentType(text, out)) {
    return call.failNamed("Unknown tangent type: " + text);
  }
  return true;
}

bool cmdSetKeyframe(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"at", "attribute", 1},
                    {"t", "time", 1},
                    {"v", "value", 1},
                    {"itt", "inTangentType", 1},
                    {"ott", "outTangentType", 1},
                    {"bd", "breakdown", 1}},
                   false)) {
    return false;
  }
  minihost::TangentType inT, outT;
  if (!tangent(call, flags, "inTangentType", inT) ||
      !tangent(call, flags, "outTangentType", outT)) {
    return false;
  }
  std::vector<std::string> attributes;
  for (const auto& a : flags.all("attribute"))
    attributes.push_back(a[0].asString());
  std::vector<double> times;
  for (const auto& t : flags.all("time"))
    times.push_back(t[0].asFloat() * ticksPerUiUnit());
  if (times.empty())
    times.push_back(scene().currentTicks());

  // Targets: plugs written as node.attr, or nodes with -at or all their keyable attributes.
  std::vector<Plug> plugs;
  std::vector<Value> names = flags.positional;
  std::vector<NodeRef> selected;
  if (names.empty()) {
    for (NodeRef ref : selectedNodes())
      names.push_back(Value(nodeName(ref)));
  }
  for (const Value& v : names) {
    for (const std::string& name : v.asStringArray()) {
      if (name.find('.') != std::string::npos) {
        Plug p;
        if (!findPlug(call, name, p))
          return false;
        plugs.push_back(p);
        continue;
      }
      NodeRef ref;
      if (!findNode(call, name, ref))
        return false;
      const minihost::Node* n = scene().node(ref);
      if (!attributes.empty()) {
        for (const std::string& a : attributes) {
          Plug p;
          if (!findPlug(call, name + "." + a, p))
            return false;
          plugs.push_back(p);
        }
      } else {
        for (std::size_t i = 0; i < n->type->attributes.size(); ++i) {
          const minihost::AttributeInfo& desc = n->type->attributes[i];
          if (desc.keyable && numericAttribute(desc)) {
            plugs.push_back(Plug{ref, static_cast<int>(i), name + "." + desc.longName});
          }
        }
      }
    }
  }
  if (plugs.empty())
    return call.failNamed("No objects or attributes to key.");
  int count = 0;
  for (const Plug& plug : plugs) {
    const minihost::AttributeInfo* desc = scene().attributeInfo(plug.node, plug.attribute);
    std::vector<int> targets =
        desc->type == AttrType::kCompound ? desc->children : std::vector<int>{plug.attribute};
    for (int attr : targets) {
      const minihost::AttributeInfo* ts = scene().attributeInfo(plug.node, attr);
      if (!numericAttribute(*ts)) {
        return call.failNamed("'" + plug.text + "' cannot be keyed.");
      }
      for (double ticks : times) {
        double value = 0.0;
        if (flags.has("value")) {
          value = fromScript(ts->type, flags.value("value").asFloat());
        } else if (flags.has("time")) {
          // At another time an animated attribute is keyed with its value there.
          scene().getNumber(plug.node, attr, value, &ticks);
        } else {
          // At the current time the attribute's present value is keyed, also when it was set
          // after the curve was evaluated.
          scene().getNumber(plug.node, attr, value, nullptr);
        }
        std::string error;
        if (!scene().setKey(plug.node, attr, ticks, value, inT, outT, &error)) {
          return call.failNamed(error);
        }
        ++count;
      }
    }
  }
  call.result = Value(count);
  return true;
}

bool cmdKeyframe(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"at", "attribute", 1, 1},
                    {"t", "time", 1, 1},
                    {"kc", "keyframeCount", 0},
                    {"tc", "timeChange", 1},
                    {"vc", "valueChange", 1},
                    {"n", "name", 0}},
                   true, false)) {
    return false;
  }
  if (!flags.query)
    return call.failNamed("Only query mode (-q) is supported.");
  std::vector<Plug> plugs;
  for (const Value& v : flags.positional) {
    for (const std::string& name : v.asStringArray()) {
      if (name.find('.') != std::string::npos) {
        Plug p;
        if (!findPlug(call, name, p))
          return false;
        plugs.push_back(p);
      } else if (flags.has("attribute")) {
        Plug p;
        if (!findPlug(call, name + "." + flags.value("attribute").asString(), p))
          return false;
        plugs.push_back(p);
      } else {
        NodeRef ref;
        if (!findNode(call, name, ref))
          return false;
        const minihost::Node* n = scene().node(ref);
        for (std::size_t i = 0; i < n->type->attributes.size(); ++i) {
          if (scene().curveDriving(ref, static_cast<int>(i)).isSet()) {
            plugs.push_back(Plug{ref, static_cast<int>(i), name});
          }
        }
      }
    }
  }
  const double k = ticksPerUiUnit();
  bool oneTime = flags.has("time");
  double atTicks = flags.value("time").asFloat() * k;
  int keyCount = 0;
  std::vector<double> times, values;
  std::vector<std::string> curves;
  for (const Plug& plug : plugs) {
    const minihost::AttributeInfo* desc = scene().attributeInfo(plug.node, plug.attribute);
    std::vector<int> targets =
        desc->type == AttrType::kCompound ? desc->children : std::vector<int>{plug.attribute};
    for (int attr : targets) {
      NodeRef curveNode = scene().curveDriving(plug.node, attr);
      const minihost::Node* cn = scene().node(curveNode);
      if (cn == nullptr || !cn->curve)
        continue;
      curves.push_back(cn->name);
      AttrType type = scene().attributeInfo(plug.node, attr)->type;
      for (const minihost::CurveKey& key : cn->curve->keys()) {
        if (oneTime && std::fabs(key.ticks - atTicks) > 1e-6)
          continue;
        ++keyCount;
        times.push_back(key.ticks / k);
        values.push_back(toScript(type, key.value));
      }
    }
  }
  if (flags.has("keyframeCount"))
    call.result = Value(keyCount);
  else if (flags.has("valueChange"))
    call.result = Value(std::move(values));
  else if (flags.has("name"))
    call.result = Value(std::move(curves));
  else
    call.result = Value(std::move(times));
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
const UnitName kTime[] = {{"game", "game", MTime::kGames},
                          {"film", "film", MTime::kFilm},
                          {"pal", "pal", MTime::kPALFrame},
                          {"ntsc", "ntsc", MTime::kNTSCFrame},
                          {"show", "show", MTime::kShowScan},
                          {"palf", "palf", MTime::kPALField},
                          {"ntscf", "ntscf", MTime::kNTSCField},
                          {"hour", "hour", MTime::kHours},
                          {"min", "minute", MTime::kMinutes},
                          {"sec", "second", MTime::kSeconds},
                          {"millisec", "millisecond", MTime::kMilliseconds}};

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
    else if (flags.has("time"))
      u = byValue(kTime, scene().timeUnit());
    else
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
    const UnitName* u = byName(kTime, flags.value("time").asString());
    if (u == nullptr)
      return call.failNamed("Unknown time unit: " + flags.value("time").asString());
    scene().setTimeUnit(static_cast<MTime::Unit>(u->value));
  }
  return true;
}

}  // namespace

void registerTimeCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("currentTime", cmdCurrentTime);
  t.set("playbackOptions", cmdPlaybackOptions);
  t.set("setKeyframe", cmdSetKeyframe);
  t.set("keyframe", cmdKeyframe);
  t.set("upAxis", cmdUpAxis);
  t.set("currentUnit", cmdCurrentUnit);
}

}  // namespace mel::host
