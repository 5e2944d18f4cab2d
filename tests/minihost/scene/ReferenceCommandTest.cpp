// The reference commands of the batch host on a shot opened from scenes/refs: referenceQuery,
// and file -unloadReference / -loadReference / -reference through the same reader.

#include <gtest/gtest.h>

#include "tests/support/PluginFixture.h"

namespace {

class ReferenceCommandTest : public PluginTest {
 protected:
  static std::string shot(const std::string& name) {
    return std::string(VXR_SCENE_DIR) + "/refs/shots/" + name;
  }
};

TEST_F(ReferenceCommandTest, ReferenceQueryAnswersForReferenceNodesFilesAndNodes) {
  ASSERT_TRUE(melScript("file -f -open \"" + shot("shot010.ma") + "\";"));
  const std::string rig = std::string(VXR_SCENE_DIR) + "/refs/assets/camRig.ma";
  EXPECT_EQ(melResult("referenceQuery -filename shotCamRN"), rig);
  EXPECT_EQ(melResult("referenceQuery -f -un shotCamRN"), "C:\\show\\assets\\camRig.ma");
  EXPECT_EQ(melResult("referenceQuery -namespace \"shotCam:camShape\""), ":shotCam");
  EXPECT_EQ(melResult("referenceQuery -ns -shn \"shotCam:lens:flare\""), "shotCam:lens");
  EXPECT_EQ(melResult("referenceQuery -referenceNode \"" + rig + "\""), "shotCamRN");
  EXPECT_EQ(melNumber("referenceQuery -isLoaded shotCam:lensRN"), 1.0);
  // The rig file's own nodes, not those of its lens.
  EXPECT_EQ(melNumber("size(`referenceQuery -nodes shotCamRN`)"), 6.0);
  EXPECT_EQ(melNumber("referenceQuery -isNodeReferenced \"shotCam:aim\""), 1.0);
  EXPECT_EQ(melNumber("referenceQuery -isNodeReferenced marker"), 0.0);
  // A leading ':' names the root namespace.
  EXPECT_EQ(melResult("ls -l \":shotCam:cam\""), "|shotCam:rig|shotCam:cam");
  EXPECT_EQ(melNumber("getAttr \":defaultRenderGlobals.endFrame\""), 11.0);
  // Patterns look in the namespaces they name, as the host's ls does.
  EXPECT_EQ(melNumber("size(`ls -type transform \"*\"`)"), 6.0);  // 4 cameras, foster, marker
  EXPECT_EQ(melNumber("size(`ls \"shotCam:*\"`)"), 6.0);
  EXPECT_EQ(melResult("ls \"shotCam:lens:*\""), "shotCam:lens:flare");
  EXPECT_EQ(melNumber("size(`ls -recursive true \"flare\"`)"), 0.0);
  EXPECT_EQ(melResult("ls -recursive true \"fla*\""), "shotCam:lens:flare");
  std::string errors;
  EXPECT_FALSE(mel("referenceQuery -f marker", nullptr, &errors));
  EXPECT_NE(errors.find("'marker' is not a reference"), std::string::npos) << errors;
}

// A new scene holds no references: none is queried, loaded or unloaded after it, as in the host.
TEST_F(ReferenceCommandTest, ANewSceneForgetsTheReferencesOfTheLastOne) {
  ASSERT_TRUE(melScript("file -f -open \"" + shot("shot010.ma") + "\";"));
  ASSERT_EQ(melNumber("referenceQuery -isLoaded shotCamRN"), 1.0);
  ASSERT_TRUE(melScript("file -f -new;"));
  std::string errors;
  EXPECT_FALSE(mel("referenceQuery -filename shotCamRN", nullptr, &errors));
  EXPECT_FALSE(mel("file -loadReference shotCamRN", nullptr, &errors));
  EXPECT_EQ(melNumber("size(`ls \"shotCam:*\"`)"), 0.0);
}

// file -query -sceneName names the file the scene was opened from, until another is opened or a
// new scene begins; an import, a reference or a refused open leaves it as it was.
TEST_F(ReferenceCommandTest, TheSceneIsNamedAfterTheFileItWasOpenedFrom) {
  ASSERT_TRUE(melScript("file -f -new;"));
  EXPECT_EQ(melResult("file -q -sceneName"), "");
  const std::string path = shot("shot010.ma");
  ASSERT_TRUE(melScript("file -f -open \"" + std::string(VXR_SCENE_DIR) +
                        "/refs/assets/../shots/shot010.ma\";"));
  EXPECT_EQ(melResult("file -q -sn"), path);
  EXPECT_EQ(melResult("file -q -sn -shn"), "shot010.ma");
  ASSERT_TRUE(
      melScript("file -import \"" + std::string(VXR_SCENE_DIR) + "/refs/assets/lens.ma\";"));
  std::string errors;
  EXPECT_FALSE(mel("file -f -open \"" + shot("no_such_shot.ma") + "\"", nullptr, &errors));
  EXPECT_EQ(melResult("file -q -sn"), path);
  ASSERT_TRUE(melScript("file -f -new;"));
  EXPECT_EQ(melResult("file -q -sn"), "");
}

// file -query -reference lists the scene's own references, or those inside a referenced file.
TEST_F(ReferenceCommandTest, FileQueryListsTheReferencesOfTheSceneOrOfAReferencedFile) {
  ASSERT_TRUE(melScript("file -f -open \"" + shot("shot010.ma") + "\";"));
  const std::string rig = std::string(VXR_SCENE_DIR) + "/refs/assets/camRig.ma";
  const std::string lens = std::string(VXR_SCENE_DIR) + "/refs/assets/lens.ma";
  EXPECT_EQ(melResult("file -q -reference"), rig);
  EXPECT_EQ(melResult("file -q -r -shn"), "camRig.ma");
  EXPECT_EQ(melResult("file -q -r -un"), "C:\\show\\assets\\camRig.ma");
  EXPECT_EQ(melResult("file -q -r \"" + std::string(VXR_SCENE_DIR) + "/refs/./shots/shot010.ma\""),
            rig);
  EXPECT_EQ(melResult("file -q -r \"" + rig + "\""), lens);
  EXPECT_EQ(melNumber("size(`file -q -r \"" + lens + "\"`)"), 0.0);
  std::string errors;
  EXPECT_FALSE(mel("file -q -r \"/elsewhere/other.ma\"", nullptr, &errors));
  EXPECT_NE(errors.find("is not a file of the current scene"), std::string::npos) << errors;
  ASSERT_TRUE(melScript("file -f -new;"));
  EXPECT_EQ(melNumber("size(`file -q -r`)"), 0.0);
}

TEST_F(ReferenceCommandTest, UnloadingKeepsTheShotsCurvesAndLoadingConnectsThemAgain) {
  ASSERT_TRUE(melScript("file -f -open \"" + shot("shot010.ma") + "\";"));
  ASSERT_TRUE(melScript("file -unloadReference shotCamRN;"));
  EXPECT_EQ(melNumber("referenceQuery -isLoaded shotCamRN"), 0.0);
  EXPECT_EQ(melNumber("referenceQuery -isLoaded shotCam:lensRN"), 0.0);
  EXPECT_EQ(melNumber("size(`ls \"shotCam:*\"`)"), 0.0);
  // The shot's own nodes stay: its curves, and the marker it parented under the rig.
  EXPECT_EQ(melNumber("size(`ls cam_translateX`)"), 1.0);
  EXPECT_EQ(melResult("ls -l marker"), "|shotCamRNfosterParent1|marker");
  ASSERT_TRUE(melScript("file -loadReference shotCamRN;"));
  EXPECT_EQ(melNumber("referenceQuery -isLoaded shotCamRN"), 1.0);
  EXPECT_EQ(melResult("ls -l marker"), "|shotCam:rig|marker");
  // Edits again, and the animation through the placeholders again.
  EXPECT_EQ(melNumber("getAttr shotCam:camShape.focalLength"), 50.0);
  EXPECT_EQ(melNumber("getAttr -t 11 shotCam:cam.tx"), 100.0);
  EXPECT_EQ(melNumber("getAttr shotCam:lens:flare.tx"), 7.0);
}

TEST_F(ReferenceCommandTest, ADeferredNestedReferenceLoadsLaterWithItsEdits) {
  const std::string text =
      "file -f -new;\n"
      "file -f -open \"" +
      shot("unloaded_nested.ma") + "\";\n";
  ASSERT_TRUE(melScript(text));
  EXPECT_EQ(melNumber("referenceQuery -isLoaded \"rig:lensRN\""), 0.0);
  ASSERT_TRUE(melScript("file -lr \"rig:lensRN\";"));
  EXPECT_EQ(melNumber("referenceQuery -isLoaded \"rig:lensRN\""), 1.0);
  // The rig file's edit on its lens applies on this late load too.
  EXPECT_EQ(melNumber("getAttr rig:lens:flare.tx"), 7.0);
}

TEST_F(ReferenceCommandTest, AReferenceSavedUnloadedLoadsWithTheShotsAnimation) {
  ASSERT_TRUE(melScript("file -f -open \"" + shot("deferred_rig.ma") + "\";"));
  EXPECT_EQ(melNumber("referenceQuery -isLoaded camRN"), 0.0);
  // Unread, yet its file was looked for: the name is the file found.
  EXPECT_EQ(melResult("referenceQuery -filename camRN"),
            std::string(VXR_SCENE_DIR) + "/refs/assets/camRig.ma");
  EXPECT_EQ(melResult("referenceQuery -filename -unresolvedName camRN"), "../assets/camRig.ma");
  EXPECT_EQ(melNumber("size(`ls \"cam:*\"`)"), 0.0);
  ASSERT_TRUE(melScript("file -loadReference camRN;"));
  EXPECT_EQ(melNumber("getAttr cam:camShape.focalLength"), 85.0);
  EXPECT_EQ(melNumber("getAttr -t 1 cam:cam.tx"), -5.0);
  EXPECT_EQ(melNumber("getAttr -t 11 cam:cam.tx"), 5.0);
}

TEST_F(ReferenceCommandTest, FileReferenceAddsAFileUnderAFreshNamespace) {
  ASSERT_TRUE(melScript("file -f -new;"));
  const std::string lens = std::string(VXR_SCENE_DIR) + "/refs/assets/lens.ma";
  ASSERT_TRUE(melScript("file -reference -namespace \"fx\" \"" + lens + "\";"));
  ASSERT_TRUE(melScript("file -r -ns \"fx\" \"" + lens + "\";"));
  EXPECT_EQ(melNumber("getAttr fx:flare.ty"), 3.0);
  EXPECT_EQ(melNumber("getAttr fx1:flare.ty"), 3.0);
  // The second reference of the same file is told from the first by its copy number.
  EXPECT_EQ(melResult("referenceQuery -f fxRN"), lens);
  EXPECT_EQ(melResult("referenceQuery -f fx1RN"), lens + "{1}");
  EXPECT_EQ(melResult("referenceQuery -f -wcn fx1RN"), lens);
  EXPECT_EQ(melResult("referenceQuery -f -shn fx1RN"), "lens.ma{1}");
  EXPECT_EQ(melResult("referenceQuery -rfn \"" + lens + "{1}\""), "fx1RN");
  EXPECT_EQ(melResult("referenceQuery -rfn \"" + lens + "\""), "fxRN");
  EXPECT_EQ(melResult("file -q -r"), lens + " " + lens + "{1}");
  // A copy keeps its number when the first is loaded again; a new one takes the lowest free.
  ASSERT_TRUE(melScript("file -unloadReference fxRN; file -loadReference fxRN;"));
  EXPECT_EQ(melResult("referenceQuery -f fxRN"), lens);
  EXPECT_EQ(melResult("referenceQuery -f fx1RN"), lens + "{1}");
  ASSERT_TRUE(melScript("file -r -ns \"fx\" \"" + lens + "\";"));
  EXPECT_EQ(melResult("referenceQuery -f fx2RN"), lens + "{2}");
  std::string errors;
  EXPECT_FALSE(mel("file -r \"/no/such/file.ma\"", nullptr, &errors));
  EXPECT_NE(errors.find("cannot find \"/no/such/file.ma\""), std::string::npos) << errors;
}

TEST_F(ReferenceCommandTest, ImportingAShotLoadsItsReferencesIntoTheScene) {
  ASSERT_TRUE(melScript("file -f -new; createNode transform -n keeper;"));
  ASSERT_TRUE(melScript("file -import \"" + shot("shot010.ma") + "\";"));
  EXPECT_EQ(melNumber("size(`ls keeper`)"), 1.0);
  EXPECT_EQ(melNumber("getAttr -t 11 shotCam:cam.tx"), 100.0);
  EXPECT_EQ(melNumber("referenceQuery -isLoaded shotCamRN"), 1.0);
}

TEST_F(ReferenceCommandTest, ImportingUnderANamespacePutsEveryNodeAndNestedReferenceInIt) {
  ASSERT_TRUE(melScript("file -f -new; createNode transform -n rig;"));
  const std::string rig = std::string(VXR_SCENE_DIR) + "/refs/assets/camRig.ma";
  ASSERT_TRUE(melScript("file -import -namespace \"shot\" \"" + rig + "\";"));
  ASSERT_TRUE(melScript("file -i -ns \":shot\" \"" + rig + "\";"));
  // The scene's own rig is left alone; each import gets a namespace of its own.
  EXPECT_EQ(melResult("ls -l rig"), "|rig");
  EXPECT_EQ(melResult("ls -l \"shot:cam\""), "|shot:rig|shot:cam");
  EXPECT_EQ(melNumber("getAttr shot1:camShape.focalLength"), 35.0);
  EXPECT_EQ(melNumber("size(`ls \"shot:*\"`)"), melNumber("size(`ls \"shot1:*\"`)"));
  // The imported file's own wiring and its reference's edits follow it into the namespace.
  ASSERT_TRUE(melScript("setAttr shot1:cam.rx 30;"));
  EXPECT_EQ(melNumber("getAttr shot1:aim.rx"), 30.0);
  EXPECT_EQ(melNumber("getAttr shot:aim.rx"), 0.0);
  EXPECT_EQ(melResult("referenceQuery -ns -shn \"shot1:lens:flare\""), "shot1:lens");
  EXPECT_EQ(melNumber("getAttr shot1:lens:flare.tx"), 7.0);
}

}  // namespace
