// getAttr, setAttr, connectAttr, disconnectAttr, and the locks they read and set.

#include "engine/AddAttrRequest.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::AttrType;

namespace {

bool cmdGetAttr(CommandCall& call) {
  FlagSet flags;
  static const std::vector<FlagSpec> kSpecs = {
      {"t", "time", 1}, {"typ", "type", 0}, {"sl", "silent", 0}, {"l", "lock", 0}};
  if (!flags.parse(call, kSpecs, false)) {
    return false;
  }
  if (flags.positional.size() != 1)
    return call.failNamed("Expected one node.attribute.");
  Plug plug;
  if (!findPlug(call, flags.positional[0].asString(), plug))
    return false;
  const minihost::AttributeInfo* desc = scene().attributeInfo(plug.node, plug.attribute);
  if (flags.has("type")) {
    call.result = Value(std::string(minihost::attributeTypeName(desc->type)));
    return true;
  }
  if (flags.has("lock")) {
    call.result = Value(scene().isLocked(plug.node, plug.attribute) ? 1 : 0);
    return true;
  }
  if (flags.has("time")) {
    double ticks = flags.value("time").asFloat() * ticksPerUiUnit();
    return readAttribute(call, plug, call.result, &ticks);
  }
  return readAttribute(call, plug, call.result, nullptr);
}

// The host's words for a value that a lock or a connection keeps.
bool refuseLockedOrConnected(CommandCall& call, const Plug& plug) {
  return call.fail("The attribute '" + plug.text + "' is locked or connected and cannot be " +
                   "modified.");
}

// Locked, or fed by a connection other than a key-frame curve (a curve's value may be set until
// the time changes, as keying expects).
bool heldFast(minihost::NodeRef node, int attribute) {
  minihost::NodeRef src;
  int srcAttr = -1;
  return scene().isLocked(node, attribute) || (scene().inputOf(node, attribute, src, srcAttr) &&
                                               !scene().curveDriving(node, attribute).isSet());
}

bool setNumeric(CommandCall& call, const Plug& plug, int attribute, const Value& v) {
  const minihost::AttributeInfo* desc = scene().attributeInfo(plug.node, attribute);
  if (heldFast(plug.node, attribute))
    return refuseLockedOrConnected(call, plug);
  if (v.type() == ValueType::kString) {
    bool whole = false;
    parseLeadingNumber(v.stringRef(), &whole);
    if (!whole) {
      return call.failNamed("Error while parsing arguments: \"" + v.stringRef() +
                            "\" is not a number.");
    }
  }
  if (!scene().setNumber(plug.node, attribute, fromScript(desc->type, v.asFloat()))) {
    if (const minihost::DynamicAttribute* added = scene().dynamicAttribute(plug.node, attribute)) {
      const minihost::AttributeLimits& l = added->limits;
      const double stored = fromScript(desc->type, v.asFloat());
      if ((l.hasMin && stored < l.minValue) || (l.hasMax && stored > l.maxValue))
        return call.failNamed(
            "'" + plug.text + "' takes values from " +
            (l.hasMin ? Value(toScript(desc->type, l.minValue)).asString() : std::string("any")) +
            " to " +
            (l.hasMax ? Value(toScript(desc->type, l.maxValue)).asString() : std::string("any")) +
            "; " + v.asString() + " is outside.");
    }
    return call.failNamed("Cannot set '" + plug.text + "' to " + v.asString() + ".");
  }
  return true;
}

bool setValues(CommandCall& call, const FlagSet& flags, const Plug& plug);

bool cmdSetAttr(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(
          call,
          {{"typ", "type", 1}, {"l", "lock", 1}, {"k", "keyable", 1}, {"cb", "channelBox", 1}},
          false)) {
    return false;
  }
  if (flags.positional.empty())
    return call.failNamed("Expected node.attribute and a value.");
  Plug plug;
  if (!findPlug(call, flags.positional[0].asString(), plug))
    return false;
  // -lock off comes before the value, -lock on after it: "setAttr -l off a.tx 5" sets a locked
  // attribute, "setAttr -l on a.tx 5" sets then locks.
  const bool lockGiven = flags.has("lock");
  const bool lockOn = lockGiven && asBoolArg(flags.value("lock"));
  if (lockGiven && !lockOn)
    scene().setLocked(plug.node, plug.attribute, false);
  if (flags.positional.size() == 1 && lockGiven) {
    scene().setLocked(plug.node, plug.attribute, lockOn);
    return true;
  }
  if (!setValues(call, flags, plug))
    return false;
  if (lockOn)
    scene().setLocked(plug.node, plug.attribute, true);
  return true;
}

bool setValues(CommandCall& call, const FlagSet& flags, const Plug& plug) {
  const minihost::AttributeInfo* desc = scene().attributeInfo(plug.node, plug.attribute);
  std::vector<Value> values(flags.positional.begin() + 1, flags.positional.end());
  // Arrays passed as values spread into their elements.
  std::vector<Value> flat;
  for (const Value& v : values) {
    if (v.isArray()) {
      for (std::size_t i = 0; i < v.arraySize(); ++i)
        flat.push_back(v.element(i));
    } else if (v.type() == ValueType::kVector) {
      Vec3 x = v.vectorRef();
      flat.push_back(Value(x.x));
      flat.push_back(Value(x.y));
      flat.push_back(Value(x.z));
    } else {
      flat.push_back(v);
    }
  }
  std::string type = flags.value("type").asString();
  if (desc->type == AttrType::kString) {
    if (type != "string") {
      return call.failNamed("'" + plug.text + "' is a string attribute: use -type \"string\".");
    }
    if (flat.size() != 1)
      return call.failNamed("Expected one string value.");
    if (!scene().setText(plug.node, plug.attribute, flat[0].asString()))
      return refuseLockedOrConnected(call, plug);
    return true;
  }
  if (!type.empty() && type == "string") {
    return call.failNamed("'" + plug.text + "' is not a string attribute.");
  }
  if (desc->type == AttrType::kMessage) {
    return call.failNamed("'" + plug.text + "' is a message attribute and has no value.");
  }
  if (desc->type == AttrType::kCompound) {
    if (flat.size() != desc->children.size()) {
      return call.failNamed("'" + plug.text + "' takes " + std::to_string(desc->children.size()) +
                            " values.");
    }
    // A child that refuses leaves the others as they were.
    for (int child : desc->children) {
      if (heldFast(plug.node, child))
        return refuseLockedOrConnected(call, plug);
    }
    for (std::size_t i = 0; i < flat.size(); ++i) {
      if (!setNumeric(call, plug, desc->children[i], flat[i]))
        return false;
    }
    return true;
  }
  if (flat.size() != 1)
    return call.failNamed("'" + plug.text + "' takes one value.");
  return setNumeric(call, plug, plug.attribute, flat[0]);
}

bool twoPlugs(CommandCall& call, FlagSet& flags, Plug& src, Plug& dst) {
  if (flags.positional.size() != 2)
    return call.failNamed("Expected a source and a destination plug.");
  return findPlug(call, flags.positional[0].asString(), src) &&
         findPlug(call, flags.positional[1].asString(), dst);
}

bool cmdConnectAttr(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"f", "force", 0}, {"l", "lock", 1}}, false))
    return false;
  Plug src, dst;
  if (!twoPlugs(call, flags, src, dst))
    return false;
  // -lock false unlocks the destination first; -lock true locks it once connected.
  const bool lockGiven = flags.has("lock");
  const bool lockOn = lockGiven && asBoolArg(flags.value("lock"));
  if (lockGiven && !lockOn)
    scene().setLocked(dst.node, dst.attribute, false);
  if (scene().isLocked(dst.node, dst.attribute))
    return call.failNamed("The destination attribute '" + dst.text +
                          "' is locked and cannot be connected.");
  std::string error;
  if (!scene().connect(src.node, src.attribute, dst.node, dst.attribute, flags.has("force"),
                       &error)) {
    return call.failNamed(error);
  }
  if (lockOn)
    scene().setLocked(dst.node, dst.attribute, true);
  call.result = Value("Connected " + src.text + " to " + dst.text + ".");
  return true;
}

bool cmdDisconnectAttr(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {}, false))
    return false;
  Plug src, dst;
  if (!twoPlugs(call, flags, src, dst))
    return false;
  if (scene().isLocked(dst.node, dst.attribute))
    return call.failNamed("The destination attribute '" + dst.text +
                          "' is locked and cannot be disconnected.");
  // The destination keeps the value it last had through the connection, as in the host.
  bool numeric = numericAttribute(*scene().attributeInfo(dst.node, dst.attribute));
  double lastValue = 0.0;
  if (numeric)
    scene().getNumber(dst.node, dst.attribute, lastValue);
  if (!scene().disconnect(src.node, src.attribute, dst.node, dst.attribute)) {
    return call.failNamed("There is no connection from " + src.text + " to " + dst.text + ".");
  }
  if (numeric)
    scene().setNumber(dst.node, dst.attribute, lastValue);
  call.result = Value("Disconnected " + src.text + " from " + dst.text + ".");
  return true;
}

}  // namespace

void registerAttributeCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("getAttr", cmdGetAttr);
  t.set("setAttr", cmdSetAttr);
  t.set("connectAttr", cmdConnectAttr);
  t.set("disconnectAttr", cmdDisconnectAttr);
}

}  // namespace mel::host
