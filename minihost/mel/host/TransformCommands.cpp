// move, rotate and scale on transforms (a shape given by name moves its transform).

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"
#include "mel/host/TransformAccess.h"

namespace mel::host {

using minihost::NodeRef;

namespace {

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

}  // namespace

void registerTransformCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("move", cmdMove);
  t.set("rotate", cmdRotate);
  t.set("scale", cmdScale);
}

}  // namespace mel::host
