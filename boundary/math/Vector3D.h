#pragma once

class opstream;
class ipstream;

// A point or direction in space.
class Vector3D {
 public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  Vector3D() = default;
  Vector3D(double xValue, double yValue, double zValue) : x(xValue), y(yValue), z(zValue) {}

  Vector3D operator+(const Vector3D& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vector3D operator-(const Vector3D& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vector3D operator-() const { return {-x, -y, -z}; }
  Vector3D operator*(double s) const { return {x * s, y * s, z * s}; }
  Vector3D& operator+=(const Vector3D& o) { return *this = *this + o; }
  Vector3D& operator-=(const Vector3D& o) { return *this = *this - o; }

  // Cross product, this × o.
  Vector3D operator*(const Vector3D& o) const {
    return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
  }
  // Angle between the two in radians, 0 to π: exactly 0 for equal directions, exactly π for
  // opposite ones, and 0 when either is the zero vector.
  double operator^(const Vector3D& o) const;

  double dot(const Vector3D& o) const { return x * o.x + y * o.y + z * o.z; }
  // Length, computed without overflow or underflow of the squares.
  double length() const;
  // The unit vector in this direction; the zero vector stays zero.
  Vector3D normalised() const;

  bool operator==(const Vector3D& o) const { return x == o.x && y == o.y && z == o.z; }
  bool operator!=(const Vector3D& o) const { return !(*this == o); }
};

inline Vector3D operator*(double s, const Vector3D& v) {
  return v * s;
}

// Three doubles, x, y, z.
opstream& operator<<(opstream& out, const Vector3D& v);
ipstream& operator>>(ipstream& in, Vector3D& v);
