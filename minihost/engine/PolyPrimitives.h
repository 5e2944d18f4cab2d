#pragma once
// Geometry of the polygon primitives: points, polygons, per-corner normals and UVs.

#include <vector>

namespace minihost {

struct PolyGeometry {
  std::vector<double> points;   // x y z per vertex
  std::vector<int> counts;      // corners per polygon
  std::vector<int> connects;    // vertex per corner
  std::vector<double> normals;  // x y z per normal
  std::vector<int> normalIds;   // normal per corner
  std::vector<float> u, v;      // per UV
  std::vector<int> uvIds;       // UV per corner
};

// A box centred on the origin; each face a grid of subdivisions, shared edges welded.
PolyGeometry makeCube(double width, double height, double depth, int sx, int sy, int sz);
// A plane in x-z facing +y.
PolyGeometry makePlane(double width, double height, int sx, int sy);
// A sphere around y with triangles at the poles and quads between.
PolyGeometry makeSphere(double radius, int sx, int sy);
// A cylinder around y from -height/2 to height/2: sx quads around, sy along, a cap polygon at
// each end; smooth sides, flat caps.
PolyGeometry makeCylinder(double radius, double height, int sx, int sy);
// A cone around y, its base (one polygon) at -height/2 and its apex at height/2.
PolyGeometry makeCone(double radius, double height, int sx, int sy);

}  // namespace minihost
