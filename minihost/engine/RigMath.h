#pragma once
// Rotation helpers of the rig evaluation: unit quaternions (for blending orientations),
// Euler angles in a rotate order, and the parts of a 4x4 matrix (row vectors).

#include <maya/MMatrix.h>
#include <maya/MVector.h>

namespace minihost {

struct Quat {
  double x = 0.0, y = 0.0, z = 0.0, w = 1.0;
};

// The rotation of a matrix's upper 3x3 with its rows normalised (scale removed).
Quat quatFromMatrix(const MMatrix& m);
MMatrix matrixFromQuat(const Quat& q);
Quat slerp(const Quat& a, const Quat& b, double t);
// Rotation taking unit vector `from` onto unit vector `to` by the shortest arc.
Quat arcBetween(const MVector& from, const MVector& to);
Quat quatAxisAngle(const MVector& axis, double angle);

MMatrix eulerMatrix(double x, double y, double z, int rotateOrder);
// Euler angles (radians) of a rotation matrix in a rotate order 0..5 (xyz ... zyx).
MVector eulerAngles(const MMatrix& rotation, int rotateOrder);
MMatrix translationMatrix(const MVector& t);
MVector rowOf(const MMatrix& m, int row);
// The matrix with its translation dropped and its rows normalised.
MMatrix rotationPart(const MMatrix& m);
MVector pointTimes(const MVector& p, const MMatrix& m);      // p as a point (w = 1)
MVector directionTimes(const MVector& d, const MMatrix& m);  // d as a direction (w = 0)

}  // namespace minihost
