#include "engine/RigNodeTypes.h"

#include <cmath>

namespace minihost {
namespace {

const char* const kAxes[3] = {"X", "Y", "Z"};
const char* const kAxesLower[3] = {"x", "y", "z"};

class RigBuilder {
 public:
  explicit RigBuilder(NodeType& type) : t_(type) {}

  int add(const std::string& longName, const std::string& shortName, AttrType type,
          double def = 0.0, bool keyable = false) {
    AttributeInfo a;
    a.longName = longName;
    a.shortName = shortName;
    a.type = type;
    a.defaultValue = def;
    a.keyable = keyable;
    t_.attributes.push_back(a);
    int index = static_cast<int>(t_.attributes.size()) - 1;
    t_.byName.emplace(longName, index);
    t_.byName.emplace(shortName, index);
    return index;
  }
  void enumeration(const std::string& longName, const std::string& shortName, double def,
                   double maxValue) {
    int i = add(longName, shortName, AttrType::kEnum, def);
    t_.attributes[i].maxValue = maxValue;
  }
  // A compound of three children named by `childLong`/`childShort` with %c standing for the
  // axis letter (upper case in long names, lower case in short ones).
  void triple(const std::string& longName, const std::string& shortName,
              const std::string& childLong, const std::string& childShort, AttrType type,
              const double def[3] = nullptr, bool keyable = false) {
    int parent = add(longName, shortName, AttrType::kCompound);
    for (int i = 0; i < 3; ++i) {
      int child = add(axisName(childLong, kAxes[i]), axisName(childShort, kAxesLower[i]), type,
                      def ? def[i] : 0.0, keyable);
      t_.attributes[child].parent = parent;
      t_.attributes[parent].children.push_back(child);
    }
  }
  // The usual triple: children are the parent's names with the axis appended.
  void vector3(const std::string& longName, const std::string& shortName, AttrType type,
               const double def[3] = nullptr, bool keyable = false) {
    triple(longName, shortName, longName + "%c", shortName + "%c", type, def, keyable);
  }
  void alias(const std::string& existing, const std::string& other) {
    t_.byName.emplace(other, t_.findAttribute(existing));
  }

 private:
  static std::string axisName(const std::string& pattern, const char* axis) {
    std::string out = pattern;
    size_t at = out.find("%c");
    if (at != std::string::npos)
      out.replace(at, 2, axis);
    return out;
  }
  NodeType& t_;
};

std::unique_ptr<NodeType> newType(NodeKind kind, const std::string& name, bool dag, MFn::Type api) {
  auto t = std::make_unique<NodeType>();
  t->name = name;
  t->kind = kind;
  t->dag = dag;
  t->apiType = api;
  t->compatible = {MFn::kBase, MFn::kNamedObject, MFn::kDependencyNode};
  if (dag)
    t->compatible.push_back(MFn::kDagNode);
  RigBuilder b(*t);
  b.add("message", "msg", AttrType::kMessage);
  if (dag)
    b.add("visibility", "v", AttrType::kBool, 1.0, true);
  return t;
}

const double kOnes[3] = {1.0, 1.0, 1.0};

void addTargets(NodeType& t) {
  RigBuilder b(t);
  for (int i = 0; i < kRigMultiSize; ++i) {
    auto L = [&](const std::string& child) { return elementName("target", i, child); };
    auto S = [&](const std::string& child) { return elementName("tg", i, child); };
    b.vector3(L("targetTranslate"), S("tt"), AttrType::kDistance);
    b.vector3(L("targetRotate"), S("tr"), AttrType::kAngle);
    b.vector3(L("targetScale"), S("ts"), AttrType::kDouble, kOnes);
    b.vector3(L("targetRotatePivot"), S("trp"), AttrType::kDistance);
    b.vector3(L("targetRotateTranslate"), S("trt"), AttrType::kDistance);
    b.vector3(L("targetJointOrient"), S("tjo"), AttrType::kAngle);
    b.vector3(L("targetOffsetTranslate"), S("tot"), AttrType::kDistance);
    b.vector3(L("targetOffsetRotate"), S("tor"), AttrType::kAngle);
    b.enumeration(L("targetRotateOrder"), S("tro"), 0, 5);
    b.add(L("targetParentMatrix"), S("tpm"), AttrType::kMatrix);
    b.add(L("targetWeight"), S("tw"), AttrType::kDouble, 1.0, true);
    // The constraint command's per-target weight ("<target>W<i>", short "w<i>"), which it
    // connects to the element's targetWeight.
    b.add("W" + std::to_string(i), "w" + std::to_string(i), AttrType::kDouble, 1.0, true);
  }
}

// Constraints and lookAt are transforms in the host: they start with a transform's attributes,
// at the same places, so that their own translate, rotate and scale place their children (the
// camera and aim group is its lookAt node).
std::unique_ptr<NodeType> constraint(NodeKind kind, const std::string& name,
                                     const NodeType& transform) {
  auto t = newType(kind, name, true, MFn::kDagNode);
  t->attributes = transform.attributes;
  t->byName = transform.byName;
  addTargets(*t);
  RigBuilder b(*t);
  b.add("constraintParentInverseMatrix", "cpim", AttrType::kMatrix);
  b.add("constraintParentMatrix", "cpm", AttrType::kMatrix);
  b.vector3("constraintRotatePivot", "crp", AttrType::kDistance);
  b.vector3("constraintRotateTranslate", "crt", AttrType::kDistance);
  b.vector3("constraintJointOrient", "cjo", AttrType::kAngle);
  b.enumeration("constraintRotateOrder", "cro", 0, 5);
  b.vector3("constraintTranslate", "ct", AttrType::kDistance);
  b.vector3("constraintRotate", "cr", AttrType::kAngle);
  b.vector3("constraintScale", "cs", AttrType::kDouble, kOnes);
  b.triple("restTranslate", "rst", "restTranslate%c", "rt%c", AttrType::kDistance);
  b.triple("restRotate", "rsrr", "restRotate%c", "rr%c", AttrType::kAngle);
  b.triple("restScale", "rsrs", "restScale%c", "rs%c", AttrType::kDouble, kOnes);
  b.add("enableRestPosition", "erp", AttrType::kBool, 0.0);
  b.enumeration("interpType", "int", 1, 4);
  b.add("nodeState", "nds", AttrType::kEnum, 0.0);
  t->attributes.back().maxValue = 2;
  b.vector3("offset", "o",
            kind == NodeKind::kScaleConstraint ? AttrType::kDouble : AttrType::kAngle,
            kind == NodeKind::kScaleConstraint ? kOnes : nullptr);
  if (kind == NodeKind::kPointConstraint) {
    // A point constraint's offset is a distance.
    for (int c : t->attributes[t->findAttribute("offset")].children)
      t->attributes[c].type = AttrType::kDistance;
  }
  if (kind == NodeKind::kAimConstraint || kind == NodeKind::kLookAt) {
    const double x[3] = {1.0, 0.0, 0.0}, y[3] = {0.0, 1.0, 0.0};
    b.vector3("aimVector", "a", AttrType::kDouble, x);
    b.vector3("upVector", "u", AttrType::kDouble, y);
    b.vector3("worldUpVector", "wu", AttrType::kDouble, y);
    b.add("worldUpMatrix", "wum", AttrType::kMatrix);
    b.enumeration("worldUpType", "wut", 3, 4);
  }
  if (kind == NodeKind::kLookAt) {
    b.add("twist", "tws", AttrType::kAngle);
    b.add("distanceBetween", "db", AttrType::kDistance);
    b.add("displayConnector", "dc", AttrType::kBool, 1.0);
  }
  return t;
}

std::unique_ptr<NodeType> pairBlend() {
  auto t = newType(NodeKind::kPairBlend, "pairBlend", false, MFn::kDependencyNode);
  RigBuilder b(*t);
  b.triple("inTranslate1", "it1", "inTranslate%c1", "it%c1", AttrType::kDistance, nullptr, true);
  b.triple("inRotate1", "ir1", "inRotate%c1", "ir%c1", AttrType::kAngle, nullptr, true);
  b.triple("inTranslate2", "it2", "inTranslate%c2", "it%c2", AttrType::kDistance, nullptr, true);
  b.triple("inRotate2", "ir2", "inRotate%c2", "ir%c2", AttrType::kAngle, nullptr, true);
  b.add("weight", "w", AttrType::kDouble, 1.0, true);
  b.enumeration("rotInterpolation", "ri", 0, 1);
  b.vector3("outTranslate", "ot", AttrType::kDistance);
  b.vector3("outRotate", "or", AttrType::kAngle);
  return t;
}

std::unique_ptr<NodeType> blendWeighted() {
  auto t = newType(NodeKind::kBlendWeighted, "blendWeighted", false, MFn::kDependencyNode);
  RigBuilder b(*t);
  for (int i = 0; i < kRigMultiSize; ++i) {
    b.add(elementName("input", i), elementName("i", i), AttrType::kDouble, 0.0, true);
    b.add(elementName("weight", i), elementName("w", i), AttrType::kDouble, 1.0, true);
  }
  b.add("output", "o", AttrType::kDouble);
  return t;
}

std::unique_ptr<NodeType> unitConversion() {
  auto t = newType(NodeKind::kUnitConversion, "unitConversion", false, MFn::kDependencyNode);
  RigBuilder b(*t);
  b.add("input", "i", AttrType::kDouble);
  b.add("output", "o", AttrType::kDouble);
  b.add("conversionFactor", "cf", AttrType::kDouble, 1.0);
  return t;
}

std::unique_ptr<NodeType> plusMinusAverage() {
  auto t = newType(NodeKind::kPlusMinusAverage, "plusMinusAverage", false, MFn::kDependencyNode);
  RigBuilder b(*t);
  b.enumeration("operation", "op", 1, 3);
  for (int i = 0; i < kRigMultiSize; ++i) {
    b.add(elementName("input1D", i), elementName("i1", i), AttrType::kDouble, 0.0, true);
    int parent = b.add(elementName("input2D", i), elementName("i2", i), AttrType::kCompound);
    for (int a = 0; a < 2; ++a) {
      int child = b.add(elementName("input2D", i, std::string("input2D") + kAxesLower[a]),
                        elementName("i2", i, std::string("i2") + kAxesLower[a]), AttrType::kDouble,
                        0.0, true);
      t->attributes[child].parent = parent;
      t->attributes[parent].children.push_back(child);
    }
    b.triple(elementName("input3D", i), elementName("i3", i),
             elementName("input3D", i, "input3D%c"), elementName("i3", i, "i3%c"),
             AttrType::kDouble, nullptr, true);
    // Children of the input3D elements are named with lower-case axes in both forms.
    for (int a = 0; a < 3; ++a) {
      int child = t->findAttribute(elementName("input3D", i, std::string("input3D") + kAxes[a]));
      t->attributes[child].longName =
          elementName("input3D", i, std::string("input3D") + kAxesLower[a]);
      t->byName.emplace(t->attributes[child].longName, child);
    }
  }
  b.add("output1D", "o1", AttrType::kDouble);
  int o2 = b.add("output2D", "o2", AttrType::kCompound);
  for (int a = 0; a < 2; ++a) {
    int child = b.add(std::string("output2D") + kAxesLower[a], std::string("o2") + kAxesLower[a],
                      AttrType::kDouble);
    t->attributes[child].parent = o2;
    t->attributes[o2].children.push_back(child);
  }
  b.triple("output3D", "o3", "output3D%c", "o3%c", AttrType::kDouble);
  for (int a = 0; a < 3; ++a)
    b.alias(std::string("output3D") + kAxes[a], std::string("output3D") + kAxesLower[a]);
  return t;
}

std::unique_ptr<NodeType> multiplyDivide() {
  auto t = newType(NodeKind::kMultiplyDivide, "multiplyDivide", false, MFn::kDependencyNode);
  RigBuilder b(*t);
  b.enumeration("operation", "op", 1, 3);
  b.vector3("input1", "i1", AttrType::kDouble, nullptr, true);
  b.vector3("input2", "i2", AttrType::kDouble, kOnes, true);
  b.triple("output", "o", "output%c", "o%c", AttrType::kDouble);
  return t;
}

std::unique_ptr<NodeType> multMatrix() {
  auto t = newType(NodeKind::kMultMatrix, "multMatrix", false, MFn::kDependencyNode);
  RigBuilder b(*t);
  for (int i = 0; i < kRigMultiSize; ++i)
    b.add(elementName("matrixIn", i), elementName("i", i), AttrType::kMatrix);
  b.add("matrixSum", "o", AttrType::kMatrix);
  return t;
}

std::unique_ptr<NodeType> decomposeMatrix() {
  auto t = newType(NodeKind::kDecomposeMatrix, "decomposeMatrix", false, MFn::kDependencyNode);
  RigBuilder b(*t);
  b.add("inputMatrix", "imat", AttrType::kMatrix);
  b.enumeration("inputRotateOrder", "ro", 0, 5);
  b.vector3("outputTranslate", "ot", AttrType::kDistance);
  b.vector3("outputRotate", "or", AttrType::kAngle);
  b.vector3("outputScale", "os", AttrType::kDouble, kOnes);
  b.vector3("outputShear", "osh", AttrType::kDouble);
  return t;
}

// addDoubleLinear and multDoubleLinear: two inputs, one output.
std::unique_ptr<NodeType> doubleLinear(NodeKind kind, const char* name) {
  auto t = newType(kind, name, false, MFn::kDependencyNode);
  RigBuilder b(*t);
  b.add("input1", "i1", AttrType::kDouble, 0.0, true);
  b.add("input2", "i2", AttrType::kDouble, 0.0, true);
  b.add("output", "o", AttrType::kDouble);
  return t;
}

// The path animation node: a point of a curve (at a parameter or at a fraction of the curve's
// length) and, with follow on, the orientation that lines an object's axes up with the path.
std::unique_ptr<NodeType> motionPath() {
  auto t = newType(NodeKind::kMotionPath, "motionPath", false, MFn::kMotionPath);
  t->compatible.push_back(MFn::kMotionPath);
  RigBuilder b(*t);
  const double y[3] = {0.0, 1.0, 0.0};
  b.add("geometryPath", "gp", AttrType::kGeometry);
  // A length attribute in the host: the path animation command keys it with an animCurveTL.
  b.add("uValue", "u", AttrType::kDistance, 0.0, true);
  b.add("fractionMode", "fm", AttrType::kBool, 0.0);
  b.add("follow", "f", AttrType::kBool, 0.0);
  // Axis enums: 0 x, 1 y, 2 z. Files from the path animation command set both when they
  // differ from the node's own defaults (front y, up z).
  b.enumeration("frontAxis", "fa", 1, 2);
  b.enumeration("upAxis", "ua", 2, 2);
  b.enumeration("worldUpType", "wut", 3, 4);
  b.vector3("worldUpVector", "wu", AttrType::kDouble, y);
  b.add("worldUpMatrix", "wum", AttrType::kMatrix);
  b.add("inverseUp", "iu", AttrType::kBool, 0.0);
  b.add("inverseFront", "if", AttrType::kBool, 0.0);
  b.add("bank", "b", AttrType::kBool, 0.0);
  b.add("bankScale", "bs", AttrType::kDouble, 1.0, true);
  b.add("bankLimit", "bl", AttrType::kAngle, 90.0 * 3.14159265358979323846 / 180.0, true);
  b.add("frontTwist", "fti", AttrType::kAngle, 0.0, true);
  b.add("upTwist", "uti", AttrType::kAngle, 0.0, true);
  b.add("sideTwist", "sti", AttrType::kAngle, 0.0, true);
  b.enumeration("rotateOrder", "ro", 0, 5);
  // The coordinates' long names start with a lower-case axis: xCoordinate, yCoordinate, ...
  int all = b.add("allCoordinates", "ac", AttrType::kCompound);
  for (int i = 0; i < 3; ++i) {
    int child = b.add(std::string(kAxesLower[i]) + "Coordinate", std::string(kAxesLower[i]) + "c",
                      AttrType::kDistance);
    t->attributes[static_cast<size_t>(child)].parent = all;
    t->attributes[static_cast<size_t>(all)].children.push_back(child);
  }
  b.vector3("rotate", "r", AttrType::kAngle);
  return t;
}

std::unique_ptr<NodeType> drivenCurve(NodeKind kind, const char* name, AttrType output) {
  auto t = newType(kind, name, false, MFn::kAnimCurve);
  RigBuilder b(*t);
  b.add("input", "i", AttrType::kDouble);
  b.add("output", "o", output);
  return t;
}

}  // namespace

std::string elementName(const std::string& multi, int index, const std::string& child) {
  std::string out = multi + "[" + std::to_string(index) + "]";
  return child.empty() ? out : out + "." + child;
}

void addTransformMatrixAttributes(NodeType& transform) {
  RigBuilder b(transform);
  // Translate less the rotate pivot's place in the parent's space: what a path animation adds
  // to the path's point so that the rotate pivot (not the origin) follows the path.
  b.triple("transMinusRotatePivot", "tmrp", "transMinusRotatePivot%c", "tmr%c",
           AttrType::kDistance);
  for (int c : transform.attributes[transform.findAttribute("tmrp")].children)
    transform.attributes[static_cast<size_t>(c)].derived = true;
  b.add("matrix", "m", AttrType::kMatrix);
  b.add("inverseMatrix", "im", AttrType::kMatrix);
  b.add("xformMatrix", "xm", AttrType::kMatrix);
  // Without instancing each of these multi attributes has its one element [0].
  const char* multis[][2] = {{"worldMatrix", "wm"},
                             {"worldInverseMatrix", "wim"},
                             {"parentMatrix", "pm"},
                             {"parentInverseMatrix", "pim"}};
  for (const auto& m : multis) {
    b.add(m[0], m[1], AttrType::kMatrix);
    b.alias(m[0], elementName(m[0], 0));
    b.alias(m[0], elementName(m[1], 0));
  }
}

void addRigNodeTypes(std::vector<std::unique_ptr<NodeType>>& types) {
  const NodeType* transform = nullptr;
  for (const auto& t : types) {
    if (t->kind == NodeKind::kTransform)
      transform = t.get();
  }
  const struct {
    NodeKind kind;
    const char* name;
  } constraints[] = {{NodeKind::kParentConstraint, "parentConstraint"},
                     {NodeKind::kPointConstraint, "pointConstraint"},
                     {NodeKind::kOrientConstraint, "orientConstraint"},
                     {NodeKind::kAimConstraint, "aimConstraint"},
                     {NodeKind::kScaleConstraint, "scaleConstraint"},
                     {NodeKind::kLookAt, "lookAt"}};
  for (const auto& c : constraints)
    types.push_back(constraint(c.kind, c.name, *transform));
  types.push_back(pairBlend());
  types.push_back(blendWeighted());
  types.push_back(unitConversion());
  types.push_back(plusMinusAverage());
  types.push_back(multiplyDivide());
  types.push_back(multMatrix());
  types.push_back(decomposeMatrix());
  types.push_back(doubleLinear(NodeKind::kAddDoubleLinear, "addDoubleLinear"));
  types.push_back(doubleLinear(NodeKind::kMultDoubleLinear, "multDoubleLinear"));
  types.push_back(motionPath());
  types.push_back(drivenCurve(NodeKind::kAnimCurveUL, "animCurveUL", AttrType::kDistance));
  types.push_back(drivenCurve(NodeKind::kAnimCurveUA, "animCurveUA", AttrType::kAngle));
  types.push_back(drivenCurve(NodeKind::kAnimCurveUU, "animCurveUU", AttrType::kDouble));
  types.push_back(drivenCurve(NodeKind::kAnimCurveUT, "animCurveUT", AttrType::kTime));
}

bool isDrivenKeyCurve(NodeKind kind) {
  return kind == NodeKind::kAnimCurveUL || kind == NodeKind::kAnimCurveUA ||
         kind == NodeKind::kAnimCurveUU || kind == NodeKind::kAnimCurveUT;
}

bool isTransformKind(NodeKind kind) {
  return kind == NodeKind::kTransform ||
         (kind >= NodeKind::kParentConstraint && kind <= NodeKind::kLookAt);
}

bool isEvaluatedKind(NodeKind kind) {
  return kind >= NodeKind::kParentConstraint && kind <= NodeKind::kAnimCurveUT;
}

}  // namespace minihost
