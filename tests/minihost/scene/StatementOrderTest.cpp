// Each node takes its values as soon as it is made, and their records are released: what the
// scene ends with must still be what the file says in file order, for every copy of a file
// referenced several times, and a file damaged after many nodes must still change nothing.

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "SceneFixture.h"

namespace {

using minihost::scenefile::readSceneFile;
using minihost::scenefile::readSceneText;
using minihost::scenefile::SceneFileResult;

class StatementOrderTest : public SceneFileTest {
 protected:
  SceneFileResult read(const std::string& body) {
    return readSceneText("//Maya ASCII 2024 scene\nrequires maya \"2024\";\n" + body, "order.ma",
                         scene(), true);
  }
};

TEST_F(StatementOrderTest, LaterStatementsOnANodeWinWhicheverEntryNamesIt) {
  SceneFileResult r = read(
      "createNode transform -n \"a\";\n\tsetAttr \".tx\" 1;\n\tsetAttr \".sy\" 2;\n"
      "createNode transform -n \"b\" -p \"a\";\n\tsetAttr \".tx\" 2;\n"
      "select -ne \"a\";\n\tsetAttr \".tx\" 3;\n\tsetAttr \".sy\" 1;\n"
      "createNode transform -n \"c\";\n\tsetAttr \".ty\" 4;\n\tsetAttr \".ty\" 5;\n"
      "select -ne \"a|b\";\n\tsetAttr \".tz\" 6;\n"
      // A connection to a node made later in the file is made all the same.
      "connectAttr \"d.tx\" \"c.tz\";\n"
      "createNode transform -n \"d\";\n\tsetAttr \".tx\" 7;\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(number("a", "tx"), 3.0);
  EXPECT_EQ(number("a", "sy"), 1.0);
  EXPECT_EQ(number("a|b", "tx"), 2.0);
  EXPECT_EQ(number("a|b", "tz"), 6.0);
  EXPECT_EQ(number("c", "ty"), 5.0);
  EXPECT_EQ(number("c", "tz"), 7.0);
  EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
}

// Parents, selections and connections name nodes by name or path while the file is built: with
// thousands of entries of one name, each must still reach its own node.
TEST_F(StatementOrderTest, PathsInTheFileFindTheirOwnNodeAmongThousandsOfOneName) {
  std::string body;
  for (int i = 0; i < 2000; ++i) {
    const std::string group = "g" + std::to_string(i);
    body += "createNode transform -n \"" + group + "\";\n";
    body += "createNode transform -n \"geo\" -p \"" + group + "\";\n";
    body += "\tsetAttr \".tx\" " + std::to_string(i) + ";\n";
    const std::string parent = i % 2 == 0 ? "|" + group + "|geo" : group + "|geo";
    body += "createNode camera -n \"geoShape\" -p \"" + parent + "\";\n";
  }
  body += "select -ne \"g1234|geo\";\n\tsetAttr \".ty\" 3;\n";
  body += "select -ne \"|g77|geo|geoShape\";\n\tsetAttr \".fl\" 50;\n";
  body += "select -ne \"g79|geo|geoShape\";\n\tsetAttr \".fl\" 85;\n";
  body += "select -ne \"|g80|geo\";\n\tsetAttr \".v\" no;\n";
  body += "connectAttr \"g5|geo.tx\" \"|g6|geo.tz\";\n";
  // Parents that cannot take the node: it goes to the top, and the warning quotes the path.
  body += "createNode transform -n \"lost\" -p \"|g5|geo|nowhere_to_be_found\";\n";
  body += "createNode transform -n \"under\" -p \"g7|geo|geoShape\";\n";
  SceneFileResult r = read(body);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.warnings.size(), 2u);
  EXPECT_NE(r.warnings[0].find("no parent \"|g5|geo|nowhere_to_be_found\" for \"lost\""),
            std::string::npos)
      << r.warnings[0];
  EXPECT_NE(r.warnings[1].find("\"under\" cannot go under \"g7|geo|geoShape\""), std::string::npos)
      << r.warnings[1];
  EXPECT_EQ(scene().fullPathName(node("lost")), "|lost");
  EXPECT_EQ(scene().fullPathName(node("under")), "|under");
  for (int i : {0, 1, 2, 1999}) {
    const std::string geo = "|g" + std::to_string(i) + "|geo";
    EXPECT_EQ(number(geo, "tx"), i) << geo;
    const minihost::NodeRef shape = node(geo + "|geoShape");
    ASSERT_TRUE(shape.isSet()) << geo;
    EXPECT_EQ(scene().parentOf(shape), node(geo)) << geo;
  }
  EXPECT_EQ(number("g1234|geo", "ty"), 3.0);
  EXPECT_EQ(number("g1233|geo", "ty"), 0.0);
  EXPECT_EQ(number("g77|geo|geoShape", "fl"), 50.0);
  EXPECT_EQ(number("g78|geo|geoShape", "fl"), 35.0);
  EXPECT_EQ(number("g79|geo|geoShape", "fl"), 85.0);
  EXPECT_EQ(number("g80|geo", "v"), 0.0);
  EXPECT_EQ(number("g81|geo", "v"), 1.0);
  EXPECT_EQ(number("g6|geo", "tz"), 5.0);
}

TEST_F(StatementOrderTest, ADamagedStatementAfterManyNodesChangesNothing) {
  minihost::NodeRef keeper = scene().createNode("transform", "keeper", {}, nullptr);
  ASSERT_TRUE(keeper.isSet());
  std::string body;
  for (int i = 0; i < 200; ++i)
    body += "createNode transform -n \"n" + std::to_string(i) + "\";\n\tsetAttr \".tx\" " +
            std::to_string(i) + ";\n";
  body += "createNode animCurveTL -n \"bad\";\n\tsetAttr -s 2 \".ktv[0:1]\" 1 0 2;\n";
  SceneFileResult r = read(body);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(scene().isAlive(keeper));
  EXPECT_FALSE(scene().findNode("n0").isSet());
}

TEST_F(StatementOrderTest, EveryCopyOfAFileReferencedTwiceHasItsValues) {
  char folder[] = "/tmp/vxr_order_testXXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  const std::string dir = folder;
  std::ofstream(dir + "/prop.ma") << "//Maya ASCII 2024 scene\nrequires maya \"2024\";\n"
                                     "createNode transform -n \"prop\";\n\tsetAttr \".tx\" 4;\n"
                                     "\tsetAttr \".ry\" 90;\ncreateNode transform -n \"tip\" "
                                     "-p \"prop\";\n\tsetAttr \".sz\" 3;\n";
  std::ofstream(dir + "/shot.ma")
      << "//Maya ASCII 2024 scene\n"
         "file -rdi 1 -ns \"one\" -rfn \"oneRN\" -typ \"mayaAscii\" \"prop.ma\";\n"
         "file -rdi 1 -ns \"two\" -rfn \"twoRN\" -typ \"mayaAscii\" \"prop.ma\";\n"
         "file -r -ns \"one\" -dr 1 -rfn \"oneRN\" -typ \"mayaAscii\" \"prop.ma\";\n"
         "file -r -ns \"two\" -dr 1 -rfn \"twoRN\" -typ \"mayaAscii\" \"prop.ma\";\n"
         "requires maya \"2024\";\ncreateNode reference -n \"oneRN\";\n"
         "createNode reference -n \"twoRN\";\ncreateNode transform -n \"prop\";\n"
         "\tsetAttr \".tx\" -1;\n";
  SceneFileResult r = readSceneFile(dir + "/shot.ma", scene(), true);
  ASSERT_TRUE(r.ok) << r.error;
  for (const char* ns : {"one:", "two:"}) {
    const std::string prop = std::string(ns) + "prop";
    EXPECT_EQ(number(prop, "tx"), 4.0) << ns;
    EXPECT_NEAR(number(prop, "ry"), kPi / 2.0, 1e-12) << ns;
    EXPECT_EQ(number(prop + "|" + ns + "tip", "sz"), 3.0) << ns;
  }
  EXPECT_EQ(number("prop", "tx"), -1.0);
  for (const char* name : {"/prop.ma", "/shot.ma"})
    std::remove((dir + name).c_str());
  ::rmdir(folder);
}

}  // namespace
