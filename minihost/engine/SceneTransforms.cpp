// Transform matrices of the scene, the new-scene defaults and the up-axis switch.
#include <cmath>

#include "engine/Scene.h"

namespace minihost {
namespace {

constexpr double kPi = 3.14159265358979323846;
double degrees(double d) {
  return d * kPi / 180.0;
}

struct TransformAttrs {
  int translate[3];
  int rotate[3];
  int scale[3];
  int order;
  int inherits;
  int rotatePivot[3];
  int rotatePivotTranslate[3];
  int scalePivot[3];
  int scalePivotTranslate[3];
  int rotateAxis[3];
  int shear[3];  // xy, xz, yz
};

MMatrix translation(const double t[3]) {
  MMatrix m;
  m[3][0] = t[0];
  m[3][1] = t[1];
  m[3][2] = t[2];
  return m;
}

MMatrix translation(double x, double y, double z) {
  const double t[3] = {x, y, z};
  return translation(t);
}

const TransformAttrs& transformAttrs() {
  static const TransformAttrs attrs = [] {
    const NodeType& t = nodeType(NodeKind::kTransform);
    TransformAttrs a{};
    const char* axes[3] = {"X", "Y", "Z"};
    for (int i = 0; i < 3; ++i) {
      a.translate[i] = t.findAttribute(std::string("translate") + axes[i]);
      a.rotate[i] = t.findAttribute(std::string("rotate") + axes[i]);
      a.scale[i] = t.findAttribute(std::string("scale") + axes[i]);
    }
    a.order = t.findAttribute("rotateOrder");
    a.inherits = t.findAttribute("inheritsTransform");
    for (int i = 0; i < 3; ++i) {
      a.rotatePivot[i] = t.findAttribute(std::string("rotatePivot") + axes[i]);
      a.rotatePivotTranslate[i] = t.findAttribute(std::string("rotatePivotTranslate") + axes[i]);
      a.scalePivot[i] = t.findAttribute(std::string("scalePivot") + axes[i]);
      a.scalePivotTranslate[i] = t.findAttribute(std::string("scalePivotTranslate") + axes[i]);
      a.rotateAxis[i] = t.findAttribute(std::string("rotateAxis") + axes[i]);
    }
    a.shear[0] = t.findAttribute("shearXY");
    a.shear[1] = t.findAttribute("shearXZ");
    a.shear[2] = t.findAttribute("shearYZ");
    return a;
  }();
  return attrs;
}

}  // namespace

MTransformationMatrix Scene::transformation(NodeRef ref) const {
  MTransformationMatrix tm;
  const Node* n = node(ref);
  if (!n || n->kind() != NodeKind::kTransform)
    return tm;
  const TransformAttrs& a = transformAttrs();
  double t[3], r[3], s[3], order = 0;
  for (int i = 0; i < 3; ++i) {
    getNumber(ref, a.translate[i], t[i]);
    getNumber(ref, a.rotate[i], r[i]);
    getNumber(ref, a.scale[i], s[i]);
  }
  getNumber(ref, a.order, order);
  tm.setScale(s, MSpace::kTransform);
  tm.setRotation(r, static_cast<MTransformationMatrix::RotationOrder>(MTransformationMatrix::kXYZ +
                                                                      static_cast<int>(order)));
  tm.setTranslation(MVector(t[0], t[1], t[2]), MSpace::kTransform);
  return tm;
}

bool Scene::setTransformation(NodeRef ref, const MTransformationMatrix& tm) {
  const Node* n = node(ref);
  if (!n || n->kind() != NodeKind::kTransform)
    return false;
  const TransformAttrs& a = transformAttrs();
  double r[3], s[3];
  MTransformationMatrix::RotationOrder order;
  tm.getRotation(r, order);
  tm.getScale(s, MSpace::kTransform);
  MVector t = tm.getTranslation(MSpace::kTransform);
  bool ok = setNumber(ref, a.order, static_cast<int>(order) - MTransformationMatrix::kXYZ);
  for (int i = 0; i < 3; ++i) {
    ok = setNumber(ref, a.translate[i], t[i]) && ok;
    ok = setNumber(ref, a.rotate[i], r[i]) && ok;
    ok = setNumber(ref, a.scale[i], s[i]) && ok;
  }
  return ok;
}

// The host's transform matrix for row vectors:
//   Sp^-1 * S * Sh * Sp * St * Rp^-1 * Ra * R * Rp * Rt * T
// with the scale pivot Sp and its translation St, the rotate pivot Rp and its translation Rt,
// the rotate axis Ra (always in xyz order) and the rotation R in the node's rotate order.
MMatrix Scene::localMatrix(NodeRef ref) const {
  const Node* n = node(ref);
  if (!n || !isTransformKind(n->kind()))
    return MMatrix();
  const TransformAttrs& a = transformAttrs();
  auto read = [&](const int(&attrs)[3], double out[3]) {
    for (int i = 0; i < 3; ++i) {
      out[i] = 0.0;
      getNumber(ref, attrs[i], out[i]);
    }
  };
  double t[3], r[3], s[3], rp[3], rpt[3], sp[3], spt[3], ra[3], sh[3], order = 0;
  read(a.translate, t);
  read(a.rotate, r);
  read(a.scale, s);
  read(a.rotatePivot, rp);
  read(a.rotatePivotTranslate, rpt);
  read(a.scalePivot, sp);
  read(a.scalePivotTranslate, spt);
  read(a.rotateAxis, ra);
  read(a.shear, sh);
  getNumber(ref, a.order, order);
  MMatrix scale;
  scale[0][0] = s[0];
  scale[1][1] = s[1];
  scale[2][2] = s[2];
  MMatrix shear;
  shear[1][0] = sh[0];
  shear[2][0] = sh[1];
  shear[2][1] = sh[2];
  MMatrix axis = MEulerRotation(ra[0], ra[1], ra[2]).asMatrix();
  MMatrix rotation =
      MEulerRotation(r[0], r[1], r[2],
                     static_cast<MEulerRotation::RotationOrder>(static_cast<int>(order)))
          .asMatrix();
  return translation(-sp[0], -sp[1], -sp[2]) * scale * shear * translation(sp) * translation(spt) *
         translation(-rp[0], -rp[1], -rp[2]) * axis * rotation * translation(rp) *
         translation(rpt) * translation(t);
}

MMatrix Scene::worldMatrix(NodeRef ref) const {
  // Up to the first node whose world matrix is known since the last change (or the top), then
  // down again, keeping each node's world matrix on the way.
  const TransformAttrs& a = transformAttrs();
  std::vector<NodeRef> chain;
  MMatrix above;
  for (NodeRef r = ref; r.isSet() && r != world_; r = parentOf(r)) {
    const Node* n = node(r);
    if (!n)
      break;
    if (r.index < worldCache_.size() && worldCache_[r.index].stamp == revision_ &&
        worldCache_[r.index].generation == r.generation) {
      above = worldCache_[r.index].matrix;
      break;
    }
    chain.push_back(r);
    double inherits = 1.0;
    if (isTransformKind(n->kind()) && getNumber(r, a.inherits, inherits) && inherits == 0.0)
      break;
  }
  if (worldCache_.size() < slots_.size())
    worldCache_.resize(slots_.size());
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const Node* n = node(*it);
    if (isTransformKind(n->kind())) {
      double inherits = 1.0;
      getNumber(*it, a.inherits, inherits);
      above = inherits == 0.0 ? localMatrix(*it) : localMatrix(*it) * above;
    }
    WorldCacheEntry& entry = worldCache_[it->index];
    entry.stamp = revision_;
    entry.generation = it->generation;
    entry.matrix = above;
  }
  return above;
}

void Scene::buildDefaults() {
  struct CameraDefault {
    const char* name;
    double t[3];
    double r[3];
    bool ortho;
    double coi;
  };
  const CameraDefault cameras[4] = {
      {"persp", {28.0, 21.0, 28.0}, {-27.938352729602379, 45.0, 0.0}, false, 44.82186966202994},
      {"top", {0.0, 1000.1, 0.0}, {-90.0, 0.0, 0.0}, true, 1000.1},
      {"front", {0.0, 0.0, 1000.1}, {0.0, 0.0, 0.0}, true, 1000.1},
      {"side", {1000.1, 0.0, 0.0}, {0.0, 90.0, 0.0}, true, 1000.1},
  };
  for (int i = 0; i < 4; ++i) {
    const CameraDefault& c = cameras[i];
    NodeRef t = createNode("transform", c.name, NodeRef{}, nullptr);
    NodeRef s = createNode("camera", std::string(c.name) + "Shape", t, nullptr);
    node(t)->isDefault = true;
    node(s)->isDefault = true;
    const TransformAttrs& a = transformAttrs();
    for (int k = 0; k < 3; ++k) {
      setNumber(t, a.translate[k], c.t[k]);
      setNumber(t, a.rotate[k], degrees(c.r[k]));
    }
    setNumber(s, findAttribute(s, "orthographic"), c.ortho ? 1.0 : 0.0);
    setNumber(s, findAttribute(s, "centerOfInterest"), c.coi);
    setNumber(s, findAttribute(s, "renderable"), c.ortho ? 0.0 : 1.0);
    defaultCameras_[i] = t;
  }
  if (upAxisZ_) {
    upAxisZ_ = false;
    setUpAxisZ(true);
  }
  NodeRef globals = createNode("renderGlobals", "defaultRenderGlobals", NodeRef{}, nullptr);
  NodeRef resolution = createNode("resolution", "defaultResolution", NodeRef{}, nullptr);
  node(globals)->isDefault = true;
  node(resolution)->isDefault = true;
  connect(resolution, findAttribute(resolution, "message"), globals,
          findAttribute(globals, "resolution"), false, nullptr);
}

void Scene::setUpAxisZ(bool z) {
  if (z == upAxisZ_)
    return;
  upAxisZ_ = z;
  // A quarter turn about world x carries y-up views to z-up ones (persp moves from
  // (28, 21, 28) to (28, -28, 21), top comes to look down -z) and back.
  MMatrix turn = MEulerRotation(z ? kPi / 2 : -kPi / 2, 0.0, 0.0).asMatrix();
  for (NodeRef cam : defaultCameras_) {
    if (!isAlive(cam))
      continue;
    MTransformationMatrix before = transformation(cam);
    MTransformationMatrix after(before.asMatrix() * turn);
    after.reorderRotation(before.rotationOrder());
    setTransformation(cam, after);
  }
}

}  // namespace minihost
