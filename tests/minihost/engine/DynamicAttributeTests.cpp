// Attributes added at run time and attribute locks: values, connections, keys, undo, deletion
// and setting the scene aside.
#include <string>

#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>

#include "SceneFixture.h"
#include "engine/UndoQueue.h"

namespace {

using minihost::AttrType;
using minihost::DynamicAttribute;
using minihost::NodeRef;
using minihost::UndoQueue;

class DynamicAttributeTest : public SceneTest {
 protected:
  int add(NodeRef node, const char* longName, AttrType type, double defaultValue = 0.0,
          int parent = -1, const char* shortName = "") {
    DynamicAttribute a;
    a.info.longName = longName;
    a.info.shortName = shortName;
    a.info.type = type;
    a.info.defaultValue = defaultValue;
    a.info.keyable = true;
    std::string error;
    const int index = scene().addAttribute(node, a, parent, &error);
    EXPECT_GE(index, 0) << error;
    return index;
  }

  // Runs `change` as one undoable command.
  template <class F>
  void command(F change) {
    UndoQueue::get().beginCommand("test");
    change();
    UndoQueue::get().endCommand();
  }
};

TEST_F(DynamicAttributeTest, AddedAttributesAnswerByNameAndHoldTheirValues) {
  NodeRef ctrl = make("transform", "ctrl");
  const int blend = add(ctrl, "blend", AttrType::kDouble, 0.25, -1, "bl");
  const int label = add(ctrl, "label", AttrType::kString);
  EXPECT_GE(blend, static_cast<int>(scene().node(ctrl)->type->attributes.size()));
  EXPECT_EQ(scene().findAttribute(ctrl, "blend"), blend);
  EXPECT_EQ(scene().findAttribute(ctrl, "bl"), blend);
  EXPECT_EQ(scene().attributeInfo(ctrl, blend)->longName, "blend");
  EXPECT_DOUBLE_EQ(get(ctrl, "blend"), 0.25);
  set(ctrl, "blend", 0.75);
  EXPECT_DOUBLE_EQ(get(ctrl, "bl"), 0.75);
  ASSERT_TRUE(scene().setText(ctrl, label, "hero"));
  std::string text;
  ASSERT_TRUE(scene().getText(ctrl, label, text));
  EXPECT_EQ(text, "hero");
  // Another node of the same type does not see them.
  NodeRef other = make("transform", "other");
  EXPECT_EQ(scene().findAttribute(other, "blend"), -1);
  EXPECT_EQ(scene().attributeInfo(other, blend), nullptr);
}

TEST_F(DynamicAttributeTest, NamesTheNodeAlreadyAnswersToAreRefused) {
  NodeRef ctrl = make("transform", "ctrl");
  add(ctrl, "blend", AttrType::kDouble);
  for (const char* name : {"translateX", "tx", "blend", "9lives", "a.b", ""}) {
    DynamicAttribute a;
    a.info.longName = name;
    std::string error;
    EXPECT_EQ(scene().addAttribute(ctrl, a, -1, &error), -1) << name;
    EXPECT_FALSE(error.empty()) << name;
  }
  DynamicAttribute clash;
  clash.info.longName = "fresh";
  clash.info.shortName = "ty";
  EXPECT_EQ(scene().addAttribute(ctrl, clash, -1, nullptr), -1);
  EXPECT_EQ(scene().findAttribute(ctrl, "fresh"), -1);
}

TEST_F(DynamicAttributeTest, LimitsRefuseSettingOutsideAndHoldCurvesInside) {
  NodeRef ctrl = make("transform", "ctrl");
  DynamicAttribute a;
  a.info.longName = "weight";
  a.info.type = AttrType::kDouble;
  a.info.defaultValue = 5.0;  // outside: starts at the maximum
  a.limits.hasMin = a.limits.hasMax = true;
  a.limits.minValue = 0.0;
  a.limits.maxValue = 1.0;
  const int weight = scene().addAttribute(ctrl, a, -1, nullptr);
  ASSERT_GE(weight, 0);
  EXPECT_DOUBLE_EQ(get(ctrl, "weight"), 1.0);
  EXPECT_FALSE(scene().setNumber(ctrl, weight, -0.5));
  EXPECT_FALSE(scene().setNumber(ctrl, weight, 1.5));
  EXPECT_TRUE(scene().setNumber(ctrl, weight, 0.5));
  // A key outside the limits is kept on the curve; the attribute holds at the limit.
  ASSERT_TRUE(scene().setKey(ctrl, weight, 250.0, 0.0, minihost::TangentType::kLinear,
                             minihost::TangentType::kLinear, nullptr));
  ASSERT_TRUE(scene().setKey(ctrl, weight, 2500.0, 4.0, minihost::TangentType::kLinear,
                             minihost::TangentType::kLinear, nullptr));
  scene().setCurrentTicks(2500.0);
  EXPECT_DOUBLE_EQ(get(ctrl, "weight"), 1.0);
  scene().setCurrentTicks(250.0 + 2250.0 / 8.0);
  EXPECT_DOUBLE_EQ(get(ctrl, "weight"), 0.5);
}

TEST_F(DynamicAttributeTest, EnumsTakeTheirFieldRange) {
  NodeRef ctrl = make("transform", "ctrl");
  DynamicAttribute a;
  a.info.longName = "space";
  a.info.type = AttrType::kEnum;
  a.enumFields = {{"world", 0}, {"local", 1}, {"parent", 4}};
  const int space = scene().addAttribute(ctrl, a, -1, nullptr);
  ASSERT_GE(space, 0);
  EXPECT_TRUE(scene().setNumber(ctrl, space, 4.0));
  EXPECT_FALSE(scene().setNumber(ctrl, space, 5.0));
  EXPECT_FALSE(scene().setNumber(ctrl, space, -1.0));
  DynamicAttribute empty;
  empty.info.longName = "none";
  empty.info.type = AttrType::kEnum;
  EXPECT_EQ(scene().addAttribute(ctrl, empty, -1, nullptr), -1);
}

TEST_F(DynamicAttributeTest, CompoundsConnectAndKeyThroughTheirChildren) {
  NodeRef ctrl = make("transform", "ctrl");
  DynamicAttribute compound;
  compound.info.longName = "offset";
  compound.info.type = AttrType::kCompound;
  compound.expectedChildren = 3;
  const int offset = scene().addAttribute(ctrl, compound, -1, nullptr);
  ASSERT_GE(offset, 0);
  const int ox = add(ctrl, "offsetX", AttrType::kDistance, 1.0, offset);
  add(ctrl, "offsetY", AttrType::kDistance, 2.0, offset);
  add(ctrl, "offsetZ", AttrType::kDistance, 3.0, offset);
  DynamicAttribute fourth;
  fourth.info.longName = "offsetW";
  EXPECT_EQ(scene().addAttribute(ctrl, fourth, offset, nullptr), -1);
  ASSERT_EQ(scene().attributeInfo(ctrl, offset)->children.size(), 3u);
  EXPECT_EQ(scene().attributeInfo(ctrl, ox)->parent, offset);

  // The compound drives a transform's translate child by child.
  NodeRef box = make("transform", "box");
  ASSERT_TRUE(
      scene().connect(ctrl, offset, box, scene().findAttribute(box, "translate"), false, nullptr));
  EXPECT_DOUBLE_EQ(get(box, "ty"), 2.0);
  set(ctrl, "offsetZ", 7.0);
  EXPECT_DOUBLE_EQ(get(box, "tz"), 7.0);
  EXPECT_DOUBLE_EQ(scene().worldMatrix(box)(3, 2), 7.0);

  // And shot animation drives an added attribute through a curve.
  ASSERT_TRUE(scene().setKey(ctrl, ox, 250.0, 10.0, minihost::TangentType::kLinear,
                             minihost::TangentType::kLinear, nullptr));
  ASSERT_TRUE(scene().setKey(ctrl, ox, 750.0, 30.0, minihost::TangentType::kLinear,
                             minihost::TangentType::kLinear, nullptr));
  scene().setCurrentTicks(500.0);
  EXPECT_DOUBLE_EQ(get(box, "tx"), 20.0);
  double atTicks = 0.0;
  const double ticks = 750.0;
  ASSERT_TRUE(scene().getNumber(box, scene().findAttribute(box, "tx"), atTicks, &ticks));
  EXPECT_DOUBLE_EQ(atTicks, 30.0);
}

TEST_F(DynamicAttributeTest, DeletingTakesConnectionsAndNamesAndUndoPutsThemBack) {
  NodeRef ctrl = make("transform", "ctrl");
  NodeRef box = make("transform", "box");
  const int blend = add(ctrl, "blend", AttrType::kDouble);
  const int label = add(ctrl, "label", AttrType::kString);
  set(ctrl, "blend", 3.0);
  const int tx = scene().findAttribute(box, "tx");
  ASSERT_TRUE(scene().connect(ctrl, blend, box, tx, false, nullptr));
  const int ty = scene().findAttribute(box, "ty");
  ASSERT_TRUE(scene().connect(box, ty, ctrl, blend, true, nullptr));

  std::string error;
  command([&] { ASSERT_TRUE(scene().deleteAttribute(ctrl, blend, &error)) << error; });
  EXPECT_EQ(scene().findAttribute(ctrl, "blend"), -1);
  EXPECT_EQ(scene().attributeInfo(ctrl, blend), nullptr);
  EXPECT_TRUE(scene().outputsOf(box, ty).empty());
  NodeRef src;
  int srcAttr = -1;
  EXPECT_FALSE(scene().inputOf(box, tx, src, srcAttr));
  EXPECT_EQ(scene().findAttribute(ctrl, "label"), label);

  ASSERT_TRUE(UndoQueue::get().undo(nullptr));
  EXPECT_EQ(scene().findAttribute(ctrl, "blend"), blend);
  ASSERT_TRUE(scene().inputOf(box, tx, src, srcAttr));
  EXPECT_EQ(src, ctrl);
  EXPECT_EQ(srcAttr, blend);
  ASSERT_TRUE(scene().inputOf(ctrl, blend, src, srcAttr));
  EXPECT_EQ(src, box);
  set(box, "ty", 6.0);
  EXPECT_DOUBLE_EQ(get(box, "tx"), 6.0);

  ASSERT_TRUE(UndoQueue::get().redo(nullptr));
  EXPECT_EQ(scene().findAttribute(ctrl, "blend"), -1);
  // The type's own attributes cannot be deleted.
  EXPECT_FALSE(scene().deleteAttribute(box, tx, &error));
}

TEST_F(DynamicAttributeTest, AddingUndoesAndRedoesWithItsValue) {
  NodeRef ctrl = make("transform", "ctrl");
  int blend = -1;
  command([&] { blend = add(ctrl, "blend", AttrType::kDouble, 2.0); });
  command([&] { set(ctrl, "blend", 9.0); });
  ASSERT_TRUE(UndoQueue::get().undo(nullptr));
  EXPECT_DOUBLE_EQ(get(ctrl, "blend"), 2.0);
  ASSERT_TRUE(UndoQueue::get().undo(nullptr));
  EXPECT_EQ(scene().findAttribute(ctrl, "blend"), -1);
  EXPECT_TRUE(scene().dynamicAttributes(ctrl).empty());
  ASSERT_TRUE(UndoQueue::get().redo(nullptr));
  ASSERT_TRUE(UndoQueue::get().redo(nullptr));
  EXPECT_EQ(scene().findAttribute(ctrl, "blend"), blend);
  EXPECT_DOUBLE_EQ(get(ctrl, "blend"), 9.0);
}

TEST_F(DynamicAttributeTest, DeletingACompoundTakesItsChildrenAndUndoKeepsTheirOrder) {
  NodeRef ctrl = make("transform", "ctrl");
  DynamicAttribute compound;
  compound.info.longName = "tint";
  compound.info.type = AttrType::kCompound;
  const int tint = scene().addAttribute(ctrl, compound, -1, nullptr);
  const int r = add(ctrl, "tintR", AttrType::kFloat, 0.1, tint);
  const int g = add(ctrl, "tintG", AttrType::kFloat, 0.2, tint);
  std::string error;
  EXPECT_FALSE(scene().deleteAttribute(ctrl, r, &error));  // a child alone
  command([&] { ASSERT_TRUE(scene().deleteAttribute(ctrl, tint, &error)) << error; });
  EXPECT_EQ(scene().findAttribute(ctrl, "tintR"), -1);
  EXPECT_TRUE(scene().dynamicAttributes(ctrl).empty());
  ASSERT_TRUE(UndoQueue::get().undo(nullptr));
  const auto& kids = scene().attributeInfo(ctrl, tint)->children;
  ASSERT_EQ(kids.size(), 2u);
  EXPECT_EQ(kids[0], r);
  EXPECT_EQ(kids[1], g);
  EXPECT_FLOAT_EQ(static_cast<float>(get(ctrl, "tintG")), 0.2f);
}

TEST_F(DynamicAttributeTest, LockedAttributesRefuseValuesConnectionsKeysAndDeletion) {
  NodeRef ctrl = make("transform", "ctrl");
  NodeRef driver = make("transform", "driver");
  const int blend = add(ctrl, "blend", AttrType::kDouble, 1.0);
  const int tx = scene().findAttribute(ctrl, "tx");
  const int label = add(ctrl, "label", AttrType::kString);
  for (int a : {blend, tx, label})
    ASSERT_TRUE(scene().setLocked(ctrl, a, true));
  EXPECT_TRUE(scene().isLocked(ctrl, tx));
  EXPECT_FALSE(scene().isLocked(ctrl, scene().findAttribute(ctrl, "ty")));
  EXPECT_FALSE(scene().setNumber(ctrl, blend, 2.0));
  EXPECT_FALSE(scene().setNumber(ctrl, tx, 2.0));
  EXPECT_FALSE(scene().setText(ctrl, label, "x"));
  std::string error;
  EXPECT_FALSE(
      scene().connect(driver, scene().findAttribute(driver, "ty"), ctrl, tx, true, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(scene().setKey(ctrl, tx, 250.0, 1.0, minihost::TangentType::kLinear,
                              minihost::TangentType::kLinear, &error));
  EXPECT_FALSE(scene().curveDriving(ctrl, tx).isSet());
  EXPECT_FALSE(scene().deleteAttribute(ctrl, blend, &error));
  EXPECT_DOUBLE_EQ(get(ctrl, "blend"), 1.0);
  EXPECT_DOUBLE_EQ(get(ctrl, "tx"), 0.0);
  // A locked attribute is still read from its source, and its lock does not stop the source.
  ASSERT_TRUE(scene().setLocked(ctrl, tx, false));
  ASSERT_TRUE(
      scene().connect(driver, scene().findAttribute(driver, "ty"), ctrl, tx, false, nullptr));
  ASSERT_TRUE(scene().setLocked(ctrl, tx, true));
  set(driver, "ty", 4.0);
  EXPECT_DOUBLE_EQ(get(ctrl, "tx"), 4.0);
  EXPECT_DOUBLE_EQ(scene().worldMatrix(ctrl)(3, 0), 4.0);
}

TEST_F(DynamicAttributeTest, CurvesStillDriveALockedAttribute) {
  NodeRef ctrl = make("transform", "ctrl");
  const int tx = scene().findAttribute(ctrl, "tx");
  for (double t : {250.0, 750.0}) {
    ASSERT_TRUE(scene().setKey(ctrl, tx, t, t / 250.0, minihost::TangentType::kLinear,
                               minihost::TangentType::kLinear, nullptr));
  }
  ASSERT_TRUE(scene().setLocked(ctrl, tx, true));
  scene().setCurrentTicks(750.0);
  EXPECT_DOUBLE_EQ(get(ctrl, "tx"), 3.0);
  scene().setCurrentTicks(500.0);
  EXPECT_DOUBLE_EQ(get(ctrl, "tx"), 2.0);
}

TEST_F(DynamicAttributeTest, LockChangesUndo) {
  NodeRef ctrl = make("transform", "ctrl");
  const int tx = scene().findAttribute(ctrl, "tx");
  command([&] { ASSERT_TRUE(scene().setLocked(ctrl, tx, true)); });
  EXPECT_TRUE(scene().isLocked(ctrl, tx));
  ASSERT_TRUE(UndoQueue::get().undo(nullptr));
  EXPECT_FALSE(scene().isLocked(ctrl, tx));
  EXPECT_TRUE(scene().setNumber(ctrl, tx, 2.0));
  ASSERT_TRUE(UndoQueue::get().redo(nullptr));
  EXPECT_TRUE(scene().isLocked(ctrl, tx));
}

TEST_F(DynamicAttributeTest, SettingTheSceneAsideKeepsAddedAttributesAndLocks) {
  NodeRef ctrl = make("transform", "ctrl");
  const int blend = add(ctrl, "blend", AttrType::kDouble, 0.5);
  const int tx = scene().findAttribute(ctrl, "tx");
  ASSERT_TRUE(scene().setLocked(ctrl, tx, true));
  auto saved = scene().save(true);
  // What a failed import changes on the copy in place...
  set(ctrl, "blend", 8.0);
  ASSERT_TRUE(scene().setLocked(ctrl, tx, false));
  ASSERT_TRUE(scene().deleteAttribute(ctrl, blend, nullptr));
  add(ctrl, "intruder", AttrType::kDouble);
  // ...goes back with the scene.
  scene().restore(std::move(saved));
  EXPECT_EQ(scene().findAttribute(ctrl, "blend"), blend);
  EXPECT_DOUBLE_EQ(get(ctrl, "blend"), 0.5);
  EXPECT_EQ(scene().findAttribute(ctrl, "intruder"), -1);
  EXPECT_TRUE(scene().isLocked(ctrl, tx));
}

TEST_F(DynamicAttributeTest, ANodeTakesABoundedNumberOfAttributesAndReusesFreedSlots) {
  NodeRef ctrl = make("transform", "ctrl");
  int last = -1;
  int made = 0;
  for (int i = 0; i < 5000; ++i) {
    DynamicAttribute a;
    a.info.longName = "a" + std::to_string(i);
    const int index = scene().addAttribute(ctrl, a, -1, nullptr);
    if (index < 0)
      break;
    last = index;
    ++made;
  }
  EXPECT_EQ(made, 4096);
  ASSERT_TRUE(scene().deleteAttribute(ctrl, last, nullptr));
  DynamicAttribute again;
  again.info.longName = "again";
  EXPECT_EQ(scene().addAttribute(ctrl, again, -1, nullptr), last);
}

TEST_F(DynamicAttributeTest, DeletingTheNodeTakesItsAddedAttributesConnections) {
  NodeRef ctrl = make("transform", "ctrl");
  NodeRef box = make("transform", "box");
  const int blend = add(ctrl, "blend", AttrType::kDouble, 2.0);
  ASSERT_TRUE(scene().connect(ctrl, blend, box, scene().findAttribute(box, "tx"), false, nullptr));
  ASSERT_TRUE(scene().deleteNode(ctrl, nullptr));
  NodeRef src;
  int srcAttr = -1;
  EXPECT_FALSE(scene().inputOf(box, scene().findAttribute(box, "tx"), src, srcAttr));
  EXPECT_EQ(scene().attributeInfo(ctrl, blend), nullptr);
}

TEST_F(DynamicAttributeTest, UndoingADeletionReconnectsIntoALockedAttribute) {
  NodeRef ctrl = make("transform", "ctrl");
  NodeRef box = make("transform", "box");
  const int blend = add(ctrl, "blend", AttrType::kDouble, 2.0);
  const int tx = scene().findAttribute(box, "tx");
  ASSERT_TRUE(scene().connect(ctrl, blend, box, tx, false, nullptr));
  ASSERT_TRUE(scene().setLocked(box, tx, true));
  command([&] { ASSERT_TRUE(scene().deleteAttribute(ctrl, blend, nullptr)); });
  ASSERT_TRUE(UndoQueue::get().undo(nullptr));
  NodeRef src;
  int srcAttr = -1;
  ASSERT_TRUE(scene().inputOf(box, tx, src, srcAttr));
  EXPECT_EQ(srcAttr, blend);
  EXPECT_DOUBLE_EQ(get(box, "tx"), 2.0);
}

TEST_F(DynamicAttributeTest, PlugsSeeAddedAttributesAndLocks) {
  NodeRef ctrl = make("transform", "ctrl");
  MFnDependencyNode fn(object(ctrl));
  const unsigned int before = fn.attributeCount();
  add(ctrl, "blend", AttrType::kDouble, 0.5);
  EXPECT_EQ(fn.attributeCount(), before + 1);
  MStatus status;
  MPlug blend = fn.findPlug("blend", true, &status);
  ASSERT_TRUE(status);
  EXPECT_TRUE(blend.isDynamic());
  EXPECT_FALSE(fn.findPlug("tx", true).isDynamic());
  EXPECT_DOUBLE_EQ(blend.asDouble(), 0.5);
  ASSERT_TRUE(blend.setValue(0.25));
  EXPECT_FALSE(blend.isLocked());
  ASSERT_TRUE(blend.setLocked(true));
  EXPECT_TRUE(blend.isLocked());
  EXPECT_FALSE(blend.setValue(0.75));
  EXPECT_DOUBLE_EQ(blend.asDouble(), 0.25);
  ASSERT_TRUE(blend.setLocked(false));
  EXPECT_TRUE(blend.setValue(0.75));
  // A plug of a deleted attribute is null and fails.
  ASSERT_TRUE(scene().deleteAttribute(ctrl, scene().findAttribute(ctrl, "blend"), nullptr));
  EXPECT_TRUE(blend.isNull());
  blend.isLocked(&status);
  EXPECT_FALSE(status);
  EXPECT_FALSE(blend.setLocked(true));
}

}  // namespace
