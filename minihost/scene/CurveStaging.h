#pragma once
// An anim curve's attributes as a scene file sets them (".ktv", ".kit", ".kix", ".tan",
// ".pre", ...), gathered until the whole file is read and then turned into keys.

#include <string>
#include <vector>

#include "engine/AnimCurve.h"
#include "scene/AttributePath.h"
#include "scene/SceneDescription.h"

namespace minihost::scenefile {

class CurveStaging {
 public:
  // Takes one setAttr of the curve; false when the value does not fit the attribute
  // (the reason in `problem`). Attributes the curve does not use are accepted and dropped.
  bool take(const std::vector<PathSegment>& path, const AttrSetting& value, std::string& problem);
  // Fills the curve. Times are in the file's frames; values in its units scaled by
  // valueScale (centimetres or radians per file unit, ticks per frame for time curves).
  void build(AnimCurve& curve, const Units& units, double valueScale, bool& weighted) const;

 private:
  template <typename T, typename Numbers>
  bool place(std::vector<T>& into, const PathSegment& seg, const Numbers& numbers, size_t per,
             std::string& problem);

  std::vector<double> times_, values_;
  std::vector<int> inTypes_, outTypes_;
  std::vector<double> inX_, inY_, outX_, outY_;
  int defaultType_ = 0;  // the host's "global": the tangent preference
  int pre_ = 0, post_ = 0;
  bool weighted_ = false;
};

// The tangent kind of a key tangent code as scene files store it (1 fixed, 2 linear, 3 flat,
// 5 step, 9 spline, 10 clamped, 16 plateau, 17 step next, 18 auto; 0 is the global default).
TangentType tangentFromCode(int code);

}  // namespace minihost::scenefile
