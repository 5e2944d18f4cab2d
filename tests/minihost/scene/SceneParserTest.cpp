// What the parser makes of the words of a statement: numbers as the C library reads their
// spellings, flags told from negative numbers, and the messages that name a statement's fault.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace {

using minihost::scenefile::AttrSetting;
using minihost::scenefile::ParseResult;
using minihost::scenefile::SceneDescription;
using minihost::scenefile::SceneLexer;

struct Parsed {
  ParseResult result;
  SceneDescription description;
};

void parse(const std::string& text, Parsed& out) {
  SceneLexer lexer(text);
  out.description.fileName = "t.ma";
  out.result = minihost::scenefile::parseScene(lexer, out.description);
}

bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(SceneParserTest, NumbersReadAsTheCLibraryReadsTheirSpellings) {
  const char* const spellings[] = {"0",
                                   "-0",
                                   "+2",
                                   ".5",
                                   "5.",
                                   "-15",
                                   "0.1",
                                   "2.675",
                                   "1.005",
                                   "-0.000001",
                                   "0.3",
                                   "123456789012345",
                                   "99999999999999.9",
                                   "1234567890123456",
                                   "0.12345678901234567",
                                   "1e3",
                                   "-2.5E-3",
                                   "1e400",
                                   "4.9e-324",
                                   "007",
                                   "-.25"};
  std::string text = "//Maya ASCII 2024 scene\ncreateNode transform -n \"a\";\n";
  for (const char* s : spellings)
    text += std::string("setAttr \".tx\" ") + s + ";\n";
  Parsed p;
  parse(text, p);
  ASSERT_TRUE(p.result.ok) << p.result.error;
  ASSERT_EQ(p.description.values.size(), std::size(spellings));
  for (size_t i = 0; i < std::size(spellings); ++i) {
    const AttrSetting& v = p.description.values[i];
    ASSERT_EQ(v.numbers.size(), 1u) << spellings[i];
    const double expected = std::strtod(spellings[i], nullptr);
    EXPECT_TRUE(sameBits(v.numbers[0], expected))
        << spellings[i] << " read as " << v.numbers[0] << ", not " << expected;
  }
}

TEST(SceneParserTest, NonFiniteWordsAreValuesAndOtherDashWordsAreFlags) {
  Parsed p;
  parse(
      "//Maya ASCII 2024 scene\ncreateNode transform -n \"a\";\n"
      "setAttr \".tx\" -inf;\nsetAttr \".ty\" -Infinity;\nsetAttr \".tz\" -NaN;\n"
      "setAttr -k on \".rx\" 2;\nsetAttr \".ry\" -l on 3;\n",
      p);
  ASSERT_TRUE(p.result.ok) << p.result.error;
  const auto& values = p.description.values;
  ASSERT_EQ(values.size(), 5u);
  ASSERT_EQ(values[0].numbers.size(), 1u);
  EXPECT_TRUE(std::isinf(values[0].numbers[0]) && values[0].numbers[0] < 0);
  ASSERT_EQ(values[1].numbers.size(), 1u);
  EXPECT_TRUE(std::isinf(values[1].numbers[0]) && values[1].numbers[0] < 0);
  ASSERT_EQ(values[2].numbers.size(), 1u);
  EXPECT_TRUE(std::isnan(values[2].numbers[0]));
  EXPECT_EQ(values[3].numbers.toVector(), std::vector<double>{2.0});
  EXPECT_EQ(values[4].numbers.toVector(), std::vector<double>{3.0});
  EXPECT_EQ(values[4].lock, 1);
  EXPECT_EQ(values[4].attribute, "ry");
}

TEST(SceneParserTest, AStatementsFaultIsNamedWithItsFlagAndLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"setAttr \".v\" -k", "t.ma:3: setAttr -k needs a value"},
      {"setAttr -channelBox;", "t.ma:3: setAttr -channelBox needs a value"},
      {"setAttr -type", "t.ma:3: setAttr -type needs a value"},
      {"setAttr -q \".tx\" 1;", "t.ma:3: setAttr does not take -q"},
      {"setAttr -nan \".tx\";", "t.ma:3: unexpected '-nan' in setAttr"},
      {"rename -uid \"0A-1B\" {;", "t.ma:3: unexpected '{'"},
      {"fileInfo \"a\" \"b\"", "t.ma:3: the file ends inside a statement"},
  };
  for (const auto& c : cases) {
    Parsed p;
    parse(std::string("//Maya ASCII 2024 scene\ncreateNode transform -n \"a\";\n") + c.first, p);
    EXPECT_FALSE(p.result.ok) << c.first;
    EXPECT_EQ(p.result.error, c.second) << c.first;
  }
}

TEST(SceneParserTest, StatementsTakenAsWrittenLeaveTheNextValuesWithTheirNode) {
  Parsed p;
  parse(
      "//Maya ASCII 2024 scene\ncreateNode transform -n \"a\";\n"
      "\trename -uid \"8A3F2C10-4A2B-11EE-8C90-00000001F4A7\";\n\tsetAttr \".tx\" 4;\n"
      "lockNode -l 1 ;\nfileInfo \"application\" \"maya\";\n\tsetAttr \".ty\" 5;\n",
      p);
  ASSERT_TRUE(p.result.ok) << p.result.error;
  ASSERT_EQ(p.description.values.size(), 2u);
  EXPECT_EQ(p.description.values[0].attribute, "tx");
  EXPECT_EQ(p.description.values[1].attribute, "ty");
  EXPECT_EQ(p.description.values[1].numbers.toVector(), std::vector<double>{5.0});
  EXPECT_EQ(p.description.values[1].line, 7u);
  EXPECT_TRUE(p.description.warnings.empty());
}

TEST(SceneParserTest, ShortStatementsKeepTheirWordsWhateverTheirLength) {
  const std::string name(40, 'n'), parent(50, 'p');
  Parsed p;
  parse(
      "//Maya ASCII 2024 scene\nrequires -nodeType \"fooNode\" \"fooPlugin\" \"1.0\";\n"
      "createNode transform -s -n \"" +
          parent +
          "\";\n"
          "createNode transform -n \"" +
          name + "\" -p \"" + parent +
          "\";\n"
          "select -ne \":time1\";\n"
          "connectAttr \":" +
          name + ".tx\" \"" + parent + ".ty\" -na;\n",
      p);
  ASSERT_TRUE(p.result.ok) << p.result.error;
  const SceneDescription& d = p.description;
  EXPECT_EQ(d.pluginNodeTypes, std::vector<std::string>{"fooNode"});
  ASSERT_EQ(d.nodes.size(), 3u);
  EXPECT_EQ(d.nameOf(d.nodes[0]), parent);
  EXPECT_TRUE(d.nodes[0].shared);
  EXPECT_EQ(d.typeOf(d.nodes[0]), "transform");
  EXPECT_EQ(d.nameOf(d.nodes[1]), name);
  EXPECT_EQ(d.parentOf(d.nodes[1]), parent);
  EXPECT_EQ(d.nodes[1].typeIndex, d.nodes[0].typeIndex);
  EXPECT_EQ(d.nameOf(d.nodes[2]), "time1");
  ASSERT_EQ(d.links.size(), 1u);
  EXPECT_EQ(d.links[0].source, name + ".tx");
  EXPECT_EQ(d.links[0].destination, parent + ".ty");
  EXPECT_TRUE(d.links[0].nextAvailable);
}

// Node types are numbered in order of first use, however many a file names: each node keeps its
// own type whether it is the first of its type or a later one, among few types or many.
TEST(SceneParserTest, EveryNodeKeepsItsTypeAmongFewTypesOrMany) {
  std::string text = "//Maya ASCII 2024 scene\n";
  std::vector<std::string> types;
  for (int round = 0; round < 3; ++round) {
    for (int t = 0; t < 50; ++t) {
      // Types that differ in their last byte only, and in their length.
      const std::string type =
          "type" + std::string(static_cast<size_t>(t % 7), 'x') + std::to_string(t);
      text += "createNode " + type + " -n \"n" + std::to_string(types.size()) + "\";\n";
      types.push_back(type);
    }
  }
  Parsed p;
  parse(text, p);
  ASSERT_TRUE(p.result.ok) << p.result.error;
  const SceneDescription& d = p.description;
  ASSERT_EQ(d.nodes.size(), types.size());
  for (size_t i = 0; i < types.size(); ++i)
    EXPECT_EQ(d.typeOf(d.nodes[i]), types[i]) << "node " << i;
  EXPECT_EQ(d.nodeTypes.size(), 51u);  // the empty name, then each type once
}

// A createNode that does not read leaves no node entry behind it.
TEST(SceneParserTest, ACreateNodeThatDoesNotReadLeavesNoEntry) {
  const std::pair<const char*, const char*> cases[] = {
      {"createNode -n \"b\";", "t.ma:3: createNode needs a node type"},
      {"createNode transform mesh -n \"b\";", "t.ma:3: createNode takes one node type"},
      {"createNode transform -n \"b\" -q;", "t.ma:3: createNode does not take -q"},
      {"createNode transform -p \"a\" -n;", "t.ma:3: createNode -n needs a value"},
  };
  for (const auto& c : cases) {
    Parsed p;
    parse(std::string("//Maya ASCII 2024 scene\ncreateNode transform -n \"a\";\n") + c.first, p);
    EXPECT_FALSE(p.result.ok) << c.first;
    EXPECT_EQ(p.result.error, c.second) << c.first;
    ASSERT_EQ(p.description.nodes.size(), 1u) << c.first;
    EXPECT_EQ(p.description.nameOf(p.description.nodes[0]), "a") << c.first;
  }
}

TEST(SceneParserTest, ASettingThatSetsNothingLeavesNoValue) {
  Parsed p;
  parse(
      "//Maya ASCII 2024 scene\ncreateNode reference -n \"rRN\";\n"
      "setAttr \".ed\" -type \"dataReferenceEdits\" \"rRN\" \"rRN\" 0;\n"
      "setAttr \".v\" 1;\n",
      p);
  ASSERT_TRUE(p.result.ok) << p.result.error;
  ASSERT_EQ(p.description.values.size(), 1u);
  EXPECT_EQ(p.description.values[0].attribute, "v");
  ASSERT_EQ(p.description.referenceEdits.size(), 1u);
  EXPECT_EQ(p.description.referenceEdits[0].tokens.size(), 3u);

  // A fault part-way through a setting leaves the values read before it, and no part of it.
  Parsed faulty;
  parse(
      "//Maya ASCII 2024 scene\ncreateNode transform -n \"a\";\nsetAttr \".tx\" 1;\n"
      "setAttr \".ty\" 2 (\"x\";\n",
      faulty);
  EXPECT_FALSE(faulty.result.ok);
  EXPECT_EQ(faulty.result.error, "t.ma:4: unexpected ';' in a string value");
  ASSERT_EQ(faulty.description.values.size(), 1u);
  EXPECT_EQ(faulty.description.values[0].attribute, "tx");
}

}  // namespace
