#include <gtest/gtest.h>

#include <filesystem>

#include <assimp/mesh.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include "ToolSamples.h"
#include "tools/vxrinfo/convert/ObjExport.h"

namespace {

// The OBJ read by assimp's importer, without post-processing, so faces stay as written.
const aiScene* importObj(Assimp::Importer& importer, const std::string& path) {
  const aiScene* scene = importer.ReadFile(path, 0);
  EXPECT_NE(scene, nullptr) << importer.GetErrorString();
  return scene;
}

void expectSameMesh(const MeshRecord& mesh, const aiMesh& imported) {
  ASSERT_EQ(imported.mNumFaces, mesh.polygons.size());
  ASSERT_NE(imported.mNormals, nullptr);
  ASSERT_NE(imported.mTextureCoords[0], nullptr);
  std::size_t corners = 0;
  for (std::size_t f = 0; f < mesh.polygons.size(); ++f) {
    const aiFace& face = imported.mFaces[f];
    const MeshPolygon& polygon = mesh.polygons[f];
    ASSERT_EQ(face.mNumIndices, polygon.corners.size());
    for (std::size_t j = 0; j < polygon.corners.size(); ++j) {
      const unsigned index = face.mIndices[j];
      ASSERT_LT(index, imported.mNumVertices);
      const MeshCorner& corner = polygon.corners[j];
      const MeshFloat3& p = mesh.points[corner.vertexIndex];
      EXPECT_EQ(imported.mVertices[index].x, p.x);
      EXPECT_EQ(imported.mVertices[index].y, p.y);
      EXPECT_EQ(imported.mVertices[index].z, p.z);
      const MeshFloat3& n = mesh.normals[corner.normalIndex];
      EXPECT_EQ(imported.mNormals[index].x, n.x);
      EXPECT_EQ(imported.mNormals[index].y, n.y);
      EXPECT_EQ(imported.mNormals[index].z, n.z);
      EXPECT_EQ(imported.mTextureCoords[0][index].x, corner.u);
      EXPECT_EQ(imported.mTextureCoords[0][index].y, corner.v);
      ++corners;
    }
  }
  EXPECT_EQ(imported.mNumVertices, corners);
}

}  // namespace

TEST(ObjExport, AssimpReadsBackEveryRecordWithItsPositionsNormalsAndUvs) {
  TempFolder folder;
  const std::vector<MeshRecord> meshes = {sampleSolid("rock 1"), sampleQuad("floor"),
                                          sampleSolid("")};
  writeBytes(folder.path("in.vxrmesh"), meshFileBytes(meshes));
  ToolRun run = runTool({"--obj", folder.path("out.obj"), folder.path("in.vxrmesh")});
  ASSERT_EQ(run.status, 0) << run.out;

  Assimp::Importer importer;
  const aiScene* scene = importObj(importer, folder.path("out.obj"));
  ASSERT_NE(scene, nullptr);
  ASSERT_EQ(scene->mNumMeshes, meshes.size());
  for (std::size_t m = 0; m < meshes.size(); ++m) {
    SCOPED_TRACE(m);
    expectSameMesh(meshes[m], *scene->mMeshes[m]);
  }
  const std::string text = readBytes(folder.path("out.obj"));
  EXPECT_NE(text.find("\no rock_1\n"), std::string::npos);
  EXPECT_NE(text.find("\no mesh2\n"), std::string::npos);
  // Indices are 1-based and run on across objects: the last record's first point is the 9th.
  EXPECT_NE(text.find("\nf 9/12/6 "), std::string::npos) << text;
}

TEST(ObjExport, ObjectNamesKeepNothingAnObjLineCannotCarry) {
  EXPECT_EQ(objObjectName("a b\tc\nd#e", 0), "a_b_c_d_e");
  EXPECT_EQ(objObjectName("caf\xC3\xA9\xFF", 0), "caf\xC3\xA9_");
  EXPECT_EQ(objObjectName("", 7), "mesh7");
}

TEST(ObjExport, ADamagedMeshFileLeavesTheTargetAsItWas) {
  TempFolder folder;
  MeshRecord bad = sampleQuad("q");
  bad.polygons[0].corners[0].normalIndex = 5;
  writeBytes(folder.path("bad"), meshFileBytes({sampleSolid("s"), bad}));
  const std::string good = meshFileBytes({sampleQuad()});
  writeBytes(folder.path("cut"), good.substr(0, good.size() - 1));
  writeBytes(folder.path("out.obj"), "previous contents\n");
  for (const char* input : {"bad", "cut"}) {
    ToolRun run = runTool({"--obj", folder.path("out.obj"), folder.path(input)});
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("nothing written"), std::string::npos) << run.out;
    EXPECT_EQ(readBytes(folder.path("out.obj")), "previous contents\n");
  }
  // No temporary is left beside the target.
  std::size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.root())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 3u);
}

TEST(ObjExport, AnEmptyMeshFileGivesAnObjWithoutObjects) {
  TempFolder folder;
  writeBytes(folder.path("empty"), "");
  ToolRun run = runTool({"--obj", folder.path("out.obj"), folder.path("empty")});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(readBytes(folder.path("out.obj")), "# 0 meshes, z-up, converted by vxrinfo\n");
}

TEST(ObjExport, AnUnwritableTargetExitsWithThree) {
  TempFolder folder;
  writeBytes(folder.path("m"), meshFileBytes({sampleQuad()}));
  ToolRun run = runTool({"--obj", folder.path("no/such/folder/out.obj"), folder.path("m")});
  EXPECT_EQ(run.status, 3) << run.out;
}
