// The transforms a command acts on, and their translate, rotate and scale in script units.

#include "mel/host/TransformAccess.h"

#include <maya/MMatrix.h>

namespace mel::host {

using minihost::NodeKind;
using minihost::NodeRef;

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

}  // namespace mel::host
