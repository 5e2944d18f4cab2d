// xform: queries and sets a transform's translation, rotation, scale, matrix and rotate order.

#include <maya/MMatrix.h>
#include <maya/MTransformationMatrix.h>

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"
#include "mel/host/TransformAccess.h"

namespace mel::host {

using minihost::NodeRef;

namespace {

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

// Query mode: one of -t, -ro, -s, -m or -roo of the first transform.
bool xformQuery(CommandCall& call, const FlagSet& flags, NodeRef ref) {
  const bool world = flags.has("worldSpace");
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

bool setRotateOrder(CommandCall& call, NodeRef ref, const std::string& order) {
  int index = -1;
  for (int i = 0; i < 6; ++i) {
    if (order == kOrders[i])
      index = i;
  }
  if (index < 0)
    return call.failNamed("Invalid rotate order: " + order);
  scene().setNumber(ref, scene().findAttribute(ref, "rotateOrder"), index);
  return true;
}

// -m: sixteen values, row by row, translation in script units; with -ws in world space.
bool setMatrix(CommandCall& call, NodeRef ref, const std::vector<Value>& m, bool world) {
  double values[4][4];
  for (unsigned i = 0; i < 16; ++i) {
    double v = m[i].asFloat();
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
  return true;
}

// -t, -ro and -s: absolute, relative (scale multiplies, the others add) or, for the
// translation with -ws, in world space.
bool setTriples(CommandCall& call, const FlagSet& flags, NodeRef ref) {
  const bool world = flags.has("worldSpace");
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
  return true;
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
  if (flags.query)
    return xformQuery(call, flags, nodes.front());
  for (NodeRef ref : nodes) {
    if (flags.has("zeroTransformPivots"))
      zeroPivots(ref);
    if (flags.has("rotateOrder") &&
        !setRotateOrder(call, ref, flags.value("rotateOrder").asString())) {
      return false;
    }
    if (const std::vector<Value>* m = flags.find("matrix")) {
      if (!setMatrix(call, ref, *m, flags.has("worldSpace")))
        return false;
    }
    if (!setTriples(call, flags, ref))
      return false;
  }
  return true;
}

}  // namespace

void registerXformCommand(Interpreter& interp) {
  interp.commands().set("xform", cmdXform);
}

}  // namespace mel::host
