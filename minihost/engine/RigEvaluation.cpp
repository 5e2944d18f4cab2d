#include "engine/RigEvaluation.h"

#include <cmath>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/RigMath.h"
#include "engine/RigNodeTypes.h"
#include "engine/RigNodes.h"
#include "engine/Scene.h"
#include "engine/ScriptHost.h"

namespace minihost {
namespace {

// Bound on chains of matrix connections (multMatrix of multMatrix ...).
constexpr int kMaxMatrixDepth = 64;
// Bound on the matrix connections one read follows (a multMatrix has several inputs).
constexpr int kMaxMatrixLinks = 1024;
// Bound on rig nodes pulling one another (a constraint following a constrained node ...): a
// scene file could chain any number, and each link takes stack.
constexpr size_t kMaxEvaluationDepth = 200;

// Which attributes of a type its compute function writes.
const std::vector<bool>& outputMask(const NodeType& type) {
  static std::unordered_map<const NodeType*, std::vector<bool>> masks;
  auto found = masks.find(&type);
  if (found != masks.end())
    return found->second;
  std::vector<std::string> names;
  switch (type.kind) {
    case NodeKind::kParentConstraint:
      names = {"constraintTranslate", "constraintRotate"};
      break;
    case NodeKind::kPointConstraint:
      names = {"constraintTranslate"};
      break;
    case NodeKind::kOrientConstraint:
    case NodeKind::kAimConstraint:
      names = {"constraintRotate"};
      break;
    case NodeKind::kLookAt:
      names = {"constraintRotate", "distanceBetween"};
      break;
    case NodeKind::kScaleConstraint:
      names = {"constraintScale"};
      break;
    case NodeKind::kPairBlend:
      names = {"outTranslate", "outRotate"};
      break;
    case NodeKind::kPlusMinusAverage:
      names = {"output1D", "output2D", "output3D"};
      break;
    case NodeKind::kDecomposeMatrix:
      names = {"outputTranslate", "outputRotate", "outputScale", "outputShear"};
      break;
    default:
      names = {"output"};
      break;
  }
  std::vector<bool> mask(type.attributes.size(), false);
  for (const std::string& name : names) {
    int a = type.findAttribute(name);
    if (a < 0)
      continue;
    mask[static_cast<size_t>(a)] = true;
    for (int child : type.attributes[static_cast<size_t>(a)].children)
      mask[static_cast<size_t>(child)] = true;
  }
  return masks.emplace(&type, std::move(mask)).first->second;
}

struct CacheEntry {
  uint32_t generation = 0;
  unsigned long long revision = 0;
  bool busy = false;
  std::vector<double> values;
  // The last result at an asked time (a timed read), kept apart from the current one so
  // that a graph that fans out is still evaluated once per node.
  unsigned long long timedRevision = 0;
  double timedTicks = 0.0;
  std::vector<double> timedValues;
};

struct EvaluationState {
  std::vector<CacheEntry> cache;  // by node slot
  std::vector<NodeRef> stack;     // nodes being evaluated, outermost first
  std::set<std::string> reportedCycles;
};

EvaluationState& state() {
  static EvaluationState s;
  return s;
}

void reportCycle(const Scene& scene, NodeRef again) {
  EvaluationState& st = state();
  std::string chain;
  bool inCycle = false;
  for (NodeRef r : st.stack) {
    inCycle = inCycle || r == again;
    if (inCycle)
      chain += scene.node(r)->name + " -> ";
  }
  chain += scene.node(again)->name;
  if (!st.reportedCycles.insert(chain).second)
    return;
  std::string text = "Cycle in the dependency graph: " + chain + "; the stored values are used";
  if (ScriptHost* host = scriptHost())
    host->displayWarning(text);
  else
    printWarning(text);
}

void reportTooDeep(const Scene& scene, NodeRef ref) {
  EvaluationState& st = state();
  std::string text = "Rig nodes chained more than " + std::to_string(kMaxEvaluationDepth) +
                     " deep at " + scene.node(ref)->name + " (from " +
                     scene.node(st.stack.front())->name + "); the stored values are used";
  if (!st.reportedCycles.insert(text).second)
    return;
  if (ScriptHost* host = scriptHost())
    host->displayWarning(text);
  else
    printWarning(text);
}

void compute(RigInputs& in, NodeKind kind) {
  switch (kind) {
    case NodeKind::kParentConstraint:
      return computeParentConstraint(in);
    case NodeKind::kPointConstraint:
      return computePointConstraint(in);
    case NodeKind::kOrientConstraint:
      return computeOrientConstraint(in);
    case NodeKind::kAimConstraint:
      return computeAimConstraint(in, false);
    case NodeKind::kLookAt:
      return computeAimConstraint(in, true);
    case NodeKind::kScaleConstraint:
      return computeScaleConstraint(in);
    case NodeKind::kPairBlend:
      return computePairBlend(in);
    case NodeKind::kBlendWeighted:
      return computeBlendWeighted(in);
    case NodeKind::kUnitConversion:
      return computeUnitConversion(in);
    case NodeKind::kPlusMinusAverage:
      return computePlusMinusAverage(in);
    case NodeKind::kMultiplyDivide:
      return computeMultiplyDivide(in);
    case NodeKind::kDecomposeMatrix:
      return computeDecomposeMatrix(in);
    case NodeKind::kAddDoubleLinear:
      return computeDoubleLinear(in, false);
    case NodeKind::kMultDoubleLinear:
      return computeDoubleLinear(in, true);
    case NodeKind::kAnimCurveUL:
    case NodeKind::kAnimCurveUA:
    case NodeKind::kAnimCurveUU:
    case NodeKind::kAnimCurveUT:
      return computeDrivenKey(in);
    default:
      return;
  }
}

}  // namespace

bool evaluateOutput(const Scene& scene, NodeRef ref, int attribute, double& out,
                    const double* atTicks) {
  const Node* n = scene.node(ref);
  if (!n || attribute < 0)
    return false;
  const std::vector<bool>& mask = outputMask(*n->type);
  if (static_cast<size_t>(attribute) >= mask.size() || !mask[static_cast<size_t>(attribute)])
    return false;
  EvaluationState& st = state();
  if (st.cache.size() <= ref.index)
    st.cache.resize(ref.index + 1);
  CacheEntry& entry = st.cache[ref.index];
  if (entry.generation != ref.generation) {
    entry = CacheEntry{};
    entry.generation = ref.generation;
  }
  if (entry.busy) {
    reportCycle(scene, ref);
    return false;
  }
  if (st.stack.size() >= kMaxEvaluationDepth) {
    reportTooDeep(scene, ref);
    return false;
  }
  if (!atTicks && entry.revision == scene.revision() && !entry.values.empty()) {
    out = entry.values[static_cast<size_t>(attribute)];
    return true;
  }
  if (atTicks && entry.timedRevision == scene.revision() && entry.timedTicks == *atTicks &&
      !entry.timedValues.empty()) {
    out = entry.timedValues[static_cast<size_t>(attribute)];
    return true;
  }
  // Outputs start from the last result (the stored values before the first): what a compute
  // leaves alone (no weight, a degenerate aim) keeps it, as the host keeps a node's last
  // good result.
  std::vector<double> values = entry.values;
  if (values.size() != n->values.size()) {
    values.resize(n->values.size());
    for (size_t i = 0; i < values.size(); ++i)
      values[i] = n->values[i].number;
  }
  entry.busy = true;
  st.stack.push_back(ref);
  RigInputs in(scene, ref, atTicks, values);
  compute(in, n->kind());
  st.stack.pop_back();
  // The cache may have grown while the inputs were pulled: look the entry up again.
  CacheEntry& done = st.cache[ref.index];
  done.busy = false;
  out = values[static_cast<size_t>(attribute)];
  if (!atTicks) {
    done.revision = scene.revision();
    done.values = std::move(values);
  } else {
    done.timedRevision = scene.revision();
    done.timedTicks = *atTicks;
    done.timedValues = std::move(values);
  }
  return true;
}

MMatrix localMatrixAt(const Scene& scene, NodeRef ref, const double* atTicks) {
  const Node* n = scene.node(ref);
  if (!n || !isTransformKind(n->kind()))
    return MMatrix();
  if (!atTicks)
    return scene.localMatrix(ref);
  // Scene::localMatrix's composition with every attribute read at the given time:
  //   Sp^-1 * S * Sh * Sp * St * Rp^-1 * Ra * R * Rp * Rt * T
  auto read = [&](const char* name, double fallback) {
    double v = fallback;
    scene.getNumber(ref, scene.findAttribute(ref, name), v, atTicks);
    return v;
  };
  auto read3 = [&](const char* name, double fallback) {
    std::string base(name);
    return MVector(read((base + "X").c_str(), fallback), read((base + "Y").c_str(), fallback),
                   read((base + "Z").c_str(), fallback));
  };
  MVector t = read3("translate", 0.0), r = read3("rotate", 0.0), s = read3("scale", 1.0);
  MVector rp = read3("rotatePivot", 0.0), rpt = read3("rotatePivotTranslate", 0.0);
  MVector sp = read3("scalePivot", 0.0), spt = read3("scalePivotTranslate", 0.0);
  MVector ra = read3("rotateAxis", 0.0);
  MMatrix scale;
  scale.matrix[0][0] = s.x;
  scale.matrix[1][1] = s.y;
  scale.matrix[2][2] = s.z;
  MMatrix shear;
  shear.matrix[1][0] = read("shearXY", 0.0);
  shear.matrix[2][0] = read("shearXZ", 0.0);
  shear.matrix[2][1] = read("shearYZ", 0.0);
  int order = static_cast<int>(read("rotateOrder", 0.0));
  return translationMatrix(-1.0 * sp) * scale * shear * translationMatrix(sp) *
         translationMatrix(spt) * translationMatrix(-1.0 * rp) * eulerMatrix(ra.x, ra.y, ra.z, 0) *
         eulerMatrix(r.x, r.y, r.z, order) * translationMatrix(rp) * translationMatrix(rpt) *
         translationMatrix(t);
}

MMatrix worldMatrixAt(const Scene& scene, NodeRef ref, const double* atTicks) {
  if (!atTicks)
    return scene.worldMatrix(ref);
  MMatrix m;
  for (NodeRef r = ref; r.isSet() && r != scene.world(); r = scene.parentOf(r)) {
    const Node* n = scene.node(r);
    if (!n || !isTransformKind(n->kind()))
      continue;
    m = m * localMatrixAt(scene, r, atTicks);
    double inherits = 1.0;
    scene.getNumber(r, scene.findAttribute(r, "inheritsTransform"), inherits, atTicks);
    if (inherits == 0.0)
      break;
  }
  return m;
}

namespace {

MMatrix parentWorld(const Scene& scene, NodeRef ref, const double* atTicks) {
  NodeRef parent = scene.parentOf(ref);
  double inherits = 1.0;
  scene.getNumber(ref, scene.findAttribute(ref, "inheritsTransform"), inherits, atTicks);
  if (!parent.isSet() || parent == scene.world() || inherits == 0.0)
    return MMatrix();
  return worldMatrixAt(scene, parent, atTicks);
}

// One matrix read: how deep it went and how many matrix connections it followed, so that a
// file whose multMatrix nodes feed each other many times over cannot make it run for ever.
struct MatrixWalk {
  const double* atTicks;
  int links = 0;
};

MMatrix matrixOutput(const Scene& scene, NodeRef src, int srcAttr, MatrixWalk& walk, int depth);

MMatrix matrixInput(const Scene& scene, NodeRef ref, int attribute, MatrixWalk& walk, int depth) {
  NodeRef src;
  int srcAttr = -1;
  if (depth > kMaxMatrixDepth || ++walk.links > kMaxMatrixLinks ||
      !scene.inputOf(ref, attribute, src, srcAttr))
    return MMatrix();
  return matrixOutput(scene, src, srcAttr, walk, depth + 1);
}

MMatrix matrixOutput(const Scene& scene, NodeRef src, int srcAttr, MatrixWalk& walk, int depth) {
  const double* atTicks = walk.atTicks;
  const Node* s = scene.node(src);
  const AttributeInfo* info = scene.attributeInfo(src, srcAttr);
  if (!s || !info)
    return MMatrix();
  const std::string& name = info->longName;
  if (s->type->dag) {
    // A shape's matrices are those of its transform.
    NodeRef t = isTransformKind(s->kind()) ? src : scene.parentOf(src);
    if (name == "matrix" || name == "xformMatrix")
      return localMatrixAt(scene, t, atTicks);
    if (name == "inverseMatrix")
      return localMatrixAt(scene, t, atTicks).inverse();
    if (name == "worldMatrix")
      return worldMatrixAt(scene, t, atTicks);
    if (name == "worldInverseMatrix")
      return worldMatrixAt(scene, t, atTicks).inverse();
    if (name == "parentMatrix")
      return parentWorld(scene, t, atTicks);
    if (name == "parentInverseMatrix") {
      NodeRef parent = scene.parentOf(t);
      return parent.isSet() && parent != scene.world() ? parentWorld(scene, t, atTicks).inverse()
                                                       : MMatrix();
    }
  }
  if (s->kind() == NodeKind::kMultMatrix && name == "matrixSum") {
    MMatrix product;
    for (int i = 0; i < kRigMultiSize; ++i)
      product = product *
                matrixInput(scene, src, scene.findAttribute(src, elementName("i", i)), walk, depth);
    return product;
  }
  // A matrix input passed on by a plain connection.
  return matrixInput(scene, src, srcAttr, walk, depth);
}

}  // namespace

MMatrix readMatrix(const Scene& scene, NodeRef ref, int attribute, const double* atTicks) {
  MatrixWalk walk{atTicks};
  return matrixOutput(scene, ref, attribute, walk, 0);
}

}  // namespace minihost

namespace minihost {

RigInputs::RigInputs(const Scene& scene, NodeRef node, const double* atTicks,
                     std::vector<double>& outputs)
    : scene_(scene), node_(node), n_(scene.node(node)), atTicks_(atTicks), outputs_(outputs) {
  inputOf_.assign(n_->values.size(), -1);
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
  const double stored = n_->values[static_cast<size_t>(attribute)].number;
  int input = inputOf_[static_cast<size_t>(attribute)];
  if (input < 0)
    return stored;
  // As Scene::getNumber reads a connected attribute: a curve's pushed value (or the curve at
  // the asked time), otherwise the source's value.
  const Connection& c = n_->inputs[static_cast<size_t>(input)];
  const Node* src = scene_.node(c.peer);
  if (src && src->curve)
    return atTicks_ ? src->curve->evaluate(*atTicks_) : stored;
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
