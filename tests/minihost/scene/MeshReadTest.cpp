// Inline meshes and primitive-made meshes of scene files: points with their tweaks, corners from
// edge-based faces, normals and UVs, checked against the geometry worked out by hand.

#include <cmath>

#include "SceneFixture.h"

namespace {

const minihost::MeshData* meshOf(minihost::Scene& s, const char* shape) {
  const minihost::Node* n = s.node(s.findNode(shape));
  return n ? n->mesh() : nullptr;
}

TEST_F(SceneFileTest, EdgeBasedFacesGiveCornersNormalsAndUVs) {
  open("mesh.ma");
  const minihost::MeshData* m = meshOf(scene(), "stripShape");
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->pointCount(), 6);
  ASSERT_EQ(m->polygonCount(), 2);
  // The tweaks lift vertices 2 and 5 by one.
  EXPECT_DOUBLE_EQ(m->points()[2 * 3 + 1], 1.0);
  EXPECT_DOUBLE_EQ(m->points()[5 * 3 + 1], 1.0);
  // Reversed edges start at their second vertex.
  EXPECT_EQ(m->connects(), (std::vector<int>{0, 1, 4, 3, 1, 2, 5, 4}));
  // Hard edges: each corner takes its face's normal; the second face rises at 45 degrees.
  const double r = std::sqrt(0.5);
  const double expected[2][3] = {{0, 1, 0}, {-r, r, 0}};
  for (int corner = 0; corner < 8; ++corner) {
    int id = m->normalIds()[static_cast<size_t>(corner)];
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(m->normals()[static_cast<size_t>(id * 3 + k)], expected[corner / 4][k], 1e-12);
  }
  ASSERT_EQ(m->uvSets().size(), 1u);
  EXPECT_EQ(m->uvSets()[0].name, "map1");
  EXPECT_EQ(m->uvSets()[0].cornerIds, (std::vector<int>{0, 1, 4, 3, 1, 2, 5, 4}));
  EXPECT_FLOAT_EQ(m->uvSets()[0].u[5], 1.0f);
  EXPECT_FLOAT_EQ(m->uvSets()[0].v[5], 1.0f);
}

TEST_F(SceneFileTest, StoredNormalsWinAndUnsetOnesFollowTheSmoothSurface) {
  open("mesh.ma");
  const minihost::MeshData* m = meshOf(scene(), "triShape");
  ASSERT_NE(m, nullptr);
  const double expected[3][3] = {{0, 0, 1}, {0, 0, 1}, {0.6, 0, 0.8}};
  for (int corner = 0; corner < 3; ++corner) {
    int id = m->normalIds()[static_cast<size_t>(corner)];
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(m->normals()[static_cast<size_t>(id * 3 + k)], expected[corner][k], 1e-12);
  }
}

TEST_F(SceneFileTest, PrimitiveNodesMakeTheirMeshThroughTheirOutput) {
  open("mesh.ma");
  const minihost::MeshData* box = meshOf(scene(), "boxShape");
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(box->pointCount(), 8);
  ASSERT_EQ(box->polygonCount(), 6);
  for (int p = 0; p < 8; ++p) {
    EXPECT_DOUBLE_EQ(std::fabs(box->points()[static_cast<size_t>(p * 3)]), 1.0);
    EXPECT_DOUBLE_EQ(std::fabs(box->points()[static_cast<size_t>(p * 3 + 1)]), 2.0);
    EXPECT_DOUBLE_EQ(std::fabs(box->points()[static_cast<size_t>(p * 3 + 2)]), 3.0);
  }
  const minihost::MeshData* ball = meshOf(scene(), "ballShape");
  ASSERT_NE(ball, nullptr);
  ASSERT_GT(ball->polygonCount(), 0);
  for (int p = 0; p < ball->pointCount(); ++p) {
    const double* q = &ball->points()[static_cast<size_t>(p * 3)];
    EXPECT_NEAR(std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]), 3.0, 1e-9);
  }
}

TEST_F(SceneFileTest, ACylinderNodeMakesItsMeshWithItsRadiusAndHeight) {
  open("mesh.ma");
  const minihost::MeshData* pipe = meshOf(scene(), "pipeShape");
  ASSERT_NE(pipe, nullptr);
  EXPECT_EQ(pipe->pointCount(), 12);
  EXPECT_EQ(pipe->polygonCount(), 6 + 2);
  for (int p = 0; p < pipe->pointCount(); ++p) {
    const double* q = &pipe->points()[static_cast<size_t>(p * 3)];
    EXPECT_NEAR(std::hypot(q[0], q[2]), 2.0, 1e-9);
    EXPECT_NEAR(std::fabs(q[1]), 2.0, 1e-9);
  }
}

TEST_F(SceneFileTest, HistoryThatIsNotEvaluatedIsNamedInAWarning) {
  minihost::scenefile::SceneFileResult r = open("mesh.ma");
  const minihost::MeshData* bent = meshOf(scene(), "bentShape");
  ASSERT_NE(bent, nullptr);
  EXPECT_EQ(bent->polygonCount(), 1);
  EXPECT_TRUE(
      anyContains(r.warnings, "the history of mesh \"bentShape\" (bend1) is not evaluated"));
  const minihost::MeshData* lost = meshOf(scene(), "lostShape");
  ASSERT_NE(lost, nullptr);
  EXPECT_EQ(lost->polygonCount(), 0);
  EXPECT_TRUE(anyContains(r.warnings,
                          "mesh \"lostShape\" has no stored shape and its input "
                          "(polyExtrudeFace1) is not evaluated"));
}

}  // namespace
