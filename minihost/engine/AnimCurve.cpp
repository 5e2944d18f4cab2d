#include "engine/AnimCurve.h"

#include <algorithm>
#include <cmath>

namespace minihost {
namespace {
// Keys closer than this (a thousandth of a tick) are the same key.
constexpr double kSameTime = 1e-3;
}  // namespace

bool parseTangentType(const std::string& text, TangentType& out) {
  if (text == "linear") {
    out = TangentType::kLinear;
  } else if (text == "flat") {
    out = TangentType::kFlat;
  } else if (text == "step") {
    out = TangentType::kStep;
  } else if (text == "spline") {
    out = TangentType::kSpline;
  } else if (text == "clamped" || text == "auto") {
    out = TangentType::kClamped;
  } else {
    return false;
  }
  return true;
}

const char* tangentTypeName(TangentType type) {
  switch (type) {
    case TangentType::kLinear:
      return "linear";
    case TangentType::kFlat:
      return "flat";
    case TangentType::kStep:
      return "step";
    case TangentType::kSpline:
      return "spline";
    case TangentType::kClamped:
      return "clamped";
  }
  return "clamped";
}

void AnimCurve::setKey(const CurveKey& key) {
  auto it = std::lower_bound(keys_.begin(), keys_.end(), key.ticks - kSameTime,
                             [](const CurveKey& k, double t) { return k.ticks < t; });
  if (it != keys_.end() && std::fabs(it->ticks - key.ticks) <= kSameTime) {
    *it = key;
  } else {
    keys_.insert(it, key);
  }
}

bool AnimCurve::removeKeyAt(double ticks) {
  for (auto it = keys_.begin(); it != keys_.end(); ++it) {
    if (std::fabs(it->ticks - ticks) <= kSameTime) {
      keys_.erase(it);
      return true;
    }
  }
  return false;
}

double AnimCurve::splineSlope(size_t i) const {
  const size_t n = keys_.size();
  if (n < 2)
    return 0.0;
  if (i == 0)
    return (keys_[1].value - keys_[0].value) / (keys_[1].ticks - keys_[0].ticks);
  if (i == n - 1) {
    return (keys_[n - 1].value - keys_[n - 2].value) / (keys_[n - 1].ticks - keys_[n - 2].ticks);
  }
  return (keys_[i + 1].value - keys_[i - 1].value) / (keys_[i + 1].ticks - keys_[i - 1].ticks);
}

// Slope of the curve at key i on the side of the segment being evaluated.
double AnimCurve::slopeAt(size_t i, bool incoming) const {
  const CurveKey& k = keys_[i];
  TangentType type = incoming ? k.inTangent : k.outTangent;
  switch (type) {
    case TangentType::kFlat:
    case TangentType::kStep:
      return 0.0;
    case TangentType::kLinear: {
      size_t other = incoming ? i - 1 : i + 1;
      return (keys_[other].value - k.value) / (keys_[other].ticks - k.ticks);
    }
    case TangentType::kSpline:
      return splineSlope(i);
    case TangentType::kClamped: {
      // Clamped keeps the curve from overshooting: flat at extremes and at a
      // key that repeats a neighbour's value.
      if (i == 0 || i + 1 == keys_.size())
        return splineSlope(i);
      double prev = keys_[i - 1].value, next = keys_[i + 1].value;
      if ((k.value >= prev && k.value >= next) || (k.value <= prev && k.value <= next))
        return 0.0;
      return splineSlope(i);
    }
  }
  return 0.0;
}

double AnimCurve::evaluate(double ticks) const {
  if (keys_.empty())
    return 0.0;
  if (ticks <= keys_.front().ticks)
    return keys_.front().value;
  if (ticks >= keys_.back().ticks)
    return keys_.back().value;
  auto it = std::upper_bound(keys_.begin(), keys_.end(), ticks,
                             [](double t, const CurveKey& k) { return t < k.ticks; });
  size_t i1 = static_cast<size_t>(it - keys_.begin());
  size_t i0 = i1 - 1;
  const CurveKey& a = keys_[i0];
  const CurveKey& b = keys_[i1];
  if (a.outTangent == TangentType::kStep)
    return a.value;
  double dt = b.ticks - a.ticks;
  double s = (ticks - a.ticks) / dt;
  double m0 = slopeAt(i0, false) * dt;
  double m1 = slopeAt(i1, true) * dt;
  double s2 = s * s, s3 = s2 * s;
  return (2 * s3 - 3 * s2 + 1) * a.value + (s3 - 2 * s2 + s) * m0 + (-2 * s3 + 3 * s2) * b.value +
         (s3 - s2) * m1;
}

}  // namespace minihost
