#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mesh_model/MeshRecordVisitor.h"

class FaultList;
class TextSink;

// Mesh records as glTF triangles: every polygon split into a fan of triangles, each triangle
// corner a vertex of its own (position, normal, texture coordinate interleaved, 32 bytes), in
// glTF's axes (y-up, metres) with v counted from the top of the texture. Read in two passes so
// that no mesh is held in memory: a survey for the counts and bounds the JSON needs first, then
// the vertices streamed into the output.

constexpr std::uint32_t kGltfVertexBytes = 32;

struct GltfMeshSurvey {
  std::string name;
  std::uint64_t triangles = 0;
  float min[3] = {0.0f, 0.0f, 0.0f};
  float max[3] = {0.0f, 0.0f, 0.0f};
};

// One corner as written: x, y, z, normal x, y, z, u, v. The normal is the stored one turned and
// made unit length; where it has no length the polygon's normal stands in, and where that has
// none either, +y.
void gltfMeshVertex(const MeshFloat3& point, const MeshFloat3& normal, const MeshDouble3& face,
                    float u, float v, float out[8]);

// Pass one: the records of a mesh file (already checked), with their triangle counts and bounds.
std::vector<GltfMeshSurvey> surveyGltfMeshes(const std::string& path, FaultList& faults);
// Pass two: the vertices of every record, in file order, into `out`.
void streamGltfMeshes(const std::string& path, TextSink& out, FaultList& faults);
