#include "engine/NurbsCurve.h"

#include <algorithm>
#include <cmath>

namespace minihost {
namespace {

// Gauss–Legendre nodes and weights on [-1, 1]; each span is cut into kPieces parts so that
// sharp turns inside one span still measure right.
constexpr int kGaussPoints = 5;
constexpr double kGaussNodes[kGaussPoints] = {0.0, -0.5384693101056831, 0.5384693101056831,
                                              -0.9061798459386640, 0.9061798459386640};
constexpr double kGaussWeights[kGaussPoints] = {0.5688888888888889, 0.4786286704993665,
                                                0.4786286704993665, 0.2369268850561891,
                                                0.2369268850561891};
constexpr int kPieces = 4;

bool sameMatrix(const MMatrix& a, const MMatrix& b) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (a.matrix[r][c] != b.matrix[r][c])
        return false;
  return true;
}

MVector linearTimes(const MVector& d, const MMatrix& m) {
  return MVector(d.x * m.matrix[0][0] + d.y * m.matrix[1][0] + d.z * m.matrix[2][0],
                 d.x * m.matrix[0][1] + d.y * m.matrix[1][1] + d.z * m.matrix[2][1],
                 d.x * m.matrix[0][2] + d.y * m.matrix[1][2] + d.z * m.matrix[2][2]);
}

}  // namespace

std::shared_ptr<const NurbsCurve> NurbsCurve::make(int degree, int spans, int form, bool rational,
                                                   std::vector<double> knots,
                                                   std::vector<double> cvs, std::string& problem) {
  if (degree < 1 || degree > kMaxDegree) {
    problem = "degree " + std::to_string(degree) + " is outside 1.." + std::to_string(kMaxDegree);
    return nullptr;
  }
  if (spans < 1) {
    problem = "a curve needs at least one span";
    return nullptr;
  }
  if (form < kOpen || form > kPeriodic) {
    problem = "form " + std::to_string(form) + " is none of 0 (open), 1 (closed), 2 (periodic)";
    return nullptr;
  }
  const size_t wantKnots = static_cast<size_t>(spans) + 2 * static_cast<size_t>(degree) - 1;
  if (knots.size() != wantKnots) {
    problem = std::to_string(knots.size()) + " knots where degree " + std::to_string(degree) +
              " and " + std::to_string(spans) + " spans take " + std::to_string(wantKnots);
    return nullptr;
  }
  const size_t wantCvs = static_cast<size_t>(spans) + static_cast<size_t>(degree);
  if (cvs.size() != wantCvs * 4) {
    problem = std::to_string(cvs.size() / 4) + " control vertices where " +
              std::to_string(wantCvs) + " are needed";
    return nullptr;
  }
  size_t run = 0;  // how often the knot at i repeats up to i
  for (size_t i = 0; i < knots.size(); ++i) {
    if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1])) {
      problem = "the knots are not finite and rising at knot " + std::to_string(i);
      return nullptr;
    }
    run = i > 0 && knots[i] == knots[i - 1] ? run + 1 : 1;
    // Inside the list a knot may repeat at most `degree` times: more would break the curve.
    if (run > static_cast<size_t>(degree) && i + 1 < knots.size() && i + 1 > run) {
      problem = "knot " + std::to_string(i) + " repeats more often than the degree allows";
      return nullptr;
    }
  }
  for (size_t i = 0; i < cvs.size(); ++i) {
    if (!std::isfinite(cvs[i]) || (i % 4 == 3 && !(cvs[i] > 0.0))) {
      problem = "control vertex " + std::to_string(i / 4) + " is not finite or has no weight";
      return nullptr;
    }
  }
  std::shared_ptr<NurbsCurve> c(new NurbsCurve);
  c->degree_ = degree;
  c->spans_ = spans;
  c->form_ = form;
  c->rational_ = rational;
  c->knots_ = std::move(knots);
  if (!(c->minParam() < c->maxParam())) {
    problem = "the knots leave the curve no parameter range";
    return nullptr;
  }
  c->full_.reserve(c->knots_.size() + 2);
  c->full_.push_back(c->knots_.front());
  c->full_.insert(c->full_.end(), c->knots_.begin(), c->knots_.end());
  c->full_.push_back(c->knots_.back());
  // Homogeneous control points make the rational evaluation a plain B-spline one.
  for (size_t i = 0; i < cvs.size(); i += 4) {
    const double w = cvs[i + 3];
    cvs[i] *= w;
    cvs[i + 1] *= w;
    cvs[i + 2] *= w;
  }
  c->cvs_ = std::move(cvs);
  return c;
}

MVector NurbsCurve::cv(int i) const {
  const size_t at = static_cast<size_t>(i) * 4;
  const double w = cvs_[at + 3];
  return MVector(cvs_[at] / w, cvs_[at + 1] / w, cvs_[at + 2] / w);
}

double NurbsCurve::inRange(double u) const {
  const double lo = minParam(), hi = maxParam();
  if (!std::isfinite(u))
    return lo;
  if (form_ == kPeriodic) {
    double t = std::fmod(u - lo, hi - lo);
    if (t < 0.0)
      t += hi - lo;
    return lo + t;
  }
  return std::min(std::max(u, lo), hi);
}

int NurbsCurve::spanOf(double u) const {
  const int n = cvCount();
  auto first = full_.begin() + degree_, last = full_.begin() + n + 1;
  int k = static_cast<int>(std::upper_bound(first, last, u) - full_.begin()) - 1;
  k = std::min(std::max(k, degree_), n - 1);
  // At the end of the range the last span of positive length holds the point.
  while (k > degree_ && full_[static_cast<size_t>(k)] == full_[static_cast<size_t>(k) + 1])
    --k;
  return k;
}

NurbsCurve::Sample NurbsCurve::evaluate(double u) const {
  u = inRange(u);
  const int p = degree_;
  const int k = spanOf(u);
  const double* U = full_.data();
  // The non-zero basis functions of span k and their first two derivatives (the triangular
  // table of de Boor's recurrence, kept with the knot differences it divides by).
  double ndu[kMaxDegree + 1][kMaxDegree + 1];
  double left[kMaxDegree + 1], right[kMaxDegree + 1];
  ndu[0][0] = 1.0;
  for (int j = 1; j <= p; ++j) {
    left[j] = u - U[k + 1 - j];
    right[j] = U[k + j] - u;
    double saved = 0.0;
    for (int r = 0; r < j; ++r) {
      ndu[j][r] = right[r + 1] + left[j - r];
      const double temp = ndu[j][r] != 0.0 ? ndu[r][j - 1] / ndu[j][r] : 0.0;
      ndu[r][j] = saved + right[r + 1] * temp;
      saved = left[j - r] * temp;
    }
    ndu[j][j] = saved;
  }
  constexpr int kDerivs = 2;
  double ders[kDerivs + 1][kMaxDegree + 1] = {};
  for (int j = 0; j <= p; ++j)
    ders[0][j] = ndu[j][p];
  double a[2][kMaxDegree + 1];
  for (int r = 0; r <= p; ++r) {
    int s1 = 0, s2 = 1;
    a[0][0] = 1.0;
    for (int d = 1; d <= kDerivs && d <= p; ++d) {
      double value = 0.0;
      const int rk = r - d, pk = p - d;
      if (r >= d) {
        a[s2][0] = ndu[pk + 1][rk] != 0.0 ? a[s1][0] / ndu[pk + 1][rk] : 0.0;
        value = a[s2][0] * ndu[rk][pk];
      }
      const int j1 = rk >= -1 ? 1 : -rk;
      const int j2 = r - 1 <= pk ? d - 1 : p - r;
      for (int j = j1; j <= j2; ++j) {
        a[s2][j] =
            ndu[pk + 1][rk + j] != 0.0 ? (a[s1][j] - a[s1][j - 1]) / ndu[pk + 1][rk + j] : 0.0;
        value += a[s2][j] * ndu[rk + j][pk];
      }
      if (r <= pk) {
        a[s2][d] = ndu[pk + 1][r] != 0.0 ? -a[s1][d - 1] / ndu[pk + 1][r] : 0.0;
        value += a[s2][d] * ndu[r][pk];
      }
      ders[d][r] = value;
      std::swap(s1, s2);
    }
  }
  double factor = p;
  for (int d = 1; d <= kDerivs; ++d) {
    for (int j = 0; j <= p; ++j)
      ders[d][j] *= factor;
    factor *= p - d;
  }
  // Homogeneous point and derivatives, then back to ordinary space by the quotient rule.
  double h[kDerivs + 1][4] = {};
  for (int d = 0; d <= kDerivs; ++d) {
    for (int j = 0; j <= p; ++j) {
      const double* P = &cvs_[static_cast<size_t>(k - p + j) * 4];
      for (int c = 0; c < 4; ++c)
        h[d][c] += ders[d][j] * P[c];
    }
  }
  const double w = h[0][3], w1 = h[1][3], w2 = h[2][3];
  Sample s;
  s.point = MVector(h[0][0], h[0][1], h[0][2]) / w;
  s.d1 = (MVector(h[1][0], h[1][1], h[1][2]) - w1 * s.point) / w;
  s.d2 = (MVector(h[2][0], h[2][1], h[2][2]) - 2.0 * w1 * s.d1 - w2 * s.point) / w;
  return s;
}

NurbsCurve::Sample NurbsCurve::evaluate(double u, const MMatrix& m) const {
  Sample s = evaluate(u);
  s.point = linearTimes(s.point, m) + MVector(m.matrix[3][0], m.matrix[3][1], m.matrix[3][2]);
  s.d1 = linearTimes(s.d1, m);
  s.d2 = linearTimes(s.d2, m);
  return s;
}

double NurbsCurve::arcLength(double from, double to, const MMatrix& m, int pieces) const {
  if (!(to != from))
    return 0.0;
  double total = 0.0;
  const double piece = (to - from) / pieces;
  for (int q = 0; q < pieces; ++q) {
    const double mid = from + (q + 0.5) * piece, half = 0.5 * piece;
    for (int g = 0; g < kGaussPoints; ++g)
      total += kGaussWeights[g] * half * evaluate(mid + kGaussNodes[g] * half, m).d1.length();
  }
  return total;
}

const std::vector<double>& NurbsCurve::spanLengths(const MMatrix& m) const {
  if (!lengths_.empty() && sameMatrix(m, lengthsFor_))
    return lengths_;
  const int n = cvCount();
  std::vector<double> sums;
  sums.reserve(static_cast<size_t>(n - degree_));
  // The control polygon is at least as long as the curve: when its vertices coincide the curve
  // has no length at all, whatever rounding the quadrature adds.
  double polygon = 0.0;
  for (int i = 1; i < n; ++i)
    polygon += linearTimes(cv(i) - cv(i - 1), m).length();
  double total = 0.0;
  for (int k = degree_; k < n; ++k) {
    if (polygon > 0.0)
      total +=
          arcLength(full_[static_cast<size_t>(k)], full_[static_cast<size_t>(k) + 1], m, kPieces);
    sums.push_back(total);
  }
  lengths_ = std::move(sums);
  lengthsFor_ = m;
  return lengths_;
}

double NurbsCurve::lengthTo(double u, const MMatrix& m) const {
  u = std::min(std::max(std::isfinite(u) ? u : minParam(), minParam()), maxParam());
  const std::vector<double>& sums = spanLengths(m);
  const int k = spanOf(u);
  const size_t index = static_cast<size_t>(k - degree_);
  const double before = index == 0 ? 0.0 : sums[index - 1];
  if (!(sums.back() > 0.0))
    return 0.0;
  return before + arcLength(full_[static_cast<size_t>(k)], u, m, kPieces);
}

double NurbsCurve::paramAtLength(double length, const MMatrix& m) const {
  const std::vector<double>& sums = spanLengths(m);
  const double total = sums.back();
  if (!(length > 0.0) || !(total > 0.0))
    return minParam();
  if (length >= total)
    return maxParam();
  const size_t index =
      static_cast<size_t>(std::upper_bound(sums.begin(), sums.end(), length) - sums.begin());
  const int k = degree_ + static_cast<int>(std::min(index, sums.size() - 1));
  const double want = length - (index == 0 ? 0.0 : sums[index - 1]);
  double lo = full_[static_cast<size_t>(k)], hi = full_[static_cast<size_t>(k) + 1];
  const double width = hi - lo;
  // Newton steps on the length within the span, kept inside a shrinking bracket so that a
  // point of no speed (repeated control vertices) cannot throw it out. Each step measures only
  // the piece between the last point and the next, with quadrature pieces in proportion to it.
  double known = lo, lengthAtKnown = 0.0;
  double t = lo + width * want / std::max(sums[index] - (length - want), 1e-300);
  for (int iteration = 0; iteration < 60; ++iteration) {
    t = std::min(std::max(t, lo), hi);
    const int pieces = static_cast<int>(
        std::min<double>(kPieces, std::ceil(kPieces * std::fabs(t - known) / width)));
    lengthAtKnown += arcLength(known, t, m, std::max(pieces, 1));
    known = t;
    const double f = lengthAtKnown - want;
    if (std::fabs(f) <= 1e-12 * total)
      break;
    if (f > 0.0)
      hi = t;
    else
      lo = t;
    const double speed = evaluate(t, m).d1.length();
    double next = speed > 0.0 ? t - f / speed : 0.5 * (lo + hi);
    if (!(next > lo && next < hi))
      next = 0.5 * (lo + hi);
    t = next;
  }
  return t;
}

}  // namespace minihost
