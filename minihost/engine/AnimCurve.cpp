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
  } else if (text == "fixed") {
    out = TangentType::kFixed;
  } else if (text == "plateau") {
    out = TangentType::kPlateau;
  } else if (text == "stepnext") {
    out = TangentType::kStepNext;
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
    case TangentType::kFixed:
      return "fixed";
    case TangentType::kPlateau:
      return "plateau";
    case TangentType::kAuto:
      return "auto";
    case TangentType::kStepNext:
      return "stepnext";
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

const CurveKey* AnimCurve::keyAt(double ticks) const {
  auto it = std::lower_bound(keys_.begin(), keys_.end(), ticks - kSameTime,
                             [](const CurveKey& k, double t) { return k.ticks < t; });
  return it != keys_.end() && std::fabs(it->ticks - ticks) <= kSameTime ? &*it : nullptr;
}

void AnimCurve::setKeys(std::vector<CurveKey> keys) {
  if (!keys_.empty()) {
    for (const CurveKey& key : keys)
      setKey(key);
    return;
  }
  // Keys given in falling time order would each be inserted at the front: sort once instead.
  std::stable_sort(keys.begin(), keys.end(),
                   [](const CurveKey& a, const CurveKey& b) { return a.ticks < b.ticks; });
  for (const CurveKey& key : keys) {
    if (!keys_.empty() && std::fabs(keys_.back().ticks - key.ticks) <= kSameTime)
      keys_.back() = key;
    else
      keys_.push_back(key);
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
    case TangentType::kStepNext:
      return 0.0;
    case TangentType::kFixed:
      return incoming ? k.inSlope : k.outSlope;
    case TangentType::kPlateau:
    case TangentType::kAuto: {
      // Flat at both ends and at extremes; elsewhere the spline slope, limited so that
      // neither neighbouring segment overshoots its keys (three times the smaller secant).
      if (i == 0 || i + 1 == keys_.size())
        return 0.0;
      double before = (k.value - keys_[i - 1].value) / (k.ticks - keys_[i - 1].ticks);
      double after = (keys_[i + 1].value - k.value) / (keys_[i + 1].ticks - k.ticks);
      if (before * after <= 0.0)
        return 0.0;
      double slope = splineSlope(i);
      double limit = 3.0 * std::min(std::fabs(before), std::fabs(after));
      return std::fabs(slope) > limit ? std::copysign(limit, slope) : slope;
    }
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

// Slope the curve leaves with at its first key (backwards) or last key (forwards), for
// linear infinity.
double AnimCurve::endSlope(bool first) const {
  if (keys_.size() < 2) {
    const CurveKey& k = keys_.front();
    if (first)
      return k.inTangent == TangentType::kFixed ? k.inSlope : 0.0;
    return k.outTangent == TangentType::kFixed ? k.outSlope : 0.0;
  }
  if (first)
    return keys_.front().inTangent == TangentType::kStep ? 0.0 : slopeAt(0, false);
  return keys_.back().outTangent == TangentType::kStep ? 0.0 : slopeAt(keys_.size() - 1, true);
}

double AnimCurve::evaluate(double ticks) const {
  if (keys_.empty())
    return 0.0;
  const double t0 = keys_.front().ticks, t1 = keys_.back().ticks;
  if ((ticks >= t0 && ticks <= t1) || keys_.size() < 2 || !std::isfinite(ticks)) {
    if (ticks < t0 && pre_ == Infinity::kLinear)
      return keys_.front().value + (ticks - t0) * endSlope(true);
    if (ticks > t1 && post_ == Infinity::kLinear)
      return keys_.back().value + (ticks - t1) * endSlope(false);
    return evaluateInside(ticks);
  }
  const bool before = ticks < t0;
  const Infinity mode = before ? pre_ : post_;
  const double span = t1 - t0;
  switch (mode) {
    case Infinity::kConstant:
      return before ? keys_.front().value : keys_.back().value;
    case Infinity::kLinear:
      return before ? keys_.front().value + (ticks - t0) * endSlope(true)
                    : keys_.back().value + (ticks - t1) * endSlope(false);
    case Infinity::kCycle:
    case Infinity::kCycleRelative:
    case Infinity::kOscillate: {
      double cycles = std::floor((ticks - t0) / span);
      double local = ticks - t0 - cycles * span;
      if (mode == Infinity::kOscillate) {
        // Every other cycle runs backwards.
        bool backwards = std::fmod(std::fabs(cycles), 2.0) == 1.0;
        return evaluateInside(backwards ? t1 - local : t0 + local);
      }
      double value = evaluateInside(t0 + local);
      if (mode == Infinity::kCycleRelative)
        value += cycles * (keys_.back().value - keys_.front().value);
      return value;
    }
  }
  return evaluateInside(ticks);
}

double AnimCurve::evaluateInside(double ticks) const {
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
  if (a.outTangent == TangentType::kStep || ticks == a.ticks)
    return a.value;
  if (a.outTangent == TangentType::kStepNext)
    return b.value;
  double dt = b.ticks - a.ticks;
  double s = (ticks - a.ticks) / dt;
  double m0 = slopeAt(i0, false) * dt;
  double m1 = slopeAt(i1, true) * dt;
  double s2 = s * s, s3 = s2 * s;
  return (2 * s3 - 3 * s2 + 1) * a.value + (s3 - 2 * s2 + s) * m0 + (-2 * s3 + 3 * s2) * b.value +
         (s3 - s2) * m1;
}

}  // namespace minihost
