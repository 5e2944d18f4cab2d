// UV sets of the mesh function set.
#include <maya/MFnMesh.h>

#include "engine/api/MeshAccess.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::MeshData;
using minihost::meshOf;
using minihost::Scene;
using minihost::uvSetName;

MStatus MFnMesh::getUVSetNames(MStringArray& setNames) const {
  MINIHOST_MESH_OR_FAILURE();
  setNames.clear();
  for (const auto& set : mesh->uvSets())
    setNames.append(MString(set.name.c_str()));
  return MS::kSuccess;
}

MStatus MFnMesh::getCurrentUVSetName(MString& name, int) const {
  MStatus s;
  name = currentUVSetName(&s);
  return s;
}

MString MFnMesh::currentUVSetName(MStatus* ReturnStatus, int) const {
  MINIHOST_MESH_OR(MString());
  if (mesh->uvSets().empty())
    return MString();
  return MString(mesh->uvSets()[mesh->currentUVSet()].name.c_str());
}

MStatus MFnMesh::setCurrentUVSetName(const MString& name) {
  MINIHOST_MESH_OR_FAILURE();
  return mesh->setCurrentUVSet(name.asChar()) ? MS::kSuccess : MS::kInvalidParameter;
}

MString MFnMesh::createUVSetWithName(const MString& name, MStatus* ReturnStatus) {
  MINIHOST_MESH_OR(MString());
  if (!Scene::validName(name.asChar())) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MString();
  }
  mesh->addUVSet(name.asChar());
  return name;
}

MStatus MFnMesh::setUVs(const MFloatArray& uArray, const MFloatArray& vArray,
                        const MString* uvSet) {
  MINIHOST_MESH_OR_FAILURE();
  if (uArray.length() != vArray.length())
    return MS::kInvalidParameter;
  int set = mesh->findUVSet(uvSetName(uvSet));
  if (set < 0)
    return MS::kInvalidParameter;
  minihost::UVSet& target = mesh->uvSets()[set];
  target.u = uArray.storage();
  target.v = vArray.storage();
  // Corners pointing past the new list lose their coordinate.
  for (int& id : target.cornerIds) {
    if (id >= static_cast<int>(target.u.size()))
      id = -1;
  }
  return MS::kSuccess;
}

MStatus MFnMesh::assignUVs(const MIntArray& uvCounts, const MIntArray& uvIds,
                           const MString* uvSet) {
  MINIHOST_MESH_OR_FAILURE();
  int set = mesh->findUVSet(uvSetName(uvSet));
  if (set < 0 || uvCounts.length() != static_cast<unsigned int>(mesh->polygonCount())) {
    return MS::kInvalidParameter;
  }
  minihost::UVSet& target = mesh->uvSets()[set];
  std::vector<int> corners(static_cast<size_t>(mesh->cornerCount()), -1);
  unsigned int next = 0;
  for (int p = 0; p < mesh->polygonCount(); ++p) {
    int count = uvCounts[p];
    if (count != 0 && count != mesh->polygonSize(p))
      return MS::kInvalidParameter;
    for (int j = 0; j < count; ++j) {
      if (next >= uvIds.length())
        return MS::kInvalidParameter;
      int id = uvIds[next++];
      if (id < 0 || id >= static_cast<int>(target.u.size()))
        return MS::kInvalidParameter;
      corners[mesh->polygonStart(p) + j] = id;
    }
  }
  target.cornerIds = std::move(corners);
  return MS::kSuccess;
}

MStatus MFnMesh::getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet) const {
  MINIHOST_MESH_OR_FAILURE();
  int set = mesh->findUVSet(uvSetName(uvSet));
  if (set < 0)
    return MS::kInvalidParameter;
  uArray.storage() = mesh->uvSets()[set].u;
  vArray.storage() = mesh->uvSets()[set].v;
  return MS::kSuccess;
}

MStatus MFnMesh::getAssignedUVs(MIntArray& uvCounts, MIntArray& uvIds, const MString* uvSet) const {
  MINIHOST_MESH_OR_FAILURE();
  int set = mesh->findUVSet(uvSetName(uvSet));
  if (set < 0)
    return MS::kInvalidParameter;
  // A polygon is mapped in a set with all its corners or with none: its count is its corner
  // count or 0, and only mapped polygons add indices to the list.
  const std::vector<int>& cornerIds = mesh->uvSets()[set].cornerIds;
  std::vector<int>& counts = uvCounts.storage();
  std::vector<int>& ids = uvIds.storage();
  const int polygons = mesh->polygonCount();
  counts.assign(static_cast<size_t>(polygons), 0);
  ids.clear();
  ids.reserve(cornerIds.size());
  for (int p = 0; p < polygons; ++p) {
    const int start = mesh->polygonStart(p), n = mesh->polygonSize(p);
    bool mapped = true;
    for (int j = 0; j < n && mapped; ++j)
      mapped = cornerIds[static_cast<size_t>(start + j)] >= 0;
    if (!mapped)
      continue;
    counts[static_cast<size_t>(p)] = n;
    ids.insert(ids.end(), cornerIds.begin() + start, cornerIds.begin() + start + n);
  }
  return MS::kSuccess;
}

MStatus MFnMesh::getPolygonUVid(int polygonId, int vertexIndex, int& uvId,
                                const MString* uvSet) const {
  MINIHOST_MESH_OR_FAILURE();
  if (!mesh->validPolygon(polygonId) || vertexIndex < 0 ||
      vertexIndex >= mesh->polygonSize(polygonId)) {
    return MS::kInvalidParameter;
  }
  int set = mesh->findUVSet(uvSetName(uvSet));
  if (set < 0)
    return MS::kInvalidParameter;
  int id = mesh->uvSets()[set].cornerIds[mesh->polygonStart(polygonId) + vertexIndex];
  if (id < 0)
    return MS::kFailure;
  uvId = id;
  return MS::kSuccess;
}

MStatus MFnMesh::getPolygonUV(int polygonId, int vertexIndex, float& u, float& v,
                              const MString* uvSet) const {
  int id = -1;
  MStatus s = getPolygonUVid(polygonId, vertexIndex, id, uvSet);
  if (!s)
    return s;
  const MeshData* mesh = meshOf(object_);
  const minihost::UVSet& set = mesh->uvSets()[mesh->findUVSet(uvSetName(uvSet))];
  u = set.u[id];
  v = set.v[id];
  return MS::kSuccess;
}

#undef MINIHOST_MESH_OR
#undef MINIHOST_MESH_OR_FAILURE

OPENMAYA_NAMESPACE_CLOSE
