#include "mesh_export/MeshWriter.h"

#include <maya/MDagPath.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItSelectionList.h>
#include <maya/MObject.h>
#include <maya/MPointArray.h>
#include <maya/MSelectionList.h>
#include <maya/MSpace.h>
#include <maya/MString.h>
#include <maya/MVector.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "boundary/base/GString.h"
#include "mesh_export/MeshRecordWriter.h"
#include "shell/ErrorReport.h"

namespace {

// Polygons gathered per block before they are encoded: large enough that the encoder runs in
// long stretches, small enough that a huge mesh never needs a copy of all its corners.
constexpr std::size_t kPolygonsPerBlock = 4096;

GString nodeName(const MDagPath& path) {
  MFnDagNode node;
  node.setObject(path);
  const MString name = node.name();
  return GString(name.asChar(), name.length());
}

void writePointList(MeshRecordWriter& writer, const MFnMesh& mesh) {
  MPointArray points;
  mesh.getPoints(points, MSpace::kWorld);
  const unsigned int count = points.length();
  std::vector<float> xyz(3 * static_cast<std::size_t>(count));
  for (unsigned int i = 0; i < count; ++i) {
    const MPoint& p = points[i];
    xyz[3 * i] = static_cast<float>(p.x);
    xyz[3 * i + 1] = static_cast<float>(p.y);
    xyz[3 * i + 2] = static_cast<float>(p.z);
  }
  writer.writePoints(xyz.data(), count);
}

void writeNormalList(MeshRecordWriter& writer, const MFnMesh& mesh) {
  MFloatVectorArray normals;
  mesh.getNormals(normals, MSpace::kWorld);
  const unsigned int count = normals.length();
  std::vector<float> xyz(3 * static_cast<std::size_t>(count));
  for (unsigned int i = 0; i < count; ++i) {
    const MFloatVector& n = normals[i];
    xyz[3 * i] = n.x;
    xyz[3 * i + 1] = n.y;
    xyz[3 * i + 2] = n.z;
  }
  writer.writeNormals(xyz.data(), count);
}

// A per-corner index list the host hands back with one count per polygon, walked polygon by
// polygon. A polygon whose count falls short of its corner count gets `missing` for the corners
// it lacks; a list shorter than its counts claim never makes the writer read past it.
class CornerIndexLists {
 public:
  CornerIndexLists() = default;
  CornerIndexLists(const CornerIndexLists&) = delete;
  CornerIndexLists& operator=(const CornerIndexLists&) = delete;

  MIntArray counts;
  MIntArray ids;

  // Positions the walk at polygon p (polygons are visited in order, each once).
  void beginPolygon(unsigned int p) {
    start_ = next_;
    have_ = 0;
    if (p < counts.length() && counts[p] > 0) {
      const std::size_t claimed = static_cast<std::size_t>(counts[p]);
      const std::size_t left = start_ < ids.length() ? ids.length() - start_ : 0;
      have_ = claimed < left ? claimed : left;
      next_ = start_ + claimed;
    }
  }
  bool has(unsigned int corner) const { return corner < have_; }
  int at(unsigned int corner) const { return ids[static_cast<unsigned int>(start_ + corner)]; }

 private:
  std::size_t start_ = 0;
  std::size_t next_ = 0;
  std::size_t have_ = 0;
};

void writePolygonList(MeshRecordWriter& writer, const MDagPath& path, const MFnMesh& mesh) {
  writer.writePolygonCount(static_cast<std::uint32_t>(mesh.numPolygons()));

  // Whole-mesh lists in a few calls, so no host call is made per corner.
  CornerIndexLists vertices;
  if (!mesh.getVertices(vertices.counts, vertices.ids))
    vertices.counts.clear();
  CornerIndexLists normals;
  if (!mesh.getNormalIds(normals.counts, normals.ids))
    normals.counts.clear();
  CornerIndexLists uvs;  // in the current UV set
  if (!mesh.getAssignedUVs(uvs.counts, uvs.ids))
    uvs.counts.clear();
  MFloatArray u;
  MFloatArray v;
  if (!mesh.getUVs(u, v)) {
    u.clear();
    v.clear();
  }
  const unsigned int uvCount = u.length() < v.length() ? u.length() : v.length();

  PolygonBlock block;
  block.reserve(kPolygonsPerBlock, 4 * kPolygonsPerBlock);
  MVector faceNormal;

  // The whole mesh, whatever part of it the selection named.
  MObject wholeMesh;
  MItMeshPolygon polygon(path, wholeMesh);
  for (unsigned int p = 0; !polygon.isDone(); polygon.next(), ++p) {
    const unsigned int corners = polygon.polygonVertexCount();
    block.cornerCounts.push_back(corners);
    vertices.beginPolygon(p);
    normals.beginPolygon(p);
    uvs.beginPolygon(p);
    // Grown once per polygon and filled through pointers: the loop runs for millions of corners.
    const std::size_t first = block.vertexIds.size();
    block.vertexIds.resize(first + corners);
    block.normalIds.resize(first + corners);
    block.uvs.resize(2 * (first + corners));
    std::uint32_t* vertexOut = block.vertexIds.data() + first;
    std::uint32_t* normalOut = block.normalIds.data() + first;
    float* uvOut = block.uvs.data() + 2 * first;
    for (unsigned int j = 0; j < corners; ++j) {
      vertexOut[j] = vertices.has(j) ? static_cast<std::uint32_t>(vertices.at(j)) : 0u;
      normalOut[j] = normals.has(j) ? static_cast<std::uint32_t>(normals.at(j)) : 0u;
      // A corner without a coordinate in the set (or with an index the list does not hold)
      // gets 0, 0.
      const int id = uvs.has(j) ? uvs.at(j) : -1;
      const bool mapped = id >= 0 && static_cast<unsigned int>(id) < uvCount;
      uvOut[2 * j] = mapped ? u[static_cast<unsigned int>(id)] : 0.0f;
      uvOut[2 * j + 1] = mapped ? v[static_cast<unsigned int>(id)] : 0.0f;
    }
    faceNormal = MVector();
    polygon.getNormal(faceNormal, MSpace::kWorld);
    block.faceNormals.push_back(faceNormal.x);
    block.faceNormals.push_back(faceNormal.y);
    block.faceNormals.push_back(faceNormal.z);

    if (block.polygonCount() == kPolygonsPerBlock) {
      writer.writePolygons(block);
      block.clear();
    }
  }
  writer.writePolygons(block);
}

void writeMeshRecord(MeshRecordWriter& writer, const MDagPath& path) {
  writer.writeHeader(nodeName(path));
  const MFnMesh mesh(path);
  writePointList(writer, mesh);
  writeNormalList(writer, mesh);
  writePolygonList(writer, path, mesh);
}

}  // namespace

void writeSelectedMeshes(opstream& out) {
  const bool upAxisIsZ = queryUpAxisIsZ();
  MeshRecordWriter writer(out, upAxisIsZ);

  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  for (MItSelectionList item(selection, MFn::kMesh); !item.isDone(); item.next()) {
    MDagPath path;
    MObject component;  // a face selection still writes the whole mesh
    item.getDagPath(path, component);
    writeMeshRecord(writer, path);
  }
}
