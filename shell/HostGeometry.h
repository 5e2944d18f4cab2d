#pragma once

#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "boundary/math/Matrix3D.h"
#include "boundary/math/Vector3D.h"

// The one place where the host's matrices, points and vectors become the geometry library's and
// back. The host's matrices act on row vectors with the translation in the fourth row, ours on
// column vectors with the translation in the fourth column: each is the other's transpose.

Matrix3D fromHostMatrix(const MMatrix& host);
MMatrix toHostMatrix(const Matrix3D& matrix);

// A direction as it is (not normalised).
Vector3D fromHostVector(const MVector& host);
// A point's x, y and z as they are: the host's points from the camera and transform queries
// are not homogeneous (w is 1).
Vector3D fromHostPoint(const MPoint& host);
