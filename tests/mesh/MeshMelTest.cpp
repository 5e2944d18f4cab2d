// The export driven by scripts: primitives made with MEL, the up axis the host reports, the
// file command and the per-frame example script.

#include <gtest/gtest.h>

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include "MeshFileReadBack.h"
#include "PluginHost.h"
#include "mel/MelHost.h"

namespace {

class MeshMelTest : public PluginTest {
 protected:
  void SetUp() override {
    mel::initMinihostMel();
    PluginTest::SetUp();
  }
  static bool mel(const std::string& text) {
    return MGlobal::executeCommand(MString(text.c_str()), false, false);
  }
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

}  // namespace
