#include "engine/RigEvaluation.h"

#include <cmath>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/RigNodes.h"
#include "engine/Scene.h"
#include "engine/ScriptHost.h"

namespace minihost {
namespace {

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
    case NodeKind::kMotionPath:
      names = {"allCoordinates", "rotate"};
      break;
    case NodeKind::kTransform:
      break;
    default:
      names = {"output"};
      break;
  }
  if (isTransformKind(type.kind))
    names.push_back("transMinusRotatePivot");
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
  if (isTransformKind(kind))
    computeTransMinusRotatePivot(in);
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
    case NodeKind::kMotionPath:
      return computeMotionPath(in);
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
  if (values.size() != n->type->attributes.size()) {
    values.resize(n->type->attributes.size());
    for (size_t i = 0; i < values.size(); ++i)
      values[i] = n->values.number(*n->type, static_cast<int>(i));
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

}  // namespace minihost
