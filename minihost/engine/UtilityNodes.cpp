// pairBlend, blendWeighted, unitConversion, plusMinusAverage, multiplyDivide, decomposeMatrix
// and driven-key curves, with the host's documented formulas.
#include <cmath>

#include "engine/RigMath.h"
#include "engine/RigNodeTypes.h"
#include "engine/RigNodes.h"
#include "engine/Scene.h"

namespace minihost {

// out = in1 * (1 - w) + in2 * w; rotations blend per channel (Euler) or along the shortest
// arc (quaternion, rotInterpolation 1).
void computePairBlend(RigInputs& in) {
  double w = in.number("weight");
  MVector t1 = in.vector("it1"), t2 = in.vector("it2");
  MVector r1 = in.vector("ir1"), r2 = in.vector("ir2");
  in.setVector("outTranslate", t1 * (1.0 - w) + t2 * w);
  if (in.number("rotInterpolation") == 0.0) {
    in.setVector("outRotate", r1 * (1.0 - w) + r2 * w);
    return;
  }
  Quat q = slerp(quatFromMatrix(eulerMatrix(r1.x, r1.y, r1.z, 0)),
                 quatFromMatrix(eulerMatrix(r2.x, r2.y, r2.z, 0)), w);
  in.setVector("outRotate", eulerAngles(matrixFromQuat(q), 0));
}

void computeBlendWeighted(RigInputs& in) {
  double sum = 0.0;
  for (int i = 0; i < kRigMultiSize; ++i)
    sum += in.number(elementName("i", i)) * in.number(elementName("w", i));
  in.set("output", sum);
}

// Values are in the engine's internal units (cm, radians) on both sides, as in the host.
void computeUnitConversion(RigInputs& in) {
  in.set("output", in.number("input") * in.number("conversionFactor"));
}

namespace {

// Elements of a plusMinusAverage input in use: up to the last one connected or non-zero.
int elementsInUse(RigInputs& in, const char* multi, const char* const* children, int count) {
  int used = 0;
  for (int i = 0; i < kRigMultiSize; ++i) {
    for (int c = 0; c < count; ++c) {
      int a = in.attr(children ? elementName(multi, i, std::string(multi) + children[c])
                               : elementName(multi, i));
      if (in.connected(a) || in.number(a) != 0.0)
        used = i + 1;
    }
  }
  return used;
}

}  // namespace

// Operation 0 passes the first input, 1 sums, 2 subtracts the others from the first,
// 3 averages.
void computePlusMinusAverage(RigInputs& in) {
  int op = static_cast<int>(in.number("operation"));
  static const char* const xy[] = {"x", "y"};
  static const char* const xyz[] = {"x", "y", "z"};
  struct Channel {
    const char* multi;
    const char* const* children;
    int count;
    const char* output;
  } channels[] = {
      {"i1", nullptr, 1, "output1D"}, {"i2", xy, 2, "output2D"}, {"i3", xyz, 3, "output3D"}};
  for (const Channel& ch : channels) {
    int used = elementsInUse(in, ch.multi, ch.children, ch.count);
    for (int c = 0; c < ch.count; ++c) {
      double result = 0.0;
      for (int i = 0; i < used; ++i) {
        double v =
            in.number(ch.children ? elementName(ch.multi, i, std::string(ch.multi) + ch.children[c])
                                  : elementName(ch.multi, i));
        if (i == 0 || op == 1 || op == 3)
          result = i == 0 ? v : result + v;
        else if (op == 2)
          result -= v;
      }
      if (op == 3 && used > 0)
        result /= used;
      std::string out = ch.output;
      if (ch.children)
        out = std::string(ch.output) + ch.children[c];
      in.set(out, result);
    }
  }
}

// Operation 0 passes input1, 1 multiplies, 2 divides, 3 raises to the power. A division by
// zero or an undefined power keeps that channel's last value.
void computeMultiplyDivide(RigInputs& in) {
  int op = static_cast<int>(in.number("operation"));
  MVector a = in.vector("input1"), b = in.vector("input2");
  const char* outs[3] = {"outputX", "outputY", "outputZ"};
  for (unsigned i = 0; i < 3; ++i) {
    double v = a[i];
    if (op == 1)
      v = a[i] * b[i];
    else if (op == 2)
      v = b[i] != 0.0 ? a[i] / b[i] : NAN;
    else if (op == 3)
      v = std::pow(a[i], b[i]);
    in.set(outs[i], v);  // a value that is not finite is not stored
  }
}

// Translation, rotation (in inputRotateOrder), scale and shear of a matrix composed as
// S * Sh * R * T (row vectors).
void computeDecomposeMatrix(RigInputs& in) {
  MMatrix m = in.matrix("inputMatrix");
  MVector r0 = rowOf(m, 0), r1 = rowOf(m, 1), r2 = rowOf(m, 2);
  double sx = r0.length();
  MVector x = sx > 0.0 ? r0 * (1.0 / sx) : MVector(1, 0, 0);
  double xy = r1 * x;
  MVector y1 = r1 - x * xy;
  double sy = y1.length();
  MVector y = sy > 0.0 ? y1 * (1.0 / sy) : MVector(0, 1, 0);
  double xz = r2 * x, yz = r2 * y;
  MVector z1 = r2 - x * xz - y * yz;
  double sz = z1.length();
  MVector z = sz > 0.0 ? z1 * (1.0 / sz) : (x ^ y);
  if (((x ^ y) * z) < 0.0) {
    sz = -sz;
    z = z * -1.0;
  }
  MMatrix rotation;
  const MVector rows[3] = {x, y, z};
  for (int i = 0; i < 3; ++i)
    for (unsigned j = 0; j < 3; ++j)
      rotation.matrix[i][j] = rows[i][j];
  in.setVector("outputTranslate", rowOf(m, 3));
  in.setVector("outputRotate",
               eulerAngles(rotation, static_cast<int>(in.number("inputRotateOrder"))));
  in.setVector("outputScale", MVector(sx, sy, sz));
  in.setVector("outputShear", MVector(sy != 0.0 ? xy / sy : 0.0, sz != 0.0 ? xz / sz : 0.0,
                                      sz != 0.0 ? yz / sz : 0.0));
}

// addDoubleLinear (i1 + i2) and multDoubleLinear (i1 * i2): the host's path animation puts
// addDoubleLinear nodes between a motion path and the translate they drive.
void computeDoubleLinear(RigInputs& in, bool multiply) {
  double a = in.number("input1"), b = in.number("input2");
  in.set("output", multiply ? a * b : a + b);
}

// A driven key: the curve's keys are placed on the values of its input.
void computeDrivenKey(RigInputs& in) {
  const Node* n = in.scene().node(in.node());
  if (!n || !n->drivenCurve() || n->drivenCurve()->keyCount() == 0)
    return;
  in.set("output", n->drivenCurve()->evaluate(in.number("input")));
}

}  // namespace minihost
