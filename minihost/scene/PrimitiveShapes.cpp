#include "scene/PrimitiveShapes.h"

#include <cmath>

#include "engine/PolyPrimitives.h"

namespace minihost::scenefile {
namespace {

constexpr int kMaxSubdivisions = 4096;
// The most faces one primitive is built with: a few bytes of a file must not ask for hundreds
// of megabytes.
constexpr double kMaxPrimitiveFaces = 1 << 20;

class StoredValues {
 public:
  StoredValues(const std::unordered_map<std::string, double>& attrs, double scale)
      : attrs_(attrs), scale_(scale) {}

  int subdivisions(const char* attr, int fallback, int minimum) const {
    double v = value(attr, fallback);
    if (!(v >= minimum))
      return minimum;
    return v > kMaxSubdivisions ? kMaxSubdivisions : static_cast<int>(v);
  }
  double size(const char* attr, double fallback) const {
    double v = value(attr, fallback);
    return std::isfinite(v) ? v * scale_ : fallback;
  }

 private:
  double value(const char* attr, double fallback) const {
    auto it = attrs_.find(attr);
    return it == attrs_.end() ? fallback : it->second;
  }
  const std::unordered_map<std::string, double>& attrs_;
  double scale_;
};

double faceCount(PolyPrimitive primitive, const StoredValues& a) {
  switch (primitive) {
    case PolyPrimitive::kCube: {
      double w = a.subdivisions("sw", 1, 1), h = a.subdivisions("sh", 1, 1),
             d = a.subdivisions("sd", 1, 1);
      return 2 * (w * h + h * d + w * d);
    }
    case PolyPrimitive::kPlane:
      return double(a.subdivisions("sw", 10, 1)) * a.subdivisions("sh", 10, 1);
    case PolyPrimitive::kCylinder:
    case PolyPrimitive::kCone:
      return double(a.subdivisions("sa", 20, 3)) * (a.subdivisions("sh", 1, 1) + 2);
    default:
      return double(a.subdivisions("sa", 20, 3)) * a.subdivisions("sh", 20, 2);
  }
}

PolyGeometry makeGeometry(PolyPrimitive primitive, const StoredValues& a) {
  switch (primitive) {
    case PolyPrimitive::kCube:
      return makeCube(a.size("w", 1), a.size("h", 1), a.size("d", 1), a.subdivisions("sw", 1, 1),
                      a.subdivisions("sh", 1, 1), a.subdivisions("sd", 1, 1));
    case PolyPrimitive::kPlane:
      return makePlane(a.size("w", 1), a.size("h", 1), a.subdivisions("sw", 10, 1),
                       a.subdivisions("sh", 10, 1));
    case PolyPrimitive::kCylinder:
      return makeCylinder(a.size("r", 1), a.size("h", 2), a.subdivisions("sa", 20, 3),
                          a.subdivisions("sh", 1, 1));
    case PolyPrimitive::kCone:
      return makeCone(a.size("r", 1), a.size("h", 2), a.subdivisions("sa", 20, 3),
                      a.subdivisions("sh", 1, 1));
    default:
      return makeSphere(a.size("r", 1), a.subdivisions("sa", 20, 3), a.subdivisions("sh", 20, 2));
  }
}

}  // namespace

std::unique_ptr<MeshData> buildPrimitiveShape(
    PolyPrimitive primitive, const std::unordered_map<std::string, double>& attributes,
    double centimetresPerUnit, std::string& error) {
  const StoredValues values(attributes, centimetresPerUnit);
  const double faces = faceCount(primitive, values);
  if (faces > kMaxPrimitiveFaces) {
    error = "its subdivisions ask for " + std::to_string(static_cast<long long>(faces)) +
            " faces; primitives of more than " +
            std::to_string(static_cast<long long>(kMaxPrimitiveFaces)) + " faces are not built";
    return nullptr;
  }
  PolyGeometry g = makeGeometry(primitive, values);
  auto data = std::make_unique<MeshData>();
  if (!data->build(std::move(g.points), std::move(g.counts), std::move(g.connects), &error) ||
      !data->setNormals(std::move(g.normals), std::move(g.normalIds), &error))
    return nullptr;
  UVSet& set = data->uvSets()[0];
  set.u = std::move(g.u);
  set.v = std::move(g.v);
  set.cornerIds = std::move(g.uvIds);
  return data;
}

}  // namespace minihost::scenefile
