// Matrices of the rig evaluation: transforms' local and world matrices at a time, and matrix
// attributes worked out from their connections.
#include <string>

#include "engine/RigEvaluation.h"
#include "engine/RigMath.h"
#include "engine/RigNodeTypes.h"
#include "engine/Scene.h"

namespace minihost {
namespace {

// Bound on chains of matrix connections (multMatrix of multMatrix ...).
constexpr int kMaxMatrixDepth = 64;
// Bound on the matrix connections one read follows (a multMatrix has several inputs).
constexpr int kMaxMatrixLinks = 1024;

}  // namespace

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
