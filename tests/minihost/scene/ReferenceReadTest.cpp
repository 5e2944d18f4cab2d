// Shots that reference other scene files, written here as studios save them (scenes/refs: a
// project with workspace.mel, assets and shots): namespaces, reference edits, placeholder
// connections, each way of finding a referenced file and each way a reference stays unloaded.

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <unistd.h>

#include "SceneFixture.h"
#include "scene/ReferenceLoader.h"
#include "scene/ReferencePaths.h"
#include "scene/ReferenceTable.h"

namespace {

using minihost::scenefile::SceneFileResult;

std::string refs() {
  return std::string(VXR_SCENE_DIR) + "/refs";
}

size_t countContaining(const std::vector<std::string>& texts, const std::string& part) {
  size_t n = 0;
  for (const std::string& t : texts)
    n += t.find(part) != std::string::npos ? 1 : 0;
  return n;
}

class ReferenceReadTest : public SceneFileTest {
 protected:
  void TearDown() override {
    minihost::scenefile::referenceSearchPath().clear();
    ::unsetenv("MINIHOST_REFERENCE_PATH");
    ::unsetenv("VXR_TEST_REFS");
  }
  SceneFileResult openShot(const std::string& name) { return open("refs/shots/" + name); }
};

TEST_F(ReferenceReadTest, ShotAnimationDrivesTheReferencedRigThroughThePlaceholderList) {
  SceneFileResult r = openShot("shot010.ma");
  EXPECT_EQ(countContaining(r.warnings, "not loaded"), 0u);
  // Written as C:\show\assets\camRig.ma: found below the project root.
  EXPECT_NEAR(numberAtFrame("shotCam:cam", "tx", 1), 0.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("|shotCam:rig|shotCam:cam", "tx", 6), 50.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("shotCam:rig|shotCam:cam", "tx", 11), 100.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("shotCam:cam", "ty", 11), 20.0, 1e-9);
  // setAttr edit; the rig's own value elsewhere.
  EXPECT_DOUBLE_EQ(number("shotCam:camShape", "fl"), 50.0);
  EXPECT_DOUBLE_EQ(number("shotCam:cam", "tz"), 50.0);
  // parent edit: the shot's marker went under the referenced rig.
  EXPECT_EQ(scene().fullPathName(node("marker")), "|shotCam:rig|marker");
  // connectAttr edit: the aim follows the camera's height; disconnectAttr edit: the rig's own
  // rotation link is gone.
  minihost::NodeRef aim = node("shotCam:aim"), src;
  int srcAttr = -1;
  ASSERT_TRUE(scene().inputOf(aim, scene().findAttribute(aim, "ty"), src, srcAttr));
  EXPECT_EQ(src, node("shotCam:cam"));
  EXPECT_FALSE(scene().inputOf(aim, scene().findAttribute(aim, "rx"), src, srcAttr));
  EXPECT_NEAR(numberAtFrame("shotCam:aim", "ty", 11), 20.0, 1e-9);
  // The rig's own reference, nested: both namespaces, with the rig's edit on it.
  EXPECT_DOUBLE_EQ(number("shotCam:lens:flare", "tx"), 7.0);
  EXPECT_DOUBLE_EQ(number("shotCam:lens:flare", "ty"), 3.0);
  // A name without its namespace is another node, as in the host.
  EXPECT_FALSE(scene().findNode("cam").isSet());
  EXPECT_FALSE(scene().findNode("flare").isSet());
}

TEST_F(ReferenceReadTest, TheSceneKnowsItsReferencesAndTheirNodes) {
  openShot("shot010.ma");
  auto& table = minihost::scenefile::ReferenceTable::get();
  const minihost::scenefile::SceneReference* rig = table.find("shotCamRN");
  const minihost::scenefile::SceneReference* lens = table.find("shotCam:lensRN");
  ASSERT_TRUE(rig && lens);
  EXPECT_TRUE(rig->loaded && lens->loaded);
  EXPECT_EQ(rig->nameSpace, "shotCam");
  EXPECT_EQ(lens->nameSpace, "shotCam:lens");
  EXPECT_EQ(lens->parentRefNode, "shotCamRN");
  EXPECT_EQ(rig->path, refs() + "/assets/camRig.ma");
  EXPECT_EQ(table.owning(node("shotCam:camShape")), rig);
  EXPECT_EQ(table.owning(node("shotCam:lens:flare")), lens);
}

TEST_F(ReferenceReadTest, AFileReferencedTwiceIsReadOnceAndBuiltUnderEachNamespace) {
  ::setenv("VXR_TEST_REFS", refs().c_str(), 1);
  SceneFileResult r = openShot("repeated.ma");
  // $VAR and ${VAR}; each copy with its own edits.
  EXPECT_DOUBLE_EQ(number("camA:camShape", "fl"), 35.0);
  EXPECT_DOUBLE_EQ(number("camB:camShape", "fl"), 70.0);
  EXPECT_TRUE(scene().findNode("camA:lens:flare").isSet());
  EXPECT_TRUE(scene().findNode("camB:lens:flare").isSet());
  // The rig file's one skipped statement is reported once: the file was read once.
  EXPECT_EQ(countContaining(r.warnings, "camRig.ma:7: skipped command 'cycleCheck'"), 1u);
  // An older file's renaming prefix instead of a namespace.
  EXPECT_DOUBLE_EQ(number("old_flare", "ty"), 3.0);
  // %VAR%, saved unloaded: left unloaded, as the host does.
  EXPECT_FALSE(scene().findNode("camC:rig").isSet());
  EXPECT_TRUE(anyContains(r.warnings, "(camCRN): it was saved unloaded (deferred)"));
}

TEST_F(ReferenceReadTest, ReferencesThatCannotLoadAreWarningsAndTheSceneOpens) {
  SceneFileResult r = openShot("faults.ma");
  EXPECT_TRUE(scene().findNode("keeper").isSet());
  for (const char* expected :
       {"faults.ma:3: the reference to \"/nowhere/at/all/gone.ma\" is not loaded (goneRN): the "
        "file is not found (tried /nowhere/at/all/gone.ma, ",
        "(binRN): binary scenes (.mb) are not read",
        "(cacheRN): Alembic files are not read; only ASCII scenes (.ma) are",
        "loopB.ma:3: the reference to \"loopA.ma\" is not loaded (loop:b:aRN): it refers back",
        "(farRN): the file is not found"}) {
    EXPECT_TRUE(anyContains(r.warnings, expected)) << expected;
  }
  // The loop is cut where it closes: both files are read once.
  EXPECT_TRUE(scene().findNode("loop:inA").isSet());
  EXPECT_TRUE(scene().findNode("loop:b:inB").isSet());
  EXPECT_FALSE(scene().findNode("loop:b:a:inA").isSet());
  // Relative to the shot's own folder.
  EXPECT_TRUE(scene().findNode("near:beside").isSet());
  auto& table = minihost::scenefile::ReferenceTable::get();
  ASSERT_NE(table.find("goneRN"), nullptr);
  EXPECT_FALSE(table.find("goneRN")->loaded);
}

TEST_F(ReferenceReadTest, TheUsersSearchPathFindsWhatTheProjectDoesNot) {
  minihost::scenefile::referenceSearchPath().push_back(refs() + "/library");
  openShot("faults.ma");
  // In its own file's units (metres).
  EXPECT_DOUBLE_EQ(number("far:found", "tx"), 200.0);
  minihost::scenefile::referenceSearchPath().clear();
  ::setenv("MINIHOST_REFERENCE_PATH", ("/nothing/here:" + refs() + "/library").c_str(), 1);
  openShot("faults.ma");
  EXPECT_TRUE(scene().findNode("far:found").isSet());
}

TEST_F(ReferenceReadTest, TheOpenedFilesDepthRecordsKeepANestedReferenceUnloaded) {
  SceneFileResult r = openShot("unloaded_nested.ma");
  EXPECT_TRUE(scene().findNode("rig:cam").isSet());
  EXPECT_FALSE(scene().findNode("rig:lens:flare").isSet());
  EXPECT_TRUE(anyContains(r.warnings, "(rig:lensRN): it was saved unloaded (deferred)"));
  // The rig file's own playback range, current time and render settings stay its own: a shot
  // takes them from its own file only.
  EXPECT_DOUBLE_EQ(scene().maxTicks(), 30000.0);
  EXPECT_DOUBLE_EQ(scene().currentTicks(), 250.0);
  EXPECT_DOUBLE_EQ(number("defaultRenderGlobals", "ef"), 10.0 * 250.0);
}

TEST_F(ReferenceReadTest, NestingDeeperThanTheBoundIsRefused) {
  char folder[] = "/tmp/vxr_refdepthXXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  const int files = minihost::scenefile::kMaxReferenceDepth + 3;
  for (int i = 0; i < files; ++i) {
    std::ofstream out(std::string(folder) + "/d" + std::to_string(i) + ".ma");
    out << "//Maya ASCII 2024 scene\n";
    if (i + 1 < files)
      out << "file -r -ns \"n\" -rfn \"nRN\" \"d" << i + 1 << ".ma\";\n";
    out << "createNode transform -n \"level" << i << "\";\n";
  }
  SceneFileResult r =
      minihost::scenefile::readSceneFile(std::string(folder) + "/d0.ma", scene(), true);
  EXPECT_TRUE(r.ok) << r.error;
  std::string deepest;
  for (int i = 0; i < minihost::scenefile::kMaxReferenceDepth; ++i)
    deepest += "n:";
  EXPECT_TRUE(scene().findNode(deepest + "level32").isSet());
  EXPECT_FALSE(scene().findNode(deepest + "n:level33").isSet());
  EXPECT_TRUE(anyContains(r.warnings, "references nest deeper than 32 levels"));
  for (int i = 0; i < files; ++i)
    std::remove((std::string(folder) + "/d" + std::to_string(i) + ".ma").c_str());
  ::rmdir(folder);
}

TEST_F(ReferenceReadTest, FilesReferencingEachOtherManyTimesOverStopAtTheBound) {
  char folder[] = "/tmp/vxr_refmanyXXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  // 70 x 70 copies of the innermost file would be 4,900 references.
  const char* names[] = {"shot.ma", "mid.ma", "leaf.ma"};
  for (int level = 0; level < 3; ++level) {
    std::ofstream out(std::string(folder) + "/" + names[level]);
    out << "//Maya ASCII 2024 scene\n";
    for (int i = 0; level < 2 && i < 70; ++i)
      out << "file -r -ns \"n" << i << "\" \"" << names[level + 1] << "\";\n";
    out << "createNode transform -n \"here\";\n";
  }
  SceneFileResult r =
      minihost::scenefile::readSceneFile(std::string(folder) + "/shot.ma", scene(), true);
  EXPECT_TRUE(r.ok) << r.error;
  EXPECT_EQ(countContaining(r.warnings, "this and every further one are left out"), 1u);
  size_t loaded = 0;
  for (const auto& ref : minihost::scenefile::ReferenceTable::get().references())
    loaded += ref.loaded ? 1 : 0;
  EXPECT_EQ(loaded, static_cast<size_t>(minihost::scenefile::kMaxLoadedReferences));
  EXPECT_TRUE(scene().findNode("n0:n0:here").isSet());
  for (const char* name : names)
    std::remove((std::string(folder) + "/" + name).c_str());
  ::rmdir(folder);
}

}  // namespace
