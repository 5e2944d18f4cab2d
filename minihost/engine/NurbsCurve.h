#pragma once
// NURBS curve geometry as the host keeps it: degree, form, the knot list without its two outer
// knots (spans + 2·degree − 1 values) and spans + degree control vertices, each with a weight.
// Evaluation by de Boor's recurrence on the basis functions; arc length by Gauss–Legendre
// quadrature over each span. The geometry never changes once made: nodes share it.

#include <memory>
#include <string>
#include <vector>

#include <maya/MMatrix.h>
#include <maya/MVector.h>

namespace minihost {

class NurbsCurve {
 public:
  enum Form { kOpen = 0, kClosed = 1, kPeriodic = 2 };
  static constexpr int kMaxDegree = 7;

  // The curve of these numbers, or null with `problem` saying what is wrong: a degree outside
  // 1..7, counts that do not agree, knots that decrease, repeat more than `degree` times inside
  // or leave no parameter range, numbers that are not finite, weights that are not positive.
  // `cvs` holds x, y, z, w per control vertex (w = 1 for a non-rational curve).
  static std::shared_ptr<const NurbsCurve> make(int degree, int spans, int form, bool rational,
                                                std::vector<double> knots, std::vector<double> cvs,
                                                std::string& problem);

  int degree() const { return degree_; }
  int spans() const { return spans_; }
  int form() const { return form_; }
  bool rational() const { return rational_; }
  int cvCount() const { return static_cast<int>(cvs_.size() / 4); }
  const std::vector<double>& knots() const { return knots_; }
  MVector cv(int i) const;
  double minParam() const { return knots_[static_cast<size_t>(degree_ - 1)]; }
  double maxParam() const { return knots_[knots_.size() - static_cast<size_t>(degree_)]; }
  // A parameter brought into the curve's range: wrapped round on a periodic curve, clamped on
  // the others.
  double inRange(double u) const;

  // Point and the first and second derivatives (per unit of parameter) at u, in the curve's own
  // space, then through `m` (row vectors, as the host's matrices act).
  struct Sample {
    MVector point, d1, d2;
  };
  Sample evaluate(double u) const;
  Sample evaluate(double u, const MMatrix& m) const;

  // Length of the curve through `m` from its start to u, and its inverse: the parameter at which
  // that length is reached (the start for a curve of no length).
  double lengthTo(double u, const MMatrix& m) const;
  double length(const MMatrix& m) const { return spanLengths(m).back(); }
  double paramAtLength(double length, const MMatrix& m) const;

 private:
  NurbsCurve() = default;
  int spanOf(double u) const;  // index into the full knot list
  // Length through m from one parameter to another (negative backwards), by Gauss–Legendre
  // quadrature on `pieces` equal parts.
  double arcLength(double from, double to, const MMatrix& m, int pieces) const;
  // Cumulative lengths at the end of each span through `m`; worked out again only for a new m.
  const std::vector<double>& spanLengths(const MMatrix& m) const;

  int degree_ = 1;
  int spans_ = 1;
  int form_ = kOpen;
  bool rational_ = false;
  std::vector<double> knots_;  // as stored: without the two outer knots
  std::vector<double> full_;   // the full knot list: the outer knots repeat their neighbours
  std::vector<double> cvs_;    // x·w, y·w, z·w, w per control vertex (homogeneous)
  mutable MMatrix lengthsFor_;
  mutable std::vector<double> lengths_;
};

}  // namespace minihost
