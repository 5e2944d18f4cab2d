#include <gtest/gtest.h>

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <string>

#include "engine/Scene.h"
#include "mel/host/MelHost.h"

namespace {

class MelHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = &mel::initMinihostMel();
    host->interp().setOutput([this](const std::string& s) { out += s; });
    host->interp().setDiagnostics([this](const std::string& s) { err += s; });
    minihost::Scene::get().newScene();
    host->killAllJobs();
    host->setInteractive(false);
  }
  void TearDown() override { mel::shutdownMinihostMel(); }

  mel::MelHost* host = nullptr;
  std::string out;
  std::string err;
};

TEST_F(MelHostTest, ExecuteCommandReturnsTheResultAsText) {
  MString result;
  ASSERT_TRUE(MGlobal::executeCommand("upAxis -q -axis;", result, false, false));
  EXPECT_EQ(std::string(result.asChar()), "y");
  ASSERT_TRUE(MGlobal::executeCommand("upAxis -ax z; upAxis -q -axis;", result));
  EXPECT_EQ(std::string(result.asChar()), "z");
  ASSERT_TRUE(MGlobal::executeCommand("ls -type camera", result));
  EXPECT_EQ(std::string(result.asChar()), "perspShape topShape frontShape sideShape");
  MGlobal::executeCommand("upAxis -ax y;");
}

TEST_F(MelHostTest, AFailedCommandFailsTheCallAndSaysWhere) {
  EXPECT_FALSE(MGlobal::executeCommand("noSuchCommand 1;"));
  EXPECT_EQ(err, "// Error: line 1: Cannot find procedure \"noSuchCommand\". //\n");
}

TEST_F(MelHostTest, ModuleWarningTextIsShownInTheHostsForm) {
  ASSERT_TRUE(MGlobal::executeCommand("warning \" vxr error - see output window for details.\"\n",
                                      false, false));
  EXPECT_EQ(err, "// Warning:  vxr error - see output window for details. //\n");
  err.clear();
  MGlobal::displayWarning("direct");
  EXPECT_EQ(err, "// Warning: direct //\n");
}

// The host's batch mode has no script jobs: scriptJob makes none and nothing runs later.
TEST_F(MelHostTest, ABatchSessionHasNoScriptJobs) {
  EXPECT_EQ(MGlobal::mayaState(), MGlobal::kBatch);
  ASSERT_TRUE(host->runTopLevelText("global int $gRan = 0;"));
  MString job;
  ASSERT_TRUE(MGlobal::executeCommand(
      "scriptJob -runOnce true -conditionFalse \"busy\" \"global int $gRan; $gRan = 1;\";", job));
  EXPECT_EQ(std::string(job.asChar()), "0");
  EXPECT_TRUE(host->jobs().empty());
  EXPECT_TRUE(host->runIdleJobs());
  MString ran;
  ASSERT_TRUE(MGlobal::executeCommand("global int $gRan; $gRan;", ran));
  EXPECT_EQ(std::string(ran.asChar()), "0");
  EXPECT_EQ(err, "");
}

TEST_F(MelHostTest, InteractiveIdleJobsRunOnceTheTopLevelScriptHasFinished) {
  host->setInteractive(true);
  EXPECT_EQ(MGlobal::mayaState(), MGlobal::kInteractive);
  ASSERT_TRUE(
      host->runTopLevelText("global string $gLog = \"\";"
                            "global proc logIt(string $s) { global string $gLog; $gLog += $s; }"));
  // Not between two statements of one script: only once the whole text is over.
  ASSERT_TRUE(
      host->runTopLevelText("scriptJob -runOnce true -conditionFalse \"busy\" \"logIt a\";"
                            "scriptJob -runOnce true -conditionFalse \"busy\" \"logIt b\";"
                            "global string $gLog; logIt(\"[\" + $gLog + \"]\");"));
  MString log;
  ASSERT_TRUE(MGlobal::executeCommand("global string $gLog; $gLog;", log));
  EXPECT_EQ(std::string(log.asChar()), "[]ab");
  // Issued while idle, by a plug-in's executeCommand: it runs as soon as that call ends.
  ASSERT_TRUE(MGlobal::executeCommand("scriptJob -ro true -cf \"busy\" \"logIt c\";"));
  ASSERT_TRUE(MGlobal::executeCommand("global string $gLog; $gLog;", log));
  EXPECT_EQ(std::string(log.asChar()), "[]abc");
  EXPECT_TRUE(host->jobs().empty());
}

TEST_F(MelHostTest, AFailingIdleJobDoesNotStopTheOthers) {
  host->setInteractive(true);
  ASSERT_TRUE(host->runTopLevelText("global int $gSecond = 0;"));
  ASSERT_TRUE(host->runTopLevelText(
      "{ scriptJob -runOnce true -conditionFalse \"busy\" \"error \\\"first job\\\"\";"
      "  scriptJob -runOnce true -conditionFalse \"busy\" \"global int $gSecond; $gSecond = 1;\"; "
      "}"));
  EXPECT_NE(err.find("first job"), std::string::npos) << err;
  EXPECT_TRUE(host->jobFailed());
  MString second;
  ASSERT_TRUE(MGlobal::executeCommand("global int $gSecond; $gSecond;", second));
  EXPECT_EQ(std::string(second.asChar()), "1");
  EXPECT_TRUE(host->jobs().empty());
}

TEST_F(MelHostTest, PersistentIdleJobRunsAtEveryIdlePoint) {
  host->setInteractive(true);
  ASSERT_TRUE(host->runTopLevelText("global int $gTicks = 0;"));
  ASSERT_TRUE(host->runTopLevelText(
      "scriptJob -runOnce false -idleEvent \"global int $gTicks; $gTicks++;\";"));
  ASSERT_TRUE(host->runTopLevelText("int $a = 1; int $b = 2;"));
  MString ticks;
  ASSERT_TRUE(MGlobal::executeCommand("global int $gTicks; $gTicks;", ticks));
  // Once after the issuing script and once after the next; the query's own idle point comes
  // after its value is read.
  EXPECT_EQ(std::string(ticks.asChar()), "2");
  host->killAllJobs();
}

TEST_F(MelHostTest, SourceFileFailsCleanlyForAMissingScript) {
  EXPECT_FALSE(MGlobal::sourceFile("noSuchScript.mel"));
  EXPECT_NE(err.find("Cannot find file \"noSuchScript.mel\""), std::string::npos);
}

}  // namespace

namespace {

std::string melText(const std::string& text) {
  MString result;
  EXPECT_TRUE(MGlobal::executeCommand(MString(text.c_str()), result, false, false)) << text;
  return result.asChar();
}

// "-update false" moves the time and leaves animated values as they are, so a script can set
// and key values frame by frame without the whole scene being evaluated at each frame.
TEST_F(MelHostTest, CurrentTimeWithoutUpdateLeavesAnimatedValuesAlone) {
  melText("setKeyframe -t 1 -v 0 -at tx persp; setKeyframe -t 11 -v 10 -at tx persp;");
  melText("currentTime 1;");
  melText("currentTime -update false 11;");
  EXPECT_EQ(melText("currentTime -q"), "11");
  EXPECT_EQ(melText("getAttr persp.tx"), "0");
  melText("setAttr persp.tx 4; setKeyframe -at tx persp;");
  melText("currentTime -update true 1; currentTime 11;");
  EXPECT_EQ(melText("getAttr persp.tx"), "4");
}

// Exact names are looked up, not matched against every node; the answer is the same.
TEST_F(MelHostTest, LsOfExactNamesGivesThoseNodesInSceneOrder) {
  EXPECT_EQ(melText("stringArrayToString(`ls side persp |top frontShape nothing`, \" \")"),
            "persp top frontShape side");
  EXPECT_EQ(melText("stringArrayToString(`ls -long topShape`, \" \")"), "|top|topShape");
  EXPECT_EQ(melText("stringArrayToString(`ls -type camera side*`, \" \")"), "sideShape");
}

}  // namespace
