// What the plug-in writes for meshes of the stand-in host: axes, world space, selection, corners.

#include <gtest/gtest.h>

#include <maya/MFloatArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>

#include <cmath>
#include <cstdint>

#include "MeshFileReadBack.h"
#include "MeshScene.h"
#include "tests/support/FileText.h"

namespace {

class MeshContentTest : public PluginTest {
 protected:
  ReadMeshFile exportSelection() {
    const std::string base = path("out");
    EXPECT_TRUE(exportCommand({"-file", base}));
    ReadMeshFile file = readMeshFile(base + ".vxrmesh");
    EXPECT_TRUE(file.opened);
    EXPECT_TRUE(file.complete);
    return file;
  }
};

void expectPoint(const ReadMesh& mesh, std::size_t index, float x, float y, float z) {
  ASSERT_LT(3 * index + 2, mesh.points.size());
  EXPECT_FLOAT_EQ(mesh.points[3 * index], x) << index;
  EXPECT_FLOAT_EQ(mesh.points[3 * index + 1], y) << index;
  EXPECT_FLOAT_EQ(mesh.points[3 * index + 2], z) << index;
}

TEST_F(MeshContentTest, AYUpPointIsTurnedZUp) {
  makeBox("box", 2, 4, 6);
  select({"box"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  const ReadMesh& mesh = file.meshes[0];
  ASSERT_EQ(mesh.points.size(), 24u);
  expectPoint(mesh, 3, 1, -3, 2);   // host (1, 2, 3)
  expectPoint(mesh, 6, -1, 3, -2);  // host (-1, -2, -3)
  expectPoint(mesh, 1, 1, -3, -2);  // host (1, -2, 3)
}

TEST_F(MeshContentTest, APositiveZeroZBecomesNegativeZero) {
  makeTriangleAndQuad("tq");
  select({"tq"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  const ReadMesh& mesh = file.meshes[0];
  ASSERT_GE(mesh.points.size(), 3u);
  // Host point 0 is (0, 0, 0): written x = +0, -z = -0, y = +0.
  EXPECT_FALSE(std::signbit(mesh.points[0]));
  EXPECT_TRUE(std::signbit(mesh.points[1]));
  EXPECT_EQ(mesh.points[1], 0.0f);
  EXPECT_FALSE(std::signbit(mesh.points[2]));
}

TEST_F(MeshContentTest, EachSelectedMeshGivesItsOwnRecordInSelectionOrder) {
  makeBox("box", 1, 1, 1);
  makeTriangleAndQuad("tq");
  select({"tq", "box"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 2u);
  // The name is that of the node the selected path ends at: here the transforms.
  EXPECT_EQ(file.meshes[0].name, "tq");
  EXPECT_EQ(file.meshes[0].version, 0u);
  EXPECT_EQ(file.meshes[0].polygons.size(), 2u);
  EXPECT_EQ(file.meshes[1].name, "box");
  EXPECT_EQ(file.meshes[1].version, 0u);
  EXPECT_EQ(file.meshes[1].polygons.size(), 6u);
}

TEST_F(MeshContentTest, ASelectedShapeIsNamedAfterTheShape) {
  makeBox("box", 1, 1, 1);
  select({"boxShape"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  EXPECT_EQ(file.meshes[0].name, "boxShape");
  EXPECT_EQ(file.meshes[0].polygons.size(), 6u);
}

TEST_F(MeshContentTest, AFaceSelectionWritesTheWholeMesh) {
  makeBox("box", 1, 1, 1);
  select({"box.f[2]"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  EXPECT_EQ(file.meshes[0].points.size(), 24u);
  EXPECT_EQ(file.meshes[0].polygons.size(), 6u);
}

TEST_F(MeshContentTest, TriangleAndQuadKeepTheirCornersInOrder) {
  makeTriangleAndQuad("tq");
  select({"tq"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  const std::vector<ReadPolygon>& polygons = file.meshes[0].polygons;
  ASSERT_EQ(polygons.size(), 2u);
  ASSERT_EQ(polygons[0].corners.size(), 3u);
  ASSERT_EQ(polygons[1].corners.size(), 4u);
  const std::uint32_t expected[7] = {0, 1, 2, 1, 3, 4, 2};
  for (int j = 0; j < 3; ++j)
    EXPECT_EQ(polygons[0].corners[j].vertex, expected[j]);
  for (int j = 0; j < 4; ++j)
    EXPECT_EQ(polygons[1].corners[j].vertex, expected[3 + j]);
  // Both lie in the host's ground plane, facing up: the file's +z.
  for (const ReadPolygon& p : polygons) {
    EXPECT_NEAR(p.faceNormal[0], 0.0, 1e-12);
    EXPECT_NEAR(p.faceNormal[1], 0.0, 1e-12);
    EXPECT_NEAR(p.faceNormal[2], 1.0, 1e-12);
  }
}

TEST_F(MeshContentTest, PolygonsOfEverySizeKeepTheirCornersAndFollowEachOther) {
  // Small and large polygons mixed, so each record must end exactly where the next begins.
  const std::vector<int> sizes = {3, 4, 12, 13, 14, 15, 16, 17, 40, 3, 100, 5};
  makePolygons("ngons", sizes);
  select({"ngons"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  const ReadMesh& mesh = file.meshes[0];
  ASSERT_EQ(mesh.polygons.size(), sizes.size());
  std::uint32_t point = 0;
  for (std::size_t p = 0; p < sizes.size(); ++p) {
    const ReadPolygon& polygon = mesh.polygons[p];
    ASSERT_EQ(polygon.corners.size(), static_cast<std::size_t>(sizes[p])) << p;
    for (std::size_t j = 0; j < polygon.corners.size(); ++j, ++point) {
      EXPECT_EQ(polygon.corners[j].vertex, point) << p << " " << j;
      EXPECT_EQ(polygon.corners[j].u, static_cast<float>(j) / 1024) << p << " " << j;
      EXPECT_EQ(polygon.corners[j].v, static_cast<float>(p) / 1024) << p << " " << j;
    }
    EXPECT_NEAR(polygon.faceNormal[0], 0.0, 1e-9) << p;
    EXPECT_NEAR(polygon.faceNormal[1], 0.0, 1e-9) << p;
    EXPECT_NEAR(polygon.faceNormal[2], 1.0, 1e-9) << p;
  }
}

TEST_F(MeshContentTest, CornersUseTheNormalOfTheirPolygon) {
  makeBox("box", 1, 1, 1);
  select({"box"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  const ReadMesh& mesh = file.meshes[0];
  // The host gives a box without explicit normals one normal per polygon.
  ASSERT_EQ(mesh.normals.size(), 18u);
  for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
    for (const ReadCorner& c : mesh.polygons[p].corners) {
      ASSERT_EQ(c.normal, p);
      for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(mesh.normals[3 * c.normal + k], mesh.polygons[p].faceNormal[k], 1e-6);
    }
  }
}

TEST_F(MeshContentTest, PointsAndNormalsAreInWorldSpace) {
  MObject box = makeBox("box", 1, 1, 1);
  const double translate[3] = {1, 2, 3}, rotate[3] = {0, 90, 0}, scale[3] = {2, 3, 4};
  placeTransform(box, translate, rotate, scale);
  select({"box"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  const ReadMesh& mesh = file.meshes[0];
  // Host (0.5, 0.5, 0.5): scaled (1, 1.5, 2), turned 90 degrees about y (2, 1.5, -1), moved
  // (3, 3.5, 2), written z-up (3, -2, 3.5).
  expectPoint(mesh, 3, 3.0f, -2.0f, 3.5f);
  // Host (-0.5, -0.5, -0.5): (-1, -1.5, -2), (-2, -1.5, 1), (-1, 0.5, 4), written (-1, -4, 0.5).
  expectPoint(mesh, 6, -1.0f, -4.0f, 0.5f);
  // The front face (+z) now faces +x; the top (+y) still faces up, the file's +z. Normals stay
  // unit length under the non-uniform scale.
  ASSERT_EQ(mesh.polygons.size(), 6u);
  const double front[3] = {1, 0, 0}, top[3] = {0, 0, 1};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(mesh.polygons[0].faceNormal[k], front[k], 1e-9);
    EXPECT_NEAR(mesh.polygons[1].faceNormal[k], top[k], 1e-9);
    EXPECT_NEAR(mesh.normals[k], front[k], 1e-6);
    EXPECT_NEAR(mesh.normals[3 + k], top[k], 1e-6);
  }
}

TEST_F(MeshContentTest, CornersCarryTheirTextureCoordinates) {
  const float uv[6] = {0.25f, 0.5f, 0.75f, 0.125f, 1.0f, 0.0625f};
  makeTriangle("tri", uv);
  makeBox("box", 1, 1, 1);
  select({"tri", "box"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 2u);
  const ReadPolygon& triangle = file.meshes[0].polygons.at(0);
  for (int j = 0; j < 3; ++j) {
    EXPECT_EQ(triangle.corners[j].u, uv[2 * j]);
    EXPECT_EQ(triangle.corners[j].v, uv[2 * j + 1]);
  }
  const float square[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (const ReadPolygon& p : file.meshes[1].polygons) {
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(p.corners[j].u, square[j][0]);
      EXPECT_EQ(p.corners[j].v, square[j][1]);
    }
  }
}

TEST_F(MeshContentTest, CornersWithoutTextureCoordinatesWriteZero) {
  const float uv[6] = {0.25f, 0.5f, 0.75f, 0.125f, 1.0f, 0.0625f};
  makeTriangle("tri", uv);  // mapped, written first, so nothing stale can leak into the next
  makeTriangleAndQuad("tq");
  select({"tri", "tq"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 2u);
  for (const ReadPolygon& p : file.meshes[1].polygons) {
    for (const ReadCorner& c : p.corners) {
      EXPECT_EQ(c.u, 0.0f);
      EXPECT_EQ(c.v, 0.0f);
    }
  }
}

TEST_F(MeshContentTest, OnlyTheMappedPolygonsOfAMeshCarryCoordinates) {
  // The triangle has no coordinates in the set, the quad after it has four: the quad's corners
  // must take their own coordinates, not ones shifted by the triangle's missing corners.
  MObject transform = makeTriangleAndQuad("tq");
  MFnMesh mesh(MFnDagNode(transform).child(0));
  MFloatArray u, v;
  const float quad[4][2] = {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}, {0.7f, 0.8f}};
  for (const auto& c : quad) {
    u.append(c[0]);
    v.append(c[1]);
  }
  ASSERT_TRUE(mesh.setUVs(u, v));
  MIntArray counts, ids;
  counts.append(0);
  counts.append(4);
  for (int id : {3, 2, 1, 0})
    ids.append(id);
  ASSERT_TRUE(mesh.assignUVs(counts, ids));
  select({"tq"});
  const ReadMeshFile file = exportSelection();
  ASSERT_EQ(file.meshes.size(), 1u);
  ASSERT_EQ(file.meshes[0].polygons.size(), 2u);
  for (const ReadCorner& c : file.meshes[0].polygons[0].corners) {
    EXPECT_EQ(c.u, 0.0f);
    EXPECT_EQ(c.v, 0.0f);
  }
  const ReadPolygon& mapped = file.meshes[0].polygons[1];
  const std::uint32_t quadVertices[4] = {1, 3, 4, 2};
  ASSERT_EQ(mapped.corners.size(), 4u);
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(mapped.corners[j].u, quad[3 - j][0]) << j;
    EXPECT_EQ(mapped.corners[j].v, quad[3 - j][1]) << j;
    EXPECT_EQ(mapped.corners[j].vertex, quadVertices[j]) << j;
  }
}

TEST_F(MeshContentTest, NothingSelectedGivesAnEmptyFile) {
  makeBox("box", 1, 1, 1);
  select({});
  const std::string base = path("empty");
  EXPECT_TRUE(exportCommand({"-file", base}));
  ASSERT_TRUE(fileExists(base + ".vxrmesh"));
  EXPECT_EQ(readBytes(base + ".vxrmesh").size(), 0u);
}

TEST_F(MeshContentTest, ASelectionWithoutMeshesGivesAnEmptyFile) {
  makeBox("box", 1, 1, 1);
  select({"persp"});
  const std::string base = path("camera");
  EXPECT_TRUE(exportCommand({"-file", base}));
  ASSERT_TRUE(fileExists(base + ".vxrmesh"));
  EXPECT_EQ(readBytes(base + ".vxrmesh").size(), 0u);
}

}  // namespace
