// polyCube, polyPlane, polySphere: a transform and a mesh shape with normals and UVs.

#include <algorithm>

#include "engine/PolyPrimitives.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::makeCube;
using minihost::makePlane;
using minihost::makeSphere;
using minihost::NodeRef;
using minihost::PolyGeometry;

namespace {

// Bounds the subdivisions so that a typing slip cannot ask for billions of faces.
constexpr int kMaxSubdivisions = 4096;

bool subdivisions(CommandCall& call, const FlagSet& flags, const char* name, int fallback,
                  int minimum, int& out) {
  out = flags.value(name, 0, Value(fallback)).asInt();
  if (out < minimum || out > kMaxSubdivisions) {
    return call.failNamed(std::string("-") + name + " must be between " + std::to_string(minimum) +
                          " and " + std::to_string(kMaxSubdivisions) + ".");
  }
  return true;
}

bool makeMesh(CommandCall& call, const FlagSet& flags, const std::string& base,
              PolyGeometry geometry) {
  std::string error;
  std::string name = flags.has("name") ? flags.value("name").asString() : base + "1";
  NodeRef transform = scene().createNode("transform", name, NodeRef{}, &error);
  if (!transform.isSet())
    return call.failNamed(error);
  std::string transformName = scene().node(transform)->name;
  // "pCube1" gets "pCubeShape1", as the host names primitive shapes.
  std::string shapeName = transformName + "Shape";
  if (transformName.compare(0, base.size(), base) == 0) {
    shapeName = base + "Shape" + transformName.substr(base.size());
  }
  NodeRef shape = scene().createNode("mesh", shapeName, transform, &error);
  if (!shape.isSet())
    return call.failNamed(error);
  minihost::MeshData* mesh = scene().node(shape)->mesh();
  if (mesh == nullptr ||
      !mesh->build(std::move(geometry.points), std::move(geometry.counts),
                   std::move(geometry.connects), &error) ||
      !mesh->setNormals(std::move(geometry.normals), std::move(geometry.normalIds), &error)) {
    return call.failNamed("Cannot build the mesh: " + error);
  }
  bool wantUVs = asBoolArg(flags.value("createUVs", 0, Value(1)));
  if (wantUVs && !mesh->uvSets().empty()) {
    minihost::UVSet& set = mesh->uvSets()[0];
    set.u = std::move(geometry.u);
    set.v = std::move(geometry.v);
    set.cornerIds = std::move(geometry.uvIds);
  }
  setSelection({transform});
  call.result = Value(std::vector<std::string>{nodeName(transform), nodeName(shape)});
  return true;
}

const std::vector<FlagSpec> kCommonFlags = {{"n", "name", 1},
                                            {"ch", "constructionHistory", 1},
                                            {"cuv", "createUVs", 1},
                                            {"ax", "axis", 3},
                                            {"o", "object", 1}};

std::vector<FlagSpec> withCommon(std::vector<FlagSpec> specs) {
  specs.insert(specs.end(), kCommonFlags.begin(), kCommonFlags.end());
  return specs;
}

bool positive(CommandCall& call, double v, const char* name) {
  if (!(v > 0.0))
    return call.failNamed(std::string("-") + name + " must be positive.");
  return true;
}

bool cmdPolyCube(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   withCommon({{"w", "width", 1},
                               {"h", "height", 1},
                               {"d", "depth", 1},
                               {"sx", "subdivisionsX", 1},
                               {"sy", "subdivisionsY", 1},
                               {"sz", "subdivisionsZ", 1}}),
                   false)) {
    return false;
  }
  double w = linearFromScript(flags.value("width", 0, Value(1.0)).asFloat());
  double h = linearFromScript(flags.value("height", 0, Value(1.0)).asFloat());
  double d = linearFromScript(flags.value("depth", 0, Value(1.0)).asFloat());
  int sx, sy, sz;
  if (!positive(call, w, "width") || !positive(call, h, "height") || !positive(call, d, "depth") ||
      !subdivisions(call, flags, "subdivisionsX", 1, 1, sx) ||
      !subdivisions(call, flags, "subdivisionsY", 1, 1, sy) ||
      !subdivisions(call, flags, "subdivisionsZ", 1, 1, sz)) {
    return false;
  }
  return makeMesh(call, flags, "pCube", makeCube(w, h, d, sx, sy, sz));
}

bool cmdPolyPlane(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   withCommon({{"w", "width", 1},
                               {"h", "height", 1},
                               {"sx", "subdivisionsX", 1},
                               {"sy", "subdivisionsY", 1}}),
                   false)) {
    return false;
  }
  double w = linearFromScript(flags.value("width", 0, Value(1.0)).asFloat());
  double h = linearFromScript(flags.value("height", 0, Value(1.0)).asFloat());
  int sx, sy;
  if (!positive(call, w, "width") || !positive(call, h, "height") ||
      !subdivisions(call, flags, "subdivisionsX", 10, 1, sx) ||
      !subdivisions(call, flags, "subdivisionsY", 10, 1, sy)) {
    return false;
  }
  return makeMesh(call, flags, "pPlane", makePlane(w, h, sx, sy));
}

bool cmdPolySphere(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(
          call,
          withCommon({{"r", "radius", 1}, {"sx", "subdivisionsX", 1}, {"sy", "subdivisionsY", 1}}),
          false)) {
    return false;
  }
  double r = linearFromScript(flags.value("radius", 0, Value(1.0)).asFloat());
  int sx, sy;
  if (!positive(call, r, "radius") || !subdivisions(call, flags, "subdivisionsX", 20, 3, sx) ||
      !subdivisions(call, flags, "subdivisionsY", 20, 2, sy)) {
    return false;
  }
  return makeMesh(call, flags, "pSphere", makeSphere(r, sx, sy));
}

// polyEvaluate: counts of a mesh (or the first selected one).
bool cmdPolyEvaluate(CommandCall& call) {
  FlagSet flags;
  static const std::vector<FlagSpec> kSpecs = {{"v", "vertex", 0},   {"f", "face", 0},
                                               {"e", "edge", 0},     {"uv", "uvcoord", 0},
                                               {"t", "triangle", 0}, {"n", "normal", 0}};
  if (!flags.parse(call, kSpecs, false))
    return false;
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, flags.positional, nodes))
    return false;
  if (nodes.empty())
    return call.failNamed("No mesh given or selected.");
  NodeRef shape = shapeOf(nodes.front(), minihost::NodeKind::kMesh);
  const minihost::Node* n = scene().node(shape);
  if (n == nullptr || !n->mesh())
    return call.failNamed(nodeName(nodes.front()) + " is not a mesh.");
  const minihost::MeshData& m = *n->mesh();
  std::vector<int> out;
  for (const auto& given : flags.given()) {
    const std::string& f = given.first;
    if (f == "vertex") {
      out.push_back(m.pointCount());
    } else if (f == "face") {
      out.push_back(m.polygonCount());
    } else if (f == "normal") {
      out.push_back(m.normalCount());
    } else if (f == "uvcoord") {
      int set = m.currentUVSet();
      out.push_back(set >= 0 && set < static_cast<int>(m.uvSets().size())
                        ? static_cast<int>(m.uvSets()[static_cast<std::size_t>(set)].u.size())
                        : 0);
    } else if (f == "triangle") {
      int triangles = 0;
      for (int p = 0; p < m.polygonCount(); ++p)
        triangles += m.polygonSize(p) - 2;
      out.push_back(triangles);
    } else if (f == "edge") {
      // Each edge once, whichever polygons share it.
      std::vector<std::pair<int, int>> edges;
      for (int p = 0; p < m.polygonCount(); ++p) {
        int start = m.polygonStart(p), size = m.polygonSize(p);
        for (int c = 0; c < size; ++c) {
          int a = m.connects()[static_cast<std::size_t>(start + c)];
          int b = m.connects()[static_cast<std::size_t>(start + (c + 1) % size)];
          edges.emplace_back(std::min(a, b), std::max(a, b));
        }
      }
      std::sort(edges.begin(), edges.end());
      out.push_back(static_cast<int>(std::unique(edges.begin(), edges.end()) - edges.begin()));
    }
  }
  if (out.empty())
    return call.failNamed("Give -vertex, -face, -edge, -uvcoord, -triangle or -normal.");
  call.result = out.size() == 1 ? Value(out.front()) : Value(std::move(out));
  return true;
}

}  // namespace

void registerPolyCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("polyCube", cmdPolyCube);
  t.set("polyPlane", cmdPolyPlane);
  t.set("polySphere", cmdPolySphere);
  t.set("polyEvaluate", cmdPolyEvaluate);
}

}  // namespace mel::host
