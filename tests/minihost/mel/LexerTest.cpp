#include <gtest/gtest.h>

#include <vector>

#include "mel/Lexer.h"

namespace {

using mel::Lexer;
using mel::Token;
using mel::TokenKind;

std::vector<Token> allTokens(const char* text) {
  Lexer lexer(text);
  std::vector<Token> out;
  for (int guard = 0; guard < 1000; ++guard) {
    Token t = lexer.next();
    out.push_back(t);
    if (t.kind == TokenKind::kEnd || t.kind == TokenKind::kError)
      break;
  }
  return out;
}

TEST(LexerTest, ExpressionTokensCarryKindsValuesAndLines) {
  auto t = allTokens("int $x = 0x1F;\n// comment\n$y += 2.5e1 /* a\nb */ \"s\\t\\\"q\\\"\";");
  ASSERT_GE(t.size(), 11u);
  EXPECT_TRUE(t[0].isKeyword("int"));
  EXPECT_EQ(t[1].kind, TokenKind::kVariable);
  EXPECT_EQ(t[1].text, "x");
  EXPECT_TRUE(t[2].isPunct("="));
  EXPECT_EQ(t[3].kind, TokenKind::kInt);
  EXPECT_EQ(t[3].intValue, 31);
  EXPECT_TRUE(t[4].isPunct(";"));
  EXPECT_EQ(t[5].text, "y");
  EXPECT_EQ(t[5].line, 3);
  EXPECT_TRUE(t[6].isPunct("+="));
  EXPECT_EQ(t[7].kind, TokenKind::kFloat);
  EXPECT_DOUBLE_EQ(t[7].floatValue, 25.0);
  EXPECT_EQ(t[8].kind, TokenKind::kString);
  EXPECT_EQ(t[8].text, "s\t\"q\"");
  EXPECT_EQ(t[8].line, 4);  // after the two-line comment
}

TEST(LexerTest, VectorBracketsAndTwoCharacterOperators) {
  auto t = allTokens("<<1,2,3>> <= >= == != && || ++ --");
  std::vector<std::string> texts;
  for (const Token& tok : t)
    texts.push_back(tok.text);
  std::vector<std::string> want = {
      "<<", "1", ",", "2", ",", "3", ">>", "<=", ">=", "==", "!=", "&&", "||", "++", "--", ""};
  EXPECT_EQ(texts, want);
}

TEST(LexerTest, IntegerTooLargeForIntBecomesFloat) {
  auto t = allTokens("4294967296");
  EXPECT_EQ(t[0].kind, TokenKind::kFloat);
  EXPECT_DOUBLE_EQ(t[0].floatValue, 4294967296.0);
}

TEST(LexerTest, UnterminatedStringAndCommentAreErrorsWithTheirStartLine) {
  auto s = allTokens("\n\"never closed\n");
  EXPECT_EQ(s.back().kind, TokenKind::kError);
  EXPECT_EQ(s.back().line, 2);
  auto c = allTokens("1\n/* open\n\n");
  EXPECT_EQ(c.back().kind, TokenKind::kError);
  EXPECT_EQ(c.back().line, 2);
}

TEST(LexerTest, CommandArgumentsSplitFlagsNumbersAndWords) {
  Lexer lexer("-q -axis |group1|cam.tx -1.5 7 pCube* ;");
  std::vector<Token> t;
  for (int i = 0; i < 7; ++i)
    t.push_back(lexer.nextCommandArgument());
  EXPECT_EQ(t[0].kind, TokenKind::kFlag);
  EXPECT_EQ(t[0].text, "-q");
  EXPECT_EQ(t[1].text, "-axis");
  EXPECT_EQ(t[2].kind, TokenKind::kWord);
  EXPECT_EQ(t[2].text, "|group1|cam.tx");
  EXPECT_EQ(t[3].kind, TokenKind::kFloat);
  EXPECT_DOUBLE_EQ(t[3].floatValue, -1.5);
  EXPECT_EQ(t[4].kind, TokenKind::kInt);
  EXPECT_EQ(t[5].kind, TokenKind::kWord);
  EXPECT_EQ(t[5].text, "pCube*");
  EXPECT_TRUE(t[6].isPunct(";"));
}

TEST(LexerTest, CommandArgumentModeHandsExpressionStartsBack) {
  Lexer lexer("$v (1) \"s\" `ls`");
  EXPECT_EQ(lexer.nextCommandArgument().kind, TokenKind::kVariable);
  EXPECT_TRUE(lexer.nextCommandArgument().isPunct("("));
}

}  // namespace
