// Forms the host writes that a reader meets in real files: long arrays declared by size and
// written in ranges, the non-finite spellings of each platform, holes with their own UVs.

#include <cmath>

#include "SceneFixture.h"
#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace {

using minihost::scenefile::AttrSetting;
using minihost::scenefile::SceneDescription;

TEST_F(SceneFileTest, ALongCurveDeclaredBySizeReadsEveryRange) {
  open("long_forms.ma");
  const minihost::Node* curve = scene().node(node("dolly_translateX"));
  ASSERT_NE(curve, nullptr);
  ASSERT_NE(curve->curve(), nullptr);
  EXPECT_EQ(curve->curve()->keyCount(), 400u);
  // Key k sits at frame k + 1 with value k / 2: both ranges land where their indices say.
  EXPECT_NEAR(numberAtFrame("dolly", "tx", 250), 124.5, 1e-9);
  EXPECT_NEAR(numberAtFrame("dolly", "tx", 251), 125.0, 1e-9);
  EXPECT_NEAR(numberAtFrame("dolly", "tx", 400), 199.5, 1e-9);
}

// The values of the "unset" node's setAttr lines, in file order, as the parser reads them.
std::vector<double> unsetValues() {
  std::FILE* f = std::fopen((std::string(VXR_SCENE_DIR) + "/long_forms.ma").c_str(), "rb");
  EXPECT_NE(f, nullptr);
  if (!f)
    return {};
  minihost::scenefile::SceneLexer lexer(f);
  SceneDescription d;
  d.fileName = "long_forms.ma";
  minihost::scenefile::ParseResult r = minihost::scenefile::parseScene(lexer, d);
  std::fclose(f);
  EXPECT_TRUE(r.ok) << r.error;
  std::vector<double> out;
  for (const AttrSetting& v : d.values) {
    if (d.nameOf(d.nodes[static_cast<size_t>(v.node)]) == "unset" && v.numbers.size() == 1)
      out.push_back(v.numbers[0]);
  }
  return out;
}

TEST_F(SceneFileTest, EachPlatformsNonFiniteSpellingReadsAsTheValueItNames) {
  std::vector<double> v = unsetValues();
  ASSERT_EQ(v.size(), 6u);
  EXPECT_TRUE(std::isnan(v[0]));              // nan
  EXPECT_TRUE(std::isnan(v[1]));              // -nan(ind)
  EXPECT_TRUE(std::isnan(v[2]));              // 1.#QNAN
  EXPECT_TRUE(std::isinf(v[3]) && v[3] > 0);  // 1.#INF
  EXPECT_TRUE(std::isinf(v[4]) && v[4] < 0);  // -1.#INF00
  EXPECT_TRUE(std::isinf(v[5]) && v[5] < 0);  // -inf
  // The file opens and the infinite values reach their attributes; a nan the scene cannot keep
  // is named, not dropped in silence.
  minihost::scenefile::SceneFileResult r = open("long_forms.ma");
  EXPECT_TRUE(anyContains(r.warnings, "long_forms.ma:63: \"unset.translateX\" is not a number"));
  EXPECT_TRUE(std::isinf(number("unset", "sx")) && number("unset", "sx") > 0);
  EXPECT_TRUE(std::isinf(number("unset", "sy")) && number("unset", "sy") < 0);
}

TEST_F(SceneFileTest, AHoleWithMoreCornersThanItsFaceKeepsTheFaceAndItsUVs) {
  minihost::scenefile::SceneFileResult r = open("long_forms.ma");
  const minihost::Node* n = scene().node(node("plateShape"));
  ASSERT_NE(n, nullptr);
  ASSERT_NE(n->mesh(), nullptr);
  ASSERT_EQ(n->mesh()->polygonCount(), 1);
  EXPECT_EQ(n->mesh()->connects(), (std::vector<int>{0, 1, 2, 3}));
  // The hole's own UVs (4..9) belong to the hole, not to the face's corners.
  EXPECT_EQ(n->mesh()->uvSets()[0].cornerIds, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(anyContains(r.warnings, "plateShape\": holes are left out"));
}

}  // namespace
