// DAG traversal, paths, names, deletion and checked handles.
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnTransform.h>
#include <maya/MItDag.h>
#include <maya/MPlug.h>

#include <vector>

#include "SceneFixture.h"

namespace {

class DagTest : public SceneTest {
 protected:
  // a{b{d}, c}, e beside the default cameras.
  void buildTree() {
    a = make("transform", "a");
    b = make("transform", "b", a);
    c = make("transform", "c", a);
    d = make("transform", "d", b);
    e = make("transform", "e");
  }
  std::vector<std::string> names(MItDag::TraversalType type, MFn::Type filter) {
    std::vector<std::string> out;
    for (MItDag it(type, filter); !it.isDone(); it.next()) {
      MDagPath p;
      it.getPath(p);
      out.push_back(p.partialPathName().asChar());
    }
    return out;
  }
  minihost::NodeRef a, b, c, d, e;
};

TEST_F(DagTest, BreadthFirstVisitsLevelByLevel) {
  buildTree();
  std::vector<std::string> expected{"persp", "top", "front", "side", "a", "e", "b", "c", "d"};
  EXPECT_EQ(names(MItDag::kBreadthFirst, MFn::kTransform), expected);
}

TEST_F(DagTest, DepthFirstVisitsEachSubtreeBeforeItsSibling) {
  buildTree();
  std::vector<std::string> expected{"persp", "top", "front", "side", "a", "b", "d", "c", "e"};
  EXPECT_EQ(names(MItDag::kDepthFirst, MFn::kTransform), expected);
}

TEST_F(DagTest, UnfilteredTraversalStartsAtTheWorld) {
  MItDag it;
  ASSERT_FALSE(it.isDone());
  EXPECT_TRUE(it.currentItem().hasFn(MFn::kWorld));
  EXPECT_EQ(it.fullPathName(), MString(""));
  it.next();
  EXPECT_EQ(it.fullPathName(), MString("|persp"));
  it.next();
  EXPECT_EQ(it.fullPathName(), MString("|persp|perspShape"));
  EXPECT_EQ(it.depth(), 2u);
}

TEST_F(DagTest, PruneSkipsTheCurrentSubtree) {
  buildTree();
  std::vector<std::string> seen;
  for (MItDag it(MItDag::kDepthFirst, MFn::kTransform); !it.isDone(); it.next()) {
    std::string n = it.partialPathName().asChar();
    seen.push_back(n);
    if (n == "a")
      it.prune();
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"persp", "top", "front", "side", "a", "e"}));
}

TEST_F(DagTest, LightFilterYieldsEveryLightKind) {
  const char* kinds[] = {"directionalLight", "pointLight", "spotLight", "ambientLight",
                         "areaLight"};
  for (const char* k : kinds)
    make(k, "");
  std::vector<std::string> expected{"directionalLightShape1", "pointLightShape1", "spotLightShape1",
                                    "ambientLightShape1", "areaLightShape1"};
  EXPECT_EQ(names(MItDag::kBreadthFirst, MFn::kLight), expected);
  EXPECT_EQ(names(MItDag::kBreadthFirst, MFn::kNonExtendedLight).size(), 4u);
  EXPECT_EQ(names(MItDag::kBreadthFirst, MFn::kCamera).size(), 4u);
}

TEST_F(DagTest, ShapesMadeAloneGetATransformNamedLikeTheHostDoes) {
  auto shape = make("camera", "");
  auto parent = scene().parentOf(shape);
  EXPECT_EQ(scene().node(parent)->name, "camera1");
  EXPECT_EQ(scene().node(shape)->name, "cameraShape1");
  EXPECT_EQ(scene().fullPathName(shape), "|camera1|cameraShape1");
}

TEST_F(DagTest, NamesAreMadeUniqueAndValidated) {
  auto first = make("transform", "box1");
  auto second = make("transform", "box1");
  EXPECT_EQ(scene().node(second)->name, "box2");
  std::string error;
  EXPECT_FALSE(scene().createNode("transform", "bad name", minihost::NodeRef{}, &error).isSet());
  EXPECT_FALSE(scene().renameNode(first, "1box", &error));
  EXPECT_TRUE(scene().renameNode(first, "crate", &error));
  EXPECT_EQ(scene().findNode("crate"), first);
  EXPECT_FALSE(scene().findNode("box1").isSet());
  EXPECT_FALSE(scene().createNode("noSuchType", "", minihost::NodeRef{}, &error).isSet());
}

TEST_F(DagTest, DagNamesAreUniqueAmongSiblingsOnly) {
  auto left = make("transform", "left");
  auto right = make("transform", "right");
  auto a = make("transform", "pCube1", left);
  auto b = make("transform", "pCube1", right);
  EXPECT_EQ(scene().node(b)->name, "pCube1");
  // A sibling of the same name still gets a numbered variant.
  EXPECT_EQ(scene().node(make("transform", "pCube1", right))->name, "pCube2");
  // A shape may have its transform's name: it is the transform's child, not its sibling.
  auto shape = make("camera", "left", left);
  EXPECT_EQ(scene().node(shape)->name, "left");

  bool ambiguous = false;
  EXPECT_FALSE(scene().findNode("pCube1", &ambiguous).isSet());
  EXPECT_TRUE(ambiguous);
  EXPECT_EQ(scene().findNode("right|pCube1", &ambiguous), b);
  EXPECT_FALSE(ambiguous);
  EXPECT_EQ(scene().findNode("|left|pCube1"), a);
  // The shortest path that names the node alone.
  EXPECT_EQ(scene().partialPathName(a), "left|pCube1");
  EXPECT_EQ(scene().partialPathName(scene().findNode("pCube2")), "pCube2");
  EXPECT_EQ(scene().partialPathName(shape), "left|left");
  EXPECT_EQ(scene().partialPathName(left), "|left");

  // Deleting one of the two makes the short name unique again.
  std::string error;
  ASSERT_TRUE(scene().deleteNode(b, &error)) << error;
  EXPECT_EQ(scene().findNode("pCube1"), a);
  EXPECT_EQ(scene().partialPathName(a), "pCube1");
}

TEST_F(DagTest, RenamingAndReparentingKeepSiblingNamesApart) {
  auto left = make("transform", "left");
  auto right = make("transform", "right");
  auto a = make("transform", "box", left);
  auto b = make("transform", "crate", right);
  std::string error;
  ASSERT_TRUE(scene().renameNode(b, "box", &error)) << error;
  EXPECT_EQ(scene().node(b)->name, "box");  // not a sibling of the other box
  auto c = make("transform", "bin", right);
  ASSERT_TRUE(scene().renameNode(c, "box", &error)) << error;
  EXPECT_EQ(scene().node(c)->name, "box1");
  // Moved next to a node of its name, a node takes a numbered variant, as the host does.
  ASSERT_TRUE(scene().reparent(a, right, &error)) << error;
  EXPECT_EQ(scene().fullPathName(a), "|right|box2");
  EXPECT_EQ(scene().findNode("box2"), a);
  EXPECT_FALSE(scene().findNode("|left|box").isSet());
}

TEST_F(DagTest, MadeUpAndDependencyNodeNamesAreUniqueInTheWholeScene) {
  auto group = make("transform", "group");
  auto inside = make("transform", "", group);
  EXPECT_EQ(scene().node(inside)->name, "transform1");
  // A node made without a name never repeats a name already used elsewhere.
  EXPECT_EQ(scene().node(make("transform", ""))->name, "transform2");
  auto curve = make("animCurveTL", "group");
  EXPECT_EQ(scene().node(curve)->name, "group1");  // a dependency node clashes with any node
  EXPECT_EQ(scene().node(make("transform", "group1", group))->name, "group2");
}

TEST_F(DagTest, FindsNodesByFullAndPartialPath) {
  buildTree();
  EXPECT_EQ(scene().findNode("|a|b|d"), d);
  EXPECT_EQ(scene().findNode("b|d"), d);
  EXPECT_FALSE(scene().findNode("|b|d").isSet());  // b is not at the top
  EXPECT_FALSE(scene().findNode("c|d").isSet());
  EXPECT_FALSE(scene().findNode("a||d").isSet());
  EXPECT_EQ(scene().findNode("d"), d);
}

TEST_F(DagTest, ReparentRefusesCyclesAndShapesUnderTheWorld) {
  buildTree();
  std::string error;
  EXPECT_FALSE(scene().reparent(a, d, &error));
  EXPECT_FALSE(scene().reparent(a, a, &error));
  auto shape = scene().findNode("perspShape");
  EXPECT_FALSE(scene().reparent(shape, scene().world(), &error));
  EXPECT_TRUE(scene().reparent(d, e, &error));
  EXPECT_EQ(scene().fullPathName(d), "|e|d");
}

TEST_F(DagTest, DeletedNodeHandleIsStaleEvenWhenItsSlotIsReused) {
  auto t = make("transform", "gone");
  MObject handle = object(t);
  MPlug plug = MFnDependencyNode(handle).findPlug("translateX", true);
  MDagPath p = path(t);
  ASSERT_TRUE(handle.hasFn(MFn::kTransform));
  ASSERT_TRUE(scene().deleteNode(t, nullptr));
  auto replacement = make("transform", "gone");  // likely takes the freed slot
  EXPECT_EQ(replacement.index, t.index);
  EXPECT_TRUE(handle.isNull());
  EXPECT_FALSE(handle.hasFn(MFn::kTransform));
  EXPECT_EQ(handle.apiType(), MFn::kInvalid);
  MStatus status;
  MFnTransform fn(handle, &status);
  EXPECT_FALSE(status);
  EXPECT_EQ(fn.name(&status), MString());
  EXPECT_FALSE(status);
  EXPECT_FALSE(p.isValid());
  double v = 0;
  EXPECT_FALSE(plug.getValue(v));
  EXPECT_NE(handle, object(replacement));
}

TEST_F(DagTest, FunctionSetNoticesItsNodeWasDeleted) {
  auto t = make("transform", "temp");
  MFnDagNode fn(object(t));
  ASSERT_EQ(fn.name(), MString("temp"));
  scene().deleteNode(t, nullptr);
  MStatus status;
  fn.childCount(&status);
  EXPECT_FALSE(status);
}

TEST_F(DagTest, DeletingAParentDeletesItsSubtreeButDefaultsRefuse) {
  buildTree();
  MObject dHandle = object(d);
  ASSERT_TRUE(scene().deleteNode(a, nullptr));
  EXPECT_TRUE(dHandle.isNull());
  EXPECT_FALSE(scene().findNode("b").isSet());
  std::string error;
  EXPECT_FALSE(scene().deleteNode(scene().findNode("persp"), &error));
  EXPECT_FALSE(scene().deleteNode(scene().findNode("defaultRenderGlobals"), &error));
  EXPECT_FALSE(scene().deleteNode(scene().world(), &error));
}

TEST_F(DagTest, PathExtendsToItsOnlyShapeAndPopsBack) {
  MDagPath p = path("front");
  ASSERT_TRUE(p.extendToShape());
  EXPECT_EQ(p.fullPathName(), MString("|front|frontShape"));
  EXPECT_TRUE(p.hasFn(MFn::kCamera));
  EXPECT_EQ(MFnDagNode(p.transform()).name(), MString("front"));
  ASSERT_TRUE(p.pop());
  EXPECT_EQ(p.fullPathName(), MString("|front"));
  auto group = make("transform", "twoShapes");
  make("camera", "", group);
  make("camera", "", group);
  MDagPath g = path(group);
  EXPECT_FALSE(g.extendToShape());
}

TEST_F(DagTest, TraversalSkipsNodesDeletedWhileIterating) {
  buildTree();
  std::vector<std::string> seen;
  for (MItDag it(MItDag::kBreadthFirst, MFn::kTransform); !it.isDone(); it.next()) {
    std::string n = it.partialPathName().asChar();
    seen.push_back(n);
    if (n == "a")
      scene().deleteNode(e, nullptr);  // e is already queued
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"persp", "top", "front", "side", "a", "b", "c", "d"}));
}

}  // namespace
