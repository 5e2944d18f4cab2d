// The export driven by scripts: primitives made with MEL, the up axis the host reports, the
// file command and the per-frame example script.

#include <gtest/gtest.h>

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <fstream>
#include <string>
#include <vector>

#include "MeshFileReadBack.h"
#include "MeshScene.h"
#include "mel/host/MelHost.h"
#include "tests/support/FileText.h"

namespace {

class MeshMelTest : public PluginTest {
 protected:
  static bool hasPoint(const ReadMesh& mesh, float x, float y, float z) {
    for (std::size_t i = 0; i + 2 < mesh.points.size(); i += 3)
      if (mesh.points[i] == x && mesh.points[i + 1] == y && mesh.points[i + 2] == z)
        return true;
    return false;
  }
};

TEST_F(MeshMelTest, APointIsTurnedOnlyInAYUpScene) {
  ASSERT_TRUE(mel("polyCube -w 2 -h 4 -d 6; select -r pCube1;"));
  ASSERT_TRUE(mel("VXR_MeshExportCmd -file \"" + path("yup") + "\";"));
  ASSERT_TRUE(mel("upAxis -ax z; VXR_MeshExportCmd -file \"" + path("zup") + "\";"));
  const ReadMeshFile yUp = readMeshFile(path("yup.vxrmesh"));
  const ReadMeshFile zUp = readMeshFile(path("zup.vxrmesh"));
  ASSERT_EQ(yUp.meshes.size(), 1u);
  ASSERT_EQ(zUp.meshes.size(), 1u);
  EXPECT_TRUE(hasPoint(yUp.meshes[0], 1, -3, 2));  // host (1, 2, 3)
  EXPECT_FALSE(hasPoint(yUp.meshes[0], 1, 2, 3));
  EXPECT_TRUE(hasPoint(zUp.meshes[0], 1, 2, 3));
  EXPECT_FALSE(hasPoint(zUp.meshes[0], 1, -3, 2));
}

TEST_F(MeshMelTest, TheFileCommandExportsThroughTheTranslator) {
  ASSERT_TRUE(mel("polyCube; polyPlane -sx 2 -sy 3; select -r pCube1 pPlane1;"));
  const std::string target = path("scene.vxrmesh");
  ASSERT_TRUE(mel("file -exportSelected -type \"VXR PolyMesh\" \"" + target + "\";"));
  const ReadMeshFile file = readMeshFile(target);
  EXPECT_TRUE(file.complete);
  ASSERT_EQ(file.meshes.size(), 2u);
  EXPECT_EQ(file.meshes[0].polygons.size(), 6u);
  EXPECT_EQ(file.meshes[1].polygons.size(), 6u);
}

TEST_F(MeshMelTest, TheExampleWritesOneFilePerFrame) {
  ASSERT_TRUE(mel("polyCube; select -r pCube1; playbackOptions -min 2 -max 4;"));
  ASSERT_TRUE(mel("source \"" VXR_EXAMPLES_DIR "/export_mesh_sequence.mel\";"));
  ASSERT_TRUE(mel("export_mesh_sequence(\"" + path("rock") + "\");"));
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"rock.0002.vxrmesh", "rock.0003.vxrmesh",
                                                       "rock.0004.vxrmesh"}));
}

// A face selection made by the select command selects its mesh, which is written whole and
// once, however many of its faces are named; a component the batch host does not know is an
// error that leaves the selection as it was.
TEST_F(MeshMelTest, FaceSelectionsOfTheSelectCommandExportTheirMeshes) {
  ASSERT_TRUE(mel("polyCube; polyPlane -sx 2 -sy 3; select -r pCube1.f[2];"));
  ASSERT_TRUE(mel("VXR_MeshExportCmd -file \"" + path("one") + "\";"));
  ReadMeshFile file = readMeshFile(path("one.vxrmesh"));
  ASSERT_EQ(file.meshes.size(), 1u);
  EXPECT_EQ(file.meshes[0].name, "pCubeShape1");
  EXPECT_EQ(file.meshes[0].polygons.size(), 6u);

  ASSERT_TRUE(mel("select -add pCube1.f[3] pCube1.f[0:1] pPlane1.f[5];"));
  ASSERT_TRUE(mel("VXR_MeshExportCmd -file \"" + path("two") + "\";"));
  file = readMeshFile(path("two.vxrmesh"));
  ASSERT_EQ(file.meshes.size(), 2u);
  EXPECT_EQ(file.meshes[0].name, "pCubeShape1");
  EXPECT_EQ(file.meshes[1].name, "pPlaneShape1");

  ASSERT_TRUE(mel("select -d pPlane1.f[5];"));
  ASSERT_TRUE(mel("VXR_MeshExportCmd -file \"" + path("three") + "\";"));
  EXPECT_EQ(readMeshFile(path("three.vxrmesh")).meshes.size(), 1u);

  ::testing::internal::CaptureStderr();
  const bool edges = mel("select -r pPlane1.e[2];");
  const bool attribute = mel("select -r pPlane1.translateX;");
  const bool outOfRange = mel("select -r pPlane1.f[99];");
  const std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(edges);
  EXPECT_FALSE(attribute);
  EXPECT_FALSE(outOfRange);
  EXPECT_NE(messages.find("pPlane1.e[2]"), std::string::npos) << messages;
  ASSERT_TRUE(mel("VXR_MeshExportCmd -file \"" + path("four") + "\";"));
  file = readMeshFile(path("four.vxrmesh"));
  ASSERT_EQ(file.meshes.size(), 1u);
  EXPECT_EQ(file.meshes[0].name, "pCubeShape1");
}

// A mesh moved or scaled beyond the Float range would be written as infinities, a file every
// reader calls damaged: both write paths refuse it by name and keep the file that was there.
TEST_F(MeshMelTest, AMeshBeyondTheFloatRangeIsRefusedByName) {
  ASSERT_TRUE(mel("polyCube; polyPlane; move 1e39 0 0 pCube1; select -r pPlane1 pCube1;"));
  const std::string base = path("far");
  const std::string target = base + ".vxrmesh";
  {
    std::ofstream previous(target, std::ios::binary);
    previous << "previous contents";
  }
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(mel("VXR_MeshExportCmd -file \"" + base + "\";"));
  std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("|pCube1|pCubeShape1"), std::string::npos) << messages;
  EXPECT_EQ(readBytes(target), "previous contents");
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"far.vxrmesh"});
  // One fault, one wording, whichever front end met it.
  const std::string reason =
      "can't export the mesh |pCube1|pCubeShape1: a value is too large for the file or not a "
      "number (nothing written to " +
      target + ")";
  EXPECT_NE(messages.find("VXR_MeshExportCmd: " + reason), std::string::npos) << messages;

  ASSERT_TRUE(mel("select -r pPlane1 pCube1;"));
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(mel("file -exportSelected -type \"VXR PolyMesh\" \"" + target + "\";"));
  messages = ::testing::internal::GetCapturedStdout();
  ::testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("VXR PolyMesh: " + reason), std::string::npos) << messages;
  EXPECT_EQ(readBytes(target), "previous contents");

  ASSERT_TRUE(mel("move -a 0 0 0 pCube1; setAttr pCube1.scale 1 1e39 1;"));
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(mel("file -exportSelected -type \"VXR PolyMesh\" \"" + target + "\";"));
  messages = ::testing::internal::GetCapturedStdout();
  ::testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("|pCube1|pCubeShape1"), std::string::npos) << messages;
  EXPECT_EQ(readBytes(target), "previous contents");
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"far.vxrmesh"});

  // Large but within the range: written.
  ASSERT_TRUE(mel("setAttr pCube1.scale 1 1e37 1;"));
  EXPECT_TRUE(mel("VXR_MeshExportCmd -file \"" + base + "\";"));
  EXPECT_EQ(readMeshFile(target).meshes.size(), 2u);
}

}  // namespace
