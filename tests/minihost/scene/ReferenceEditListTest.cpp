// The reference edits value as saved files write it, parsed from scene text and decoded: groups
// per reference node, unquoted node names, relationship edits with their own counts, and the
// string that names the next group after a group's last edit.

#include <gtest/gtest.h>

#include "scene/ReferenceEditList.h"
#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace {

using minihost::scenefile::EditKind;
using minihost::scenefile::ReferenceEditList;

ReferenceEditList decode(const std::string& edits, bool expectWhole = true) {
  const std::string text =
      "createNode reference -n \"setRN\";\n\tsetAttr \".ed\" -type "
      "\"dataReferenceEdits\" " +
      edits + ";\n";
  minihost::scenefile::SceneLexer lexer(text);
  minihost::scenefile::SceneDescription d;
  d.fileName = "edits.ma";
  minihost::scenefile::ParseResult parsed = minihost::scenefile::parseScene(lexer, d);
  EXPECT_TRUE(parsed.ok) << parsed.error;
  ReferenceEditList list;
  if (d.referenceEdits.size() != 1) {
    ADD_FAILURE() << "no edits value";
    return list;
  }
  std::string problem;
  EXPECT_EQ(minihost::scenefile::decodeReferenceEdits(d.referenceEdits[0].tokens, list, problem),
            expectWhole)
      << problem;
  return list;
}

TEST(ReferenceEditListTest, GroupsAndEveryEditShapeOfSavedFilesDecode) {
  ReferenceEditList list = decode(R"("setRN"
      "setRN" 2
      7 "ignore" ":lightLinker1" 2 "|set:lamp|set:lampShape.message" "|key|keyShape.message"
      0
      5 3 "setRN" "|set:lamp.instObjGroups" "setRN.placeHolderList[2]" ":initialShadingGroup.dsm"
      "setRN" 4
      1 |set:lamp "take" "take" " -ci 1 -dt \"string\""
      2 "|set:lamp" "take" " -type \"string\" \"t3\""
      8 "|set:lamp" "translateX"
      0 "|setRNfosterParent1|marker" "|set:lamp" "-s -r ")");
  EXPECT_EQ(list.topNode, "setRN");
  ASSERT_EQ(list.edits.size(), 6u);
  EXPECT_EQ(list.edits[0].code, static_cast<int>(EditKind::kRelationship));
  EXPECT_EQ(list.edits[0].fields.size(), 4u);
  EXPECT_EQ(list.edits[1].code, static_cast<int>(EditKind::kPlaceholder));
  EXPECT_EQ(list.edits[1].placeholderKind, 3);
  // The last edit of the first group gives back the next group's name.
  EXPECT_EQ(list.edits[1].fields,
            (std::vector<std::string>{"setRN", "|set:lamp.instObjGroups",
                                      "setRN.placeHolderList[2]", ":initialShadingGroup.dsm"}));
  EXPECT_EQ(list.edits[2].fields[0], "|set:lamp");  // written without quotes
  EXPECT_EQ(list.edits[3].fields[2], " -type \"string\" \"t3\"");
  EXPECT_EQ(list.edits[4].code, static_cast<int>(EditKind::kLock));
  EXPECT_EQ(list.edits[5].fields.size(), 3u);
  std::string node;
  long long index = -1;
  EXPECT_TRUE(minihost::scenefile::placeholderSlot("setRN.phl[12]", node, index));
  EXPECT_EQ(node, "setRN");
  EXPECT_EQ(index, 12);
  EXPECT_FALSE(minihost::scenefile::placeholderSlot("setRN.phl[-1]", node, index));
  EXPECT_FALSE(minihost::scenefile::placeholderSlot("setRN.message", node, index));
}

TEST(ReferenceEditListTest, AValueThatStopsMakingSenseKeepsTheEditsBeforeIt) {
  ReferenceEditList list = decode(R"("setRN" "setRN" 3
      2 "|set:lamp" "translateX" " 4"
      "not a kind")",
                                  false);
  ASSERT_EQ(list.edits.size(), 1u);
  EXPECT_EQ(list.edits[0].fields[2], " 4");
}

}  // namespace
