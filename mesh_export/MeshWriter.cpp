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

// The corner lists of every polygon, fetched from the mesh in one call, with the place where
// each polygon's corners start.
class PolygonVertexLists {
 public:
  explicit PolygonVertexLists(const MFnMesh& mesh) {
    mesh.getVertices(counts_, vertices_);
    const unsigned int polygons = counts_.length();
    starts_.resize(polygons);
    std::size_t start = 0;
    for (unsigned int p = 0; p < polygons; ++p) {
      starts_[p] = start;
      start += counts_[p] > 0 ? static_cast<std::size_t>(counts_[p]) : 0;
    }
  }

  // Vertex j of polygon p; 0 where the mesh's lists do not reach, so a host that answers
  // inconsistently never makes the writer read past them.
  std::uint32_t vertex(unsigned int p, unsigned int j) const {
    if (p >= counts_.length() || counts_[p] < 0 || j >= static_cast<unsigned int>(counts_[p]))
      return 0;
    const std::size_t at = starts_[p] + j;
    return at < vertices_.length() ? static_cast<std::uint32_t>(vertices_[at]) : 0;
  }

 private:
  MIntArray counts_;
  MIntArray vertices_;
  std::vector<std::size_t> starts_;
};

struct TextureCoordinate {
  float u;
  float v;
};

// Texture coordinates of the corners in the mesh's current UV set. The coordinate list is fetched
// once; each corner asks only for its index into it.
class CornerTextureCoordinates {
 public:
  explicit CornerTextureCoordinates(const MFnMesh& mesh) : mesh_(mesh) { mesh.getUVs(u_, v_); }

  // A corner without a coordinate in the set (or with an index the list does not hold) gets 0, 0.
  TextureCoordinate at(int polygon, int corner) const {
    int id = -1;
    if (!mesh_.getPolygonUVid(polygon, corner, id) || id < 0 ||
        static_cast<unsigned int>(id) >= u_.length() ||
        static_cast<unsigned int>(id) >= v_.length())
      return {0.0f, 0.0f};
    return {u_[static_cast<unsigned int>(id)], v_[static_cast<unsigned int>(id)]};
  }

 private:
  const MFnMesh& mesh_;
  MFloatArray u_;
  MFloatArray v_;
};

void writePolygonList(MeshRecordWriter& writer, const MDagPath& path, const MFnMesh& mesh) {
  writer.writePolygonCount(static_cast<std::uint32_t>(mesh.numPolygons()));

  const PolygonVertexLists vertexLists(mesh);
  const CornerTextureCoordinates textureCoordinates(mesh);
  PolygonBlock block;
  block.reserve(kPolygonsPerBlock, 4 * kPolygonsPerBlock);
  MIntArray normalIds;
  MVector faceNormal;

  // The whole mesh, whatever part of it the selection named.
  MObject wholeMesh;
  MItMeshPolygon polygon(path, wholeMesh);
  for (unsigned int p = 0; !polygon.isDone(); polygon.next(), ++p) {
    const unsigned int corners = polygon.polygonVertexCount();
    block.cornerCounts.push_back(corners);
    if (!mesh.getFaceNormalIds(static_cast<int>(p), normalIds))
      normalIds.clear();  // never the previous polygon's indices
    for (unsigned int j = 0; j < corners; ++j) {
      block.vertexIds.push_back(vertexLists.vertex(p, j));
      block.normalIds.push_back(j < normalIds.length() ? static_cast<std::uint32_t>(normalIds[j])
                                                       : 0u);
      const TextureCoordinate uv = textureCoordinates.at(static_cast<int>(p), static_cast<int>(j));
      block.uvs.push_back(uv.u);
      block.uvs.push_back(uv.v);
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
