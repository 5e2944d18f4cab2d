// The inputs of one rig node's evaluation, read as Scene::getNumber reads them.
#include <cmath>

#include "engine/RigEvaluation.h"
#include "engine/RigNodes.h"
#include "engine/Scene.h"

namespace minihost {

RigInputs::RigInputs(const Scene& scene, NodeRef node, const double* atTicks,
                     std::vector<double>& outputs)
    : scene_(scene), node_(node), n_(scene.node(node)), atTicks_(atTicks), outputs_(outputs) {
  inputOf_.assign(n_->type->attributes.size(), -1);
  for (size_t i = 0; i < n_->inputs.size(); ++i) {
    int a = n_->inputs[i].attribute;
    if (a >= 0 && static_cast<size_t>(a) < inputOf_.size())
      inputOf_[static_cast<size_t>(a)] = static_cast<int>(i);
  }
}

int RigInputs::attr(const std::string& name) const {
  return n_->type->findAttribute(name);
}

bool RigInputs::connected(int attribute) const {
  return attribute >= 0 && inputOf_[static_cast<size_t>(attribute)] >= 0;
}

double RigInputs::number(int attribute) const {
  if (attribute < 0)
    return 0.0;
  const double stored = n_->values.number(*n_->type, attribute);
  int input = inputOf_[static_cast<size_t>(attribute)];
  if (input < 0)
    return stored;
  // As Scene::getNumber reads a connected attribute: a curve's pushed value (or the curve at
  // the asked time), otherwise the source's value.
  const Connection& c = n_->inputs[static_cast<size_t>(input)];
  const Node* src = scene_.node(c.peer);
  if (src && src->curve())
    return atTicks_ ? src->curve()->evaluate(*atTicks_) : stored;
  double v = stored;
  if (!scene_.getNumber(c.peer, c.peerAttribute, v, atTicks_))
    v = stored;
  return v;
}

MVector RigInputs::vector(int compound) const {
  if (compound < 0)
    return MVector();
  const std::vector<int>& kids = n_->type->attributes[static_cast<size_t>(compound)].children;
  if (kids.size() < 3)
    return MVector();
  return MVector(number(kids[0]), number(kids[1]), number(kids[2]));
}

MMatrix RigInputs::matrix(int attribute) const {
  return attribute < 0 ? MMatrix() : readMatrix(scene_, node_, attribute, atTicks_);
}

void RigInputs::set(int attribute, double value) {
  if (attribute >= 0 && std::isfinite(value))
    outputs_[static_cast<size_t>(attribute)] = value;
}

void RigInputs::setVector(const std::string& compound, const MVector& v) {
  int a = attr(compound);
  if (a < 0)
    return;
  const std::vector<int>& kids = n_->type->attributes[static_cast<size_t>(a)].children;
  for (size_t i = 0; i < kids.size() && i < 3; ++i)
    set(kids[i], v[static_cast<unsigned>(i)]);
}

}  // namespace minihost
