// The engine's answers where hostile scenes stress it: names shared by many nodes and chains of
// one name, world matrices after changes anywhere up a deep chain, a scene set aside and put
// back (with its names, locks and meshes), and keys given in falling order.

#include <maya/MMatrix.h>

#include <memory>
#include <string>
#include <vector>

#include "SceneFixture.h"

namespace {

using minihost::NodeRef;

class SceneScaleTest : public SceneTest {};

TEST_F(SceneScaleTest, AChainOfOneNameIsToldApartByPathFromEitherEnd) {
  // a|a|a|a under the world, and a second a|a under a group.
  NodeRef chain[4];
  chain[0] = make("transform", "a");
  for (int i = 1; i < 4; ++i)
    chain[i] = make("transform", "a", chain[i - 1]);
  NodeRef group = make("transform", "g");
  NodeRef other = make("transform", "a", make("transform", "a", group));
  // Four names of a in a row name only the deepest.
  EXPECT_EQ(scene().partialPathName(chain[3]), "a|a|a|a");
  EXPECT_EQ(scene().findNode("a|a|a|a"), chain[3]);
  EXPECT_EQ(scene().partialPathName(chain[2]), "|a|a|a");
  EXPECT_EQ(scene().partialPathName(chain[0]), "|a");
  EXPECT_EQ(scene().partialPathName(other), "g|a|a");
  EXPECT_EQ(scene().findNode("g|a|a"), other);
  EXPECT_EQ(scene().findNode("|a|a|a|a"), chain[3]);
  bool ambiguous = false;
  EXPECT_FALSE(scene().findNode("a|a", &ambiguous).isSet());
  EXPECT_TRUE(ambiguous);
  EXPECT_EQ(scene().fullPathName(other), "|g|a|a");
}

TEST_F(SceneScaleTest, ThousandsOfOneNameUnderDifferentParentsKeepTheirNames) {
  std::vector<NodeRef> geos;
  for (int i = 0; i < 3000; ++i)
    geos.push_back(
        make("transform", "geo", make("transform", ("grp" + std::to_string(i)).c_str())));
  for (NodeRef g : geos)
    EXPECT_EQ(scene().node(g)->name, "geo");
  EXPECT_EQ(scene().partialPathName(geos[1234]), "grp1234|geo");
  EXPECT_EQ(scene().findNode("|grp2999|geo"), geos[2999]);
  // A sibling of the name, and a dependency node of the name, still clash.
  EXPECT_EQ(scene().node(make("transform", "geo", scene().findNode("grp7")))->name, "geo1");
  make("animCurveTL", "shared");
  EXPECT_EQ(scene().node(make("transform", "shared", scene().findNode("grp8")))->name, "shared1");
}

TEST_F(SceneScaleTest, WorldMatricesFollowEveryChangeUpADeepChain) {
  std::vector<NodeRef> chain{make("transform", "l0")};
  for (int i = 1; i < 2000; ++i)
    chain.push_back(make("transform", ("l" + std::to_string(i)).c_str(), chain.back()));
  set(chain[1], "tx", 1.0);
  EXPECT_DOUBLE_EQ(scene().worldMatrix(chain.back())[3][0], 1.0);
  EXPECT_DOUBLE_EQ(scene().worldMatrix(chain[1000])[3][0], 1.0);
  set(chain[500], "ty", 2.0);  // below the one asked before
  EXPECT_DOUBLE_EQ(scene().worldMatrix(chain.back())[3][1], 2.0);
  set(chain[1500], "inheritsTransform", 0.0);
  EXPECT_DOUBLE_EQ(scene().worldMatrix(chain.back())[3][0], 0.0);
  std::string error;
  ASSERT_TRUE(scene().reparent(chain[1500], NodeRef{}, &error)) << error;
  set(chain[1500], "inheritsTransform", 1.0);
  set(chain[1500], "tz", 3.0);
  EXPECT_DOUBLE_EQ(scene().worldMatrix(chain.back())[3][2], 3.0);
  EXPECT_DOUBLE_EQ(scene().worldMatrix(chain.back())[3][0], 0.0);
  ASSERT_TRUE(scene().deleteNode(chain[0], &error)) << error;
  EXPECT_FALSE(scene().isAlive(chain[1499]));
  EXPECT_TRUE(scene().isAlive(chain.back()));
}

TEST_F(SceneScaleTest, ASceneSetAsideComesBackWithItsHandlesAndOthersStayDead) {
  NodeRef keeper = make("transform", "keeper");
  set(keeper, "tx", 4.0);
  for (bool keep : {false, true}) {
    minihost::Scene::SavedScene saved = scene().save(keep);
    if (!keep) {
      EXPECT_FALSE(scene().isAlive(keeper));
      scene().newScene();
    }
    NodeRef made = make("transform", "made");
    set(keep ? keeper : made, "tx", 9.0);
    scene().restore(std::move(saved));
    EXPECT_TRUE(scene().isAlive(keeper)) << keep;
    EXPECT_EQ(get(keeper, "tx"), 4.0) << keep;
    EXPECT_FALSE(scene().isAlive(made)) << keep;
    EXPECT_FALSE(scene().findNode("made").isSet()) << keep;
    EXPECT_EQ(scene().findNode("keeper"), keeper) << keep;
    // A slot freed by the restore never brings a handle of the attempt back to life.
    NodeRef next = make("transform", "next");
    EXPECT_FALSE(next == made) << keep;
    EXPECT_FALSE(scene().isAlive(made)) << keep;
  }
}

TEST_F(SceneScaleTest, AnImportThatFailsLeavesMeshesAndKeysOfTheNodesBeforeIt) {
  NodeRef box = make("transform", "box");
  std::string error;
  NodeRef shape = scene().createNode("mesh", "boxShape", box, &error);
  ASSERT_TRUE(
      scene().node(shape)->mesh()->build({0, 0, 0, 1, 0, 0, 0, 1, 0}, {3}, {0, 1, 2}, &error))
      << error;
  const int tx = scene().findAttribute(box, "tx");
  ASSERT_TRUE(scene().setKey(box, tx, 250.0, 1.0, minihost::TangentType::kLinear,
                             minihost::TangentType::kLinear, &error))
      << error;
  minihost::Scene::SavedScene saved = scene().save(true);
  make("transform", "added", box);
  set(box, "ty", 5.0);
  scene().restore(std::move(saved));
  EXPECT_EQ(scene().node(shape)->mesh()->polygonCount(), 1);
  NodeRef curve = scene().curveDriving(box, tx);
  ASSERT_TRUE(scene().isAlive(curve));
  EXPECT_EQ(scene().node(curve)->curve()->keyCount(), 1u);
  EXPECT_EQ(get(box, "ty"), 0.0);
  EXPECT_FALSE(scene().findNode("added").isSet());
}

TEST_F(SceneScaleTest, AnImportThatFailsPutsBackLocksBesideTheMeshAndDropsItsOwn) {
  std::string error;
  NodeRef box = make("transform", "box");
  NodeRef shape = scene().createNode("mesh", "boxShape", box, &error);
  ASSERT_TRUE(
      scene().node(shape)->mesh()->build({0, 0, 0, 1, 0, 0, 0, 1, 0}, {3}, {0, 1, 2}, &error))
      << error;
  const int shapeVisibility = scene().findAttribute(shape, "v");
  const int boxTx = scene().findAttribute(box, "tx");
  ASSERT_TRUE(scene().setLocked(shape, shapeVisibility, true));
  minihost::Scene::SavedScene saved = scene().save(true);
  // The attempt unlocks what was locked, locks what was not, and gives a new shape a mesh.
  ASSERT_TRUE(scene().setLocked(shape, shapeVisibility, false));
  ASSERT_TRUE(scene().setLocked(box, boxTx, true));
  NodeRef added = scene().createNode("mesh", "addedShape", box, &error);
  ASSERT_TRUE(scene().isAlive(added)) << error;
  scene().restore(std::move(saved));
  EXPECT_TRUE(scene().isLocked(shape, shapeVisibility));
  EXPECT_EQ(scene().node(shape)->mesh()->polygonCount(), 1);
  EXPECT_FALSE(scene().isLocked(box, boxTx));
  EXPECT_TRUE(scene().setNumber(box, boxTx, 2.0));
  EXPECT_FALSE(scene().isAlive(added));
}

// Short names are held inside the node's string and long ones apart: the name index must follow
// both through every path that changes a name or takes a node out and back.
TEST_F(SceneScaleTest, NamesAreFoundAfterEveryRenameUndoAndASceneSetAside) {
  for (const std::string base : {"box", "a_rather_long_node_name_kept_on_the_heap"}) {
    scene().newScene();
    std::string error;
    NodeRef group = make("transform", (base + "Grp").c_str());
    NodeRef n = make("transform", base.c_str());
    ASSERT_TRUE(scene().renameNode(n, base + "Renamed", &error)) << error;
    EXPECT_FALSE(scene().findNode(base).isSet()) << base;
    EXPECT_EQ(scene().findNode(base + "Renamed"), n) << base;
    scene().restoreName(n, base);  // as an undo does
    EXPECT_EQ(scene().findNode(base), n) << base;
    EXPECT_FALSE(scene().findNode(base + "Renamed").isSet()) << base;
    // Moved beside a sibling of its name, it takes a numbered variant.
    NodeRef sibling = make("transform", base.c_str(), group);
    ASSERT_TRUE(scene().reparent(n, group, &error)) << error;
    EXPECT_EQ(scene().node(n)->name, base + "1") << base;
    EXPECT_EQ(scene().findNode(base + "1"), n) << base;
    EXPECT_EQ(scene().findNode(base), sibling) << base;
    // Taken out (its creation undone) and put back (redone).
    std::unique_ptr<minihost::Node> out = scene().takeOut(sibling);
    ASSERT_NE(out, nullptr);
    EXPECT_FALSE(scene().findNode(base).isSet()) << base;
    scene().putBack(sibling, std::move(out));
    EXPECT_EQ(scene().findNode(base), sibling) << base;
    // An import that fails after renaming nodes puts the names back as they were.
    minihost::Scene::SavedScene saved = scene().save(true);
    ASSERT_TRUE(scene().renameNode(sibling, "other", &error)) << error;
    ASSERT_TRUE(scene().renameNode(n, base + "Moved", &error)) << error;
    make("transform", base.c_str());
    scene().restore(std::move(saved));
    EXPECT_EQ(scene().findNode(base), sibling) << base;
    EXPECT_EQ(scene().findNode(base + "1"), n) << base;
    EXPECT_FALSE(scene().findNode("other").isSet()) << base;
    EXPECT_FALSE(scene().findNode(base + "Moved").isSet()) << base;
    EXPECT_EQ(scene().fullPathName(n), "|" + base + "Grp|" + base + "1") << base;
    // The names put back stay in use: renaming and deleting find them.
    ASSERT_TRUE(scene().renameNode(sibling, base + "Again", &error)) << error;
    EXPECT_EQ(scene().findNode(base + "Again"), sibling) << base;
    EXPECT_FALSE(scene().findNode(base).isSet()) << base;
    ASSERT_TRUE(scene().deleteNode(n, &error)) << error;
    EXPECT_FALSE(scene().findNode(base + "1").isSet()) << base;
    EXPECT_EQ(scene().node(make("transform", base.c_str(), group))->name, base) << base;
  }
}

TEST_F(SceneScaleTest, KeysGivenInFallingOrderAreSortedOnceAndTheLaterOfTwoWins) {
  minihost::AnimCurve curve;
  std::vector<minihost::CurveKey> keys;
  for (int i = 1000; i-- > 0;)
    keys.push_back(minihost::CurveKey{i * 250.0, double(i)});
  keys.push_back(minihost::CurveKey{500.0, -1.0});  // the same time as key 2
  curve.setKeys(keys);
  ASSERT_EQ(curve.keyCount(), 1000u);
  for (unsigned i = 1; i < curve.keyCount(); ++i)
    EXPECT_LT(curve.key(i - 1).ticks, curve.key(i).ticks);
  EXPECT_EQ(curve.key(2).value, -1.0);
  EXPECT_EQ(curve.key(999).value, 999.0);
}

}  // namespace
