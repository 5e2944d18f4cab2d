// Constraints and the camera aim node, with the host's documented semantics: each target's
// pivot in world space (targetRotatePivot + targetRotateTranslate + targetTranslate through
// targetParentMatrix), weighted by targetWeight, brought into the constrained object's parent
// space by constraintParentInverseMatrix, less the constrained object's own pivot.
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/RigMath.h"
#include "engine/RigNodeTypes.h"
#include "engine/RigNodes.h"
#include "engine/Scene.h"

namespace minihost {
namespace {

constexpr double kTiny = 1e-12;

// Attribute indices of each target element, looked up once per constraint type: an
// evaluation reads them for every element, every frame.
struct TargetSlot {
  int tt, tr, ts, trp, trt, tjo, tot, tor, tro, tpm, tw, ttx, trx, tsx;
};

const std::vector<TargetSlot>& targetSlots(const NodeType& type) {
  static std::unordered_map<const NodeType*, std::vector<TargetSlot>> tables;
  auto found = tables.find(&type);
  if (found != tables.end())
    return found->second;
  std::vector<TargetSlot> slots;
  for (int i = 0; i < kRigMultiSize; ++i) {
    auto at = [&](const char* child) { return type.findAttribute(elementName("tg", i, child)); };
    slots.push_back(TargetSlot{at("tt"), at("tr"), at("ts"), at("trp"), at("trt"), at("tjo"),
                               at("tot"), at("tor"), at("tro"), at("tpm"), at("tw"), at("ttx"),
                               at("trx"), at("tsx")});
  }
  return tables.emplace(&type, std::move(slots)).first->second;
}

const TargetSlot& slot(RigInputs& in, int element) {
  return targetSlots(*in.scene().node(in.node())->type)[static_cast<size_t>(element)];
}

struct Target {
  int element = 0;
  double weight = 0.0;
  MVector point;     // the pivot in world space
  MMatrix frame;     // pivot frame: rotation (and scale) at the pivot's world position
  MMatrix rotation;  // world rotation (rows normalised)
};

// Targets in use: connected or weighted elements. An element counts when its weight is
// positive and something feeds it (a target object or a set value).
std::vector<Target> readTargets(RigInputs& in) {
  std::vector<Target> targets;
  for (int i = 0; i < kRigMultiSize; ++i) {
    const TargetSlot& e = slot(in, i);
    bool fed =
        in.connected(e.tpm) || in.connected(e.ttx) || in.connected(e.trx) || in.connected(e.tsx);
    if (!fed)
      continue;
    Target t;
    t.element = i;
    t.weight = in.number(e.tw);
    if (!(t.weight > 0.0))
      continue;
    MMatrix parent = in.matrix(e.tpm);
    MVector local = in.vector(e.trp) + in.vector(e.trt) + in.vector(e.tt);
    MVector r = in.vector(e.tr), jo = in.vector(e.tjo);
    MVector s = in.vector(e.ts);
    int order = static_cast<int>(in.number(e.tro));
    MMatrix rot = eulerMatrix(r.x, r.y, r.z, order) * eulerMatrix(jo.x, jo.y, jo.z, 0);
    MMatrix scale;
    scale.matrix[0][0] = s.x;
    scale.matrix[1][1] = s.y;
    scale.matrix[2][2] = s.z;
    t.frame = scale * rot * translationMatrix(local) * parent;
    t.point = pointTimes(MVector(), t.frame);
    t.rotation = rotationPart(rot * parent);
    targets.push_back(t);
  }
  return targets;
}

double totalWeight(const std::vector<Target>& targets) {
  double sum = 0.0;
  for (const Target& t : targets)
    sum += t.weight;
  return sum;
}

// Weighted blend of orientations. Average, shortest and no-flip keep each quaternion on the
// first one's side; longest takes the other side; cache (4) blends as average.
Quat blendRotations(const std::vector<MMatrix>& rotations, const std::vector<double>& weights,
                    int interpType) {
  Quat first = quatFromMatrix(rotations.front());
  if (rotations.size() == 1)
    return first;
  Quat sum{0.0, 0.0, 0.0, 0.0};
  double total = 0.0;
  for (double w : weights)
    total += w;
  for (size_t i = 0; i < rotations.size(); ++i) {
    Quat q = quatFromMatrix(rotations[i]);
    double d = q.x * first.x + q.y * first.y + q.z * first.z + q.w * first.w;
    bool flip = interpType == 3 ? (i > 0 && d > 0.0) : d < 0.0;
    double w = (flip ? -weights[i] : weights[i]) / total;
    sum.x += w * q.x;
    sum.y += w * q.y;
    sum.z += w * q.z;
    sum.w += w * q.w;
  }
  double n = std::sqrt(sum.x * sum.x + sum.y * sum.y + sum.z * sum.z + sum.w * sum.w);
  if (n < kTiny)
    return first;
  return Quat{sum.x / n, sum.y / n, sum.z / n, sum.w / n};
}

// Euler angles for the constrained object from a rotation in its parent's space, less its
// joint orient (a joint's rotation acts before its orient).
MVector constrainedAngles(RigInputs& in, const MMatrix& parentSpace) {
  MVector jo = in.vector("cjo");
  MMatrix r = parentSpace * eulerMatrix(jo.x, jo.y, jo.z, 0).inverse();
  return eulerAngles(rotationPart(r), static_cast<int>(in.number("cro")));
}

MVector constrainedTranslate(RigInputs& in, const MVector& worldPoint) {
  MVector p = pointTimes(worldPoint, in.matrix("cpim"));
  return p - in.vector("crp") - in.vector("crt");
}

// With no weight the constraint gives its rest values when enabled, else keeps its last.
bool useRest(RigInputs& in, const std::vector<Target>& targets) {
  if (totalWeight(targets) > kTiny)
    return false;
  if (in.number("erp") != 0.0) {
    in.setVector("constraintTranslate", in.vector("rst"));
    in.setVector("constraintRotate", in.vector("rsrr"));
    in.setVector("constraintScale", in.vector("rsrs"));
  }
  return true;
}

}  // namespace

void computePointConstraint(RigInputs& in) {
  std::vector<Target> targets = readTargets(in);
  if (useRest(in, targets))
    return;
  MVector sum;
  for (const Target& t : targets)
    sum += t.point * t.weight;
  MVector world = sum * (1.0 / totalWeight(targets));
  in.setVector("constraintTranslate", constrainedTranslate(in, world) + in.vector("o"));
}

void computeParentConstraint(RigInputs& in) {
  std::vector<Target> targets = readTargets(in);
  if (useRest(in, targets))
    return;
  MVector sum;
  std::vector<MMatrix> rotations;
  std::vector<double> weights;
  for (const Target& t : targets) {
    // The offset acts in the target's pivot frame (maintain offset).
    const TargetSlot& e = slot(in, t.element);
    MVector ot = in.vector(e.tot), orot = in.vector(e.tor);
    MMatrix offset = eulerMatrix(orot.x, orot.y, orot.z, 0) * translationMatrix(ot);
    sum += pointTimes(MVector(), offset * t.frame) * t.weight;
    rotations.push_back(rotationPart(offset * t.rotation));
    weights.push_back(t.weight);
  }
  MVector point = sum * (1.0 / totalWeight(targets));
  MMatrix rotation =
      matrixFromQuat(blendRotations(rotations, weights, static_cast<int>(in.number("int"))));
  in.setVector("constraintTranslate", constrainedTranslate(in, point));
  in.setVector("constraintRotate",
               constrainedAngles(in, rotation * rotationPart(in.matrix("cpim"))));
}

void computeOrientConstraint(RigInputs& in) {
  std::vector<Target> targets = readTargets(in);
  if (useRest(in, targets))
    return;
  std::vector<MMatrix> rotations;
  std::vector<double> weights;
  for (const Target& t : targets) {
    rotations.push_back(t.rotation);
    weights.push_back(t.weight);
  }
  MMatrix world =
      matrixFromQuat(blendRotations(rotations, weights, static_cast<int>(in.number("int"))));
  MVector o = in.vector("o");
  MMatrix local = eulerMatrix(o.x, o.y, o.z, 0) * world * rotationPart(in.matrix("cpim"));
  in.setVector("constraintRotate", constrainedAngles(in, local));
}

void computeScaleConstraint(RigInputs& in) {
  std::vector<Target> targets = readTargets(in);
  if (useRest(in, targets))
    return;
  MVector sum;
  for (const Target& t : targets) {
    const TargetSlot& e = slot(in, t.element);
    MVector s = in.vector(e.ts);
    MMatrix parent = in.matrix(e.tpm);
    MVector world(s.x * rowOf(parent, 0).length(), s.y * rowOf(parent, 1).length(),
                  s.z * rowOf(parent, 2).length());
    sum += world * t.weight;
  }
  MVector world = sum * (1.0 / totalWeight(targets));
  MMatrix pim = in.matrix("cpim");
  MVector o = in.vector("o");
  in.setVector("constraintScale", MVector(world.x * rowOf(pim, 0).length() * o.x,
                                          world.y * rowOf(pim, 1).length() * o.y,
                                          world.z * rowOf(pim, 2).length() * o.z));
}

// aimConstraint and lookAt: the aim vector points at the weighted target point, the up vector
// as close as it can to the world up of `worldUpType` (0 scene up, 1 object up, 2 object
// rotation up, 3 vector, 4 none).
void computeAimConstraint(RigInputs& in, bool lookAt) {
  std::vector<Target> targets = readTargets(in);
  if (useRest(in, targets))
    return;
  MVector sum;
  for (const Target& t : targets)
    sum += t.point * t.weight;
  MVector aimPoint = sum * (1.0 / totalWeight(targets));
  MMatrix parentInverse = in.matrix("cpim");
  MMatrix parent = parentInverse.inverse();
  MVector eye = pointTimes(in.vector("ct") + in.vector("crp") + in.vector("crt"), parent);
  MVector direction = aimPoint - eye;
  if (lookAt)
    in.set("distanceBetween", direction.length());
  MVector aim = in.vector("a");
  if (direction.length() < kTiny || aim.length() < kTiny)
    return;  // nothing to aim at: the last result holds
  MVector x = direction.normal(), a = aim.normal();
  int upType = static_cast<int>(in.number("wut"));
  MVector worldUp;
  switch (upType) {
    case 0:
      worldUp = in.scene().upAxisIsZ() ? MVector(0, 0, 1) : MVector(0, 1, 0);
      break;
    case 1:
      worldUp = pointTimes(MVector(), in.matrix("wum")) - eye;
      break;
    case 2:
      worldUp = directionTimes(in.vector("wu"), in.matrix("wum"));
      break;
    case 3:
      worldUp = in.vector("wu");
      break;
    default:
      break;
  }
  MVector up = in.vector("u");
  up = up - a * (up * a);
  MVector y = worldUp - x * (worldUp * x);
  MMatrix rotation;
  if (upType == 4 || y.length() < kTiny || up.length() < kTiny) {
    // No usable up: the shortest turn of the aim vector onto the direction.
    rotation = matrixFromQuat(arcBetween(a, x));
  } else {
    MVector u = up.normal(), yn = y.normal();
    MVector c = a ^ u, z = x ^ yn;
    MMatrix local, world;
    const MVector lr[3] = {a, u, c}, wr[3] = {x, yn, z};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        local.matrix[i][j] = lr[i][static_cast<unsigned>(j)];
        world.matrix[i][j] = wr[i][static_cast<unsigned>(j)];
      }
    }
    rotation = local.transpose() * world;
  }
  if (lookAt) {
    double twist = in.number("twist");
    if (twist != 0.0 && (upType == 0 || upType == 3))
      rotation = matrixFromQuat(quatAxisAngle(a, twist)) * rotation;
  }
  MVector o = in.vector("o");
  MMatrix local = eulerMatrix(o.x, o.y, o.z, 0) * rotation * rotationPart(parentInverse);
  in.setVector("constraintRotate", constrainedAngles(in, local));
}

}  // namespace minihost
