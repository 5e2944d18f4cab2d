// Script text with bytes a script file should not hold: the lexer and parser refuse them with a
// syntax error and never stop making progress.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "mel/GlobalTable.h"
#include "mel/Lexer.h"
#include "mel/Parser.h"

namespace {

std::string withNul(const std::string& before, const std::string& after) {
  std::string text = before;
  text.push_back('\0');
  return text + after;
}

TEST(ScriptTextTest, ANulByteWhereACommandArgumentStartsIsALexicalError) {
  const std::string text = withNul("", "");
  mel::Lexer lexer(text);
  const mel::Token token = lexer.nextCommandArgument();
  EXPECT_EQ(token.kind, mel::TokenKind::kError);
}

TEST(ScriptTextTest, ANulByteInsideACommandArgumentEndsTheWordAndIsThenRefused) {
  const std::string text = withNul("a", "b");
  mel::Lexer lexer(text);
  const mel::Token word = lexer.nextCommandArgument();
  EXPECT_EQ(word.kind, mel::TokenKind::kWord);
  EXPECT_EQ(word.text, "a");
  EXPECT_EQ(lexer.nextCommandArgument().kind, mel::TokenKind::kError);
}

TEST(ScriptTextTest, ACommandWithANulByteIsASyntaxErrorOnItsLine) {
  mel::GlobalTable globals;
  const std::string text = withNul("print \"x\";\nprint a", "b;");
  mel::Parser parser(text, std::make_shared<const std::string>("nul.mel"), globals);
  EXPECT_EQ(parser.parse(), nullptr);
  EXPECT_NE(parser.error().message.find("unexpected character"), std::string::npos);
  EXPECT_EQ(parser.error().line, 2);
}

}  // namespace
