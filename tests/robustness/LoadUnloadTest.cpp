// Loading and unloading the plug-in over and over in one process, with documents left open each
// time: nothing crashes, nothing leaks (the sanitized build checks), and nothing the plug-in
// registered outlives it.

#include <algorithm>
#include <string>
#include <vector>

#include "ValidAnimationFile.h"
#include "tests/support/FileText.h"
#include "tests/support/PluginFixture.h"

namespace {

class LoadUnloadTest : public PluginTest {
 protected:
  static bool listed(const std::string& query, const std::string& name) {
    std::string names;
    EXPECT_TRUE(mel(query, &names)) << query;
    return names.find(name) != std::string::npos;
  }
  static bool loaded() {
    std::string answer;
    EXPECT_TRUE(mel(std::string("pluginInfo -q -loaded ") + pluginName() + ";", &answer));
    return answer == "1";
  }
};

TEST_F(LoadUnloadTest, ManyCyclesWithOpenDocumentsLeaveNothingRegistered) {
  const std::string file = path("scene.vxranim");
  writeBytes(file, validAnimationFile(2, 1, 3));
  // A thousand cycles take seconds, and about half a minute under the sanitizers.
  const int cycles = 1000;
  const std::string openCommand = "VXR_AnimationImportCmd -open \"" + file + "\";";
  const std::string load = std::string("loadPlugin \"") + pluginPath() + "\";";
  const std::string unload = std::string("unloadPlugin ") + pluginName() + ";";

  for (int cycle = 0; cycle < cycles; ++cycle) {
    std::string handle;
    ASSERT_TRUE(mel(openCommand, &handle)) << "cycle " << cycle;
    ASSERT_NE(handle, "0") << "cycle " << cycle;
    std::string second;
    ASSERT_TRUE(mel(openCommand, &second));
    std::string count;
    ASSERT_TRUE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras;", &count));
    ASSERT_EQ(count, "2");

    ASSERT_TRUE(mel(unload)) << "cycle " << cycle;
    ASSERT_FALSE(loaded());
    std::string errors;
    EXPECT_FALSE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras;", nullptr, &errors));
    EXPECT_FALSE(mel("VXR_MeshExportCmd -file \"" + path("mesh") + "\";"));
    EXPECT_FALSE(listed("pluginInfo -q -command;", "VXR_"));
    EXPECT_FALSE(listed("pluginInfo -q -translator;", "VXR "));
    EXPECT_FALSE(mel("file -exportAll -type \"VXR Animation\" \"" + path("out.vxranim") + "\";"));

    ASSERT_TRUE(mel(load)) << "cycle " << cycle;
    ASSERT_TRUE(loaded());
    ASSERT_TRUE(listed("pluginInfo -q -command;", "VXR_AnimationImportCmd"));
    ASSERT_TRUE(listed("pluginInfo -q -translator;", "VXR Animation"));
  }
  // Only the test's own file is there: nothing the exports tried was written.
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"scene.vxranim"});
}

// A handle from before an unload means nothing after the next load: the documents went with the
// plug-in, so the new instance refuses the old number instead of reading freed memory.
TEST_F(LoadUnloadTest, AHandleFromAnEarlierLoadIsRefused) {
  const std::string file = path("scene.vxranim");
  writeBytes(file, validAnimationFile(1, 0, 2));
  std::string handle;
  ASSERT_TRUE(mel("VXR_AnimationImportCmd -open \"" + file + "\";", &handle));
  ASSERT_NE(handle, "0");
  ASSERT_TRUE(mel(std::string("unloadPlugin ") + pluginName() + ";"));
  ASSERT_TRUE(mel(std::string("loadPlugin \"") + pluginPath() + "\";"));
  EXPECT_FALSE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras;"));
}

// The registry goes with the module, but handles must not start again after a reload: a job
// issued for a document before the unload would find another document under its handle.
TEST_F(LoadUnloadTest, HandlesAreNeverIssuedTwiceAcrossReloads) {
  const std::string file = path("scene.vxranim");
  writeBytes(file, validAnimationFile(1, 0, 1));
  const std::string openCommand = "VXR_AnimationImportCmd -open \"" + file + "\";";
  std::vector<std::string> issued;
  for (int cycle = 0; cycle < 3; ++cycle) {
    for (int i = 0; i < 2; ++i) {
      std::string handle;
      ASSERT_TRUE(mel(openCommand, &handle));
      ASSERT_NE(handle, "0");
      EXPECT_EQ(std::find(issued.begin(), issued.end(), handle), issued.end())
          << "handle " << handle << " issued again in cycle " << cycle;
      issued.push_back(handle);
    }
    // One document is closed, one left open, before the unload.
    ASSERT_TRUE(mel("VXR_AnimationImportCmd -id " + issued.back() + " -close;"));
    ASSERT_TRUE(mel(std::string("unloadPlugin ") + pluginName() + ";"));
    ASSERT_TRUE(mel(std::string("loadPlugin \"") + pluginPath() + "\";"));
  }
}

}  // namespace
