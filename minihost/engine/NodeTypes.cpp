#include "engine/NodeTypes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

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
  }
  types.push_back(std::move(transform));

  auto camera = make(NodeKind::kCamera, "camera", true, true, MFn::kCamera, {});
  {
    Builder b(*camera);
    b.add("focalLength", "fl", AttrType::kDouble, 35.0, true);
    b.add("horizontalFilmAperture", "hfa", AttrType::kDouble, 1.41732);
    b.add("verticalFilmAperture", "vfa", AttrType::kDouble, 0.94488);
    b.add("horizontalFilmOffset", "hfo", AttrType::kDouble, 0.0, true);
    b.add("verticalFilmOffset", "vfo", AttrType::kDouble, 0.0, true);
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
  return types;
}

const std::vector<std::unique_ptr<NodeType>>& allTypes() {
  static const std::vector<std::unique_ptr<NodeType>> types = buildTypes();
  return types;
}

}  // namespace

int NodeType::findAttribute(const std::string& attrName) const {
  auto it = byName.find(attrName);
  return it == byName.end() ? -1 : it->second;
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

bool isAnimCurve(NodeKind kind) {
  return kind == NodeKind::kAnimCurveTL || kind == NodeKind::kAnimCurveTA ||
         kind == NodeKind::kAnimCurveTU || kind == NodeKind::kAnimCurveTT;
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
