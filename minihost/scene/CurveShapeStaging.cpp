#include "scene/CurveShapeStaging.h"

#include <cmath>
#include <vector>

namespace minihost::scenefile {
namespace {

// A count the file gives: a whole number, not negative, no larger than what is left to read.
bool countAt(const ValueNumbers& numbers, size_t at, size_t perItem, size_t& count) {
  if (at >= numbers.size())
    return false;
  const double n = numbers[at];
  if (!(n >= 0.0) || n != std::floor(n))
    return false;
  const size_t left = numbers.size() - at - 1;
  if (n > static_cast<double>(left / perItem))
    return false;
  count = static_cast<size_t>(n);
  return true;
}

}  // namespace

bool isCurveShapeData(const std::string& attribute) {
  return attribute == "cc" || attribute == "cached";
}

std::shared_ptr<const NurbsCurve> stageCurveShape(const AttrSetting& value,
                                                  double centimetresPerUnit, std::string& problem) {
  const ValueNumbers& n = value.numbers;
  if (!value.curveData || !value.texts().empty() || n.size() < 5) {
    problem = "expected -type \"nurbsCurve\" with degree, spans, form, rational and dimension";
    return nullptr;
  }
  for (size_t i = 0; i < 5; ++i) {
    if (!std::isfinite(n[i]) || n[i] != std::floor(n[i]) || std::fabs(n[i]) > 1e9) {
      problem = "the curve's header numbers must be whole";
      return nullptr;
    }
  }
  const int degree = static_cast<int>(n[0]), spans = static_cast<int>(n[1]);
  const int form = static_cast<int>(n[2]), dimension = static_cast<int>(n[4]);
  const bool rational = n[3] != 0.0;
  if (dimension != 2 && dimension != 3) {
    problem = "dimension " + std::to_string(dimension) + " is neither 2 nor 3";
    return nullptr;
  }
  size_t knotCount = 0;
  if (!countAt(n, 5, 1, knotCount)) {
    problem = "the knot count does not fit the numbers that follow";
    return nullptr;
  }
  const size_t cvAt = 6 + knotCount;
  const size_t perCv = static_cast<size_t>(dimension) + (rational ? 1 : 0);
  size_t cvCount = 0;
  if (!countAt(n, cvAt, perCv, cvCount) || n.size() != cvAt + 1 + cvCount * perCv) {
    problem = "the control vertex count does not fit the numbers that follow";
    return nullptr;
  }
  std::vector<double> knots(n.begin() + 6, n.begin() + static_cast<long>(cvAt));
  std::vector<double> cvs;
  cvs.reserve(cvCount * 4);
  for (size_t i = 0; i < cvCount; ++i) {
    const double* p = n.data() + cvAt + 1 + i * perCv;
    cvs.push_back(p[0] * centimetresPerUnit);
    cvs.push_back(p[1] * centimetresPerUnit);
    cvs.push_back(dimension == 3 ? p[2] * centimetresPerUnit : 0.0);
    cvs.push_back(rational ? p[dimension] : 1.0);
  }
  return NurbsCurve::make(degree, spans, form, rational, std::move(knots), std::move(cvs), problem);
}

std::string unevaluatedPathWarning(const Scene& scene, NodeRef motionPath) {
  const Node* path = scene.node(motionPath);
  if (!path || path->kind() != NodeKind::kMotionPath)
    return std::string();
  NodeRef src;
  int srcAttr = -1;
  std::string why = "no curve feeds its geometryPath";
  if (scene.inputOf(motionPath, scene.findAttribute(motionPath, "geometryPath"), src, srcAttr)) {
    const Node* shape = scene.node(src);
    if (shape && shape->kind() == NodeKind::kNurbsCurve && shape->curveGeometry())
      return std::string();
    why =
        shape && shape->kind() == NodeKind::kNurbsCurve
            ? "its curve \"" + shape->name + "\" has no stored shape"
            : "its path \"" + (shape ? shape->name : std::string("?")) + "\" is not a curve shape";
  }
  for (const Connection& out : path->outputs) {
    const AttributeInfo* info = scene.attributeInfo(motionPath, out.attribute);
    const Node* driven = scene.node(out.peer);
    const AttributeInfo* drivenInfo = scene.attributeInfo(out.peer, out.peerAttribute);
    if (!info || info->type == AttrType::kMessage || !driven || !drivenInfo)
      continue;
    return "\"" + path->name + "\" (motionPath) drives " + driven->name + "." +
           drivenInfo->shortName + " and is not evaluated (" + why + "); the stored value is used";
  }
  return std::string();
}

}  // namespace minihost::scenefile
