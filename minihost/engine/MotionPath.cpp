// Path animation: the motionPath node's point on its curve and the orientation it gives an object
// that follows the path, and a transform's transMinusRotatePivot, through which the path
// animation command adds that point to the object's translate.
#include <algorithm>
#include <cmath>

#include "engine/NurbsCurve.h"
#include "engine/RigEvaluation.h"
#include "engine/RigMath.h"
#include "engine/RigNodes.h"
#include "engine/Scene.h"

namespace minihost {
namespace {

constexpr double kTiny = 1e-12;

enum WorldUp { kSceneUp = 0, kObjectUp = 1, kObjectRotationUp = 2, kVectorUp = 3, kNormalUp = 4 };

// The curve feeding geometryPath and the matrix its space needs: the world matrix of the curve's
// transform for worldSpace, none for local. Null when no curve with a shape feeds it.
const NurbsCurve* pathCurve(const RigInputs& in, MMatrix& space) {
  const Scene& scene = in.scene();
  NodeRef src;
  int srcAttr = -1;
  if (!scene.inputOf(in.node(), in.attr("geometryPath"), src, srcAttr))
    return nullptr;
  const Node* shape = scene.node(src);
  const AttributeInfo* info = scene.attributeInfo(src, srcAttr);
  if (!shape || !info || shape->kind() != NodeKind::kNurbsCurve || !shape->curveGeometry())
    return nullptr;
  space = info->longName == "worldSpace" ? worldMatrixAt(scene, scene.parentOf(src), in.atTicks())
                                         : MMatrix();
  return shape->curveGeometry();
}

// The parameter uValue names: itself, or with fractionMode the parameter at that fraction of the
// curve's length (wrapped round on a periodic curve, clamped to 0..1 on the others).
double pathParameter(const NurbsCurve& curve, const MMatrix& space, double u, bool fraction) {
  if (!fraction)
    return curve.inRange(u);
  if (!std::isfinite(u))
    u = 0.0;
  if (curve.form() == NurbsCurve::kPeriodic)
    u -= std::floor(u);
  u = std::min(std::max(u, 0.0), 1.0);
  return curve.paramAtLength(u * curve.length(space), space);
}

// The direction of travel; where the derivative vanishes (control vertices on top of one another)
// the chord through two nearby points stands in for it.
MVector travelDirection(const NurbsCurve& curve, const MMatrix& space, double u,
                        const NurbsCurve::Sample& at) {
  if (at.d1.length() > kTiny)
    return at.d1.normal();
  const double h = 1e-4 * (curve.maxParam() - curve.minParam());
  const double a = std::max(curve.minParam(), u - h), b = std::min(curve.maxParam(), u + h);
  MVector chord = curve.evaluate(b, space).point - curve.evaluate(a, space).point;
  return chord.length() > kTiny ? chord.normal() : MVector();
}

MVector sceneUp(const Scene& scene) {
  return scene.upAxisIsZ() ? MVector(0.0, 0.0, 1.0) : MVector(0.0, 1.0, 0.0);
}

// The curvature vector: towards the centre of the turn, of length one over its radius.
MVector curvature(const NurbsCurve::Sample& at) {
  const double speed2 = at.d1 * at.d1;
  if (!(speed2 > kTiny))
    return MVector();
  const MVector t = at.d1.normal();
  return (at.d2 - (at.d2 * t) * t) / speed2;
}

MVector worldUpReference(RigInputs& in, const NurbsCurve::Sample& at) {
  const MMatrix wum = in.matrix("worldUpMatrix");
  switch (static_cast<int>(in.number("worldUpType"))) {
    case kSceneUp:
      return sceneUp(in.scene());
    case kObjectUp:
      return pointTimes(MVector(), wum) - at.point;
    case kObjectRotationUp:
      return directionTimes(in.vector("worldUpVector"), wum);
    case kNormalUp: {
      const MVector k = curvature(at);
      return k.length() > kTiny ? k : sceneUp(in.scene());
    }
    default:
      return in.vector("worldUpVector");
  }
}

MMatrix axisRotation(int axis, double angle) {
  return eulerMatrix(axis == 0 ? angle : 0.0, axis == 1 ? angle : 0.0, axis == 2 ? angle : 0.0, 0);
}

}  // namespace

void computeMotionPath(RigInputs& in) {
  MMatrix space;
  const NurbsCurve* curve = pathCurve(in, space);
  if (!curve)
    return;  // nothing to follow: the last result stays
  // uValue is a length attribute read as its stored number, as the kit's motion path sample
  // reads it (asDouble): keys of another length unit reach it converted to centimetres.
  const double u =
      pathParameter(*curve, space, in.number("uValue"), in.number("fractionMode") != 0);
  const NurbsCurve::Sample at = curve->evaluate(u, space);
  in.setVector("allCoordinates", at.point);
  if (in.number("follow") == 0.0) {
    in.setVector("rotate", MVector());
    return;
  }
  const int front = static_cast<int>(in.number("frontAxis"));
  const int up = static_cast<int>(in.number("upAxis"));
  MVector f = travelDirection(*curve, space, u, at);
  if (front == up || f.length() < 0.5)
    return;  // no frame can be made: the last result stays
  if (in.number("inverseFront") != 0.0)
    f = -f;
  MVector reference = worldUpReference(in, at);
  MVector v = reference - (reference * f) * f;
  if (v.length() <= kTiny * std::max(1.0, reference.length()))
    return;  // the world up lies along the path
  v.normalize();
  if (in.number("inverseUp") != 0.0)
    v = -v;
  // The object's axes as rows: front along the path, up towards the world up, the third axis
  // completing a right-handed frame.
  const int side = 3 - front - up;
  MVector rows[3];
  rows[front] = f;
  rows[up] = v;
  rows[side] = rows[(side + 1) % 3] ^ rows[(side + 2) % 3];
  MMatrix frame;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      frame.matrix[r][c] = rows[r][static_cast<unsigned>(c)];
  double frontTwist = in.number("frontTwist");
  if (in.number("bank") != 0.0) {
    // Leaning into the turn: the up axis tilts towards the centre of the turn by the curvature
    // (radians per centimetre of path) times bankScale, at most bankLimit.
    const double limit = std::fabs(in.number("bankLimit"));
    const double lean = in.number("bankScale") * (curvature(at) * rows[side]);
    const double angle = std::min(std::max(lean, -limit), limit);
    // A positive turn about the front axis takes up towards side when (front, up, side) is in
    // the axes' cyclic order, towards −side otherwise.
    frontTwist += (up + 1) % 3 == side ? angle : -angle;
  }
  const MMatrix twist = axisRotation(front, frontTwist) * axisRotation(up, in.number("upTwist")) *
                        axisRotation(side, in.number("sideTwist"));
  in.setVector("rotate", eulerAngles(twist * frame, static_cast<int>(in.number("rotateOrder"))));
}

void computeTransMinusRotatePivot(RigInputs& in) {
  // The rotate pivot goes through the scale part of the transform, then turns about itself:
  //   pivot = (rp·Sp⁻¹·S·Sh·Sp·St − rp)·Ra·R + rp + rpt + t, and translate less that.
  const MVector rp = in.vector("rotatePivot"), sp = in.vector("scalePivot");
  const MVector s = in.vector("scale"), spt = in.vector("scalePivotTranslate");
  MMatrix scale;
  scale.matrix[0][0] = s.x;
  scale.matrix[1][1] = s.y;
  scale.matrix[2][2] = s.z;
  MMatrix shear;
  shear.matrix[1][0] = in.number("shearXY");
  shear.matrix[2][0] = in.number("shearXZ");
  shear.matrix[2][1] = in.number("shearYZ");
  const MVector scaled =
      pointTimes(rp, translationMatrix(-1.0 * sp) * scale * shear * translationMatrix(sp)) + spt;
  MVector offset = scaled - rp;
  if (offset.length() > 0.0) {
    const MVector ra = in.vector("rotateAxis"), r = in.vector("rotate");
    offset = directionTimes(
        offset, eulerMatrix(ra.x, ra.y, ra.z, 0) *
                    eulerMatrix(r.x, r.y, r.z, static_cast<int>(in.number("rotateOrder"))));
  }
  in.setVector("transMinusRotatePivot", -1.0 * (offset + rp + in.vector("rotatePivotTranslate")));
}

}  // namespace minihost
