#pragma once
// The shape a poly primitive node (polyCube, polyPlane, ...) gives the mesh it feeds, made
// from the attribute values the file stores on it.

#include <memory>
#include <string>
#include <unordered_map>

#include "engine/MeshData.h"
#include "engine/NodeTypes.h"

namespace minihost::scenefile {

// `attributes` holds the primitive's stored numbers by the name the file used ("w", "sa", ...),
// lengths in file units. Subdivisions are bounded so that a damaged file cannot ask for
// billions of faces. Null, with `error`, when the shape cannot be made.
std::unique_ptr<MeshData> buildPrimitiveShape(
    PolyPrimitive primitive, const std::unordered_map<std::string, double>& attributes,
    double centimetresPerUnit, std::string& error);

}  // namespace minihost::scenefile
