#include "engine/NodeTypes.h"

#include "engine/RigNodeTypes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace minihost {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTicksPerFilmFrame = 250.0;

class Builder {
 public:
  Builder(NodeType& type) : type_(type) {}

  int add(const std::string& longName, const std::string& shortName, AttrType t, double def = 0.0,
          bool keyable = false) {
    AttributeInfo a;
    a.longName = longName;
    a.shortName = shortName;
    a.type = t;
    a.defaultValue = def;
    a.keyable = keyable;
    type_.attributes.push_back(a);
    int index = static_cast<int>(type_.attributes.size()) - 1;
    type_.byName.emplace(longName, index);
    type_.byName.emplace(shortName, index);
    return index;
  }
  void enumeration(const std::string& longName, const std::string& shortName, double def,
                   double maxValue, bool keyable = false) {
    int i = add(longName, shortName, AttrType::kEnum, def, keyable);
    type_.attributes[i].maxValue = maxValue;
  }
  // Another name for an attribute, as the host knows some by more than two.
  void alias(const std::string& existing, const std::string& other) {
    type_.byName.emplace(other, type_.findAttribute(existing));
  }
  // A compound of two numeric children (the pair the host writes as one double2 value).
  void pair(const std::string& longName, const std::string& shortName, int first, int second) {
    int parent = add(longName, shortName, AttrType::kCompound);
    for (int child : {first, second}) {
      type_.attributes[child].parent = parent;
      type_.attributes[parent].children.push_back(child);
    }
  }
  // A compound of three numeric children named <long>X/<short>x or <long>R/<short>r...
  void triple(const std::string& longName, const std::string& shortName, AttrType t,
              const double def[3], const char* suffixes, bool keyable) {
    int parent = add(longName, shortName, AttrType::kCompound);
    for (int i = 0; i < 3; ++i) {
      std::string upper(1, suffixes[i]);
      std::string lower(1, static_cast<char>(std::tolower(suffixes[i])));
      int child = add(longName + upper, shortName + lower, t, def[i], keyable);
      type_.attributes[child].parent = parent;
      type_.attributes[parent].children.push_back(child);
    }
  }

 private:
  NodeType& type_;
};

void addCommon(NodeType& t) {
  Builder b(t);
  b.add("message", "msg", AttrType::kMessage);
  if (t.dag)
    b.add("visibility", "v", AttrType::kBool, 1.0, true);
}

void addLight(NodeType& t) {
  Builder b(t);
  const double white[3] = {1.0, 1.0, 1.0};
  b.triple("color", "cl", AttrType::kFloat, white, "RGB", true);
  b.alias("colorR", "cr");
  b.alias("colorG", "cg");
  b.alias("colorB", "cb");
  b.add("intensity", "in", AttrType::kFloat, 1.0, true);
  if (t.kind != NodeKind::kAmbientLight)
    b.enumeration("decayRate", "de", 0, 3);
  if (t.kind != NodeKind::kAmbientLight)
    b.add("useDepthMapShadows", "dms", AttrType::kBool, 0);
}

std::unique_ptr<NodeType> make(NodeKind kind, const std::string& name, bool dag, bool shape,
                               MFn::Type api, std::vector<MFn::Type> extra) {
  auto t = std::make_unique<NodeType>();
  t->name = name;
  t->kind = kind;
  t->dag = dag;
  t->shape = shape;
  t->apiType = api;
  t->compatible = {MFn::kBase, MFn::kNamedObject, MFn::kDependencyNode};
  if (dag)
    t->compatible.push_back(MFn::kDagNode);
  if (shape)
    t->compatible.push_back(MFn::kShape);
  t->compatible.insert(t->compatible.end(), extra.begin(), extra.end());
  t->compatible.push_back(api);
  addCommon(*t);
  return t;
}

// A curve shape: its geometry (from the file's cached data) goes out in object space through
// `local` and in world space through `worldSpace`; degree, spans, form and the parameter range
// describe it.
std::unique_ptr<NodeType> nurbsCurveType() {
  auto t = make(NodeKind::kNurbsCurve, "nurbsCurve", true, true, MFn::kNurbsCurve, {MFn::kCurve});
  Builder b(*t);
  b.add("create", "cr", AttrType::kGeometry);
  b.add("local", "l", AttrType::kGeometry);
  b.add("worldSpace", "ws", AttrType::kGeometry);
  // Without instancing the multi attribute has its one element [0].
  b.alias("worldSpace", "worldSpace[0]");
  b.alias("worldSpace", "ws[0]");
  b.add("cached", "cc", AttrType::kGeometry);
  b.add("degree", "d", AttrType::kInt, 1.0);
  b.add("spans", "sps", AttrType::kInt, 1.0);
  b.enumeration("form", "f", 0, 2);
  b.add("minValue", "min", AttrType::kDouble, 0.0);
  b.add("maxValue", "max", AttrType::kDouble, 1.0);
  b.add("intermediateObject", "io", AttrType::kBool, 0.0);
  return t;
}

std::vector<std::unique_ptr<NodeType>> buildTypes() {
  std::vector<std::unique_ptr<NodeType>> types;
  types.push_back(make(NodeKind::kWorld, "world", true, false, MFn::kWorld, {}));

  auto transform = make(NodeKind::kTransform, "transform", true, false, MFn::kTransform, {});
  {
    Builder b(*transform);
    const double zero[3] = {0, 0, 0};
    const double one[3] = {1, 1, 1};
    b.triple("translate", "t", AttrType::kDistance, zero, "XYZ", true);
    b.triple("rotate", "r", AttrType::kAngle, zero, "XYZ", true);
    b.triple("scale", "s", AttrType::kDouble, one, "XYZ", true);
    b.enumeration("rotateOrder", "ro", 0, 5);
    b.add("inheritsTransform", "it", AttrType::kBool, 1.0);
    // The pivots, their translations, shear and the rotate axis of the full transform matrix.
    b.triple("rotatePivot", "rp", AttrType::kDistance, zero, "XYZ", false);
    b.triple("rotatePivotTranslate", "rpt", AttrType::kDistance, zero, "XYZ", false);
    b.triple("scalePivot", "sp", AttrType::kDistance, zero, "XYZ", false);
    b.triple("scalePivotTranslate", "spt", AttrType::kDistance, zero, "XYZ", false);
    b.triple("rotateAxis", "ra", AttrType::kAngle, zero, "XYZ", false);
    int shear = b.add("shear", "sh", AttrType::kCompound);
    for (const char* names : {"shearXY shxy", "shearXZ shxz", "shearYZ shyz"}) {
      std::string both(names);
      size_t space = both.find(' ');
      int child = b.add(both.substr(0, space), both.substr(space + 1), AttrType::kDouble, 0.0);
      transform->attributes[child].parent = shear;
      transform->attributes[shear].children.push_back(child);
    }
  }
  addTransformMatrixAttributes(*transform);
  types.push_back(std::move(transform));

  auto camera = make(NodeKind::kCamera, "camera", true, true, MFn::kCamera, {});
  {
    Builder b(*camera);
    b.add("focalLength", "fl", AttrType::kDouble, 35.0, true);
    int hfa = b.add("horizontalFilmAperture", "hfa", AttrType::kDouble, 1.41732);
    int vfa = b.add("verticalFilmAperture", "vfa", AttrType::kDouble, 0.94488);
    b.pair("cameraAperture", "cap", hfa, vfa);
    int hfo = b.add("horizontalFilmOffset", "hfo", AttrType::kDouble, 0.0, true);
    int vfo = b.add("verticalFilmOffset", "vfo", AttrType::kDouble, 0.0, true);
    b.pair("filmOffset", "fio", hfo, vfo);
    b.enumeration("filmFit", "ff", 0, 3);
    b.add("filmFitOffset", "ffo", AttrType::kDouble, 0.0);
    b.add("lensSqueezeRatio", "lsr", AttrType::kDouble, 1.0);
    b.add("nearClipPlane", "ncp", AttrType::kDistance, 0.1);
    b.add("farClipPlane", "fcp", AttrType::kDistance, 10000.0);
    b.add("cameraScale", "cs", AttrType::kDouble, 1.0);
    b.add("orthographic", "o", AttrType::kBool, 0.0);
    b.add("orthographicWidth", "ow", AttrType::kDistance, 30.0);
    b.add("centerOfInterest", "coi", AttrType::kDistance, 5.0);
    b.add("renderable", "rnd", AttrType::kBool, 1.0);
    // Camera shake: when enabled, the host adds it to the film offsets when it renders.
    b.add("shakeEnabled", "se", AttrType::kBool, 0.0, true);
    int hs = b.add("horizontalShake", "hs", AttrType::kDouble, 0.0, true);
    int vs = b.add("verticalShake", "vs", AttrType::kDouble, 0.0, true);
    b.pair("shake", "shk", hs, vs);
  }
  types.push_back(std::move(camera));

  auto directional =
      make(NodeKind::kDirectionalLight, "directionalLight", true, true, MFn::kDirectionalLight,
           {MFn::kLight, MFn::kNonAmbientLight, MFn::kNonExtendedLight});
  addLight(*directional);
  types.push_back(std::move(directional));

  auto point = make(NodeKind::kPointLight, "pointLight", true, true, MFn::kPointLight,
                    {MFn::kLight, MFn::kNonAmbientLight, MFn::kNonExtendedLight});
  addLight(*point);
  types.push_back(std::move(point));

  auto spot = make(NodeKind::kSpotLight, "spotLight", true, true, MFn::kSpotLight,
                   {MFn::kLight, MFn::kNonAmbientLight, MFn::kNonExtendedLight});
  addLight(*spot);
  {
    Builder b(*spot);
    b.add("coneAngle", "ca", AttrType::kAngle, 40.0 * kPi / 180.0, true);
    b.add("penumbraAngle", "pa", AttrType::kAngle, 0.0, true);
    b.add("dropoff", "dro", AttrType::kDouble, 0.0, true);
  }
  types.push_back(std::move(spot));

  auto ambient =
      make(NodeKind::kAmbientLight, "ambientLight", true, true, MFn::kAmbientLight, {MFn::kLight});
  addLight(*ambient);
  Builder(*ambient).add("ambientShade", "as", AttrType::kFloat, 0.45, true);
  types.push_back(std::move(ambient));

  auto area = make(NodeKind::kAreaLight, "areaLight", true, true, MFn::kAreaLight,
                   {MFn::kLight, MFn::kNonAmbientLight, MFn::kNonExtendedLight});
  addLight(*area);
  types.push_back(std::move(area));

  types.push_back(make(NodeKind::kMesh, "mesh", true, true, MFn::kMesh, {}));
  types.push_back(nurbsCurveType());

  auto globals =
      make(NodeKind::kRenderGlobals, "renderGlobals", false, false, MFn::kRenderGlobals, {});
  {
    Builder b(*globals);
    b.add("animation", "an", AttrType::kBool, 0.0);
    b.enumeration("animationRange", "ar", 1, 1);
    b.add("startFrame", "fs", AttrType::kTime, 1.0 * kTicksPerFilmFrame);
    b.add("endFrame", "ef", AttrType::kTime, 10.0 * kTicksPerFilmFrame);
    b.add("byFrameStep", "bfs", AttrType::kFloat, 1.0);
    b.add("ignoreFilmGate", "ifg", AttrType::kBool, 1.0);
    b.add("renderAll", "rall", AttrType::kBool, 1.0);
    b.add("resolution", "res", AttrType::kMessage);
    b.add("imageFilePrefix", "ifp", AttrType::kString);
    b.add("currentRenderer", "ren", AttrType::kString);
  }
  types.push_back(std::move(globals));

  auto resolution = make(NodeKind::kResolution, "resolution", false, false, MFn::kResolution, {});
  {
    Builder b(*resolution);
    b.add("width", "w", AttrType::kInt, 640);
    b.add("height", "h", AttrType::kInt, 480);
    b.add("pixelAspect", "pa", AttrType::kFloat, 1.0);
    b.add("aspectLock", "al", AttrType::kBool, 0.0);
    b.add("deviceAspectRatio", "dar", AttrType::kFloat, 1.333);
    b.add("lockDeviceAspectRatio", "ldar", AttrType::kBool, 0.0);
    b.add("oddFieldFirst", "off", AttrType::kBool, 1.0);
    b.enumeration("fields", "fld", 1, 3);
    b.add("zerothScanline", "zsl", AttrType::kBool, 0.0);
  }
  types.push_back(std::move(resolution));

  const struct {
    NodeKind kind;
    const char* name;
    MFn::Type api;
    AttrType output;
  } curves[] = {
      {NodeKind::kAnimCurveTL, "animCurveTL", MFn::kAnimCurveTimeToDistance, AttrType::kDistance},
      {NodeKind::kAnimCurveTA, "animCurveTA", MFn::kAnimCurveTimeToAngular, AttrType::kAngle},
      {NodeKind::kAnimCurveTU, "animCurveTU", MFn::kAnimCurveTimeToUnitless, AttrType::kDouble},
      {NodeKind::kAnimCurveTT, "animCurveTT", MFn::kAnimCurveTimeToTime, AttrType::kTime},
  };
  for (const auto& c : curves) {
    auto curve = make(c.kind, c.name, false, false, c.api, {MFn::kAnimCurve});
    Builder(*curve).add("output", "o", c.output);
    types.push_back(std::move(curve));
  }
  addRigNodeTypes(types);
  return types;
}

// Placeholder types live as long as the process, like the built-in ones: handles and nodes
// point at them.
std::unordered_map<std::string, std::unique_ptr<NodeType>>& placeholders() {
  static std::unordered_map<std::string, std::unique_ptr<NodeType>> types;
  return types;
}

const std::vector<std::unique_ptr<NodeType>>& allTypes() {
  static const std::vector<std::unique_ptr<NodeType>> types = buildTypes();
  return types;
}

}  // namespace

int NodeType::findAttribute(const std::string& attrName) const {
  return byName.find(attrName);
}

bool NodeType::hasFn(MFn::Type type) const {
  return std::find(compatible.begin(), compatible.end(), type) != compatible.end();
}

const NodeType& nodeType(NodeKind kind) {
  for (const auto& t : allTypes()) {
    if (t->kind == kind)
      return *t;
  }
  return *allTypes().front();
}

const NodeType* findNodeType(const std::string& name) {
  for (const auto& t : allTypes()) {
    if (t->name == name && t->kind != NodeKind::kWorld)
      return t.get();
  }
  return nullptr;
}

const NodeType& placeholderType(const std::string& name, bool dag) {
  std::string key = (dag ? "d:" : "n:") + name;
  auto& types = placeholders();
  auto it = types.find(key);
  if (it != types.end())
    return *it->second;
  auto t = make(NodeKind::kPlaceholder, name, dag, false,
                dag ? MFn::kDagNode : MFn::kDependencyNode, {});
  return *(types[key] = std::move(t));
}

bool isAnimCurve(NodeKind kind) {
  return kind == NodeKind::kAnimCurveTL || kind == NodeKind::kAnimCurveTA ||
         kind == NodeKind::kAnimCurveTU || kind == NodeKind::kAnimCurveTT;
}

namespace {

struct UnmodelledType {
  const char* name;
  bool dag;
  PolyPrimitive primitive;
  UnmodelledRole role;
};

// Types real scene files bring that the scene keeps as placeholders.
constexpr UnmodelledType kUnmodelled[] = {
    {"joint", true, PolyPrimitive::kNone, UnmodelledRole::kJoint},
    {"locator", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"nurbsSurface", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"imagePlane", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"place3dTexture", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"ikHandle", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"ikEffector", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"lookAt", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"clusterHandle", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"annotationShape", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"instancer", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"follicle", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"particle", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"nParticle", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"subdiv", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"baseLattice", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"lattice", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"fosterParent", true, PolyPrimitive::kNone, UnmodelledRole::kNone},
    {"polyCube", false, PolyPrimitive::kCube, UnmodelledRole::kNone},
    {"polyPlane", false, PolyPrimitive::kPlane, UnmodelledRole::kNone},
    {"polySphere", false, PolyPrimitive::kSphere, UnmodelledRole::kNone},
    {"polyCylinder", false, PolyPrimitive::kCylinder, UnmodelledRole::kNone},
    {"polyCone", false, PolyPrimitive::kCone, UnmodelledRole::kNone},
    {"expression", false, PolyPrimitive::kNone, UnmodelledRole::kExpression},
    {"script", false, PolyPrimitive::kNone, UnmodelledRole::kScript},
    {"reference", false, PolyPrimitive::kNone, UnmodelledRole::kReference},
};

bool endsWith(const std::string& text, const char* tail, size_t length) {
  return text.size() > length && text.compare(text.size() - length, length, tail) == 0;
}

}  // namespace

NodeTypeFacts nodeTypeFacts(const std::string& name) {
  NodeTypeFacts facts;
  facts.modelled = findNodeType(name);
  if (facts.modelled) {
    facts.dag = facts.modelled->dag;
    return facts;
  }
  for (const UnmodelledType& t : kUnmodelled) {
    if (name == t.name) {
      facts.dag = t.dag;
      facts.primitive = t.primitive;
      facts.role = t.role;
      return facts;
    }
  }
  // Families named by a common part: every constraint (a DAG node, so that its children stay
  // below it) and the driven-key curves animCurveUL, UA, UU, UT.
  if (endsWith(name, "Constraint", 10)) {
    facts.dag = true;
    facts.role = UnmodelledRole::kConstraint;
  } else if (name.compare(0, 10, "animCurveU") == 0) {
    facts.role = UnmodelledRole::kDrivenKeyCurve;
  }
  return facts;
}

std::vector<std::string> nodeTypeNames() {
  std::vector<std::string> names;
  for (const auto& t : allTypes()) {
    if (t->kind != NodeKind::kWorld)
      names.push_back(t->name);
  }
  return names;
}

}  // namespace minihost
