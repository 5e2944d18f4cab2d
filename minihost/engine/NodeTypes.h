#pragma once
// The node kinds the scene knows, with their attributes (long and short names,
// value types, defaults) and the function set types each kind is compatible with.

#include <string>
#include <vector>

#include <maya/MFn.h>

#include "engine/AttributeNameIndex.h"

namespace minihost {

enum class NodeKind {
  kWorld,
  kTransform,
  kCamera,
  kDirectionalLight,
  kPointLight,
  kSpotLight,
  kAmbientLight,
  kAreaLight,
  kMesh,
  kNurbsCurve,
  kRenderGlobals,
  kResolution,
  kAnimCurveTL,
  kAnimCurveTA,
  kAnimCurveTU,
  kAnimCurveTT,
  // Rig nodes evaluated on demand (engine/RigEvaluation.h): constraints, the camera aim
  // node, blends, utility nodes and driven-key curves.
  kParentConstraint,
  kPointConstraint,
  kOrientConstraint,
  kAimConstraint,
  kScaleConstraint,
  kLookAt,
  kPairBlend,
  kBlendWeighted,
  kUnitConversion,
  kPlusMinusAverage,
  kMultiplyDivide,
  kMultMatrix,
  kDecomposeMatrix,
  kAddDoubleLinear,
  kMultDoubleLinear,
  kMotionPath,
  kAnimCurveUL,
  kAnimCurveUA,
  kAnimCurveUU,
  kAnimCurveUT,
  // A node of a type the scene does not model, kept so that names, parents and
  // connections of a scene file stay whole; it has no attributes beyond "message".
  kPlaceholder
};

// Stored units: distances in centimetres, angles in radians, times in ticks
// (6000 per second). Booleans, enums and integers are held as whole numbers.
enum class AttrType {
  kBool,
  kEnum,
  kShort,
  kInt,
  kFloat,
  kDouble,
  kDistance,
  kAngle,
  kTime,
  kString,
  kMessage,
  kCompound,
  kMatrix,   // a 4x4 matrix, worked out from its connection (identity when unconnected)
  kGeometry  // a shape's geometry (a curve), passed on by connections only
};

struct AttributeInfo {
  std::string longName;
  std::string shortName;
  AttrType type = AttrType::kDouble;
  double defaultValue = 0.0;
  double minValue = 0.0;  // enums only: the accepted range
  double maxValue = 0.0;
  bool keyable = false;
  // Worked out from the node's other attributes when read (engine/RigEvaluation.h), as the
  // host's transform works out transMinusRotatePivot.
  bool derived = false;
  int parent = -1;
  std::vector<int> children;
};

struct NodeType {
  std::string name;  // the type name scripts use: "transform", "spotLight", ...
  NodeKind kind = NodeKind::kTransform;
  bool dag = false;
  bool shape = false;
  MFn::Type apiType = MFn::kInvalid;
  std::vector<MFn::Type> compatible;  // every type hasFn answers true for
  std::vector<AttributeInfo> attributes;
  AttributeNameIndex byName;  // long and short names

  int findAttribute(const std::string& name) const;
  bool hasFn(MFn::Type type) const;
};

const NodeType& nodeType(NodeKind kind);
// The placeholder type of that name, made on first use; a DAG one can parent other nodes.
const NodeType& placeholderType(const std::string& name, bool dag);
// Null for an unknown type name.
const NodeType* findNodeType(const std::string& name);
bool isAnimCurve(NodeKind kind);
// Driven-key curves: keyed on their input's value, not on time.
bool isDrivenKeyCurve(NodeKind kind);
// Node kinds whose outputs the engine works out when they are read (engine/RigEvaluation.h).
bool isEvaluatedKind(NodeKind kind);
// Transforms and the node kinds derived from them (constraints, lookAt), whose own translate,
// rotate and scale place their children.
bool isTransformKind(NodeKind kind);
std::vector<std::string> nodeTypeNames();

// The shapes a poly primitive node (polyCube, ...) makes from its attributes.
enum class PolyPrimitive { kNone, kCube, kPlane, kSphere, kCylinder, kCone };

// What the host does with nodes of a type the scene keeps as a placeholder, so that a reader
// can say what the batch host leaves out.
enum class UnmodelledRole {
  kNone,
  kExpression,
  kConstraint,
  kScript,
  kReference,
  kDrivenKeyCurve,
  kJoint,
};

// Everything the scene knows about a type name, modelled or not. Types the host brings but the
// scene does not model are listed here once, so that every reader treats them alike.
struct NodeTypeFacts {
  const NodeType* modelled = nullptr;  // null when nodes of the type become placeholders
  bool dag = false;                    // the host keeps the type in the DAG, even without a parent
  PolyPrimitive primitive = PolyPrimitive::kNone;
  UnmodelledRole role = UnmodelledRole::kNone;

  bool isKind(NodeKind kind) const { return modelled && modelled->kind == kind; }
  bool isAnimCurve() const { return modelled && minihost::isAnimCurve(modelled->kind); }
};
NodeTypeFacts nodeTypeFacts(const std::string& name);

}  // namespace minihost
