// camera and the four light commands: create, query and edit through flags that map onto
// the shape's attributes.

#include <cmath>

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::AttrType;
using minihost::NodeKind;
using minihost::NodeRef;

namespace {

struct AttrFlag {
  const char* shortName;
  const char* longName;
  const char* attribute;  // on the shape; a compound takes as many values as it has children
  int count;
};

const std::vector<AttrFlag>& cameraFlags() {
  static const std::vector<AttrFlag> flags = {
      {"fl", "focalLength", "focalLength", 1},
      {"hfa", "horizontalFilmAperture", "horizontalFilmAperture", 1},
      {"vfa", "verticalFilmAperture", "verticalFilmAperture", 1},
      {"hfo", "horizontalFilmOffset", "horizontalFilmOffset", 1},
      {"vfo", "verticalFilmOffset", "verticalFilmOffset", 1},
      {"ffo", "filmFitOffset", "filmFitOffset", 1},
      {"lsr", "lensSqueezeRatio", "lensSqueezeRatio", 1},
      {"ncp", "nearClipPlane", "nearClipPlane", 1},
      {"fcp", "farClipPlane", "farClipPlane", 1},
      {"cs", "cameraScale", "cameraScale", 1},
      {"o", "orthographic", "orthographic", 1},
      {"ow", "orthographicWidth", "orthographicWidth", 1},
      {"coi", "centerOfInterest", "centerOfInterest", 1},
  };
  return flags;
}

const std::vector<AttrFlag>& lightFlags(NodeKind kind) {
  static const std::vector<AttrFlag> common = {
      {"i", "intensity", "intensity", 1},
      {"rgb", "rgb", "color", 3},
  };
  static const std::vector<AttrFlag> spot = {
      {"i", "intensity", "intensity", 1},  {"rgb", "rgb", "color", 3},
      {"ca", "coneAngle", "coneAngle", 1}, {"p", "penumbra", "penumbraAngle", 1},
      {"do", "dropOff", "dropoff", 1},
  };
  static const std::vector<AttrFlag> ambient = {
      {"i", "intensity", "intensity", 1},
      {"rgb", "rgb", "color", 3},
      {"ss", "ambientShade", "ambientShade", 1},
  };
  return kind == NodeKind::kSpotLight ? spot : kind == NodeKind::kAmbientLight ? ambient : common;
}

// Light cone and penumbra flags are in degrees whatever the angle unit.
double flagToStored(AttrType type, double v, bool degreesFlag) {
  if (degreesFlag && type == AttrType::kAngle)
    return v * 3.14159265358979323846 / 180.0;
  return fromScript(type, v);
}
double storedToFlag(AttrType type, double v, bool degreesFlag) {
  if (degreesFlag && type == AttrType::kAngle)
    return v * 180.0 / 3.14159265358979323846;
  return toScript(type, v);
}

bool applyFlags(CommandCall& call, const FlagSet& flags, const std::vector<AttrFlag>& table,
                NodeRef shape, bool degreesFlags) {
  for (const AttrFlag& f : table) {
    const std::vector<Value>* values = flags.find(f.longName);
    if (values == nullptr)
      continue;
    int attr = scene().findAttribute(shape, f.attribute);
    const minihost::AttributeInfo* desc = scene().attributeInfo(shape, attr);
    if (desc == nullptr)
      continue;
    std::vector<int> targets =
        desc->type == AttrType::kCompound ? desc->children : std::vector<int>{attr};
    for (std::size_t i = 0; i < targets.size() && i < values->size(); ++i) {
      const minihost::AttributeInfo* ts = scene().attributeInfo(shape, targets[i]);
      const Value& given = (*values)[i];
      double raw = ts->type == AttrType::kBool ? (asBoolArg(given) ? 1.0 : 0.0) : given.asFloat();
      double stored = flagToStored(ts->type, raw, degreesFlags);
      if (!scene().setNumber(shape, targets[i], stored)) {
        return call.failNamed(std::string("Invalid value for -") + f.longName + ".");
      }
    }
  }
  return true;
}

bool queryFlag(CommandCall& call, const FlagSet& flags, const std::vector<AttrFlag>& table,
               NodeRef shape, bool degreesFlags) {
  for (const AttrFlag& f : table) {
    if (!flags.has(f.longName))
      continue;
    int attr = scene().findAttribute(shape, f.attribute);
    const minihost::AttributeInfo* desc = scene().attributeInfo(shape, attr);
    if (desc == nullptr)
      break;
    if (desc->type == AttrType::kCompound) {
      std::vector<double> out;
      for (int child : desc->children) {
        double v = 0.0;
        scene().getNumber(shape, child, v);
        out.push_back(storedToFlag(scene().attributeInfo(shape, child)->type, v, degreesFlags));
      }
      call.result = Value(std::move(out));
    } else {
      double v = 0.0;
      scene().getNumber(shape, attr, v);
      if (desc->type == AttrType::kBool || desc->type == AttrType::kEnum) {
        call.result = Value(floatToInt(v));
      } else {
        call.result = Value(storedToFlag(desc->type, v, degreesFlags));
      }
    }
    return true;
  }
  return call.failNamed("Nothing to query: give one of the command's flags.");
}

std::vector<FlagSpec> specsOf(const std::vector<AttrFlag>& table, std::vector<FlagSpec> extra) {
  for (const AttrFlag& f : table)
    extra.push_back({f.shortName, f.longName, f.count, 0});
  return extra;
}

// Makes a transform and a shape below it; "-name n" names the transform n and the shape
// nShape, as the host does.
bool createShape(CommandCall& call, const std::string& type, const std::string& name,
                 NodeRef& transform, NodeRef& shape) {
  std::string error;
  if (name.empty()) {
    shape = scene().createNode(type, "", NodeRef{}, &error);
    if (!shape.isSet())
      return call.failNamed(error);
    transform = scene().parentOf(shape);
    return true;
  }
  transform = scene().createNode("transform", name, NodeRef{}, &error);
  if (!transform.isSet())
    return call.failNamed(error);
  shape = scene().createNode(type, scene().node(transform)->name + "Shape", transform, &error);
  if (!shape.isSet())
    return call.failNamed(error);
  return true;
}

bool targetShape(CommandCall& call, const FlagSet& flags, NodeKind kind, NodeRef& shape) {
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, flags.positional, nodes))
    return false;
  if (nodes.empty())
    return call.failNamed("No object given or selected.");
  shape = shapeOf(nodes.front(), kind);
  if (!shape.isSet() && kind == NodeKind::kDirectionalLight) {
    // The light commands accept any light for query and edit.
    for (NodeKind k : {NodeKind::kPointLight, NodeKind::kSpotLight, NodeKind::kAmbientLight}) {
      shape = shapeOf(nodes.front(), k);
      if (shape.isSet())
        break;
    }
  }
  if (!shape.isSet())
    return call.failNamed("Object is not of the command's type: " + nodeName(nodes.front()));
  return true;
}

bool cmdCamera(CommandCall& call) {
  FlagSet flags;
  std::vector<FlagSpec> extra = {
      {"n", "name", 1}, {"p", "position", 3}, {"rot", "rotation", 3}, {"ff", "filmFit", 1}};
  // Camera settings scripts of other applications give that do not shape a projector.
  static const FlagSpec kIgnored[] = {{"sa", "shutterAngle", 1},      {"ovr", "overscan", 1},
                                      {"dof", "depthOfField", 1},     {"fs", "fStop", 1},
                                      {"fd", "focusDistance", 1},     {"dfg", "displayFilmGate", 1},
                                      {"dr", "displayResolution", 1}, {"mb", "motionBlur", 1}};
  extra.insert(extra.end(), std::begin(kIgnored), std::end(kIgnored));
  if (!flags.parse(call, specsOf(cameraFlags(), extra), true, true))
    return false;
  for (const FlagSpec& f : kIgnored) {
    if (flags.has(f.longName) && !flags.query)
      call.interp.reportWarning(std::string("camera: -") + f.longName +
                                " does not apply in the batch host and is ignored");
  }
  NodeRef transform, shape;
  if (flags.query || flags.edit) {
    if (!targetShape(call, flags, NodeKind::kCamera, shape))
      return false;
    transform = transformOf(shape);
    if (flags.query) {
      if (flags.has("filmFit")) {
        double v = 0.0;
        scene().getNumber(shape, scene().findAttribute(shape, "filmFit"), v);
        static const char* const kFits[] = {"fill", "horizontal", "vertical", "overscan"};
        int i = floatToInt(v);
        call.result = Value(std::string(i >= 0 && i < 4 ? kFits[i] : "fill"));
        return true;
      }
      return queryFlag(call, flags, cameraFlags(), shape, false);
    }
  } else if (!createShape(call, "camera", flags.value("name").asString(), transform, shape)) {
    return false;
  }
  if (!applyFlags(call, flags, cameraFlags(), shape, false))
    return false;
  if (flags.has("filmFit")) {
    std::string fit = flags.value("filmFit").asString();
    static const char* const kFits[] = {"fill", "horizontal", "vertical", "overscan"};
    int index = -1;
    for (int i = 0; i < 4; ++i) {
      if (fit == kFits[i])
        index = i;
    }
    if (index < 0)
      return call.failNamed("Invalid film fit: " + fit);
    scene().setNumber(shape, scene().findAttribute(shape, "filmFit"), index);
  }
  const char* transformFlags[2][2] = {{"position", "translate"}, {"rotation", "rotate"}};
  for (const auto& tf : transformFlags) {
    const std::vector<Value>* v = flags.find(tf[0]);
    if (v == nullptr)
      continue;
    int attr = scene().findAttribute(transform, tf[1]);
    const minihost::AttributeInfo* desc = scene().attributeInfo(transform, attr);
    for (std::size_t i = 0; i < 3; ++i) {
      int child = desc->children[i];
      scene().setNumber(
          transform, child,
          fromScript(scene().attributeInfo(transform, child)->type, (*v)[i].asFloat()));
    }
  }
  if (!flags.edit) {
    setSelection({transform});
    call.result = Value(std::vector<std::string>{nodeName(transform), nodeName(shape)});
  }
  return true;
}

template <NodeKind Kind>
bool cmdLight(CommandCall& call) {
  static const char* const kTypes[] = {
      "", "", "", "directionalLight", "pointLight", "spotLight", "ambientLight"};
  const auto& table = lightFlags(Kind);
  FlagSet flags;
  if (!flags.parse(call, specsOf(table, {{"n", "name", 1}}), true, true))
    return false;
  NodeRef transform, shape;
  if (flags.query || flags.edit) {
    if (!targetShape(call, flags, Kind, shape))
      return false;
    if (flags.query)
      return queryFlag(call, flags, table, shape, true);
  } else if (!createShape(call, kTypes[static_cast<int>(Kind)], flags.value("name").asString(),
                          transform, shape)) {
    return false;
  }
  if (!applyFlags(call, flags, table, shape, true))
    return false;
  if (!flags.edit) {
    setSelection({transformOf(shape)});
    call.result = Value(nodeName(shape));
  }
  return true;
}

}  // namespace

void registerObjectCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("camera", cmdCamera);
  t.set("directionalLight", cmdLight<NodeKind::kDirectionalLight>);
  t.set("pointLight", cmdLight<NodeKind::kPointLight>);
  t.set("spotLight", cmdLight<NodeKind::kSpotLight>);
  t.set("ambientLight", cmdLight<NodeKind::kAmbientLight>);
}

}  // namespace mel::host
