// Attributes a scene file adds to its nodes (addAttr) and the attributes it locks (setAttr -l),
// read back through the scene.

#include <algorithm>
#include <string>

#include "SceneFixture.h"

namespace {

class AddedAttributeReadTest : public SceneFileTest {};

TEST_F(AddedAttributeReadTest, AddedAttributesTakeTheFilesValuesInItsUnits) {
  minihost::scenefile::SceneFileResult r = open("added_attributes.ma");
  minihost::NodeRef ctrl = node("ctrl");
  const int follow = scene().findAttribute(ctrl, "follow");
  ASSERT_GE(follow, 0);
  EXPECT_EQ(scene().findAttribute(ctrl, "fl"), follow);
  ASSERT_NE(scene().dynamicAttribute(ctrl, follow), nullptr);
  EXPECT_TRUE(scene().dynamicAttribute(ctrl, follow)->limits.hasMax);
  EXPECT_TRUE(scene().attributeInfo(ctrl, follow)->keyable);
  EXPECT_DOUBLE_EQ(number("ctrl", "space"), 2.0);
  // The file is in metres: 1 2 3 m are 100 200 300 cm, and they drive the box through the
  // compound connection.
  EXPECT_DOUBLE_EQ(number("ctrl", "offsetY"), 200.0);
  EXPECT_DOUBLE_EQ(number("box", "tz"), 300.0);
  EXPECT_DOUBLE_EQ(number("ctrl", "twist"), 90.0 * kPi / 180.0);
  EXPECT_DOUBLE_EQ(number("ctrl", "count"), 3.0);
  std::string notes;
  ASSERT_TRUE(scene().getText(ctrl, scene().findAttribute(ctrl, "notes"), notes));
  EXPECT_EQ(notes, "hero control");
  minihost::NodeRef src;
  int srcAttr = -1;
  ASSERT_TRUE(scene().inputOf(ctrl, scene().findAttribute(ctrl, "target"), src, srcAttr));
  EXPECT_EQ(src, node("box"));
  // The file's curve drives the added attribute.
  EXPECT_NEAR(numberAtFrame("ctrl", "follow", 6), 0.5, 1e-9);
  // What the scene cannot hold is said and left out; the rest of the file reads.
  for (const char* expected : {"\"weightList\" on \"ctrl\" is left out: multi attributes",
                               "\"offsetMatrix\" on \"ctrl\" is left out: attribute type",
                               "\"clash\" on \"ctrl\" is left out: An attribute named 'tx'"}) {
    EXPECT_TRUE(anyContains(r.warnings, expected)) << expected;
  }
  EXPECT_EQ(scene().findAttribute(ctrl, "weightList"), -1);
  EXPECT_EQ(scene().findAttribute(ctrl, "clash"), -1);
  EXPECT_EQ(scene().dynamicAttributes(ctrl).size(), 10u);  // offset's three children included
}

TEST_F(AddedAttributeReadTest, LockedAttributesKeepTheFilesValueAndRefuseChanges) {
  open("added_attributes.ma");
  minihost::NodeRef ctrl = node("ctrl");
  const int tz = scene().findAttribute(ctrl, "tz");
  EXPECT_TRUE(scene().isLocked(ctrl, tz));
  EXPECT_DOUBLE_EQ(number("ctrl", "tz"), 50.0);
  EXPECT_FALSE(scene().setNumber(ctrl, tz, 1.0));
  EXPECT_TRUE(scene().isLocked(ctrl, scene().findAttribute(ctrl, "sx")));
  // A locked compound locks its children.
  EXPECT_TRUE(scene().isLocked(ctrl, scene().findAttribute(ctrl, "ry")));
  EXPECT_FALSE(scene().setNumber(ctrl, scene().findAttribute(ctrl, "ry"), 1.0));
  EXPECT_FALSE(scene().isLocked(ctrl, scene().findAttribute(ctrl, "tx")));
  // A lock the file sets after its connection does not stop it: the box's locked ty still
  // follows the control's offset.
  minihost::NodeRef box = node("box");
  EXPECT_TRUE(scene().isLocked(box, scene().findAttribute(box, "ty")));
  ASSERT_TRUE(scene().setNumber(ctrl, scene().findAttribute(ctrl, "offsetY"), 40.0));
  EXPECT_DOUBLE_EQ(number("box", "ty"), 40.0);
}

TEST_F(AddedAttributeReadTest, AddAttrStatementsOutsideANodeOrWithUnknownFlagsAreLeftOut) {
  minihost::scenefile::SceneFileResult r = minihost::scenefile::readSceneText(
      "//Maya ASCII 2024 scene\n"
      "addAttr -ln \"early\" -at \"double\";\n"
      "createNode transform -n \"n\";\n"
      "\taddAttr -ln \"strange\" -zz 1 -at \"double\";\n"
      "\taddAttr -ln \"noValue\" -dv;\n"
      "\taddAttr -ln \"badEnum\" -at \"enum\" -en \"a=x\";\n"
      "\taddAttr -ln \"kept\" -dv 4;\n",
      "odd.ma", scene(), true);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(anyContains(r.warnings, "addAttr before any createNode"));
  EXPECT_TRUE(anyContains(r.warnings, "addAttr does not take -zz"));
  EXPECT_TRUE(anyContains(r.warnings, "addAttr -dv has no value"));
  EXPECT_TRUE(anyContains(r.warnings, "enum field \"a=x\" has no whole value"));
  EXPECT_DOUBLE_EQ(number("n", "kept"), 4.0);
  EXPECT_EQ(scene().findAttribute(node("n"), "strange"), -1);
}

TEST_F(AddedAttributeReadTest, ANodeTakesABoundedNumberOfAttributesFromAFile) {
  std::string text = "//Maya ASCII 2024 scene\ncreateNode transform -n \"n\";\n";
  for (int i = 0; i < 4105; ++i)
    text += "\taddAttr -ln \"a" + std::to_string(i) + "\";\n";
  text += "\tsetAttr \".a4095\" 7;\n";
  minihost::scenefile::SceneFileResult r =
      minihost::scenefile::readSceneText(text, "many.ma", scene(), true);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(scene().dynamicAttributes(node("n")).size(), 4096u);
  EXPECT_DOUBLE_EQ(number("n", "a4095"), 7.0);
  EXPECT_EQ(scene().findAttribute(node("n"), "a4096"), -1);
  // Nine refused: the first five said, the rest counted.
  EXPECT_EQ(std::count_if(r.warnings.begin(), r.warnings.end(),
                          [](const std::string& w) {
                            return w.find("as many as a node may") != std::string::npos;
                          }),
            5);
  EXPECT_TRUE(anyContains(r.warnings, "4 more addAttr statements are left out"));
}

}  // namespace
