#include "scene/CurveStaging.h"

#include <algorithm>
#include <cmath>

#include "engine/Scene.h"

namespace minihost::scenefile {

TangentType tangentFromCode(int code) {
  switch (code) {
    case 1:
      return TangentType::kFixed;
    case 2:
      return TangentType::kLinear;
    case 3:
      return TangentType::kFlat;
    case 5:
      return TangentType::kStep;
    case 4:
    case 6:
    case 7:
    case 9:
      return TangentType::kSpline;
    case 10:
      return TangentType::kClamped;
    case 16:
      return TangentType::kPlateau;
    case 17:
      return TangentType::kStepNext;
    default:
      // 0 (global) takes the host's default preference, auto; unknown codes read the same.
      return TangentType::kAuto;
  }
}

namespace {

// More keys than any curve could hold are refused before anything is allocated for them.
constexpr long long kMaxKeys = 1LL << 24;

// A whole-number code (tangent type, infinity, flag) from the number the file wrote; false for
// numbers no code can be, which must not reach an int conversion.
bool codeFrom(double number, int& out) {
  if (!std::isfinite(number) || number < -2147483648.0 || number > 2147483647.0)
    return false;
  out = static_cast<int>(number);
  return true;
}

bool convert(double number, double& out) {
  out = number;
  return true;
}

bool convert(double number, int& out) {
  return codeFrom(number, out);
}

}  // namespace

template <typename T, typename Numbers>
bool CurveStaging::place(std::vector<T>& into, const PathSegment& seg, const Numbers& numbers,
                         size_t per, std::string& problem) {
  const long long count = seg.count();
  if (static_cast<long long>(numbers.size()) != count * static_cast<long long>(per)) {
    problem = "expected " + std::to_string(count * static_cast<long long>(per)) +
              " values, found " + std::to_string(numbers.size());
    return false;
  }
  if (seg.first + count > kMaxKeys) {
    problem = "index out of range";
    return false;
  }
  const size_t first = static_cast<size_t>(seg.first);
  if (into.size() < first + static_cast<size_t>(count))
    into.resize(first + static_cast<size_t>(count));
  for (long long i = 0; i < count; ++i) {
    if (!convert(numbers[static_cast<size_t>(i) * per], into[first + static_cast<size_t>(i)])) {
      problem = "value out of range";
      return false;
    }
  }
  return true;
}

bool CurveStaging::take(const std::vector<PathSegment>& path, const AttrSetting& value,
                        std::string& problem) {
  if (path.size() != 1)
    return true;
  const PathSegment& seg = path[0];
  const std::string& name = seg.name;
  const ValueNumbers& n = value.numbers;
  auto single = [&](int& out) {
    if (n.size() != 1) {
      problem = "expected one value";
      return false;
    }
    if (!codeFrom(n[0], out)) {
      problem = "value out of range";
      return false;
    }
    return true;
  };
  if (name == "ktv" || name == "keyTimeValue") {
    // Pairs of time and value; the same index runs over both lists.
    if (!place(times_, seg, n, 2, problem))
      return false;
    std::vector<double> shifted(n.begin() + (n.empty() ? 0 : 1), n.end());
    shifted.push_back(0.0);
    return place(values_, seg, shifted, 2, problem);
  }
  if (name == "kit" || name == "keyTanInType")
    return place(inTypes_, seg, n, 1, problem);
  if (name == "kot" || name == "keyTanOutType")
    return place(outTypes_, seg, n, 1, problem);
  if (name == "kix" || name == "keyTanInX")
    return place(inX_, seg, n, 1, problem);
  if (name == "kiy" || name == "keyTanInY")
    return place(inY_, seg, n, 1, problem);
  if (name == "kox" || name == "keyTanOutX")
    return place(outX_, seg, n, 1, problem);
  if (name == "koy" || name == "keyTanOutY")
    return place(outY_, seg, n, 1, problem);
  if (name == "tan" || name == "tangentType")
    return single(defaultType_);
  if (name == "pre" || name == "preInfinity")
    return single(pre_);
  if (name == "pst" || name == "postInfinity")
    return single(post_);
  if (name == "wgt" || name == "weightedTangents") {
    int w = 0;
    if (!single(w))
      return false;
    weighted_ = w != 0;
  }
  return true;
}

namespace {
Infinity infinityFromCode(int code) {
  switch (code) {
    case 1:
      return Infinity::kLinear;
    case 3:
      return Infinity::kCycle;
    case 4:
      return Infinity::kCycleRelative;
    case 5:
      return Infinity::kOscillate;
    default:
      return Infinity::kConstant;
  }
}

// A fixed tangent's slope per tick from its direction: x in seconds, y in stored units.
double slopeOf(const std::vector<double>& xs, const std::vector<double>& ys, size_t i) {
  double x = i < xs.size() ? xs[i] : 1.0;
  double y = i < ys.size() ? ys[i] : 0.0;
  if (!(std::fabs(x) > 1e-12) || !std::isfinite(x) || !std::isfinite(y))
    return 0.0;
  return y / (x * kTicksPerSecond);
}
}  // namespace

void CurveStaging::build(AnimCurve& curve, const Units& units, double valueScale,
                         bool& weighted) const {
  weighted = weighted_;
  const double ticksPerFrame = kTicksPerSecond / units.framesPerSecond;
  std::vector<CurveKey> keys;
  keys.reserve(std::min(times_.size(), values_.size()));
  for (size_t i = 0; i < times_.size() && i < values_.size(); ++i) {
    CurveKey key;
    key.ticks = times_[i] * ticksPerFrame;
    key.value = values_[i] * valueScale;
    if (!std::isfinite(key.ticks) || !std::isfinite(key.value))
      continue;
    key.inTangent =
        tangentFromCode(i < inTypes_.size() && inTypes_[i] != 0 ? inTypes_[i] : defaultType_);
    key.outTangent =
        tangentFromCode(i < outTypes_.size() && outTypes_[i] != 0 ? outTypes_[i] : defaultType_);
    key.inSlope = slopeOf(inX_, inY_, i);
    key.outSlope = slopeOf(outX_, outY_, i);
    keys.push_back(key);
  }
  curve.setKeys(std::move(keys));
  curve.setInfinity(infinityFromCode(pre_), infinityFromCode(post_));
}

}  // namespace minihost::scenefile
