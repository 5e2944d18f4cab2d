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
using minihost::scenefile::kMaxLineBytes;
using minihost::scenefile::kMaxStringBytes;
using minihost::scenefile::LineNumber;
using minihost::scenefile::SceneLexer;
using minihost::scenefile::Token;
using minihost::scenefile::TokenKind;
using minihost::scenefile::TokenView;

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
  // An escape at the very end: the text resolves to exactly the limit.
  std::string inside(kMaxStringBytes - 2, 'y');
  inside += "\\tz";
  Reading r = readFromFile(head + inside + "\";\n");
  ASSERT_TRUE(r.error.empty()) << r.error;
  ASSERT_EQ(r.tokens.size(), 6u);
  const std::string& text = r.tokens[4].text;
  EXPECT_EQ(r.tokens[4].kind, TokenKind::kString);
  EXPECT_EQ(text.size(), kMaxStringBytes);
  EXPECT_EQ(text.compare(text.size() - 3, 3, "y\tz"), 0);
  EXPECT_EQ(r.tokens[5].kind, TokenKind::kSemicolon);
  EXPECT_EQ(r.tokens[5].line, 3u);

  // Exactly the limit without an escape is read from the buffer as it stands; one byte more,
  // as plain text or as an escape, is refused.
  r = readFromFile(head + std::string(kMaxStringBytes, 'y') + "\";\n");
  ASSERT_TRUE(r.error.empty()) << r.error;
  EXPECT_EQ(r.tokens[4].text.size(), kMaxStringBytes);
  const std::string tooLong = "a string longer than " + std::to_string(kMaxStringBytes) + " bytes";
  for (const std::string& over :
       {std::string(kMaxStringBytes + 1, 'y'), std::string(kMaxStringBytes, 'y') + "\\n"}) {
    r = readFromFile(head + over + "\";\n");
    EXPECT_EQ(r.error, tooLong);
    EXPECT_EQ(r.errorLine, 3u);
  }
}

// A line of kMaxLineBytes is read; a token or a run of blanks that starts or ends past it is
// refused, on the line's number. The line spans dozens of chunks: only on the last ones can it
// pass the limit, which is watched there alone.
TEST(SceneLexerTest, ALineIsReadUpToItsLimitAndRefusedOneBytePast) {
  const std::string head = "//Maya ASCII 2024 scene\n";
  const std::string lineTooLong = "a line longer than " + std::to_string(kMaxLineBytes) + " bytes";
  const size_t bigString = kMaxStringBytes - 1;
  for (size_t past = 0; past <= 1; ++past) {
    // Three strings of the longest kind, a fourth that brings the word "x", the line's last
    // token, to the column kMaxLineBytes + past (columns from 0), then a line of its own.
    std::string line;
    line.reserve(kMaxLineBytes + 16);
    for (int i = 0; i < 3; ++i)
      line += "\"" + std::string(bigString, 's') + "\" ";
    const size_t fourth = kMaxLineBytes + past - line.size() - 3;
    line += "\"" + std::string(fourth, 't') + "\" ";
    ASSERT_EQ(line.size(), kMaxLineBytes + past);
    const std::string text = head + line + "x\ny;\n";
    const Reading whole = readWhole(text);
    if (past == 0) {
      EXPECT_TRUE(whole.error.empty()) << whole.error;
      ASSERT_EQ(whole.tokens.size(), 7u);
      EXPECT_EQ(whole.tokens[4].text, "x");
      EXPECT_EQ(whole.tokens[4].line, 2u);
      EXPECT_EQ(whole.tokens[5].text, "y");
      EXPECT_EQ(whole.tokens[5].line, 3u);
    } else {
      EXPECT_EQ(whole.error, lineTooLong);
      EXPECT_EQ(whole.errorLine, 2u);
      EXPECT_EQ(whole.tokens.size(), 4u);  // the strings, which start before the limit
    }
    expectSameReading(readFromFile(text), whole, past);
  }
  // Blanks that run to the limit are read; one more, even before a line end, is refused.
  for (size_t past = 0; past <= 1; ++past) {
    const std::string text = head + "x" + std::string(kMaxLineBytes - 1 + past, ' ') + "\ny;\n";
    const Reading whole = readWhole(text);
    if (past == 0) {
      EXPECT_TRUE(whole.error.empty()) << whole.error;
      ASSERT_EQ(whole.tokens.size(), 3u);
      EXPECT_EQ(whole.tokens[1].line, 3u);
    } else {
      EXPECT_EQ(whole.error, lineTooLong);
      EXPECT_EQ(whole.errorLine, 2u);
      EXPECT_EQ(whole.tokens.size(), 1u);
    }
    expectSameReading(readFromFile(text), whole, past);
  }
}

// What ends a string's plain text may fall at any byte of it: strings are scanned many bytes at a
// time, and the last few bytes before the end of the text one at a time.
TEST(SceneLexerTest, AStringEndsWhereverItsQuoteEscapeOrLineEndFalls) {
  for (size_t n = 0; n <= 40; ++n) {
    const std::string plain(n, 'a');
    for (const char* tail : {"", " x;", "                                        ;"}) {
      Reading r = readWhole("\"" + plain + "\"" + tail);
      ASSERT_TRUE(r.error.empty()) << n << ": " << r.error;
      ASSERT_FALSE(r.tokens.empty());
      EXPECT_EQ(r.tokens[0].kind, TokenKind::kString);
      EXPECT_EQ(r.tokens[0].text, plain) << n;

      r = readWhole("\"" + plain + "\\tb\"" + tail);
      ASSERT_FALSE(r.tokens.empty()) << n << ": " << r.error;
      EXPECT_EQ(r.tokens[0].text, plain + "\tb") << n;

      r = readWhole("\"" + plain + "\nb\"" + tail);
      EXPECT_EQ(r.error, "unterminated string") << n;
      EXPECT_TRUE(r.tokens.empty()) << n;

      r = readWhole("\"" + plain + std::string(1, '\0') + "b\"" + tail);
      EXPECT_EQ(r.error, "a NUL byte: this is not a scene file") << n;

      r = readWhole("\"" + plain + tail);
      EXPECT_EQ(r.error, "unterminated string") << n;
    }
  }
}

TEST(SceneLexerTest, ATokensTextIsTheBuffersOrItsOwnAndLastsUntilTheNextToken) {
  // A plain string and word are views of the text; an escaped string is put together.
  const std::string text = "setAttr \"plain\" \"esc\\\"aped\" word;";
  SceneLexer lexer(text);
  TokenView t;
  ASSERT_TRUE(lexer.next(t));
  ASSERT_TRUE(lexer.next(t));
  EXPECT_EQ(t.text, "plain");
  EXPECT_TRUE(t.text.data() >= text.data() && t.text.data() < text.data() + text.size());
  ASSERT_TRUE(lexer.next(t));
  EXPECT_EQ(t.text, "esc\"aped");
  EXPECT_FALSE(t.text.data() >= text.data() && t.text.data() < text.data() + text.size());
  ASSERT_TRUE(lexer.next(t));
  EXPECT_EQ(t.kind, TokenKind::kWord);
  EXPECT_EQ(t.text, "word");
  ASSERT_TRUE(lexer.next(t));
  EXPECT_EQ(t.kind, TokenKind::kSemicolon);
  EXPECT_EQ(t.text, ";");
  EXPECT_FALSE(lexer.next(t));
  EXPECT_EQ(t.kind, TokenKind::kEnd);
  EXPECT_TRUE(t.text.empty());
  EXPECT_TRUE(lexer.error().empty());
}

TEST(SceneLexerTest, NothingIsReadFromAnEmptyTextOrAReleasedBuffer) {
  const std::string empty;
  SceneLexer none(empty);
  Token t;
  EXPECT_FALSE(none.next(t));
  EXPECT_EQ(t.kind, TokenKind::kEnd);
  EXPECT_TRUE(none.error().empty());

  const std::string text = "//Maya ASCII 2024 scene\nsetAttr \".v\" 1;\n";
  std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
  std::rewind(file.get());
  SceneLexer lexer(file.get(), text.size());
  ASSERT_TRUE(lexer.next(t));
  EXPECT_EQ(t.text, "setAttr");
  lexer.releaseBuffer();
  EXPECT_FALSE(lexer.next(t));
  EXPECT_EQ(t.kind, TokenKind::kEnd);
  EXPECT_TRUE(lexer.error().empty());
}

}  // namespace
