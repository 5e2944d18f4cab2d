#include <maya/MColor.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

MColor::MColor() : r(0), g(0), b(0), a(1) {}
MColor::MColor(const MColor& other) = default;
MColor::MColor(float rr, float gg, float bb, float aa) : r(rr), g(gg), b(bb), a(aa) {}
MColor::MColor(const float rgb[3]) : r(rgb[0]), g(rgb[1]), b(rgb[2]), a(1) {}
MColor::~MColor() = default;
MColor& MColor::operator=(const MColor& other) = default;
float MColor::operator[](unsigned int i) const {
  return i == 0 ? r : i == 1 ? g : i == 2 ? b : a;
}
float& MColor::operator[](unsigned int i) {
  return i == 0 ? r : i == 1 ? g : i == 2 ? b : a;
}
MColor MColor::operator+(const MColor& o) const {
  return MColor(r + o.r, g + o.g, b + o.b, a + o.a);
}
MColor MColor::operator-(const MColor& o) const {
  return MColor(r - o.r, g - o.g, b - o.b, a - o.a);
}
MColor MColor::operator*(const MColor& o) const {
  return MColor(r * o.r, g * o.g, b * o.b, a * o.a);
}
MColor MColor::operator*(float s) const {
  return MColor(r * s, g * s, b * s, a * s);
}
MColor MColor::operator/(float s) const {
  return MColor(r / s, g / s, b / s, a / s);
}
bool MColor::operator==(const MColor& o) const {
  return r == o.r && g == o.g && b == o.b && a == o.a;
}
bool MColor::operator!=(const MColor& o) const {
  return !(*this == o);
}
MStatus MColor::get(float d[3]) const {
  d[0] = r;
  d[1] = g;
  d[2] = b;
  return MS::kSuccess;
}
MColor operator*(float s, const MColor& c) {
  return c * s;
}

OPENMAYA_NAMESPACE_CLOSE
