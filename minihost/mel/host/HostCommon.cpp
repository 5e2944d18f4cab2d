#include "mel/host/HostCommon.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MTime.h>

namespace mel::host {

using minihost::AttrType;
using minihost::HandleAccess;
using minihost::NodeKind;
using minihost::NodeRef;

minihost::Scene& scene() {
  return minihost::Scene::get();
}

bool findNode(CommandCall& call, const std::string& name, NodeRef& out) {
  bool ambiguous = false;
  out = scene().findNode(name, &ambiguous);
  if (ambiguous)
    return call.fail("More than one object matches name: " + name);
  if (!out.isSet()) {
    return call.fail("No object matches name: " + name);
  }
  return true;
}

bool findPlug(CommandCall& call, const std::string& text, Plug& out) {
  std::size_t dot = text.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 >= text.size()) {
    return call.failNamed("Expected node.attribute, got \"" + text + "\".");
  }
  if (!findNode(call, text.substr(0, dot), out.node)) {
    return false;
  }
  std::string attr = text.substr(dot + 1);
  out.attribute = scene().findAttribute(out.node, attr);
  if (out.attribute < 0) {
    return call.fail("No object matches name: " + text);
  }
  out.text = text;
  return true;
}

std::vector<NodeRef> selectedNodes() {
  std::vector<NodeRef> out;
  const MSelectionList& list = scene().activeSelection();
  unsigned int n = HandleAccess::selectionLength(list);
  for (unsigned int i = 0; i < n; ++i) {
    NodeRef ref = HandleAccess::nodeRef(HandleAccess::selectionNode(list, i));
    if (scene().isAlive(ref)) {
      out.push_back(ref);
    }
  }
  return out;
}

void setSelection(const std::vector<NodeRef>& nodes) {
  MSelectionList& list = scene().activeSelection();
  list.clear();
  for (NodeRef ref : nodes) {
    HandleAccess::selectionAppend(list, HandleAccess::nodeObject(ref), MObject::kNullObj);
  }
}

bool objectsOrSelection(CommandCall& call, const std::vector<Value>& names,
                        std::vector<NodeRef>& out) {
  out.clear();
  for (const Value& v : names) {
    for (const std::string& name : v.asStringArray()) {
      NodeRef ref;
      if (!findNode(call, name, ref))
        return false;
      out.push_back(ref);
    }
  }
  if (names.empty()) {
    out = selectedNodes();
  }
  return true;
}

NodeRef shapeOf(NodeRef ref, NodeKind kind) {
  const minihost::Node* n = scene().node(ref);
  if (n == nullptr)
    return NodeRef{};
  if (n->kind() == kind)
    return ref;
  for (NodeRef child : scene().childrenOf(ref)) {
    const minihost::Node* c = scene().node(child);
    if (c != nullptr && c->kind() == kind)
      return child;
  }
  return NodeRef{};
}

NodeRef transformOf(NodeRef ref) {
  const minihost::Node* n = scene().node(ref);
  if (n != nullptr && n->type->shape) {
    return scene().parentOf(ref);
  }
  return ref;
}

std::string nodeName(NodeRef ref) {
  return scene().partialPathName(ref);
}

double ticksPerUiUnit() {
  return minihost::kTicksPerSecond / MTime(1.0, MTime::kSeconds).as(scene().timeUnit());
}

double linearToScript(double cm) {
  return MDistance(cm, MDistance::kCentimeters).as(scene().linearUnit());
}
double linearFromScript(double value) {
  return MDistance(value, scene().linearUnit()).asCentimeters();
}
double angleToScript(double radians) {
  return MAngle(radians, MAngle::kRadians).as(scene().angleUnit());
}
double angleFromScript(double value) {
  return MAngle(value, scene().angleUnit()).asRadians();
}

double toScript(AttrType type, double stored) {
  switch (type) {
    case AttrType::kDistance:
      return linearToScript(stored);
    case AttrType::kAngle:
      return angleToScript(stored);
    case AttrType::kTime:
      return stored / ticksPerUiUnit();
    default:
      return stored;
  }
}

double fromScript(AttrType type, double value) {
  switch (type) {
    case AttrType::kDistance:
      return linearFromScript(value);
    case AttrType::kAngle:
      return angleFromScript(value);
    case AttrType::kTime:
      return value * ticksPerUiUnit();
    default:
      return value;
  }
}

bool numericAttribute(const minihost::AttributeInfo& desc) {
  return desc.type != AttrType::kString && desc.type != AttrType::kMessage &&
         desc.type != AttrType::kCompound;
}

namespace {
bool integral(AttrType t) {
  return t == AttrType::kBool || t == AttrType::kEnum || t == AttrType::kShort ||
         t == AttrType::kInt;
}
}  // namespace

bool readAttribute(CommandCall& call, const Plug& plug, Value& out, const double* atTicks) {
  const minihost::AttributeInfo* desc = scene().attributeInfo(plug.node, plug.attribute);
  if (desc == nullptr)
    return call.fail("No object matches name: " + plug.text);
  switch (desc->type) {
    case AttrType::kString: {
      std::string text;
      scene().getText(plug.node, plug.attribute, text);
      out = Value(std::move(text));
      return true;
    }
    case AttrType::kMessage:
      return call.failNamed("The attribute '" + plug.text +
                            "' is a message attribute and has no value.");
    case AttrType::kCompound: {
      std::vector<double> values;
      for (int child : desc->children) {
        const minihost::AttributeInfo* cs = scene().attributeInfo(plug.node, child);
        double v = 0.0;
        scene().getNumber(plug.node, child, v, atTicks);
        values.push_back(cs != nullptr ? toScript(cs->type, v) : v);
      }
      out = Value(std::move(values));
      return true;
    }
    default: {
      double v = 0.0;
      if (!scene().getNumber(plug.node, plug.attribute, v, atTicks)) {
        return call.failNamed("Cannot read '" + plug.text + "'.");
      }
      if (integral(desc->type)) {
        out = Value(floatToInt(v));
      } else {
        out = Value(toScript(desc->type, v));
      }
      return true;
    }
  }
}

Value namesValue(const std::vector<NodeRef>& nodes, bool longNames) {
  std::vector<std::string> names;
  names.reserve(nodes.size());
  for (NodeRef ref : nodes) {
    names.push_back(longNames ? scene().fullPathName(ref) : nodeName(ref));
  }
  return Value(std::move(names));
}

}  // namespace mel::host
