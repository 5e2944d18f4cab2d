#pragma once

#include <gtest/gtest.h>

#include "boundary/math/Matrix3D.h"
#include "boundary/math/Vector3D.h"

inline void expectNear(const Vector3D& a, const Vector3D& b, double tolerance = 1e-12) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

inline void expectNear(const Matrix3D& a, const Matrix3D& b, double tolerance = 1e-12) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j)
      EXPECT_NEAR(a.m[i][j], b.m[i][j], tolerance) << i << "," << j;
  }
}
