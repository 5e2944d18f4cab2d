// A shot whose reference edits add attributes to the referenced rig, set them, drive one with the
// shot's animation through the placeholder list, lock and unlock attributes and delete one.

#include "SceneFixture.h"

namespace {

class ReferenceAttributeEditTest : public SceneFileTest {};

TEST_F(ReferenceAttributeEditTest, EditsAddSetLockAndDeleteInTheirOrder) {
  minihost::scenefile::SceneFileResult r = open("refs/shots/attribute_edits.ma");
  minihost::NodeRef rig = node("cam:rig");
  // Added by the edits; the shot's curve reaches the added attribute through the placeholder.
  const int focus = scene().findAttribute(rig, "fd");
  ASSERT_GE(focus, 0);
  EXPECT_TRUE(scene().attributeInfo(rig, focus)->keyable);
  EXPECT_NEAR(numberAtFrame("cam:rig", "focusDistance", 1), 200.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("cam:rig", "focusDistance", 6), 700.0, 1e-9);
  std::string take;
  ASSERT_TRUE(scene().getText(rig, scene().findAttribute(rig, "take"), take));
  EXPECT_EQ(take, "t7");
  // Added, set, then deleted.
  EXPECT_EQ(scene().findAttribute(rig, "scratch"), -1);
  // Locked before the setAttr edit after it: the rig's own value stays.
  minihost::NodeRef cam = node("cam:cam");
  EXPECT_TRUE(scene().isLocked(cam, scene().findAttribute(cam, "tz")));
  EXPECT_DOUBLE_EQ(number("cam:cam", "tz"), 50.0);
  // Locked and unlocked again before its setAttr edit.
  minihost::NodeRef aim = node("cam:aim");
  EXPECT_FALSE(scene().isLocked(aim, scene().findAttribute(aim, "tx")));
  EXPECT_DOUBLE_EQ(number("cam:aim", "tx"), 3.0);
  // An edit naming a node that is not there, and a deleteAttr of the type's own attribute.
  EXPECT_TRUE(anyContains(r.warnings,
                          "1 edit(s) of reference node \"camRN\" name nodes that are "
                          "not there"));
  EXPECT_TRUE(anyContains(r.warnings,
                          "the deleteAttr edit of \"|cam:rig|cam:cam.translateY\" is "
                          "left out"));
  EXPECT_DOUBLE_EQ(number("cam:cam", "ty"), 0.0);
}

}  // namespace
