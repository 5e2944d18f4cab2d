// addAttr, deleteAttr, attributeQuery and listAttr: attributes added to nodes at run time, and
// what scripts ask about any attribute.

#include <string>
#include <vector>

#include "engine/AddAttrRequest.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::AttrType;
using minihost::NodeRef;

namespace {

// Defaults and limits are in the units scripts use, as setAttr's values are.
void toStoredUnits(minihost::DynamicAttribute& a) {
  const AttrType t = a.info.type;
  a.info.defaultValue = fromScript(t, a.info.defaultValue);
  a.limits.minValue = fromScript(t, a.limits.minValue);
  a.limits.maxValue = fromScript(t, a.limits.maxValue);
  a.limits.softMin = fromScript(t, a.limits.softMin);
  a.limits.softMax = fromScript(t, a.limits.softMax);
}

bool addAttrRequest(CommandCall& call, const FlagSet& flags, minihost::AddAttrRequest& r) {
  auto text = [&](const char* name, std::string& out) {
    if (flags.has(name))
      out = flags.value(name).asString();
  };
  auto number = [&](const char* name, bool& has, double& out) {
    if (flags.has(name)) {
      has = true;
      out = flags.value(name).asFloat();
    }
  };
  text("longName", r.longName);
  text("shortName", r.shortName);
  text("niceName", r.niceName);
  text("attributeType", r.attributeType);
  text("dataType", r.dataType);
  text("parent", r.parent);
  text("enumName", r.enumNames);
  number("defaultValue", r.hasDefault, r.defaultValue);
  number("minValue", r.hasMin, r.minValue);
  number("maxValue", r.hasMax, r.maxValue);
  number("softMinValue", r.hasSoftMin, r.softMin);
  number("softMaxValue", r.hasSoftMax, r.softMax);
  // -hasMinValue false drops a -minValue given with it.
  if (flags.has("hasMinValue"))
    r.hasMin = asBoolArg(flags.value("hasMinValue"));
  if (flags.has("hasMaxValue"))
    r.hasMax = asBoolArg(flags.value("hasMaxValue"));
  if (flags.has("numberOfChildren")) {
    const long long n = flags.value("numberOfChildren").asInt();
    if (n < 0 || n > 4096)
      return call.failNamed("-numberOfChildren takes a count from 0 to 4096.");
    r.numberOfChildren = static_cast<int>(n);
  }
  r.keyable = flags.has("keyable") && asBoolArg(flags.value("keyable"));
  r.hidden = flags.has("hidden") && asBoolArg(flags.value("hidden"));
  r.multi = flags.has("multi");
  if (r.longName.empty() && r.shortName.empty())
    return call.failNamed("Either the long name or the short name must be given.");
  return true;
}

bool cmdAddAttr(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"ln", "longName", 1},
                    {"sn", "shortName", 1},
                    {"nn", "niceName", 1},
                    {"at", "attributeType", 1},
                    {"dt", "dataType", 1},
                    {"dv", "defaultValue", 1},
                    {"min", "minValue", 1},
                    {"max", "maxValue", 1},
                    {"hnv", "hasMinValue", 1},
                    {"hxv", "hasMaxValue", 1},
                    {"smn", "softMinValue", 1},
                    {"smx", "softMaxValue", 1},
                    {"hsn", "hasSoftMinValue", 1},
                    {"hsx", "hasSoftMaxValue", 1},
                    {"en", "enumName", 1},
                    {"p", "parent", 1},
                    {"nc", "numberOfChildren", 1},
                    {"k", "keyable", 1},
                    {"h", "hidden", 1},
                    {"m", "multi", 0},
                    {"ci", "cachedInternally", 1},
                    {"is", "internalSet", 1},
                    {"s", "storable", 1},
                    {"r", "readable", 1},
                    {"w", "writable", 1},
                    {"uac", "usedAsColor", 0},
                    {"uaf", "usedAsFilename", 0},
                    {"ct", "category", 1},
                    {"im", "indexMatters", 1},
                    {"dcb", "disconnectBehaviour", 1},
                    {"ex", "exists", 0}},
                   true)) {
    return false;
  }
  if (flags.query) {
    // addAttr -q -exists node.attr: whether the attribute was added to the node.
    if (!flags.has("exists") || flags.positional.size() != 1)
      return call.failNamed("Only -query -exists node.attribute is supported.");
    Plug plug;
    if (!findPlug(call, flags.positional[0].asString(), plug))
      return false;
    call.result = Value(scene().dynamicAttribute(plug.node, plug.attribute) != nullptr ? 1 : 0);
    return true;
  }
  minihost::AddAttrRequest request;
  if (!addAttrRequest(call, flags, request))
    return false;
  minihost::DynamicAttribute wanted;
  std::string problem;
  if (!minihost::makeDynamicAttribute(request, wanted, problem))
    return call.failNamed(problem + ".");
  toStoredUnits(wanted);
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, flags.positional, nodes))
    return false;
  if (nodes.empty())
    return call.failNamed("No object was given or selected.");
  for (NodeRef ref : nodes) {
    int parent = -1;
    if (!request.parent.empty()) {
      parent = scene().findAttribute(ref, request.parent);
      if (parent < 0)
        return call.failNamed("No parent attribute '" + request.parent + "' on '" + nodeName(ref) +
                              "'.");
    }
    std::string error;
    if (scene().addAttribute(ref, wanted, parent, &error) < 0)
      return call.failNamed(error + ".");
  }
  return true;
}

bool cmdDeleteAttr(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"at", "attribute", 1}, {"n", "name", 1}}, false))
    return false;
  std::vector<std::string> plugs;
  std::vector<Value> names = flags.positional;
  if (flags.has("name"))
    names.push_back(flags.value("name"));
  for (const Value& v : names) {
    for (const std::string& name : v.asStringArray()) {
      if (flags.has("attribute") && name.find('.') == std::string::npos)
        plugs.push_back(name + "." + flags.value("attribute").asString());
      else
        plugs.push_back(name);
    }
  }
  if (plugs.empty())
    return call.failNamed("No attribute was given.");
  for (const std::string& text : plugs) {
    Plug plug;
    if (!findPlug(call, text, plug))
      return false;
    std::string error;
    if (!scene().deleteAttribute(plug.node, plug.attribute, &error))
      return call.failNamed(error + ".");
  }
  return true;
}

std::string enumText(const minihost::DynamicAttribute& a) {
  std::string out;
  int next = 0;
  for (const auto& field : a.enumFields) {
    if (!out.empty())
      out += ':';
    out += field.first;
    if (field.second != next)
      out += "=" + std::to_string(field.second);
    next = field.second + 1;
  }
  return out;
}

bool cmdAttributeQuery(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"n", "node", 1},
                    {"ex", "exists", 0},
                    {"at", "attributeType", 0},
                    {"k", "keyable", 0},
                    {"ln", "longName", 0},
                    {"sn", "shortName", 0},
                    {"nn", "niceName", 0},
                    {"le", "listEnum", 0},
                    {"mne", "minExists", 0},
                    {"mxe", "maxExists", 0},
                    {"min", "minimum", 0},
                    {"max", "maximum", 0},
                    {"ud", "userDefined", 0}},
                   false)) {
    return false;
  }
  if (!flags.has("node") || flags.positional.size() != 1)
    return call.failNamed("Expected -node and one attribute name.");
  NodeRef ref;
  if (!findNode(call, flags.value("node").asString(), ref))
    return false;
  const std::string name = flags.positional[0].asString();
  const int attr = scene().findAttribute(ref, name);
  if (flags.has("exists")) {
    call.result = Value(attr >= 0 ? 1 : 0);
    return true;
  }
  const minihost::AttributeInfo* info = scene().attributeInfo(ref, attr);
  if (!info)
    return call.failNamed("No attribute named '" + name + "' on '" + nodeName(ref) + "'.");
  const minihost::DynamicAttribute* added = scene().dynamicAttribute(ref, attr);
  if (flags.has("attributeType")) {
    call.result = Value(std::string(minihost::attributeTypeName(info->type)));
  } else if (flags.has("keyable")) {
    call.result = Value(info->keyable ? 1 : 0);
  } else if (flags.has("longName")) {
    call.result = Value(info->longName);
  } else if (flags.has("shortName")) {
    call.result = Value(info->shortName);
  } else if (flags.has("niceName")) {
    call.result = Value(added && !added->niceName.empty() ? added->niceName : info->longName);
  } else if (flags.has("userDefined")) {
    call.result = Value(added ? 1 : 0);
  } else if (flags.has("listEnum")) {
    if (info->type != AttrType::kEnum)
      return call.failNamed("'" + name + "' is not an enum attribute.");
    call.result = Value(std::vector<std::string>{added ? enumText(*added) : std::string()});
  } else if (flags.has("minExists") || flags.has("maxExists")) {
    const bool min = flags.has("minExists");
    call.result = Value(added && (min ? added->limits.hasMin : added->limits.hasMax) ? 1 : 0);
  } else if (flags.has("minimum") || flags.has("maximum")) {
    const bool min = flags.has("minimum");
    if (!added || !(min ? added->limits.hasMin : added->limits.hasMax))
      return call.failNamed("'" + name + "' has no " + (min ? "minimum." : "maximum."));
    const double v = min ? added->limits.minValue : added->limits.maxValue;
    call.result = Value(std::vector<double>{toScript(info->type, v)});
  } else {
    return call.failNamed("Nothing to query.");
  }
  return true;
}

// listAttr: the attributes of the nodes named (or selected), filtered by -userDefined,
// -locked and -keyable.
bool cmdListAttr(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"ud", "userDefined", 0}, {"l", "locked", 0}, {"k", "keyable", 0}},
                   false)) {
    return false;
  }
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, flags.positional, nodes))
    return false;
  std::vector<std::string> names;
  for (NodeRef ref : nodes) {
    std::vector<int> attributes;
    if (!flags.has("userDefined")) {
      const int count = static_cast<int>(scene().node(ref)->type->attributes.size());
      for (int a = 0; a < count; ++a)
        attributes.push_back(a);
    }
    for (int a : scene().dynamicAttributes(ref))
      attributes.push_back(a);
    for (int a : attributes) {
      const minihost::AttributeInfo* info = scene().attributeInfo(ref, a);
      if ((flags.has("locked") && !scene().isLocked(ref, a)) ||
          (flags.has("keyable") && !info->keyable))
        continue;
      names.push_back(info->longName);
    }
  }
  call.result = Value(std::move(names));
  return true;
}

}  // namespace

void registerDynamicAttributeCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("addAttr", cmdAddAttr);
  t.set("deleteAttr", cmdDeleteAttr);
  t.set("attributeQuery", cmdAttributeQuery);
  t.set("listAttr", cmdListAttr);
}

}  // namespace mel::host
