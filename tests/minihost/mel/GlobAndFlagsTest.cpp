#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mel/Flags.h"
#include "mel/Glob.h"
#include "mel/Interpreter.h"

namespace {

using namespace mel;

TEST(GlobTest, StarsQuestionMarksClassesAndEscapes) {
  EXPECT_TRUE(globMatch("*", ""));
  EXPECT_TRUE(globMatch("p*Shape*", "pCubeShape12"));
  EXPECT_FALSE(globMatch("p*Shape", "pCubeShape12"));
  EXPECT_TRUE(globMatch("cam?", "cam1"));
  EXPECT_FALSE(globMatch("cam?", "cam"));
  EXPECT_TRUE(globMatch("cam[0-3x]", "camx"));
  EXPECT_FALSE(globMatch("cam[!0-3]", "cam2"));
  EXPECT_TRUE(globMatch("a\\*b", "a*b"));
  EXPECT_FALSE(globMatch("a\\*b", "axb"));
  EXPECT_FALSE(globMatch("cam[0-3", "cam1"));  // an unclosed class matches nothing
}

TEST(GlobTest, ManyStarsStayFast) {
  std::string text(5000, 'a');
  std::string pattern;
  for (int i = 0; i < 50; ++i)
    pattern += "*a";
  pattern += "b";
  EXPECT_FALSE(globMatch(pattern, text));
}

// Runs a FlagSet over arguments through a command registered for the purpose.
struct FlagProbe {
  static std::vector<FlagSpec> specs;
  static bool allowEdit;
  static FlagSet last;
  static bool run(CommandCall& call) {
    last = FlagSet();
    return last.parse(call, specs, true, allowEdit);
  }
};
std::vector<FlagSpec> FlagProbe::specs;
bool FlagProbe::allowEdit = false;
FlagSet FlagProbe::last;

class FlagSetTest : public ::testing::Test {
 protected:
  FlagSetTest() {
    interp.setDiagnostics([this](const std::string& s) { err += s; });
    interp.commands().set("probe", FlagProbe::run);
    FlagProbe::specs = {
        {"n", "name", 1}, {"p", "position", 3}, {"v", "verbose", 0}, {"at", "attribute", 1, 1}};
    FlagProbe::allowEdit = false;
  }
  Interpreter interp;
  std::string err;
};

TEST_F(FlagSetTest, ShortAndLongNamesWithTheirArguments) {
  ASSERT_TRUE(interp.runText("probe -n first -position 1 2 3 obj1 -v obj2;", ""));
  const FlagSet& f = FlagProbe::last;
  EXPECT_EQ(f.value("name").asString(), "first");
  ASSERT_NE(f.find("position"), nullptr);
  EXPECT_EQ(f.find("position")->size(), 3u);
  EXPECT_EQ(f.value("position", 2).asInt(), 3);
  EXPECT_TRUE(f.has("verbose"));
  ASSERT_EQ(f.positional.size(), 2u);
  EXPECT_EQ(f.positional[1].asString(), "obj2");
}

TEST_F(FlagSetTest, RepeatedFlagsKeepEveryOccurrenceAndTheLastWins) {
  ASSERT_TRUE(interp.runText("probe -at tx -at ty;", ""));
  EXPECT_EQ(FlagProbe::last.all("attribute").size(), 2u);
  EXPECT_EQ(FlagProbe::last.value("attribute").asString(), "ty");
}

TEST_F(FlagSetTest, QueryModeTakesOnlyTheQueryArguments) {
  ASSERT_TRUE(interp.runText("probe -q -n -at tx obj;", ""));
  const FlagSet& f = FlagProbe::last;
  EXPECT_TRUE(f.query);
  EXPECT_TRUE(f.has("name"));
  EXPECT_EQ(f.value("attribute").asString(), "tx");
  ASSERT_EQ(f.positional.size(), 1u);
  EXPECT_EQ(f.positional[0].asString(), "obj");
}

TEST_F(FlagSetTest, UnknownFlagsAndMissingArgumentsNameTheCommand) {
  EXPECT_FALSE(interp.runText("probe -bogus;", ""));
  EXPECT_NE(err.find("probe: Invalid flag '-bogus'"), std::string::npos);
  err.clear();
  EXPECT_FALSE(interp.runText("probe -p 1 2;", ""));
  EXPECT_NE(err.find("probe: Flag '-p' needs 3 arguments."), std::string::npos);
  err.clear();
  EXPECT_FALSE(interp.runText("probe -e;", ""));  // no edit mode, no -e flag
  EXPECT_NE(err.find("Invalid flag '-e'"), std::string::npos);
}

TEST_F(FlagSetTest, NegativeNumbersAreArgumentsNotFlags) {
  ASSERT_TRUE(interp.runText("probe -p -1 -2.5 -3 -n \"-x\";", ""));
  EXPECT_DOUBLE_EQ(FlagProbe::last.value("position", 1).asFloat(), -2.5);
  EXPECT_EQ(FlagProbe::last.value("name").asString(), "-x");
}

TEST(FlagWordsTest, BooleanWords) {
  EXPECT_TRUE(asBoolArg(Value("true")));
  EXPECT_TRUE(asBoolArg(Value("on")));
  EXPECT_FALSE(asBoolArg(Value("off")));
  EXPECT_FALSE(asBoolArg(Value("no")));
  EXPECT_TRUE(asBoolArg(Value(1)));
  EXPECT_FALSE(asBoolArg(Value(0.0)));
  EXPECT_TRUE(isFlagWord(Value("-q")));
  EXPECT_FALSE(isFlagWord(Value("-1")));
  EXPECT_FALSE(isFlagWord(Value(-1)));
}

}  // namespace
