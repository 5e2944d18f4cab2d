#include <gtest/gtest.h>

#include <string>

#include "mel/Interpreter.h"

namespace {

using namespace mel;

class InterpreterTest : public ::testing::Test {
 protected:
  InterpreterTest() {
    interp.setOutput([this](const std::string& s) { out += s; });
    interp.setDiagnostics([this](const std::string& s) { err += s; });
  }
  bool run(const std::string& text, const std::string& file = std::string()) {
    return interp.runText(text, file, &result);
  }

  Interpreter interp;
  std::string out;
  std::string err;
  Value result;
};

TEST_F(InterpreterTest, PrintFormatsNumbersAndArraysAsTheHostDoes) {
  ASSERT_TRUE(
      run("print 1.0; print \" \"; print (1.0/3); print \" \"; print 7; print \"\\n\";"
          "print {\"a\", \"b\"}; print <<1, 2.5, 0>>;"));
  EXPECT_EQ(out, "1 0.3333333333 7\na\nb\n1 2.5 0");
  EXPECT_EQ(err, "");
}

// Each case tells its grouping from the other ones: a wrong precedence or associativity gives
// the value in the comment.
TEST_F(InterpreterTest, BinaryOperatorsBindAndGroupAsMelDoes) {
  const struct {
    const char* expression;
    const char* value;
  } cases[] = {
      {"1 + 2 * 3", "7"},    // (1 + 2) * 3 = 9
      {"10 - 4 - 3", "3"},   // 10 - (4 - 3) = 9
      {"2 * 3 % 4", "2"},    // 2 * (3 % 4) = 6
      {"12 / 2 / 3", "2"},   // 12 / (2 / 3) = 0 in integers
      {"1 + 2 < 4", "1"},    // 1 + (2 < 4) = 2
      {"1 < 2 == 1", "1"},   // 1 < (2 == 1) = 0
      {"2 == 2 != 0", "1"},  // 2 == (2 != 0) = 0
      {"0 && 0 || 1", "1"},  // 0 && (0 || 1) = 0
      {"1 || 0 && 0", "1"},  // (1 || 0) && 0 = 0
      {"-2 * 3 + 1", "-5"},  // -(2 * 3 + 1) = -7
      {"3 > 2 ? 4 + 1 : 0", "5"},
  };
  for (const auto& c : cases) {
    out.clear();
    ASSERT_TRUE(run(std::string("print (") + c.expression + ");")) << c.expression << ": " << err;
    EXPECT_EQ(out, c.value) << c.expression;
  }
  out.clear();
  // A vector literal's components take arithmetic but stop at the comparison-looking '>>'.
  ASSERT_TRUE(run("print <<1 + 1, 2 * 3, 4 - 5>>;")) << err;
  EXPECT_EQ(out, "2 6 -1");
}

TEST_F(InterpreterTest, ErrorsNameTheFileAndLineAndStopTheScript) {
  EXPECT_FALSE(run("print \"a\";\nerror \"bad thing\";\nprint \"b\";", "scene.mel"));
  EXPECT_EQ(out, "a");
  EXPECT_EQ(err, "// Error: file: scene.mel line 2: bad thing //\n");
  err.clear();
  EXPECT_FALSE(run("\n\nnoSuchProc;"));
  EXPECT_EQ(err, "// Error: line 3: Cannot find procedure \"noSuchProc\". //\n");
}

TEST_F(InterpreterTest, ErrorInsideAProcedureReportsTheProceduresLine) {
  ASSERT_TRUE(run("global proc f() {\n  int $a;\n  error \"inner\";\n}", "lib.mel"));
  EXPECT_FALSE(run("f();", "main.mel"));
  EXPECT_EQ(err, "// Error: file: lib.mel line 3: inner //\n");
}

TEST_F(InterpreterTest, WarningsDoNotStopTheScript) {
  EXPECT_TRUE(run("warning \"careful\"; print \"after\";"));
  EXPECT_EQ(err, "// Warning: careful //\n");
  EXPECT_EQ(out, "after");
  err.clear();
  // A message that starts with '-' is still the message, not a flag.
  EXPECT_TRUE(run("warning \"-5 frames\"; warning -sl true \"located\";"));
  EXPECT_EQ(err, "// Warning: -5 frames //\n// Warning: line 1: located //\n");
}

TEST_F(InterpreterTest, ResultIsTheLastStatementsValue) {
  ASSERT_TRUE(run("int $a = 2; $a * 21;"));
  EXPECT_EQ(result.asInt(), 42);
  ASSERT_TRUE(run("string $s[] = {\"x\"}; $s;"));
  EXPECT_EQ(result.type(), ValueType::kStringArray);
}

TEST_F(InterpreterTest, RedefiningAProcedureTakesEffectAtCachedCallSites) {
  ASSERT_TRUE(run("global proc int v() { return 1; }"));
  ASSERT_TRUE(run("global proc int callV() { return v(); }"));
  ASSERT_TRUE(run("callV();"));
  EXPECT_EQ(result.asInt(), 1);
  ASSERT_TRUE(run("global proc int v() { return 2; }"));
  ASSERT_TRUE(run("callV();"));
  EXPECT_EQ(result.asInt(), 2);
}

TEST_F(InterpreterTest, AProcedureMayRedefineItselfWhileRunning) {
  ASSERT_TRUE(
      run("global proc int self() { eval(\"global proc int self() { return 9; }\"); "
          "int $local = 5; return $local; }"));
  ASSERT_TRUE(run("self();"));
  EXPECT_EQ(result.asInt(), 5);
  ASSERT_TRUE(run("self();"));
  EXPECT_EQ(result.asInt(), 9);
}

TEST_F(InterpreterTest, RunawayRecursionIsAnErrorNotACrash) {
  ASSERT_TRUE(run("global proc down(int $n) { down($n + 1); }"));
  EXPECT_FALSE(run("down(0);"));
  EXPECT_NE(err.find("nested too deeply"), std::string::npos);
  // The interpreter is still usable.
  err.clear();
  EXPECT_TRUE(run("1 + 1;"));
  EXPECT_EQ(result.asInt(), 2);
}

TEST_F(InterpreterTest, HugeArrayIndexIsRefusedBeforeAllocating) {
  EXPECT_FALSE(run("int $a[]; $a[2000000000] = 1;"));
  EXPECT_NE(err.find("too large"), std::string::npos);
}

TEST_F(InterpreterTest, IntegerEdgeCasesNeitherTrapNorCrash) {
  EXPECT_FALSE(run("int $z = 0; 1 / $z;"));
  EXPECT_NE(err.find("Divide by zero"), std::string::npos);
  ASSERT_TRUE(run("int $m = -2147483647 - 1; $m / -1;"));
  EXPECT_EQ(result.asInt(), -2147483647 - 1);
  ASSERT_TRUE(run("(int)1e30;"));
  EXPECT_EQ(result.asInt(), 2147483647);
}

TEST_F(InterpreterTest, ArrayToScalarAssignmentIsRefused) {
  EXPECT_FALSE(run("string $a[] = {\"x\"}; string $s = $a;"));
  EXPECT_NE(err.find("Cannot convert data of type string[] to type string"), std::string::npos);
}

TEST_F(InterpreterTest, CommandsRegisteredLaterAreFoundByCachedCalls) {
  ASSERT_TRUE(run("global proc int tryIt() { return catchQuiet(later()); }"));
  ASSERT_TRUE(run("tryIt();"));
  EXPECT_EQ(result.asInt(), 1);
  interp.commands().set("later", [](CommandCall& call) {
    call.result = Value(3);
    return true;
  });
  ASSERT_TRUE(run("tryIt();"));
  EXPECT_EQ(result.asInt(), 0);
}

TEST_F(InterpreterTest, CatchQuietSuppressesTheMessageCatchDoesNot) {
  ASSERT_TRUE(run("catchQuiet(error(\"hidden\"));"));
  EXPECT_EQ(err, "");
  ASSERT_TRUE(run("catch(error(\"shown\"));"));
  EXPECT_EQ(err, "// Error: line 1: shown //\n");
}

}  // namespace
