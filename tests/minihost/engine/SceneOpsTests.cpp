// Scene-wide operations: new scene, curve clean-up, selection adjustments,
// command results and node creation through function sets.
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MTransformationMatrix.h>

#include "SceneFixture.h"
#include "engine/CommandResult.h"

namespace {

class SceneOpsTest : public SceneTest {};

TEST_F(SceneOpsTest, NewSceneDropsUserNodesButKeepsPreferences) {
  make("transform", "mine");
  MTime::setUIUnit(MTime::kPALFrame);
  scene().setCurrentTicks(5000.0);
  scene().newScene();
  EXPECT_FALSE(scene().findNode("mine").isSet());
  EXPECT_TRUE(scene().findNode("perspShape").isSet());
  EXPECT_EQ(MTime::uiUnit(), MTime::kPALFrame);
  EXPECT_DOUBLE_EQ(scene().currentTicks(), 250.0);
  EXPECT_EQ(scene().nodes().size(), 10u);  // four cameras with shapes, two render nodes
}

TEST_F(SceneOpsTest, DeletingAnimatedNodeTakesItsCurvesAlong) {
  auto t = make("transform", "mover");
  scene().setKey(t, scene().findAttribute(t, "tx"), 0, 1, minihost::TangentType::kLinear,
                 minihost::TangentType::kLinear, nullptr);
  auto curve = scene().findNode("mover_translateX");
  ASSERT_TRUE(curve.isSet());
  EXPECT_EQ(scene().curveDriving(t, scene().findAttribute(t, "translateX")), curve);
  scene().deleteNode(t, nullptr);
  EXPECT_FALSE(scene().isAlive(curve));
  scene().setCurrentTicks(500.0);  // evaluation skips the dead curve
  EXPECT_FALSE(scene().findNode("mover_translateX").isSet());
}

TEST_F(SceneOpsTest, ActiveListAdjustments) {
  MSelectionList a, b;
  a.add("persp");
  a.add("top");
  b.add("top");
  b.add("side");
  MGlobal::setActiveSelectionList(a);
  MGlobal::setActiveSelectionList(b, MGlobal::kXORWithList);
  MSelectionList active;
  MGlobal::getActiveSelectionList(active);
  MStringArray names;
  active.getSelectionStrings(names);
  ASSERT_EQ(names.length(), 2u);
  EXPECT_EQ(names[0], MString("persp"));
  EXPECT_EQ(names[1], MString("side"));
  MGlobal::setActiveSelectionList(b, MGlobal::kRemoveFromList);
  MGlobal::getActiveSelectionList(active);
  EXPECT_EQ(active.length(), 1u);
  MGlobal::clearSelectionList();
  MGlobal::getActiveSelectionList(active);
  EXPECT_TRUE(active.isEmpty());
  EXPECT_FALSE(MGlobal::selectByName("nothingLikeThis"));
}

TEST_F(SceneOpsTest, CommandResultsKeepTheirKind) {
  minihost::CommandResult& r = minihost::currentCommandResult();
  MPxCommand::setResult(true);
  EXPECT_EQ(r.kind, minihost::CommandResult::Kind::kInt);
  EXPECT_EQ(r.ints, std::vector<int>{1});
  MPxCommand::setResult(2.5);
  EXPECT_EQ(r.kind, minihost::CommandResult::Kind::kDouble);
  MPxCommand::setResult(MString("x"));
  MPxCommand::appendToResult("y");
  EXPECT_EQ(r.kind, minihost::CommandResult::Kind::kStringArray);
  EXPECT_EQ(r.strings, (std::vector<std::string>{"x", "y"}));
  MPxCommand::appendToResult(3);  // a different kind starts a fresh array
  EXPECT_EQ(r.kind, minihost::CommandResult::Kind::kIntArray);
  EXPECT_EQ(r.ints, std::vector<int>{3});
  MPxCommand::clearResult();
  EXPECT_EQ(r.kind, minihost::CommandResult::Kind::kNone);
}

TEST_F(SceneOpsTest, FunctionSetsCreateNodesWhereTheHostWould) {
  MFnDagNode dag;
  MStatus status;
  MObject transform = dag.create("pointLight", MObject::kNullObj, &status);
  ASSERT_TRUE(status);
  EXPECT_TRUE(transform.hasFn(MFn::kTransform));
  EXPECT_TRUE(dag.object().hasFn(MFn::kPointLight));
  MObject shape = dag.object();
  dag.create("transform", shape, &status);  // a shape cannot be a parent
  EXPECT_FALSE(status);
  MFnDependencyNode dep;
  dep.create("transform", &status);  // DAG kinds are not plain dependency nodes
  EXPECT_FALSE(status);
  MObject curve = dep.create("animCurveTU", "spin", &status);
  ASSERT_TRUE(status);
  EXPECT_TRUE(curve.hasFn(MFn::kAnimCurve));
  EXPECT_EQ(dep.name(), MString("spin"));
  EXPECT_EQ(dep.setName("spun"), MString("spun"));
  dep.setName("not valid", false, &status);
  EXPECT_FALSE(status);
}

TEST_F(SceneOpsTest, ReorderingKeepsTheSameRotation) {
  MTransformationMatrix tm;
  const double r[3] = {0.4, -0.3, 1.2};
  tm.setRotation(r, MTransformationMatrix::kXYZ);
  MMatrix before = tm.asMatrix();
  ASSERT_TRUE(tm.reorderRotation(MTransformationMatrix::kZYX));
  EXPECT_EQ(tm.rotationOrder(), MTransformationMatrix::kZYX);
  EXPECT_TRUE(tm.asMatrix().isEquivalent(before, 1e-9));
  EXPECT_FALSE(tm.reorderRotation(MTransformationMatrix::kInvalid));
}

}  // namespace

TEST_F(SceneTest, HandlesFromBeforeANewSceneStayDeadWhenTheirSlotsAreReused) {
  minihost::NodeRef old = make("transform", "before");
  MObject handle = object(old);
  scene().newScene();
  // The new scene's nodes take the emptied slots again, the old one's among them.
  for (int i = 0; i < 8; ++i)
    make("transform", "");
  EXPECT_FALSE(scene().isAlive(old));
  EXPECT_TRUE(handle.isNull());
}
