#include "boundary/math/Vector3D.h"

#include <cmath>

double Vector3D::operator^(const Vector3D& o) const {
  // atan2 of |a × b| and a · b keeps full precision near 0 and π, where acos of the normalised
  // dot product loses half the digits; a zero cross product gives exactly 0 or π.
  return std::atan2((*this * o).length(), dot(o));
}

double Vector3D::length() const {
  return std::hypot(x, y, z);
}

Vector3D Vector3D::normalised() const {
  double len = length();
  if (!(len > 0.0) || !std::isfinite(len))
    return {0.0, 0.0, 0.0};
  return {x / len, y / len, z / len};
}
