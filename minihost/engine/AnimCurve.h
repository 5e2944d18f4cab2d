#pragma once
// Key-frame curve: keys sorted by time, Hermite segments whose end slopes follow
// the keys' tangent kinds, constant before the first and after the last key.

#include <string>
#include <vector>

namespace minihost {

enum class TangentType { kLinear, kFlat, kStep, kSpline, kClamped };

// Parses "linear", "flat", "step", "spline", "clamped" ("auto" reads as clamped).
bool parseTangentType(const std::string& text, TangentType& out);
const char* tangentTypeName(TangentType type);

struct CurveKey {
  double ticks = 0.0;
  double value = 0.0;
  TangentType inTangent = TangentType::kClamped;
  TangentType outTangent = TangentType::kClamped;
};

class AnimCurve {
 public:
  // Adds a key, or replaces the value and tangents of the key at the same time.
  void setKey(const CurveKey& key);
  bool removeKeyAt(double ticks);
  unsigned int keyCount() const { return static_cast<unsigned int>(keys_.size()); }
  const CurveKey& key(unsigned int i) const { return keys_[i]; }
  const std::vector<CurveKey>& keys() const { return keys_; }
  // Value at a time; 0 for a curve without keys.
  double evaluate(double ticks) const;

 private:
  double slopeAt(size_t i, bool incoming) const;
  double splineSlope(size_t i) const;
  std::vector<CurveKey> keys_;
};

}  // namespace minihost
