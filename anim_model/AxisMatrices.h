#pragma once

#include "boundary/math/Matrix3D.h"

// The quarter turns about x that bring a document to the host's up axis. They undo each other.
// Built at load, before the class records (ClassRecords.cpp).

// (x, y, z) -> (x, -z, y): a y-up file into a z-up host.
extern const Matrix3D kYUpToZUp;
// (x, y, z) -> (x, z, -y): a z-up file into a y-up host.
extern const Matrix3D kZUpToYUp;

// The matrix that converts keys of a file with the given up axis to the other axis.
inline const Matrix3D& upAxisConversionFor(bool fileIsZUp) {
  return fileIsZUp ? kZUpToYUp : kYUpToZUp;
}
