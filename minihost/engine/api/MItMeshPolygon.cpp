#include <maya/MItMeshPolygon.h>

#include <maya/MFnMesh.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

using minihost::HandleAccess;
using minihost::MeshData;
using minihost::Scene;

namespace {

const MeshData* meshOf(const MObject& object) {
  const minihost::Node* n = Scene::get().node(HandleAccess::nodeRef(object));
  return n ? n->mesh.get() : nullptr;
}

void report(MStatus* s, bool ok) {
  if (s)
    *s = ok ? MS::kSuccess : MS::kFailure;
}

}  // namespace

MItMeshPolygon::MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus) {
  MFnMesh fn;
  MStatus s = fn.setObject(polyObject);
  if (s) {
    mesh_ = polyObject;
    world_ = Scene::get().worldMatrix(HandleAccess::nodeRef(mesh_));
    normalWorld_ = world_.inverse().transpose();
  }
  if (ReturnStatus)
    *ReturnStatus = s;
}

MItMeshPolygon::MItMeshPolygon(const MDagPath& polyObject, MObject& component,
                               MStatus* ReturnStatus) {
  MFnMesh fn;
  MStatus s = fn.setObject(polyObject);
  if (s) {
    mesh_ = fn.object();
    world_ = Scene::get().worldMatrix(HandleAccess::nodeRef(mesh_));
    normalWorld_ = world_.inverse().transpose();
    if (HandleAccess::componentType(component) == MFn::kMeshPolygonComponent) {
      // Only faces the mesh has; the component may predate an edit of the mesh.
      const MeshData* mesh = meshOf(mesh_);
      allFaces_ = false;
      for (int f : *HandleAccess::componentElements(component)) {
        if (mesh->validPolygon(f))
          faces_.append(f);
      }
    } else if (!component.isNull()) {
      s = MS::kInvalidParameter;
      mesh_ = MObject();
    }
  }
  if (ReturnStatus)
    *ReturnStatus = s;
}

MItMeshPolygon::~MItMeshPolygon() = default;

bool MItMeshPolygon::valid() const {
  const MeshData* mesh = meshOf(mesh_);
  if (!mesh)
    return false;
  if (allFaces_)
    return static_cast<int>(position_) < mesh->polygonCount();
  return position_ < faces_.length() && mesh->validPolygon(faces_[position_]);
}

bool MItMeshPolygon::isDone(MStatus* ReturnStatus) {
  report(ReturnStatus, meshOf(mesh_) != nullptr);
  return !valid();
}

MStatus MItMeshPolygon::next() {
  if (!meshOf(mesh_))
    return MS::kFailure;
  ++position_;
  return MS::kSuccess;
}

MStatus MItMeshPolygon::reset() {
  position_ = 0;
  return meshOf(mesh_) ? MS::kSuccess : MS::kFailure;
}

unsigned int MItMeshPolygon::count(MStatus* ReturnStatus) {
  const MeshData* mesh = meshOf(mesh_);
  report(ReturnStatus, mesh != nullptr);
  if (!mesh)
    return 0;
  return allFaces_ ? static_cast<unsigned int>(mesh->polygonCount()) : faces_.length();
}

unsigned int MItMeshPolygon::index(MStatus* ReturnStatus) {
  bool ok = valid();
  report(ReturnStatus, ok);
  if (!ok)
    return 0;
  return allFaces_ ? position_ : static_cast<unsigned int>(faces_[position_]);
}

unsigned int MItMeshPolygon::polygonVertexCount(MStatus* ReturnStatus) {
  bool ok = valid();
  report(ReturnStatus, ok);
  return ok ? static_cast<unsigned int>(meshOf(mesh_)->polygonSize(static_cast<int>(index()))) : 0u;
}

int MItMeshPolygon::vertexIndex(int i, MStatus* ReturnStatus) {
  if (!valid()) {
    report(ReturnStatus, false);
    return -1;
  }
  const MeshData* mesh = meshOf(mesh_);
  int p = static_cast<int>(index());
  if (i < 0 || i >= mesh->polygonSize(p)) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return -1;
  }
  report(ReturnStatus, true);
  return mesh->connects()[mesh->polygonStart(p) + i];
}

MStatus MItMeshPolygon::getVertices(MIntArray& vertices) {
  if (!valid())
    return MS::kFailure;
  const MeshData* mesh = meshOf(mesh_);
  int p = static_cast<int>(index());
  auto begin = mesh->connects().begin() + mesh->polygonStart(p);
  vertices.storage().assign(begin, begin + mesh->polygonSize(p));
  return MS::kSuccess;
}

unsigned int MItMeshPolygon::normalIndex(int vertex, MStatus* ReturnStatus) const {
  if (!valid()) {
    report(ReturnStatus, false);
    return 0;
  }
  const MeshData* mesh = meshOf(mesh_);
  int p = allFaces_ ? static_cast<int>(position_) : faces_[position_];
  if (vertex < 0 || vertex >= mesh->polygonSize(p)) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return 0;
  }
  report(ReturnStatus, true);
  return static_cast<unsigned int>(mesh->normalIds()[mesh->polygonStart(p) + vertex]);
}

MStatus MItMeshPolygon::getNormal(MVector& normal, MSpace::Space space) const {
  if (!valid())
    return MS::kFailure;
  const MeshData* mesh = meshOf(mesh_);
  int p = allFaces_ ? static_cast<int>(position_) : faces_[position_];
  double n[3];
  mesh->polygonNormal(p, n);
  normal = MVector(n);
  if (space == MSpace::kWorld) {
    normal = normal * normalWorld_;
    normal.normalize();
  }
  return MS::kSuccess;
}

MStatus MItMeshPolygon::getNormal(unsigned int vertex, MVector& normal, MSpace::Space space) const {
  MStatus s;
  unsigned int id = normalIndex(static_cast<int>(vertex), &s);
  if (!s)
    return s;
  const double* n = &meshOf(mesh_)->normals()[3 * static_cast<size_t>(id)];
  normal = MVector(n);
  if (space == MSpace::kWorld) {
    normal = normal * normalWorld_;
    normal.normalize();
  }
  return MS::kSuccess;
}

MPoint MItMeshPolygon::point(int i, MSpace::Space space, MStatus* ReturnStatus) {
  int v = vertexIndex(i, ReturnStatus);
  if (v < 0)
    return MPoint();
  const double* p = &meshOf(mesh_)->points()[3 * static_cast<size_t>(v)];
  MPoint q(p[0], p[1], p[2]);
  return space == MSpace::kWorld ? q * world_ : q;
}

MPoint MItMeshPolygon::center(MSpace::Space space, MStatus* ReturnStatus) {
  unsigned int n = polygonVertexCount(ReturnStatus);
  if (n == 0)
    return MPoint();
  MVector sum;
  for (unsigned int i = 0; i < n; ++i)
    sum += MVector(point(static_cast<int>(i), space));
  return MPoint(sum / static_cast<double>(n));
}

MObject MItMeshPolygon::currentItem(MStatus* ReturnStatus) {
  bool ok = valid();
  report(ReturnStatus, ok);
  if (!ok)
    return MObject();
  return HandleAccess::componentObject(MFn::kMeshPolygonComponent, {static_cast<int>(index())});
}
