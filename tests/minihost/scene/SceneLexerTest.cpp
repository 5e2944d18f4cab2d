// The lexer reads a file a chunk at a time: a token that starts in one chunk and ends in the
// next must arrive as the same token, on the same line, as when the text is read whole.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "scene/SceneLexer.h"

namespace {

using minihost::scenefile::kChunkBytes;
using minihost::scenefile::kMaxStringBytes;
using minihost::scenefile::LineNumber;
using minihost::scenefile::SceneLexer;
using minihost::scenefile::Token;
using minihost::scenefile::TokenKind;

struct Reading {
  std::vector<Token> tokens;
  std::string error;
  LineNumber errorLine = 0;
};

Reading readAll(SceneLexer& lexer) {
  Reading r;
  for (Token t; lexer.next(t);)
    r.tokens.push_back(t);
  r.error = lexer.error();
  r.errorLine = lexer.errorLine();
  return r;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The text read from a file, in chunks.
Reading readFromFile(const std::string& text) {
  std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
  EXPECT_NE(file, nullptr);
  if (!file)
    return {};
  EXPECT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
  std::rewind(file.get());
  SceneLexer lexer(file.get(), text.size());
  return readAll(lexer);
}

Reading readWhole(const std::string& text) {
  SceneLexer lexer(text);
  return readAll(lexer);
}

void expectSameReading(const Reading& a, const Reading& b, size_t shift) {
  EXPECT_EQ(a.error, b.error) << "shift " << shift;
  EXPECT_EQ(a.errorLine, b.errorLine) << "shift " << shift;
  ASSERT_EQ(a.tokens.size(), b.tokens.size()) << "shift " << shift;
  for (size_t i = 0; i < a.tokens.size(); ++i) {
    EXPECT_EQ(a.tokens[i].kind, b.tokens[i].kind) << "shift " << shift << " token " << i;
    EXPECT_EQ(a.tokens[i].text, b.tokens[i].text) << "shift " << shift << " token " << i;
    EXPECT_EQ(a.tokens[i].line, b.tokens[i].line) << "shift " << shift << " token " << i;
  }
}

TEST(SceneLexerTest, EveryTokenCrossingAChunkBoundaryArrivesAsWhenTheTextIsReadWhole) {
  // Words, strings with escapes and a continued line, both comment forms and all three line
  // ends: the chunk boundary falls on each of their bytes in turn.
  const std::string body =
      "setAttr \".t\" -type \"double3\" -1.5 2e3 nan;\r\n"
      "setAttr \".b\" -type \"string\" \"a\\\"b\\\\c\\td\\\n"
      "e\";\r// a comment\n"
      "/* a block\r\n over lines */ setAttr \".v\" no;{(\"x\")}\n";
  const std::string head = "//Maya ASCII 2024 scene\n";
  for (size_t shift = 0; shift <= body.size(); ++shift) {
    const std::string text = head + std::string(kChunkBytes - head.size() - shift, ' ') + body;
    const Reading whole = readWhole(text);
    ASSERT_TRUE(whole.error.empty()) << whole.error;
    ASSERT_EQ(whole.tokens.size(), 23u);
    EXPECT_EQ(whole.tokens[12].text, "a\"b\\c\tde");
    EXPECT_EQ(whole.tokens.back().line, 7u);
    expectSameReading(readFromFile(text), whole, shift);
  }
}

TEST(SceneLexerTest, AStringOverManyChunksArrivesWholeAndOneOverTheLimitIsRefused) {
  const std::string head = "//Maya ASCII 2024 scene\nsetAttr \".b\" -type \"string\"\n\"";
  // An escape near the end: the text resolves to one byte less than the limit.
  std::string inside(kMaxStringBytes - 3, 'y');
  inside += "\\tz";
  Reading r = readFromFile(head + inside + "\";\n");
  ASSERT_TRUE(r.error.empty()) << r.error;
  ASSERT_EQ(r.tokens.size(), 6u);
  const std::string& text = r.tokens[4].text;
  EXPECT_EQ(r.tokens[4].kind, TokenKind::kString);
  EXPECT_EQ(text.size(), kMaxStringBytes - 1);
  EXPECT_EQ(text.compare(text.size() - 3, 3, "y\tz"), 0);
  EXPECT_EQ(r.tokens[5].kind, TokenKind::kSemicolon);
  EXPECT_EQ(r.tokens[5].line, 3u);

  r = readFromFile(head + std::string(kMaxStringBytes + 1, 'y') + "\";\n");
  EXPECT_EQ(r.error, "a string longer than " + std::to_string(kMaxStringBytes) + " bytes");
  EXPECT_EQ(r.errorLine, 3u);
}

}  // namespace
