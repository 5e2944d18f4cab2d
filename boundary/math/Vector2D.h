#pragma once

class opstream;
class ipstream;

// A point or extent on a plane.
class Vector2D {
 public:
  double x = 0.0;
  double y = 0.0;

  Vector2D() = default;
  Vector2D(double xValue, double yValue) : x(xValue), y(yValue) {}

  bool operator==(const Vector2D& o) const { return x == o.x && y == o.y; }
  bool operator!=(const Vector2D& o) const { return !(*this == o); }
};

// Two doubles, x then y.
opstream& operator<<(opstream& out, const Vector2D& v);
ipstream& operator>>(ipstream& in, Vector2D& v);
