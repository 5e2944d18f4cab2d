#pragma once
// A NURBS curve shape's cached geometry as a scene file sets it:
//   setAttr ".cc" -type "nurbsCurve" degree spans form rational dimension
//       knotCount knot... cvCount x y [z] [w] ...;
// (rational "yes"/"no"; dimension 2 or 3; a weight after each point of a rational curve), and
// what the reader says about path animation nodes it cannot evaluate.

#include <memory>
#include <string>

#include "engine/NurbsCurve.h"
#include "engine/Scene.h"
#include "scene/SceneDescription.h"

namespace minihost::scenefile {

// The attribute names that hold a curve shape's cached geometry.
bool isCurveShapeData(const std::string& attribute);

// The curve of one such setAttr, its points scaled from the file's length unit to centimetres;
// null with the reason in `problem` when the numbers do not describe a curve. Every count is
// checked against the numbers the statement holds before anything is allocated.
std::shared_ptr<const NurbsCurve> stageCurveShape(const AttrSetting& value,
                                                  double centimetresPerUnit, std::string& problem);

// The warning for a motionPath node that has no curve shape to follow (its geometryPath is
// unconnected, or fed by a curve without stored geometry or by a node the scene does not
// model), naming an attribute it drives; empty when it can be evaluated or drives nothing.
std::string unevaluatedPathWarning(const Scene& scene, NodeRef motionPath);

}  // namespace minihost::scenefile
