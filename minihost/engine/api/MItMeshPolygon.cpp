#include <maya/MItMeshPolygon.h>

#include <maya/MFnMesh.h>

#include <cmath>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::MeshData;
using minihost::Scene;

namespace {

// The scene lives as long as the process; it is fetched once, on first use, instead of through
// a call on every step of a walk over a large mesh.
const Scene& theScene() {
  static const Scene& scene = Scene::get();
  return scene;
}

const MeshData* meshOf(const MObject& object) {
  const minihost::Node* n = theScene().node(HandleAccess::nodeRef(object));
  return n ? n->mesh() : nullptr;
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
  int polygon;
  return current(polygon) != nullptr;
}

// One scene lookup for the mesh and the polygon at the iterator's position; null when the mesh
// is gone or the walk is past its end.
const MeshData* MItMeshPolygon::current(int& polygon) const {
  const MeshData* mesh = meshOf(mesh_);
  if (!mesh)
    return nullptr;
  if (allFaces_) {
    polygon = static_cast<int>(position_);
    return polygon >= 0 && polygon < mesh->polygonCount() ? mesh : nullptr;
  }
  if (position_ >= faces_.length())
    return nullptr;
  polygon = faces_[position_];
  return mesh->validPolygon(polygon) ? mesh : nullptr;
}

bool MItMeshPolygon::isDone(MStatus* ReturnStatus) {
  int polygon;
  const bool atPolygon = current(polygon) != nullptr;
  report(ReturnStatus, atPolygon || meshOf(mesh_) != nullptr);
  return !atPolygon;
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
  int p = 0;
  const MeshData* mesh = current(p);
  report(ReturnStatus, mesh != nullptr);
  return mesh ? static_cast<unsigned int>(mesh->polygonSize(p)) : 0u;
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
  int p = 0;
  const MeshData* mesh = current(p);
  if (!mesh)
    return MS::kFailure;
  const double* n = mesh->cachedPolygonNormal(p);
  if (space != MSpace::kWorld) {
    normal = MVector(n);
    return MS::kSuccess;
  }
  // The same arithmetic as MVector * MMatrix followed by MVector::normalize, written out so
  // a walk over a million polygons stays in one function.
  const auto& a = normalWorld_.matrix;
  double x = n[0] * a[0][0] + n[1] * a[1][0] + n[2] * a[2][0];
  double y = n[0] * a[0][1] + n[1] * a[1][1] + n[2] * a[2][1];
  double z = n[0] * a[0][2] + n[1] * a[1][2] + n[2] * a[2][2];
  const double len = std::sqrt(x * x + y * y + z * z);
  if (len > 0.0) {
    x /= len;
    y /= len;
    z /= len;
  }
  normal = MVector(x, y, z);
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

OPENMAYA_NAMESPACE_CLOSE
