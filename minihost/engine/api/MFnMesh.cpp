#include <maya/MFnMesh.h>

#include <cmath>

#include "engine/Handles.h"
#include "engine/Scene.h"
#include "engine/api/MeshAccess.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::MeshData;
using minihost::meshOf;
using minihost::NodeRef;
using minihost::Scene;

namespace {

MMatrix worldOf(const MObject& object, MSpace::Space space) {
  if (space != MSpace::kWorld)
    return MMatrix();
  return Scene::get().worldMatrix(HandleAccess::nodeRef(object));
}

// Normals follow the inverse transpose, so they stay perpendicular under
// non-uniform scale; the result is renormalised.
MVector transformNormal(const MVector& n, const MMatrix& normalMatrix) {
  MVector r = n * normalMatrix;
  r.normalize();
  return r;
}

// The entries of a per-corner list (vertex or normal indices) that belong to one polygon.
MStatus copyCornerValues(const MeshData& mesh, int polygon, const std::vector<int>& perCorner,
                         MIntArray& out) {
  if (!mesh.validPolygon(polygon))
    return MS::kInvalidParameter;
  const auto first = perCorner.begin() + mesh.polygonStart(polygon);
  out.storage().assign(first, first + mesh.polygonSize(polygon));
  return MS::kSuccess;
}

}  // namespace

MFnMesh::MFnMesh() = default;
MFnMesh::MFnMesh(const MObject& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnMesh::MFnMesh(const MDagPath& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnMesh::~MFnMesh() = default;
MFn::Type MFnMesh::type() const {
  return MFn::kMesh;
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
  MFloatPointArray points;
  points.setLength(vertexArray.length());
  for (unsigned int i = 0; i < vertexArray.length(); ++i)
    points[i] = MFloatPoint(vertexArray[i]);
  return create(numVertices, numPolygons, points, polygonCounts, polygonConnects, parentOrOwner,
                ReturnStatus);
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
  auto fail = [&]() {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MObject();
  };
  if (numVertices < 0 || numPolygons < 0 ||
      static_cast<unsigned int>(numVertices) > vertexArray.length() ||
      static_cast<unsigned int>(numPolygons) != polygonCounts.length()) {
    return fail();
  }
  std::vector<double> points(static_cast<size_t>(numVertices) * 3);
  for (int i = 0; i < numVertices; ++i) {
    points[3 * i] = vertexArray[i].x;
    points[3 * i + 1] = vertexArray[i].y;
    points[3 * i + 2] = vertexArray[i].z;
  }
  MeshData probe;
  if (!probe.build(points, polygonCounts.storage(), polygonConnects.storage(), nullptr)) {
    return fail();
  }
  if (!parentOrOwner.isNull() && !parentOrOwner.hasFn(MFn::kTransform))
    return fail();
  Scene& scene = Scene::get();
  NodeRef shape = scene.createNode("mesh", "", HandleAccess::nodeRef(parentOrOwner), nullptr);
  if (!shape.isSet())
    return fail();
  *scene.node(shape)->mesh() = std::move(probe);
  MFnBase::setObject(HandleAccess::nodeObject(shape));
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  if (parentOrOwner.isNull())
    return HandleAccess::nodeObject(scene.parentOf(shape));
  return HandleAccess::nodeObject(shape);
}

int MFnMesh::numVertices(MStatus* ReturnStatus) const {
  MINIHOST_MESH_OR(0);
  return mesh->pointCount();
}
int MFnMesh::numPolygons(MStatus* ReturnStatus) const {
  MINIHOST_MESH_OR(0);
  return mesh->polygonCount();
}
int MFnMesh::numNormals(MStatus* ReturnStatus) const {
  MINIHOST_MESH_OR(0);
  return mesh->normalCount();
}
int MFnMesh::numFaceVertices(MStatus* ReturnStatus) const {
  MINIHOST_MESH_OR(0);
  return mesh->cornerCount();
}
int MFnMesh::numUVs(MStatus* ReturnStatus) const {
  return numUVs(MString(), ReturnStatus);
}
int MFnMesh::numUVs(const MString& uvSet, MStatus* ReturnStatus) const {
  MINIHOST_MESH_OR(0);
  int set = mesh->findUVSet(uvSet.asChar());
  if (set < 0) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return 0;
  }
  return static_cast<int>(mesh->uvSets()[set].u.size());
}
int MFnMesh::numUVSets(MStatus* ReturnStatus) const {
  MINIHOST_MESH_OR(0);
  return static_cast<int>(mesh->uvSets().size());
}

MStatus MFnMesh::getPoints(MPointArray& vertexArray, MSpace::Space space) const {
  MINIHOST_MESH_OR_FAILURE();
  // One matrix fetch, then a tight loop over the flat coordinates. The arithmetic is that of
  // MPoint * MMatrix with w = 1, so the values are the same as a point-by-point transform.
  const MMatrix m = worldOf(object_, space);
  const auto& a = m.matrix;
  const std::vector<double>& p = mesh->points();
  std::vector<MPoint>& out = vertexArray.storage();
  out.resize(p.size() / 3);
  const double* in = p.data();
  for (MPoint& q : out) {
    const double x = in[0], y = in[1], z = in[2];
    in += 3;
    q.x = x * a[0][0] + y * a[1][0] + z * a[2][0] + a[3][0];
    q.y = x * a[0][1] + y * a[1][1] + z * a[2][1] + a[3][1];
    q.z = x * a[0][2] + y * a[1][2] + z * a[2][2] + a[3][2];
    q.w = x * a[0][3] + y * a[1][3] + z * a[2][3] + a[3][3];
  }
  return MS::kSuccess;
}

MStatus MFnMesh::getPoints(MFloatPointArray& vertexArray, MSpace::Space space) const {
  MPointArray points;
  MStatus s = getPoints(points, space);
  if (!s)
    return s;
  std::vector<MFloatPoint>& out = vertexArray.storage();
  out.resize(points.length());
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = MFloatPoint(points.storage()[i]);
  return MS::kSuccess;
}

MStatus MFnMesh::setPoints(MPointArray& vertexArray, MSpace::Space space) {
  MINIHOST_MESH_OR_FAILURE();
  if (vertexArray.length() != static_cast<unsigned int>(mesh->pointCount())) {
    return MS::kInvalidParameter;
  }
  const MMatrix inv = worldOf(object_, space).inverse();
  std::vector<double>& p = mesh->editablePoints();
  for (unsigned int i = 0; i < vertexArray.length(); ++i) {
    MPoint q = vertexArray[i] * inv;
    p[3 * i] = q.x;
    p[3 * i + 1] = q.y;
    p[3 * i + 2] = q.z;
  }
  return MS::kSuccess;
}

MStatus MFnMesh::getPoint(int vertexId, MPoint& pos, MSpace::Space space) const {
  MINIHOST_MESH_OR_FAILURE();
  if (vertexId < 0 || vertexId >= mesh->pointCount())
    return MS::kInvalidParameter;
  const double* p = &mesh->points()[3 * static_cast<size_t>(vertexId)];
  pos = MPoint(p[0], p[1], p[2]) * worldOf(object_, space);
  return MS::kSuccess;
}

MStatus MFnMesh::setPoint(int vertexId, const MPoint& pos, MSpace::Space space) {
  MINIHOST_MESH_OR_FAILURE();
  if (vertexId < 0 || vertexId >= mesh->pointCount())
    return MS::kInvalidParameter;
  MPoint q = pos * worldOf(object_, space).inverse();
  double* p = &mesh->editablePoints()[3 * static_cast<size_t>(vertexId)];
  p[0] = q.x;
  p[1] = q.y;
  p[2] = q.z;
  return MS::kSuccess;
}

MStatus MFnMesh::getNormals(MFloatVectorArray& normals, MSpace::Space space) const {
  MINIHOST_MESH_OR_FAILURE();
  const std::vector<double>& n = mesh->normals();
  std::vector<MFloatVector>& out = normals.storage();
  out.resize(n.size() / 3);
  const double* in = n.data();
  if (space != MSpace::kWorld) {
    for (MFloatVector& v : out) {
      v = MFloatVector(static_cast<float>(in[0]), static_cast<float>(in[1]),
                       static_cast<float>(in[2]));
      in += 3;
    }
    return MS::kSuccess;
  }
  // The inverse transpose once for the whole list; each normal is transformed and renormalised
  // with the same arithmetic as MVector * MMatrix and MVector::normalize.
  const MMatrix nm = worldOf(object_, space).inverse().transpose();
  const auto& a = nm.matrix;
  for (MFloatVector& v : out) {
    const double x = in[0], y = in[1], z = in[2];
    in += 3;
    double rx = x * a[0][0] + y * a[1][0] + z * a[2][0];
    double ry = x * a[0][1] + y * a[1][1] + z * a[2][1];
    double rz = x * a[0][2] + y * a[1][2] + z * a[2][2];
    const double len = std::sqrt(rx * rx + ry * ry + rz * rz);
    if (len > 0.0) {
      rx /= len;
      ry /= len;
      rz /= len;
    }
    v = MFloatVector(static_cast<float>(rx), static_cast<float>(ry), static_cast<float>(rz));
  }
  return MS::kSuccess;
}

MStatus MFnMesh::setNormals(const MFloatVectorArray& normals, const MIntArray& faceNormalIds) {
  MINIHOST_MESH_OR_FAILURE();
  std::vector<double> values(static_cast<size_t>(normals.length()) * 3);
  for (unsigned int i = 0; i < normals.length(); ++i) {
    values[3 * i] = normals[i].x;
    values[3 * i + 1] = normals[i].y;
    values[3 * i + 2] = normals[i].z;
  }
  return mesh->setNormals(std::move(values), faceNormalIds.storage(), nullptr)
             ? MS::kSuccess
             : MS::kInvalidParameter;
}

MStatus MFnMesh::getFaceNormalIds(int faceIndex, MIntArray& normals) const {
  MINIHOST_MESH_OR_FAILURE();
  return copyCornerValues(*mesh, faceIndex, mesh->normalIds(), normals);
}

MStatus MFnMesh::getNormalIds(MIntArray& normalIdCounts, MIntArray& normals) const {
  MINIHOST_MESH_OR_FAILURE();
  // Every corner has a normal index, so each polygon's count is its corner count.
  normalIdCounts.storage() = mesh->counts();
  normals.storage() = mesh->normalIds();
  return MS::kSuccess;
}

MStatus MFnMesh::getPolygonNormal(int polygonId, MVector& normal, MSpace::Space space) const {
  MINIHOST_MESH_OR_FAILURE();
  if (!mesh->validPolygon(polygonId))
    return MS::kInvalidParameter;
  double n[3];
  mesh->polygonNormal(polygonId, n);
  normal = MVector(n);
  if (space == MSpace::kWorld) {
    normal = transformNormal(normal, worldOf(object_, space).inverse().transpose());
  }
  return MS::kSuccess;
}

MStatus MFnMesh::getPolygonVertices(int polygonId, MIntArray& vertexList) const {
  MINIHOST_MESH_OR_FAILURE();
  return copyCornerValues(*mesh, polygonId, mesh->connects(), vertexList);
}

int MFnMesh::polygonVertexCount(int polygonId, MStatus* ReturnStatus) const {
  MINIHOST_MESH_OR(0);
  if (!mesh->validPolygon(polygonId)) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return 0;
  }
  return mesh->polygonSize(polygonId);
}

MStatus MFnMesh::getVertices(MIntArray& vertexCount, MIntArray& vertexList) const {
  MINIHOST_MESH_OR_FAILURE();
  vertexCount.storage() = mesh->counts();
  vertexList.storage() = mesh->connects();
  return MS::kSuccess;
}

#undef MINIHOST_MESH_OR
#undef MINIHOST_MESH_OR_FAILURE

OPENMAYA_NAMESPACE_CLOSE
