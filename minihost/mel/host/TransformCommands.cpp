// move, rotate, scale and xform on transforms (a shape given by name moves its transform).

#include <maya/MMatrix.h>
#include <maya/MTransformationMatrix.h>

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::NodeKind;
using minihost::NodeRef;

namespace {

// Reads and writes translate, rotate or scale in script units.
void getTriple(NodeRef ref, const char* name, double out[3]) {
  int attr = scene().findAttribute(ref, name);
  const minihost::AttributeInfo* desc = scene().attributeInfo(ref, attr);
  for (int i = 0; i < 3; ++i) {
    int child = desc->children[static_cast<std::size_t>(i)];
    double v = 0.0;
    scene().getNumber(ref, child, v);
    out[i] = toScript(scene().attributeInfo(ref, child)->type, v);
  }
}

bool setTriple(CommandCall& call, NodeRef ref, const char* name, const double v[3]) {
  int attr = scene().findAttribute(ref, name);
  const minihost::AttributeInfo* desc = scene().attributeInfo(ref, attr);
  for (int i = 0; i < 3; ++i) {
    int child = desc->children[static_cast<std::size_t>(i)];
    if (!scene().setNumber(ref, child, fromScript(scene().attributeInfo(ref, child)->type, v[i]))) {
      return call.failNamed(std::string("Cannot set ") + name + " of " + nodeName(ref) + ".");
    }
  }
  return true;
}

bool transformsOf(CommandCall& call, const std::vector<Value>& names, std::vector<NodeRef>& out) {
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, names, nodes))
    return false;
  if (nodes.empty())
    return call.failNamed("No object given or selected.");
  out.clear();
  for (NodeRef ref : nodes) {
    NodeRef t = transformOf(ref);
    const minihost::Node* n = scene().node(t);
    if (n == nullptr || n->kind() != NodeKind::kTransform) {
      return call.failNamed(nodeName(ref) + " is not a transform.");
    }
    out.push_back(t);
  }
  return true;
}

// Splits "x y z obj..." into three numbers and the objects.
bool valuesAndObjects(CommandCall& call, const FlagSet& flags, double v[3],
                      std::vector<Value>& objects) {
  std::size_t numbers = 0;
  for (const Value& p : flags.positional) {
    if (numbers < 3 && p.isNumber()) {
      v[numbers++] = p.asFloat();
    } else {
      objects.push_back(p);
    }
  }
  if (numbers != 3)
    return call.failNamed("Expected three values.");
  return true;
}

// World-space position for a transform's translate: the parent's inverse world matrix
// brings it into the parent's space.
void worldToLocal(NodeRef ref, double p[3]) {
  NodeRef parent = scene().parentOf(ref);
  if (!parent.isSet() || parent == scene().world())
    return;
  MMatrix inv = scene().worldMatrix(parent).inverse();
  double cm[3] = {linearFromScript(p[0]), linearFromScript(p[1]), linearFromScript(p[2])};
  for (int c = 0; c < 3; ++c) {
    double v = cm[0] * inv(0, static_cast<unsigned>(c)) + cm[1] * inv(1, static_cast<unsigned>(c)) +
               cm[2] * inv(2, static_cast<unsigned>(c)) + inv(3, static_cast<unsigned>(c));
    p[c] = linearToScript(v);
  }
}

bool cmdMove(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"r", "relative", 0},
                    {"a", "absolute", 0},
                    {"ws", "worldSpace", 0},
                    {"os", "objectSpace", 0},
                    {"ls", "localSpace", 0}},
                   false)) {
    return false;
  }
  double v[3];
  std::vector<Value> objects;
  if (!valuesAndObjects(call, flags, v, objects))
    return false;
  std::vector<NodeRef> nodes;
  if (!transformsOf(call, objects, nodes))
    return false;
  bool local = flags.has("objectSpace") || flags.has("localSpace");
  for (NodeRef ref : nodes) {
    double t[3] = {v[0], v[1], v[2]};
    if (flags.has("relative")) {
      double cur[3];
      getTriple(ref, "translate", cur);
      for (int i = 0; i < 3; ++i)
        t[i] += cur[i];
    } else if (!local) {
      worldToLocal(ref, t);
    }
    if (!setTriple(call, ref, "translate", t))
      return false;
  }
  return true;
}

bool rotateOrScale(CommandCall& call, const char* attr) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"r", "relative", 0},
                    {"a", "absolute", 0},
                    {"ws", "worldSpace", 0},
                    {"os", "objectSpace", 0}},
                   false)) {
    return false;
  }
  double v[3];
  std::vector<Value> objects;
  if (!valuesAndObjects(call, flags, v, objects))
    return false;
  std::vector<NodeRef> nodes;
  if (!transformsOf(call, objects, nodes))
    return false;
  bool isScale = attr[0] == 's';
  for (NodeRef ref : nodes) {
    double t[3] = {v[0], v[1], v[2]};
    if (flags.has("relative")) {
      double cur[3];
      getTriple(ref, attr, cur);
      for (int i = 0; i < 3; ++i)
        t[i] = isScale ? cur[i] * t[i] : cur[i] + t[i];
    }
    if (!setTriple(call, ref, attr, t))
      return false;
  }
  return true;
}

bool cmdRotate(CommandCall& call) {
  return rotateOrScale(call, "rotate");
}
bool cmdScale(CommandCall& call) {
  return rotateOrScale(call, "scale");
}

const char* const kOrders[] = {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"};

// Moves the pivots and their translations to the node's origin and takes what they moved into
// the translation, so that the node stays where it is.
void zeroPivots(NodeRef ref) {
  const MMatrix before = scene().localMatrix(ref);
  for (const char* name :
       {"rotatePivot", "rotatePivotTranslate", "scalePivot", "scalePivotTranslate", "translate"}) {
    const minihost::AttributeInfo* desc =
        scene().attributeInfo(ref, scene().findAttribute(ref, name));
    if (desc == nullptr)
      return;
    for (std::size_t i = 0; i < 3; ++i)
      scene().setNumber(ref, desc->children[i],
                        name[0] == 't' ? before(3, static_cast<unsigned>(i)) : 0.0);
  }
}

bool cmdXform(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"t", "translation", 3},
                    {"ro", "rotation", 3},
                    {"s", "scale", 3},
                    {"m", "matrix", 16},
                    {"ws", "worldSpace", 0},
                    {"os", "objectSpace", 0},
                    {"r", "relative", 0},
                    {"a", "absolute", 0},
                    {"roo", "rotateOrder", 1},
                    {"ztp", "zeroTransformPivots", 0}},
                   true, false)) {
    return false;
  }
  std::vector<NodeRef> nodes;
  if (!transformsOf(call, flags.positional, nodes))
    return false;
  bool world = flags.has("worldSpace");
  if (flags.query) {
    NodeRef ref = nodes.front();
    if (flags.has("translation")) {
      double t[3];
      if (world) {
        MMatrix m = scene().worldMatrix(ref);
        for (int i = 0; i < 3; ++i)
          t[i] = linearToScript(m(3, static_cast<unsigned>(i)));
      } else {
        getTriple(ref, "translate", t);
      }
      call.result = Value(std::vector<double>{t[0], t[1], t[2]});
    } else if (flags.has("rotation") || flags.has("scale")) {
      double t[3];
      getTriple(ref, flags.has("rotation") ? "rotate" : "scale", t);
      call.result = Value(std::vector<double>{t[0], t[1], t[2]});
    } else if (flags.has("matrix")) {
      MMatrix m = world ? scene().worldMatrix(ref) : scene().localMatrix(ref);
      std::vector<double> out;
      for (unsigned r = 0; r < 4; ++r) {
        for (unsigned c = 0; c < 4; ++c) {
          out.push_back(r == 3 && c < 3 ? linearToScript(m(r, c)) : m(r, c));
        }
      }
      call.result = Value(std::move(out));
    } else if (flags.has("rotateOrder")) {
      double v = 0.0;
      scene().getNumber(ref, scene().findAttribute(ref, "rotateOrder"), v);
      int i = floatToInt(v);
      call.result = Value(std::string(i >= 0 && i < 6 ? kOrders[i] : "xyz"));
    } else {
      return call.failNamed("Nothing to query: give -t, -ro, -s, -m or -roo.");
    }
    return true;
  }
  for (NodeRef ref : nodes) {
    if (flags.has("zeroTransformPivots"))
      zeroPivots(ref);
    if (flags.has("rotateOrder")) {
      std::string order = flags.value("rotateOrder").asString();
      int index = -1;
      for (int i = 0; i < 6; ++i) {
        if (order == kOrders[i])
          index = i;
      }
      if (index < 0)
        return call.failNamed("Invalid rotate order: " + order);
      scene().setNumber(ref, scene().findAttribute(ref, "rotateOrder"), index);
    }
    if (const std::vector<Value>* m = flags.find("matrix")) {
      double values[4][4];
      for (unsigned i = 0; i < 16; ++i) {
        double v = (*m)[i].asFloat();
        values[i / 4][i % 4] = (i >= 12 && i < 15) ? linearFromScript(v) : v;
      }
      MMatrix matrix(values);
      if (world) {
        NodeRef parent = scene().parentOf(ref);
        if (parent.isSet() && parent != scene().world()) {
          matrix = matrix * scene().worldMatrix(parent).inverse();
        }
      }
      if (!scene().setTransformation(ref, MTransformationMatrix(matrix))) {
        return call.failNamed("Cannot set the matrix of " + nodeName(ref) + ".");
      }
    }
    const char* attrs[3][2] = {
        {"translation", "translate"}, {"rotation", "rotate"}, {"scale", "scale"}};
    for (const auto& a : attrs) {
      const std::vector<Value>* v = flags.find(a[0]);
      if (v == nullptr)
        continue;
      double t[3] = {(*v)[0].asFloat(), (*v)[1].asFloat(), (*v)[2].asFloat()};
      if (flags.has("relative")) {
        double cur[3];
        getTriple(ref, a[1], cur);
        for (int i = 0; i < 3; ++i)
          t[i] = a[1][0] == 's' ? cur[i] * t[i] : cur[i] + t[i];
      } else if (world && a[1][0] == 't') {
        worldToLocal(ref, t);
      }
      if (!setTriple(call, ref, a[1], t))
        return false;
    }
  }
  return true;
}

}  // namespace

void registerTransformCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("move", cmdMove);
  t.set("rotate", cmdRotate);
  t.set("scale", cmdScale);
  t.set("xform", cmdXform);
}

}  // namespace mel::host
