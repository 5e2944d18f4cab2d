// A scene file is untrusted input: what is not scene data is skipped with a warning and never
// run, and a damaged file is refused with its file and line while the scene stays as it was.

#include <unistd.h>

#include "SceneFixture.h"

namespace {

using minihost::scenefile::readSceneText;
using minihost::scenefile::SceneFileResult;

TEST_F(SceneFileTest, CodeInTheFileIsSkippedWithOneWarningEachAndNeverRun) {
  ::unlink("/tmp/vxr_scene_python_ran");
  ::unlink("/tmp/vxr_scene_system_ran");
  SceneFileResult r = open("untrusted.ma");
  for (const char* expected :
       {"untrusted.ma:6: skipped command 'python'", "untrusted.ma:7: skipped command 'system'",
        "untrusted.ma:8: skipped command 'eval'", "untrusted.ma:9: skipped command 'global'",
        "untrusted.ma:12: skipped command 'madeByScene'",
        "untrusted.ma:14: script node \"onOpen\" is not run"}) {
    EXPECT_TRUE(anyContains(r.warnings, expected)) << expected;
  }
  EXPECT_NE(::access("/tmp/vxr_scene_python_ran", F_OK), 0);
  EXPECT_NE(::access("/tmp/vxr_scene_system_ran", F_OK), 0);
  for (const char* name : {"evalMade", "procMade", "scriptMade"})
    EXPECT_FALSE(scene().findNode(name).isSet()) << name;
  EXPECT_TRUE(scene().findNode("target").isSet());
}

TEST_F(SceneFileTest, WhatTheBatchHostDoesNotEvaluateIsNamedOncePerNode) {
  SceneFileResult r = open("untrusted.ma");
  for (const char* expected :
       {"untrusted.ma:17: expression \"expression1\" is not evaluated",
        "untrusted.ma:20: constraint \"target_geometryConstraint1\" (geometryConstraint)",
        "untrusted.ma:21: plug-in node \"fancy1\" (fancyNode) is not evaluated",
        "untrusted.ma:23: the reference to \"/projects/prop.ma\" is not loaded",
        "untrusted.ma:25: instancing", "\"motionPath1\" (motionPath) drives target.tx"}) {
    EXPECT_TRUE(anyContains(r.warnings, expected)) << expected;
  }
  // Unknown types are kept as placeholders, the constraint below its transform.
  minihost::NodeRef constraint = scene().findNode("target_geometryConstraint1");
  ASSERT_TRUE(constraint.isSet());
  EXPECT_EQ(scene().parentOf(constraint), scene().findNode("target"));
}

// Texts that stop or go wrong at a known line; each must leave the scene as it was.
struct Damaged {
  const char* text;
  const char* error;
};

TEST_F(SceneFileTest, DamagedFilesAreRefusedWithFileAndLineAndChangeNothing) {
  std::string error;
  minihost::NodeRef keeper = scene().createNode("transform", "keeper", minihost::NodeRef{}, &error);
  ASSERT_TRUE(keeper.isSet()) << error;
  const Damaged cases[] = {
      {"createNode transform -n \"a\";\n\tsetAttr \".t\" -type \"double3\" 1 2",
       "cut.ma:2: the file ends inside a statement"},
      {"createNode transform -n \"a\";\nsetAttr \".imn\" -type \"string\" \"unfinished",
       "cut.ma:2: unterminated string"},
      {"createNode transform -n \"a\";\ncreateNode mesh -n \"aShape\" -p \"a\";\n"
       "\tsetAttr -s 3 \".vt[0:2]\" 0 0 0 1 0 0 0 1 0;\n"
       "\tsetAttr -s 1 \".ed[0]\" 0 1 0;\n\tsetAttr \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;",
       "cut.ma:2: mesh \"aShape\": a face names an edge that does not exist"},
      {"createNode animCurveTL -n \"c\";\n\tsetAttr -s 2 \".ktv[0:1]\" 1 0 2;",
       "cut.ma:2: .ktv[0:1]: expected 4 values, found 3"},
      {"createNode animCurveTL -n \"c\";\n\tsetAttr \".pre\" 2e111;",
       "cut.ma:2: .pre: value out of range"},
      {"createNode animCurveTL -n \"c\";\n\tsetAttr -s 2 \".kit[0:1]\" 1 -3e10;",
       "cut.ma:2: .kit[0:1]: value out of range"},
      {"createNode animCurveTL -n \"c\";\n\tsetAttr \".ktv[999999999999]\" 1 0;",
       "cut.ma:2: .ktv[999999999999]: index out of range"},
      {"createNode transform -n \"a\";\n/* never closed", "cut.ma:2: unterminated comment"},
      {"currentUnit -l parsec;", "cut.ma:1: unknown unit \"parsec\""},
  };
  for (const Damaged& c : cases) {
    SceneFileResult r = readSceneText(c.text, "cut.ma", scene(), true);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
    EXPECT_TRUE(scene().isAlive(keeper)) << c.text;
    EXPECT_FALSE(scene().findNode("a").isSet()) << c.text;
  }
}

TEST_F(SceneFileTest, BinaryScenesAreRefusedWithAReason) {
  SceneFileResult r = minihost::scenefile::readSceneFile("/nowhere/shot.mb", scene(), true);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("only ASCII scenes (.ma) are"), std::string::npos) << r.error;
}

TEST_F(SceneFileTest, ImportAddsToTheSceneAndOpenReplacesIt) {
  std::string error;
  ASSERT_TRUE(scene().createNode("transform", "keeper", minihost::NodeRef{}, &error).isSet());
  SceneFileResult r =
      minihost::scenefile::readSceneFile(scenePath("transforms.ma"), scene(), false);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(scene().findNode("keeper").isSet());
  EXPECT_TRUE(scene().findNode("sheared").isSet());
  open("names.ma");
  EXPECT_FALSE(scene().findNode("keeper").isSet());
  EXPECT_FALSE(scene().findNode("sheared").isSet());
  EXPECT_TRUE(scene().findNode("persp").isSet());
}

}  // namespace
