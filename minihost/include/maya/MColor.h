#pragma once
// RGBA colour, single precision.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MColor {
 public:
  enum MColorType { kRGB, kHSV, kCMY, kCMYK };

  MColor();
  MColor(const MColor& other);
  MColor(float rr, float gg, float bb = 0.0f, float aa = 1.0f);
  MColor(const float rgb[3]);
  ~MColor();

  MColor& operator=(const MColor& other);
  float operator[](unsigned int i) const;
  float& operator[](unsigned int i);
  MColor operator+(const MColor& other) const;
  MColor operator-(const MColor& other) const;
  MColor operator*(const MColor& other) const;
  MColor operator*(float scale) const;
  MColor operator/(float scale) const;
  bool operator==(const MColor& other) const;
  bool operator!=(const MColor& other) const;
  MStatus get(float dest[3]) const;

  float r;
  float g;
  float b;
  float a;
};

OPENMAYA_EXPORT MColor operator*(float scale, const MColor& c);

OPENMAYA_NAMESPACE_CLOSE
