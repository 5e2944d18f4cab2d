#pragma once
// Function set for polygon meshes. Points, normals and per-corner indices are held
// in flat arrays; world-space queries transform points by the shape's world matrix
// and normals by its inverse transpose.

#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>
#include <maya/MStringArray.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

#define kInstanceUnspecified -1

class OPENMAYA_EXPORT MFnMesh : public MFnDagNode {
 public:
  MFnMesh();
  MFnMesh(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnMesh(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnMesh() override;
  MFn::Type type() const override;

  // Makes a mesh shape from polygon counts and the vertex indices of their corners;
  // with a null parent a new transform is made above it. Returns the transform when
  // one was made, otherwise the shape.
  MObject create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                 const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                 MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = NULL);
  MObject create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                 const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                 MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = NULL);

  int numVertices(MStatus* ReturnStatus = NULL) const;
  int numPolygons(MStatus* ReturnStatus = NULL) const;
  int numNormals(MStatus* ReturnStatus = NULL) const;
  int numFaceVertices(MStatus* ReturnStatus = NULL) const;
  int numUVs(MStatus* ReturnStatus = NULL) const;
  int numUVs(const MString& uvSet, MStatus* ReturnStatus = NULL) const;
  int numUVSets(MStatus* ReturnStatus = NULL) const;

  MStatus getPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
  MStatus getPoints(MFloatPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
  MStatus setPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject);
  MStatus getPoint(int vertexId, MPoint& pos, MSpace::Space space = MSpace::kObject) const;
  MStatus setPoint(int vertexId, const MPoint& pos, MSpace::Space space = MSpace::kObject);
  MStatus getNormals(MFloatVectorArray& normals, MSpace::Space space = MSpace::kObject) const;
  // Replaces the normal list; faceNormalIds holds one normal index per face corner.
  MStatus setNormals(const MFloatVectorArray& normals, const MIntArray& faceNormalIds);
  MStatus getFaceNormalIds(int faceIndex, MIntArray& normals) const;
  // Normal indices of every corner, polygon after polygon, with each polygon's count.
  MStatus getNormalIds(MIntArray& normalIdCounts, MIntArray& normals) const;
  MStatus getPolygonNormal(int polygonId, MVector& normal,
                           MSpace::Space space = MSpace::kObject) const;
  MStatus getPolygonVertices(int polygonId, MIntArray& vertexList) const;
  int polygonVertexCount(int polygonId, MStatus* ReturnStatus = NULL) const;
  MStatus getVertices(MIntArray& vertexCount, MIntArray& vertexList) const;

  MStatus getUVSetNames(MStringArray& setNames) const;
  MStatus getCurrentUVSetName(MString& setName, int instance = kInstanceUnspecified) const;
  MString currentUVSetName(MStatus* ReturnStatus = NULL, int instance = kInstanceUnspecified) const;
  MStatus setCurrentUVSetName(const MString& setName);
  MString createUVSetWithName(const MString& setName, MStatus* ReturnStatus = NULL);
  MStatus setUVs(const MFloatArray& uArray, const MFloatArray& vArray, const MString* uvSet = NULL);
  MStatus assignUVs(const MIntArray& uvCounts, const MIntArray& uvIds, const MString* uvSet = NULL);
  MStatus getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet = NULL) const;
  // UV indices of the mapped polygons' corners, with each polygon's count (0: not mapped).
  MStatus getAssignedUVs(MIntArray& uvCounts, MIntArray& uvIds, const MString* uvSet = NULL) const;
  // Texture coordinate of one face corner; fails when the corner has none in the set.
  MStatus getPolygonUV(int polygonId, int vertexIndex, float& u, float& v,
                       const MString* uvSet = NULL) const;
  MStatus getPolygonUVid(int polygonId, int vertexIndex, int& uvId,
                         const MString* uvSet = NULL) const;
};

OPENMAYA_NAMESPACE_CLOSE
