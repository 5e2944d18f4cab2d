// A node keeps only the values that differ from its type's defaults: what is read back must be
// exactly what was stored, whatever the order, and a value put back to its default must cost
// nothing.
#include <cmath>

#include "SceneFixture.h"
#include "engine/NodeValues.h"

namespace {

using minihost::AttrType;
using minihost::NodeKind;
using minihost::NodeRef;
using minihost::NodeType;
using minihost::NodeValues;

int attributeOf(const NodeType& type, const char* name) {
  const int a = type.findAttribute(name);
  EXPECT_GE(a, 0) << name;
  return a;
}

TEST(NodeValuesTest, UnsetAttributesReadTheTypeDefaults) {
  const NodeType& transform = minihost::nodeType(NodeKind::kTransform);
  NodeValues values;
  EXPECT_EQ(values.number(transform, attributeOf(transform, "sy")), 1.0);
  EXPECT_EQ(values.number(transform, attributeOf(transform, "v")), 1.0);
  EXPECT_EQ(values.number(transform, attributeOf(transform, "tx")), 0.0);
  EXPECT_EQ(values.storedCount(), 0u);
}

TEST(NodeValuesTest, NumbersSetInAnyOrderReadBackEach) {
  const NodeType& transform = minihost::nodeType(NodeKind::kTransform);
  const int count = static_cast<int>(transform.attributes.size());
  NodeValues values;
  // Every attribute, from the last to the first, then every other one changed again.
  for (int a = count; a-- > 0;)
    values.setNumber(transform, a, 100.0 + a);
  for (int a = 0; a < count; a += 2)
    values.setNumber(transform, a, -1.0 - a);
  for (int a = 0; a < count; ++a)
    EXPECT_EQ(values.number(transform, a), a % 2 == 0 ? -1.0 - a : 100.0 + a) << a;
  EXPECT_EQ(values.storedCount(), static_cast<size_t>(count));
}

TEST(NodeValuesTest, AValueBackAtItsDefaultIsNotKept) {
  const NodeType& transform = minihost::nodeType(NodeKind::kTransform);
  const int sx = attributeOf(transform, "sx"), tx = attributeOf(transform, "tx");
  NodeValues values;
  values.setNumber(transform, sx, 2.0);
  values.setNumber(transform, tx, 5.0);
  values.setNumber(transform, sx, 1.0);
  EXPECT_EQ(values.storedCount(), 1u);
  EXPECT_EQ(values.number(transform, sx), 1.0);
  EXPECT_EQ(values.number(transform, tx), 5.0);
  // -0 is not the default 0: it is kept, sign and all.
  values.setNumber(transform, tx, -0.0);
  EXPECT_EQ(values.storedCount(), 1u);
  EXPECT_TRUE(std::signbit(values.number(transform, tx)));
  values.setNumber(transform, tx, 0.0);
  EXPECT_EQ(values.storedCount(), 0u);
}

TEST(NodeValuesTest, TextsAreKeptApartAndClearedByAnEmptyText) {
  NodeValues values;
  values.setText(9, "second");
  values.setText(3, "first");
  values.setText(9, "second, changed");
  EXPECT_EQ(values.text(3), "first");
  EXPECT_EQ(values.text(9), "second, changed");
  EXPECT_EQ(values.text(4), "");
  EXPECT_EQ(values.storedCount(), 2u);
  values.setText(3, "");
  EXPECT_EQ(values.text(3), "");
  EXPECT_EQ(values.storedCount(), 1u);
  // A copy holds texts of its own.
  NodeValues copy = values;
  values.setText(9, "changed again");
  EXPECT_EQ(copy.text(9), "second, changed");
  copy = NodeValues();
  EXPECT_EQ(copy.storedCount(), 0u);
  copy = values;
  EXPECT_EQ(copy.text(9), "changed again");
  EXPECT_EQ(NodeValues().text(9), "");
}

class NodeValueSceneTest : public SceneTest {};

TEST_F(NodeValueSceneTest, StoredValuesKeepTheirTypesRules) {
  NodeRef globals = scene().findNode("defaultRenderGlobals");
  ASSERT_TRUE(globals.isSet());
  set(globals, "byFrameStep", 0.1);  // a float: stored as the float it is
  EXPECT_EQ(get(globals, "byFrameStep"), static_cast<double>(0.1f));
  set(globals, "animation", 7.0);  // a bool: 1 or 0
  EXPECT_EQ(get(globals, "animation"), 1.0);
  const int prefix = scene().findAttribute(globals, "imageFilePrefix");
  ASSERT_TRUE(scene().setText(globals, prefix, "shots/sh010"));
  std::string text;
  ASSERT_TRUE(scene().getText(globals, prefix, text));
  EXPECT_EQ(text, "shots/sh010");
  // Undo puts values back through restoreNumber/restoreText, defaults included.
  scene().restoreNumber(globals, scene().findAttribute(globals, "byFrameStep"), 1.0);
  scene().restoreText(globals, prefix, "");
  EXPECT_EQ(get(globals, "byFrameStep"), 1.0);
  ASSERT_TRUE(scene().getText(globals, prefix, text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(scene().node(globals)->values.storedCount(), 1u);  // "animation" stays on
}

TEST_F(NodeValueSceneTest, AnImportThatFailsPutsEveryValueBack) {
  NodeRef a = make("transform", "a");
  set(a, "tx", 3.0);
  set(a, "sz", 4.0);
  minihost::Scene::SavedScene saved = scene().save(true);
  set(a, "tx", 0.0);
  set(a, "sz", 9.0);
  set(a, "ry", 1.0);
  scene().restore(std::move(saved));
  EXPECT_EQ(get(a, "tx"), 3.0);
  EXPECT_EQ(get(a, "sz"), 4.0);
  EXPECT_EQ(get(a, "ry"), 0.0);
  // Texts too: one the attempt gave a node without any, and one it changed.
  NodeRef globals = scene().findNode("defaultRenderGlobals");
  const int prefix = scene().findAttribute(globals, "imageFilePrefix");
  std::string text;
  for (const char* before : {"", "shots/sh010"}) {
    ASSERT_TRUE(scene().setText(globals, prefix, before));
    saved = scene().save(true);
    ASSERT_TRUE(scene().setText(globals, prefix, "shots/attempt"));
    scene().restore(std::move(saved));
    ASSERT_TRUE(scene().getText(globals, prefix, text));
    EXPECT_EQ(text, before);
  }
}

}  // namespace
