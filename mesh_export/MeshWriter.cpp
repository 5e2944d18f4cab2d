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
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "boundary/base/GString.h"
#include "mesh_model/MeshRecordWriter.h"
#include "shell/ErrorReport.h"

namespace {

GString nodeName(const MDagPath& path) {
  MFnDagNode node;
  node.setObject(path);
  const MString name = node.name();
  return GString(name.asChar(), name.length());
}

// A point or normal list as the host gave it: its count, then each vector as Floats (the
// points' doubles rounded, their w left out).
template <class HostVectors>
void writeVectorList(MeshRecordWriter& writer, const HostVectors& vectors) {
  const unsigned int count = vectors.length();
  writer.writeVectorCount(count);
  for (unsigned int i = 0; i < count; ++i) {
    const auto& v = vectors[i];
    writer.writeVector(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
  }
}

// A host array copied into plain memory with one call, so the per-corner loop below reads it
// without a host call per element. The memory is not cleared first: the copy fills all of it.
template <class T>
class PlainArray {
 public:
  template <class HostArray>
  void copy(const HostArray& from) {
    size_ = from.length();
    values_.reset(size_ != 0 ? new T[size_] : nullptr);
    if (size_ != 0)
      from.get(values_.get());
  }
  std::size_t size() const { return size_; }
  const T& operator[](std::size_t i) const { return values_[i]; }

 private:
  std::unique_ptr<T[]> values_;
  std::size_t size_ = 0;
};

// A per-corner index list the host hands back with one count per polygon, walked polygon by
// polygon. A polygon whose count falls short of its corner count has no index for the corners
// it lacks; a list shorter than its counts claim never makes the writer read past it.
class CornerIndexLists {
 public:
  // Takes the host's lists; a failed host call leaves the lists empty, so no corner has an index.
  void take(MStatus fetched, const MIntArray& counts, const MIntArray& ids) {
    if (!fetched)
      return;
    counts_.copy(counts);
    ids_.copy(ids);
  }

  // Positions the walk at polygon p (polygons are visited in order, each once).
  void beginPolygon(unsigned int p) {
    start_ = next_;
    have_ = 0;
    if (p < counts_.size() && counts_[p] > 0) {
      const std::size_t claimed = static_cast<std::size_t>(counts_[p]);
      const std::size_t left = start_ < ids_.size() ? ids_.size() - start_ : 0;
      have_ = claimed < left ? claimed : left;
      next_ = start_ + claimed;
    }
  }
  // The corner count the list gives polygon p, or -1 when it has none for it.
  int countOf(unsigned int p) const { return p < counts_.size() ? counts_[p] : -1; }
  // The index of corner j of the current polygon, or -1 when the list has none for it.
  int at(unsigned int corner) const { return corner < have_ ? ids_[start_ + corner] : -1; }

 private:
  PlainArray<int> counts_;
  PlainArray<int> ids_;
  std::size_t start_ = 0;
  std::size_t next_ = 0;
  std::size_t have_ = 0;
};

std::uint32_t indexOrZero(int id) {
  return id >= 0 ? static_cast<std::uint32_t>(id) : 0u;
}

void writePolygonList(MeshRecordWriter& writer, const MDagPath& path, const MFnMesh& mesh) {
  writer.writePolygonCount(static_cast<std::uint32_t>(mesh.numPolygons()));

  // Whole-mesh lists in a few calls, so no host call is made per corner.
  CornerIndexLists vertices;
  CornerIndexLists normals;
  CornerIndexLists uvs;  // in the current UV set
  {
    MIntArray counts, ids;
    vertices.take(mesh.getVertices(counts, ids), counts, ids);
    normals.take(mesh.getNormalIds(counts, ids), counts, ids);
    uvs.take(mesh.getAssignedUVs(counts, ids), counts, ids);
  }
  PlainArray<float> u;
  PlainArray<float> v;
  {
    MFloatArray hostU, hostV;
    if (mesh.getUVs(hostU, hostV)) {
      u.copy(hostU);
      v.copy(hostV);
    }
  }
  const std::size_t uvCount = u.size() < v.size() ? u.size() : v.size();

  // Corner j of the current polygon. A corner without a coordinate in the set (or with an index
  // the list does not hold) gets 0, 0.
  const auto cornerAt = [&](unsigned int j) {
    const int uv = uvs.at(j);
    const bool mapped = uv >= 0 && static_cast<std::size_t>(uv) < uvCount;
    return MeshRecordWriter::Corner{indexOrZero(vertices.at(j)), indexOrZero(normals.at(j)),
                                    mapped ? u[static_cast<std::size_t>(uv)] : 0.0f,
                                    mapped ? v[static_cast<std::size_t>(uv)] : 0.0f};
  };

  // The whole mesh, whatever part of it the selection named.
  MObject wholeMesh;
  MItMeshPolygon polygon(path, wholeMesh);
  const auto faceNormal = [&polygon] {
    MVector normal;
    polygon.getNormal(normal, MSpace::kWorld);
    return MeshRecordWriter::Normal{normal.x, normal.y, normal.z};
  };
  for (unsigned int p = 0; !polygon.isDone(); polygon.next(), ++p) {
    // The vertex list's count for the polygon is the polygon's corner count; asking the
    // iterator only where the list has none saves a host call per polygon.
    const int listed = vertices.countOf(p);
    const unsigned int corners =
        listed >= 0 ? static_cast<unsigned int>(listed) : polygon.polygonVertexCount();
    vertices.beginPolygon(p);
    normals.beginPolygon(p);
    uvs.beginPolygon(p);
    writer.writePolygon(corners, cornerAt, faceNormal);
  }
}

void writeMeshRecord(MeshRecordWriter& writer, const MDagPath& path) {
  writer.writeHeader(nodeName(path));
  const MFnMesh mesh(path);
  {  // each host list is freed once written
    MPointArray points;
    mesh.getPoints(points, MSpace::kWorld);
    writeVectorList(writer, points);
  }
  {
    MFloatVectorArray normals;
    mesh.getNormals(normals, MSpace::kWorld);
    writeVectorList(writer, normals);
  }
  writePolygonList(writer, path, mesh);
}

}  // namespace

bool writeSelectedMeshes(opstream& out, GString& nonFiniteMesh) {
  const bool upAxisIsZ = queryUpAxisIsZ();
  MeshRecordWriter writer(out, upAxisIsZ);

  MSelectionList selection;
  MGlobal::getActiveSelectionList(selection);
  for (MItSelectionList item(selection, MFn::kMesh); !item.isDone(); item.next()) {
    MDagPath path;
    MObject component;  // a face selection still writes the whole mesh
    item.getDagPath(path, component);
    writeMeshRecord(writer, path);
    if (writer.wroteNonFinite()) {
      // The selection may name the transform; the message names the mesh itself.
      MDagPath shape = path;
      shape.extendToShape();
      const MString name = shape.fullPathName();
      nonFiniteMesh = GString(name.asChar(), name.length());
      return false;
    }
  }
  return true;
}
