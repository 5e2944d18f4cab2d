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

// A quad and a triangle sharing an edge, moved, turned and stretched so world-space values differ
// from object space in every component.
class BulkMeshTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    MFloatPointArray points;
    points.append(MFloatPoint(0, 0, 0));
    points.append(MFloatPoint(1, 0, 0));
    points.append(MFloatPoint(1, 0.5f, -1));
    points.append(MFloatPoint(0, 0, -1));
    points.append(MFloatPoint(2, 0.25f, -0.5f));
    const int counts[] = {4, 3};
    const int corners[] = {0, 1, 2, 3, 1, 4, 2};
    MFnMesh fn;
    MStatus status;
    transform = minihost::HandleAccess::nodeRef(fn.create(
        5, 2, points, MIntArray(counts, 2), MIntArray(corners, 7), MObject::kNullObj, &status));
    ASSERT_TRUE(status);
    set(transform, "translateX", 3.0);
    set(transform, "rotateY", 30.0);
    set(transform, "rotateX", -20.0);
    set(transform, "scaleZ", 2.5);
  }

  minihost::NodeRef transform;
};

TEST_F(BulkMeshTest, NormalIdsOfEveryCornerMatchThePerPolygonLists) {
  MFnMesh fn(path(transform));
  MFloatVectorArray normals;
  normals.append(MFloatVector(0, 1, 0));
  normals.append(MFloatVector(1, 0, 0));
  normals.append(MFloatVector(0, 0, 1));
  const int cornerNormals[] = {2, 0, 1, 1, 0, 2, 2};
  ASSERT_TRUE(fn.setNormals(normals, MIntArray(cornerNormals, 7)));

  MIntArray counts, ids;
  ASSERT_TRUE(fn.getNormalIds(counts, ids));
  EXPECT_EQ(counts.storage(), (std::vector<int>{4, 3}));
  EXPECT_EQ(ids.storage(), (std::vector<int>(cornerNormals, cornerNormals + 7)));
  std::vector<int> perPolygon;
  for (int p = 0; p < 2; ++p) {
    MIntArray one;
    ASSERT_TRUE(fn.getFaceNormalIds(p, one));
    perPolygon.insert(perPolygon.end(), one.storage().begin(), one.storage().end());
  }
  EXPECT_EQ(ids.storage(), perPolygon);

  MFnMesh detached;
  EXPECT_FALSE(detached.getNormalIds(counts, ids));
}

TEST_F(BulkMeshTest, AssignedUVsListOnlyMappedPolygonsInTheNamedSet) {
  MFnMesh fn(path(transform));
  const float u[] = {0.f, 1.f, 1.f, 0.f, 0.5f}, v[] = {0.f, 0.f, 1.f, 1.f, 0.5f};
  ASSERT_TRUE(fn.setUVs(MFloatArray(u, 5), MFloatArray(v, 5)));
  const int uvCounts[] = {0, 3};  // the quad stays unmapped
  const int uvIds[] = {4, 1, 2};
  ASSERT_TRUE(fn.assignUVs(MIntArray(uvCounts, 2), MIntArray(uvIds, 3)));

  MIntArray counts(7, 99), ids(7, 99);  // stale contents must not survive
  ASSERT_TRUE(fn.getAssignedUVs(counts, ids));
  EXPECT_EQ(counts.storage(), (std::vector<int>{0, 3}));
  EXPECT_EQ(ids.storage(), (std::vector<int>{4, 1, 2}));
  for (int j = 0; j < 3; ++j) {
    int id = -1;
    ASSERT_TRUE(fn.getPolygonUVid(1, j, id));
    EXPECT_EQ(id, uvIds[j]);
  }

  // A set with no coordinates maps nothing; a set the mesh lacks is an error.
  MString lightmap("lightmap");
  fn.createUVSetWithName(lightmap);
  ASSERT_TRUE(fn.getAssignedUVs(counts, ids, &lightmap));
  EXPECT_EQ(counts.storage(), (std::vector<int>{0, 0}));
  EXPECT_EQ(ids.length(), 0u);
  MString missing("noSuchSet");
  EXPECT_FALSE(fn.getAssignedUVs(counts, ids, &missing));

  // The current set is the default.
  ASSERT_TRUE(fn.setCurrentUVSetName(lightmap));
  ASSERT_TRUE(fn.getAssignedUVs(counts, ids));
  EXPECT_EQ(counts.storage(), (std::vector<int>{0, 0}));
}

// The bulk world-space copies give exactly the values of the one-at-a-time calls, so a writer
// may switch between them without a byte of its output changing.
TEST_F(BulkMeshTest, WorldPointsAndNormalsEqualTheSingleCallsExactly) {
  MFnMesh fn(path(transform));
  MPointArray points;
  ASSERT_TRUE(fn.getPoints(points, MSpace::kWorld));
  ASSERT_EQ(points.length(), 5u);
  for (int i = 0; i < 5; ++i) {
    MPoint one;
    ASSERT_TRUE(fn.getPoint(i, one, MSpace::kWorld));
    EXPECT_EQ(points[i].x, one.x) << i;
    EXPECT_EQ(points[i].y, one.y) << i;
    EXPECT_EQ(points[i].z, one.z) << i;
    EXPECT_EQ(points[i].w, 1.0) << i;
  }
  MPointArray local;
  ASSERT_TRUE(fn.getPoints(local, MSpace::kObject));
  EXPECT_EQ(local[4].x, 2.0);
  EXPECT_EQ(local[4].y, 0.25);
  EXPECT_EQ(local[4].z, -0.5);
  EXPECT_FALSE(points[4].isEquivalent(local[4]));

  // Without explicit normals each polygon has its own face normal.
  MFloatVectorArray normals;
  ASSERT_TRUE(fn.getNormals(normals, MSpace::kWorld));
  ASSERT_EQ(normals.length(), 2u);
  MItMeshPolygon it(path(transform));
  for (int p = 0; p < 2; ++p, it.next()) {
    MVector single, walked;
    ASSERT_TRUE(fn.getPolygonNormal(p, single, MSpace::kWorld));
    ASSERT_TRUE(it.getNormal(walked, MSpace::kWorld));
    EXPECT_EQ(walked.x, single.x) << p;
    EXPECT_EQ(walked.y, single.y) << p;
    EXPECT_EQ(walked.z, single.z) << p;
    EXPECT_NEAR(walked.length(), 1.0, 1e-12);
    EXPECT_EQ(normals[p].x, static_cast<float>(single.x)) << p;
    EXPECT_EQ(normals[p].y, static_cast<float>(single.y)) << p;
    EXPECT_EQ(normals[p].z, static_cast<float>(single.z)) << p;
  }
  EXPECT_TRUE(it.isDone());
  MVector none;
  EXPECT_FALSE(it.getNormal(none, MSpace::kWorld));
  EXPECT_EQ(it.polygonVertexCount(), 0u);
}

TEST_F(BulkMeshTest, FaceNormalsCloseThePolygonOverItsLastEdge) {
  MFnMesh fn(path(transform));
  MItMeshPolygon it(path(transform));
  it.next();  // the triangle (1, 0, 0), (2, 0.25, -0.5), (1, 0.5, -1)
  ASSERT_EQ(it.polygonVertexCount(), 3u);
  MVector n;
  ASSERT_TRUE(it.getNormal(n));
  const MVector a(1, 0, 0), b(2, 0.25, -0.5), c(1, 0.5, -1);
  const MVector expected = ((b - a) ^ (c - a)).normal();
  EXPECT_TRUE(n.isEquivalent(expected, 1e-7)) << n << " " << expected;
}

}  // namespace

namespace {

TEST_F(BulkMeshTest, FaceNormalsFollowEditedPoints) {
  MFnMesh fn(path(transform));
  MVector before;
  {
    MItMeshPolygon it(path(transform));
    ASSERT_TRUE(it.getNormal(before));
  }
  // Lift one corner of the quad: its plane tilts, and the walk must see the new points.
  ASSERT_TRUE(fn.setPoint(3, MPoint(0, 1, -1)));
  MVector after, single;
  MItMeshPolygon it(path(transform));
  ASSERT_TRUE(it.getNormal(after));
  ASSERT_TRUE(fn.getPolygonNormal(0, single));
  EXPECT_FALSE(after.isEquivalent(before, 1e-6));
  EXPECT_EQ(after.x, single.x);
  EXPECT_EQ(after.y, single.y);
  EXPECT_EQ(after.z, single.z);

  MPointArray all;
  ASSERT_TRUE(fn.getPoints(all));
  all[4] = MPoint(2, -3, -0.5);
  ASSERT_TRUE(fn.setPoints(all));
  it.next();
  ASSERT_TRUE(it.getNormal(after));
  ASSERT_TRUE(fn.getPolygonNormal(1, single));
  EXPECT_EQ(after.x, single.x);
  EXPECT_EQ(after.y, single.y);
  EXPECT_EQ(after.z, single.z);
}

}  // namespace
