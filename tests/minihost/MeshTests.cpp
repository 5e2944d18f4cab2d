// Mesh geometry: world-space points and normals, corner normal indices, UV sets.
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MPointArray.h>

#include <cmath>

#include "SceneFixture.h"

namespace {

class MeshTest : public SceneTest {
 protected:
  // One quad tilted 45 degrees: its normal is (0, -1, 1) / sqrt 2.
  MObject tiltedQuad() {
    MFloatPointArray points;
    points.append(MFloatPoint(0, 0, 0));
    points.append(MFloatPoint(1, 0, 0));
    points.append(MFloatPoint(1, 1, 1));
    points.append(MFloatPoint(0, 1, 1));
    MIntArray counts(1, 4);
    const int corners[] = {0, 1, 2, 3};
    MFnMesh fn;
    MStatus status;
    MObject transform =
        fn.create(4, 1, points, counts, MIntArray(corners, 4), MObject::kNullObj, &status);
    EXPECT_TRUE(status);
    return transform;
  }
};

TEST_F(MeshTest, CreateWithoutParentReturnsANewTransform) {
  MObject t = tiltedQuad();
  EXPECT_TRUE(t.hasFn(MFn::kTransform));
  MFnMesh fn(path(minihost::HandleAccess::nodeRef(t)));
  EXPECT_EQ(fn.name(), MString("polySurfaceShape1"));
  EXPECT_EQ(fn.numPolygons(), 1);
  EXPECT_EQ(fn.numVertices(), 4);
}

TEST_F(MeshTest, WorldNormalsUseTheInverseTransposeUnderNonUniformScale) {
  auto t = minihost::HandleAccess::nodeRef(tiltedQuad());
  set(t, "scaleY", 2.0);
  MFnMesh fn(path(t));
  MVector expected = MVector(0, -1, 2).normal();  // perpendicular to the stretched quad

  MFloatVectorArray normals;
  ASSERT_TRUE(fn.getNormals(normals, MSpace::kWorld));
  ASSERT_EQ(normals.length(), 1u);
  EXPECT_TRUE(MVector(normals[0]).isEquivalent(expected, 1e-6)) << MVector(normals[0]);

  MPointArray points;
  fn.getPoints(points, MSpace::kWorld);
  EXPECT_TRUE(points[2].isEquivalent(MPoint(1, 2, 1)));
  MVector edge = points[3] - points[0];
  EXPECT_NEAR(edge * expected, 0.0, 1e-6);

  MItMeshPolygon it(path(t));
  MVector n;
  ASSERT_TRUE(it.getNormal(n, MSpace::kWorld));
  EXPECT_TRUE(n.isEquivalent(expected, 1e-9));
  ASSERT_TRUE(it.getNormal(n));
  EXPECT_TRUE(n.isEquivalent(MVector(0, -1, 1).normal(), 1e-9));
}

TEST_F(MeshTest, ExplicitNormalsKeepTheirCornerIndices) {
  MFloatPointArray points;
  for (int i = 0; i < 6; ++i)
    points.append(MFloatPoint(static_cast<float>(i % 3), i < 3 ? 0.f : 1.f, 0));
  const int corners[] = {0, 1, 4, 3, 1, 2, 5, 4};
  MFnMesh fn;
  fn.create(6, 2, points, MIntArray(2, 4), MIntArray(corners, 8));
  MFloatVectorArray normals;
  normals.append(MFloatVector(0, 0, 1));
  normals.append(MFloatVector(0, 1, 0));
  const int ids[] = {0, 0, 1, 1, 1, 0, 0, 1};
  ASSERT_TRUE(fn.setNormals(normals, MIntArray(ids, 8)));
  const int badIds[] = {0, 0, 1, 1, 1, 0, 0, 2};
  EXPECT_FALSE(fn.setNormals(normals, MIntArray(badIds, 8)));

  MDagPath p;
  fn.getPath(p);
  MItMeshPolygon it(p);
  std::vector<unsigned int> seen;
  for (; !it.isDone(); it.next()) {
    for (unsigned int j = 0; j < it.polygonVertexCount(); ++j)
      seen.push_back(it.normalIndex(j));
  }
  EXPECT_EQ(seen, (std::vector<unsigned int>{0, 0, 1, 1, 1, 0, 0, 1}));
  MStatus status;
  it.reset();
  it.normalIndex(4, &status);
  EXPECT_FALSE(status);
  MIntArray verts;
  fn.getPolygonVertices(1, verts);
  EXPECT_EQ(verts.storage(), (std::vector<int>{1, 2, 5, 4}));
  EXPECT_FALSE(fn.getPolygonVertices(2, verts));
}

TEST_F(MeshTest, CornersReadTheirCoordinatesFromTheCurrentUVSet) {
  MFnMesh fn(path(minihost::HandleAccess::nodeRef(tiltedQuad())));
  const float u[] = {0.f, 1.f, 1.f, 0.f}, v[] = {0.f, 0.f, 1.f, 1.f};
  ASSERT_TRUE(fn.setUVs(MFloatArray(u, 4), MFloatArray(v, 4)));
  const int uvIds[] = {0, 1, 2, 3};
  ASSERT_TRUE(fn.assignUVs(MIntArray(1, 4), MIntArray(uvIds, 4)));
  float uu = -1, vv = -1;
  ASSERT_TRUE(fn.getPolygonUV(0, 2, uu, vv));
  EXPECT_EQ(uu, 1.f);
  EXPECT_EQ(vv, 1.f);
  EXPECT_FALSE(fn.getPolygonUV(0, 4, uu, vv));
  EXPECT_FALSE(fn.getPolygonUV(3, 0, uu, vv));

  // A second set without coordinates: corners there have none.
  fn.createUVSetWithName("lightmap");
  ASSERT_TRUE(fn.setCurrentUVSetName("lightmap"));
  EXPECT_EQ(fn.currentUVSetName(), MString("lightmap"));
  EXPECT_FALSE(fn.getPolygonUV(0, 2, uu, vv));
  MString first("map1");
  EXPECT_TRUE(fn.getPolygonUV(0, 1, uu, vv, &first));
  EXPECT_EQ(uu, 1.f);
}

TEST_F(MeshTest, InconsistentTopologyIsRefusedWithoutMakingNodes) {
  size_t before = scene().nodes().size();
  MFloatPointArray points;
  points.append(MFloatPoint(0, 0, 0));
  points.append(MFloatPoint(1, 0, 0));
  points.append(MFloatPoint(0, 1, 0));
  const int outOfRange[] = {0, 1, 3};
  MStatus status;
  MFnMesh fn;
  fn.create(3, 1, points, MIntArray(1, 3), MIntArray(outOfRange, 3), MObject::kNullObj, &status);
  EXPECT_FALSE(status);
  const int two[] = {0, 1};
  fn.create(3, 1, points, MIntArray(1, 2), MIntArray(two, 2), MObject::kNullObj, &status);
  EXPECT_FALSE(status);
  fn.create(5, 1, points, MIntArray(1, 3), MIntArray(two, 2), MObject::kNullObj, &status);
  EXPECT_FALSE(status);
  EXPECT_EQ(scene().nodes().size(), before);
}

}  // namespace
