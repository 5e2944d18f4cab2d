#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "mel/Parser.h"

namespace {

using namespace mel;

struct Parsed {
  std::unique_ptr<Unit> unit;
  ParseError error;
};

Parsed parse(const std::string& text, GlobalTable& globals) {
  Parser p(text, std::make_shared<const std::string>("test.mel"), globals);
  Parsed out;
  out.unit = p.parse();
  out.error = p.error();
  return out;
}

Parsed parse(const std::string& text) {
  static GlobalTable globals;
  return parse(text, globals);
}

const Expr& firstExpr(const Parsed& p) {
  return *p.unit->statements.at(0)->expr;
}

TEST(ParserTest, CommandSyntaxKeepsFlagsAndArgumentsInOrder) {
  Parsed p = parse("setAttr -type \"string\" node.attr \"v\";");
  ASSERT_TRUE(p.unit) << p.error.message;
  const Expr& call = firstExpr(p);
  EXPECT_EQ(call.kind, ExprKind::kCall);
  EXPECT_TRUE(call.commandSyntax);
  ASSERT_EQ(call.children.size(), 4u);
  EXPECT_TRUE(call.children[0]->isFlag);
  EXPECT_EQ(call.children[0]->value.asString(), "-type");
  EXPECT_FALSE(call.children[1]->isFlag);
  EXPECT_EQ(call.children[2]->value.asString(), "node.attr");
}

TEST(ParserTest, ParenthesizedFirstArgumentStillAllowsCommandSyntax) {
  Parsed p = parse("string $n = \"a\"; setAttr ($n + \".tx\") 1;");
  ASSERT_TRUE(p.unit) << p.error.message;
  const Expr& call = *p.unit->statements.at(1)->expr;
  EXPECT_TRUE(call.commandSyntax);
  ASSERT_EQ(call.children.size(), 2u);
  EXPECT_EQ(call.children[0]->kind, ExprKind::kBinary);
}

TEST(ParserTest, FunctionSyntaxIsACallWithExpressionArguments) {
  Parsed p = parse("print(\"a\" + 1);");
  ASSERT_TRUE(p.unit) << p.error.message;
  const Expr& call = firstExpr(p);
  EXPECT_FALSE(call.commandSyntax);
  ASSERT_EQ(call.children.size(), 1u);
  EXPECT_EQ(call.children[0]->kind, ExprKind::kBinary);
}

TEST(ParserTest, VariablesResolveToSlotsPerBlock) {
  Parsed p = parse("int $a; { int $a; $a = 1; } $a = 2;");
  ASSERT_TRUE(p.unit) << p.error.message;
  ASSERT_EQ(p.unit->slotTypes.size(), 2u);
  const Stmt& block = *p.unit->statements.at(1);
  const Expr& inner = *block.body.at(1)->expr->children[0];
  const Expr& outer = *p.unit->statements.at(2)->expr->children[0];
  EXPECT_NE(inner.var.index, outer.var.index);
  EXPECT_EQ(outer.var.index, 0);
}

TEST(ParserTest, ImplicitDeclarationTakesTheValuesType) {
  Parsed p = parse("$s = \"x\"; $f = 1.5; $i = 2;");
  ASSERT_TRUE(p.unit) << p.error.message;
  EXPECT_EQ(p.unit->slotTypes[0], ValueType::kString);
  EXPECT_EQ(p.unit->slotTypes[1], ValueType::kFloat);
  EXPECT_EQ(p.unit->slotTypes[2], ValueType::kInt);
}

TEST(ParserTest, UndeclaredVariableIsAnErrorAtItsLine) {
  Parsed p = parse("int $a;\n\nprint ($a + $b);");
  EXPECT_FALSE(p.unit);
  EXPECT_EQ(p.error.line, 3);
  EXPECT_EQ(p.error.message, "\"$b\" is an undeclared variable.");
}

TEST(ParserTest, GlobalsOfDifferentTypesConflict) {
  GlobalTable globals;
  EXPECT_TRUE(parse("global int $g;", globals).unit);
  EXPECT_TRUE(parse("global int $g = 3;", globals).unit);
  Parsed bad = parse("global string $g;", globals);
  EXPECT_FALSE(bad.unit);
  EXPECT_NE(bad.error.message.find("different type"), std::string::npos);
}

TEST(ParserTest, ProceduresCollectParametersAndReturnType) {
  Parsed p = parse("global proc string[] f(int $a, string $b[]) { return {$b[0]}; }");
  ASSERT_TRUE(p.unit) << p.error.message;
  ASSERT_EQ(p.unit->procs.size(), 1u);
  const ProcDef& f = *p.unit->procs[0];
  EXPECT_TRUE(f.global);
  EXPECT_EQ(f.returnType, ValueType::kStringArray);
  ASSERT_EQ(f.params.size(), 2u);
  EXPECT_EQ(f.params[1].var.type, ValueType::kStringArray);
}

TEST(ParserTest, RefusesStructuralMistakes) {
  EXPECT_FALSE(parse("break;").unit);
  EXPECT_FALSE(parse("proc f() { return 1; }").unit);  // no return type
  EXPECT_FALSE(parse("{ proc f() {} }").unit);
  EXPECT_FALSE(parse("if (1) {").unit);
  EXPECT_FALSE(parse("`ls `ls``;").unit);
  EXPECT_FALSE(parse("3 = 4;").unit);
}

TEST(ParserTest, DeepNestingFailsCleanly) {
  std::string deep(5000, '(');
  deep += "1";
  deep += std::string(5000, ')');
  Parsed p = parse(deep + ";");
  EXPECT_FALSE(p.unit);
  EXPECT_NE(p.error.message.find("too deeply"), std::string::npos);
  std::string blocks(5000, '{');
  EXPECT_FALSE(parse(blocks).unit);
}

TEST(ParserTest, NegativeLiteralsFoldAndKeepIntMinimum) {
  Parsed p = parse("$m = -2147483648;");
  ASSERT_TRUE(p.unit) << p.error.message;
  // The literal does not fit an int until it is negated, so it arrives as a float.
  EXPECT_EQ(p.unit->slotTypes[0], ValueType::kFloat);
  Parsed q = parse("$n = -5;");
  EXPECT_EQ(q.unit->slotTypes[0], ValueType::kInt);
}

}  // namespace
