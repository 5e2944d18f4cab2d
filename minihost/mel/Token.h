#pragma once
// Tokens of MEL source text.

#include <cstddef>
#include <string>

namespace mel {

enum class TokenKind {
  kEnd,
  kIdentifier,  // names and keywords
  kVariable,    // $name, text without the '$'
  kInt,
  kFloat,
  kString,  // text with escapes resolved
  kFlag,    // -name in command arguments, text with the '-'
  kWord,    // a bare command argument: pCube1.tx, |group1|camera1, *Shape
  kPunct,   // operators and punctuation, text holds the symbol
  kBacktick,
  kError  // a lexical error; text holds the message
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
  long long intValue = 0;
  double floatValue = 0.0;
  int line = 1;
  std::size_t offset = 0;    // where the token starts in the source
  bool spaceBefore = false;  // blank or comment right before the token

  bool is(TokenKind k, const char* t) const { return kind == k && text == t; }
  bool isPunct(const char* t) const { return kind == TokenKind::kPunct && text == t; }
  bool isKeyword(const char* t) const { return kind == TokenKind::kIdentifier && text == t; }
};

}  // namespace mel
