// setKeyframe and keyframe: setting keys on animation curves and querying them.

#include <cmath>

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::AttrType;
using minihost::NodeRef;

namespace {

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

// A node's plugs for setKeyframe: the -at attributes given, or else every keyable numeric one.
bool nodeKeyPlugs(CommandCall& call, const std::string& name,
                  const std::vector<std::string>& attributes, std::vector<Plug>& plugs) {
  NodeRef ref;
  if (!findNode(call, name, ref))
    return false;
  if (!attributes.empty()) {
    for (const std::string& a : attributes) {
      Plug p;
      if (!findPlug(call, name + "." + a, p))
        return false;
      plugs.push_back(p);
    }
    return true;
  }
  // The type's attributes, then those added to the node; locked ones are not keyed.
  std::vector<int> attrs(scene().node(ref)->type->attributes.size());
  for (std::size_t i = 0; i < attrs.size(); ++i)
    attrs[i] = static_cast<int>(i);
  for (int a : scene().dynamicAttributes(ref))
    attrs.push_back(a);
  for (int a : attrs) {
    const minihost::AttributeInfo& desc = *scene().attributeInfo(ref, a);
    if (desc.keyable && numericAttribute(desc) && !scene().isLocked(ref, a))
      plugs.push_back(Plug{ref, a, name + "." + desc.longName});
  }
  return true;
}

// The plugs setKeyframe keys: those written as node.attr, and those of the nodes named (or
// selected when none are), through nodeKeyPlugs.
bool setKeyframeTargets(CommandCall& call, const std::vector<Value>& positional,
                        const std::vector<std::string>& attributes, std::vector<Plug>& plugs) {
  std::vector<Value> names = positional;
  if (names.empty()) {
    for (NodeRef ref : selectedNodes())
      names.push_back(Value(nodeName(ref)));
  }
  for (const Value& v : names) {
    for (const std::string& name : v.asStringArray()) {
      if (name.find('.') == std::string::npos) {
        if (!nodeKeyPlugs(call, name, attributes, plugs))
          return false;
        continue;
      }
      Plug p;
      if (!findPlug(call, name, p))
        return false;
      plugs.push_back(p);
    }
  }
  return true;
}

// The attributes a plug stands for: the children of a compound, else the attribute itself.
std::vector<int> leafAttributes(const Plug& plug) {
  const minihost::AttributeInfo* desc = scene().attributeInfo(plug.node, plug.attribute);
  return desc->type == AttrType::kCompound ? desc->children : std::vector<int>{plug.attribute};
}

// The value a key at `ticks` gets: -v when given, else the attribute's value at that time.
double keyValue(const FlagSet& flags, NodeRef node, int attr, AttrType type, double ticks) {
  double value = 0.0;
  if (flags.has("value")) {
    value = fromScript(type, flags.value("value").asFloat());
  } else if (flags.has("time")) {
    // At another time an animated attribute is keyed with its value there.
    scene().getNumber(node, attr, value, &ticks);
  } else {
    // At the current time the attribute's present value is keyed, also when it was set after
    // the curve was evaluated.
    scene().getNumber(node, attr, value, nullptr);
  }
  return value;
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

  std::vector<Plug> plugs;
  if (!setKeyframeTargets(call, flags.positional, attributes, plugs))
    return false;
  if (plugs.empty())
    return call.failNamed("No objects or attributes to key.");
  int count = 0;
  for (const Plug& plug : plugs) {
    for (int attr : leafAttributes(plug)) {
      const minihost::AttributeInfo* ts = scene().attributeInfo(plug.node, attr);
      if (!numericAttribute(*ts)) {
        return call.failNamed("'" + plug.text + "' cannot be keyed.");
      }
      if (scene().isLocked(plug.node, attr)) {
        // The others are keyed; the locked one keeps its value and no curve.
        call.interp.reportWarning("'" + plug.text + "' is locked and is not keyed.");
        continue;
      }
      for (double ticks : times) {
        const double value = keyValue(flags, plug.node, attr, ts->type, ticks);
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

// The plugs keyframe reads: those written as node.attr or named by -at, or else every
// attribute of the node that a curve drives.
bool keyframeTargets(CommandCall& call, const FlagSet& flags, std::vector<Plug>& plugs) {
  for (const Value& v : flags.positional) {
    for (const std::string& name : v.asStringArray()) {
      if (name.find('.') != std::string::npos || flags.has("attribute")) {
        const std::string text = name.find('.') != std::string::npos
                                     ? name
                                     : name + "." + flags.value("attribute").asString();
        Plug p;
        if (!findPlug(call, text, p))
          return false;
        plugs.push_back(p);
        continue;
      }
      NodeRef ref;
      if (!findNode(call, name, ref))
        return false;
      std::vector<int> attrs(scene().node(ref)->type->attributes.size());
      for (std::size_t i = 0; i < attrs.size(); ++i)
        attrs[i] = static_cast<int>(i);
      for (int added : scene().dynamicAttributes(ref))
        attrs.push_back(added);
      for (int a : attrs) {
        if (scene().curveDriving(ref, a).isSet())
          plugs.push_back(Plug{ref, a, name});
      }
    }
  }
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
  if (!keyframeTargets(call, flags, plugs))
    return false;
  const double k = ticksPerUiUnit();
  bool oneTime = flags.has("time");
  double atTicks = flags.value("time").asFloat() * k;
  int keyCount = 0;
  std::vector<double> times, values;
  std::vector<std::string> curves;
  for (const Plug& plug : plugs) {
    for (int attr : leafAttributes(plug)) {
      NodeRef curveNode = scene().curveDriving(plug.node, attr);
      const minihost::Node* cn = scene().node(curveNode);
      if (cn == nullptr || !cn->curve())
        continue;
      curves.push_back(cn->name);
      AttrType type = scene().attributeInfo(plug.node, attr)->type;
      for (const minihost::CurveKey& key : cn->curve()->keys()) {
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

}  // namespace

void registerKeyframeCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("setKeyframe", cmdSetKeyframe);
  t.set("keyframe", cmdKeyframe);
}

}  // namespace mel::host
