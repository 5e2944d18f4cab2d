#pragma once
// Iterator over the polygons of a mesh, all of them or those of a face component.

#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

namespace minihost {
class MeshData;
}

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MItMeshPolygon {
 public:
  MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus = NULL);
  MItMeshPolygon(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                 MStatus* ReturnStatus = NULL);
  virtual ~MItMeshPolygon();

  bool isDone(MStatus* ReturnStatus = NULL);
  MStatus next();
  MStatus reset();
  unsigned int count(MStatus* ReturnStatus = NULL);
  unsigned int index(MStatus* ReturnStatus = NULL);
  unsigned int polygonVertexCount(MStatus* ReturnStatus = NULL);
  int vertexIndex(int index, MStatus* ReturnStatus = NULL);
  MStatus getVertices(MIntArray& vertices);
  // Index into the mesh's normal list of the normal at corner `vertex` of this polygon.
  unsigned int normalIndex(int vertex, MStatus* ReturnStatus = NULL) const;
  MStatus getNormal(MVector& normal, MSpace::Space space = MSpace::kObject) const;
  MStatus getNormal(unsigned int vertexIndex, MVector& normal,
                    MSpace::Space space = MSpace::kObject) const;
  MPoint point(int index, MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
  MPoint center(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
  MObject currentItem(MStatus* ReturnStatus = NULL);

 private:
  MItMeshPolygon(const MItMeshPolygon&) = delete;
  MItMeshPolygon& operator=(const MItMeshPolygon&) = delete;
  bool valid() const;
  const minihost::MeshData* current(int& polygon) const;

  MObject mesh_;
  MIntArray faces_;  // empty: every polygon
  bool allFaces_ = true;
  unsigned int position_ = 0;
  MMatrix world_;
  MMatrix normalWorld_;
};

OPENMAYA_NAMESPACE_CLOSE
