#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class GString;
class opstream;

// The corners of a run of consecutive polygons, gathered from the host before they are written.
// Vectors are in the host's axes; the writer turns them.
struct PolygonBlock {
  std::vector<std::uint32_t> cornerCounts;  // one per polygon
  std::vector<std::uint32_t> vertexIds;     // one per corner, polygon after polygon
  std::vector<std::uint32_t> normalIds;     // one per corner
  std::vector<float> uvs;                   // u then v, one pair per corner
  std::vector<double> faceNormals;          // x, y, z per polygon

  std::size_t polygonCount() const { return cornerCounts.size(); }
  void clear();
  void reserve(std::size_t polygons, std::size_t corners);
};

// Encodes mesh records into an output stream, field by field in file order: the header, the
// points, the normals, the polygon count, then the polygons in as many blocks as the caller likes.
// It knows nothing of the host, so the layout can be checked without one.
class MeshRecordWriter {
 public:
  MeshRecordWriter(opstream& out, bool upAxisIsZ) : out_(out), upAxisIsZ_(upAxisIsZ) {}

  // Magic, version and the mesh's name.
  void writeHeader(const GString& name);
  // The count, then x, y, z of each point as Floats; `xyz` holds 3 * count values.
  void writePoints(const float* xyz, std::size_t count);
  // The same layout for the mesh's normal list.
  void writeNormals(const float* xyz, std::size_t count);
  void writePolygonCount(std::uint32_t count);
  // One polygon record per polygon of the block: the corner count, the corner groups (vertex
  // index, normal index, u, v) and the face normal as three Doubles.
  void writePolygons(const PolygonBlock& block);

 private:
  void writeVectors(const float* xyz, std::size_t count);

  opstream& out_;
  bool upAxisIsZ_;
};
