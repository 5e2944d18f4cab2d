#pragma once
// The compute functions of the rig node kinds, used by engine/RigEvaluation.cpp. Each reads
// its node's inputs through RigInputs and writes its outputs into the node's value table.

#include <string>
#include <vector>

#include <maya/MMatrix.h>
#include <maya/MVector.h>

#include "engine/Handles.h"

namespace minihost {

class Scene;
struct Node;

class RigInputs {
 public:
  RigInputs(const Scene& scene, NodeRef node, const double* atTicks, std::vector<double>& outputs);

  const Scene& scene() const { return scene_; }
  NodeRef node() const { return node_; }
  const double* atTicks() const { return atTicks_; }
  int attr(const std::string& name) const;
  bool connected(int attribute) const;
  double number(int attribute) const;
  double number(const std::string& name) const { return number(attr(name)); }
  // The three children of a compound attribute.
  MVector vector(int compound) const;
  MVector vector(const std::string& name) const { return vector(attr(name)); }
  MMatrix matrix(int attribute) const;
  MMatrix matrix(const std::string& name) const { return matrix(attr(name)); }
  void set(int attribute, double value);
  void set(const std::string& name, double value) { set(attr(name), value); }
  void setVector(const std::string& compound, const MVector& v);

 private:
  const Scene& scene_;
  NodeRef node_;
  const Node* n_;
  const double* atTicks_;
  std::vector<double>& outputs_;
  // The node's incoming connection per attribute (an index into its inputs, or -1), gathered
  // once: a constraint reads dozens of its attributes per evaluation.
  std::vector<int> inputOf_;
};

// Constraints (engine/Constraints.cpp).
void computeParentConstraint(RigInputs& in);
void computePointConstraint(RigInputs& in);
void computeOrientConstraint(RigInputs& in);
void computeAimConstraint(RigInputs& in, bool lookAt);
void computeScaleConstraint(RigInputs& in);

// Blends, utility nodes and driven keys (engine/UtilityNodes.cpp).
void computePairBlend(RigInputs& in);
void computeBlendWeighted(RigInputs& in);
void computeUnitConversion(RigInputs& in);
void computePlusMinusAverage(RigInputs& in);
void computeMultiplyDivide(RigInputs& in);
void computeDecomposeMatrix(RigInputs& in);
void computeDrivenKey(RigInputs& in);
void computeDoubleLinear(RigInputs& in, bool multiply);

// Path animation (engine/MotionPath.cpp).
void computeMotionPath(RigInputs& in);
void computeTransMinusRotatePivot(RigInputs& in);

}  // namespace minihost
