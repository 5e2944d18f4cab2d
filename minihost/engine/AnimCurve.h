#pragma once
// Key-frame curve: keys sorted by time, Hermite segments whose end slopes follow
// the keys' tangent kinds, and before the first and after the last key the curve's
// pre- and post-infinity behaviour (constant unless set otherwise).

#include <string>
#include <vector>

namespace minihost {

enum class TangentType {
  kLinear,
  kFlat,
  kStep,
  kSpline,
  kClamped,
  kFixed,     // the key's own slope (CurveKey::inSlope / outSlope)
  kPlateau,   // spline, flat at the first and last key and at extremes, never overshooting
  kAuto,      // as plateau
  kStepNext,  // holds the next key's value over the segment
};

// What the curve does outside its keys; the numbers are the host's own.
enum class Infinity { kConstant = 0, kLinear = 1, kCycle = 3, kCycleRelative = 4, kOscillate = 5 };

// Parses "linear", "flat", "step", "spline", "clamped", "fixed", "plateau", "stepnext"
// ("auto" reads as clamped, as the keying commands have always taken it).
bool parseTangentType(const std::string& text, TangentType& out);
const char* tangentTypeName(TangentType type);

struct CurveKey {
  double ticks = 0.0;
  double value = 0.0;
  TangentType inTangent = TangentType::kClamped;
  TangentType outTangent = TangentType::kClamped;
  double inSlope = 0.0;  // value per tick, used by kFixed tangents
  double outSlope = 0.0;
};

class AnimCurve {
 public:
  // Adds a key, or replaces the value and tangents of the key at the same time.
  void setKey(const CurveKey& key);
  // Adds many keys in any order at the cost of one sort: as setKey for each in turn, where a
  // later key replaces an earlier one at the same time.
  void setKeys(std::vector<CurveKey> keys);
  bool removeKeyAt(double ticks);
  // The key at a time (the same tolerance as setKey), or null.
  const CurveKey* keyAt(double ticks) const;
  unsigned int keyCount() const { return static_cast<unsigned int>(keys_.size()); }
  const CurveKey& key(unsigned int i) const { return keys_[i]; }
  const std::vector<CurveKey>& keys() const { return keys_; }
  // Value at a time; 0 for a curve without keys.
  double evaluate(double ticks) const;
  // Changes one key's tangents in place (index checked by the caller).
  CurveKey& editKey(unsigned int i) { return keys_[i]; }
  Infinity preInfinity() const { return pre_; }
  Infinity postInfinity() const { return post_; }
  void setInfinity(Infinity pre, Infinity post) {
    pre_ = pre;
    post_ = post;
  }

 private:
  double evaluateInside(double ticks) const;
  double endSlope(bool first) const;
  double slopeAt(size_t i, bool incoming) const;
  double splineSlope(size_t i) const;
  std::vector<CurveKey> keys_;
  Infinity pre_ = Infinity::kConstant;
  Infinity post_ = Infinity::kConstant;
};

}  // namespace minihost
