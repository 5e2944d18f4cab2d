#pragma once
// Splits MEL source into tokens on demand. Two modes: expression tokens, and command
// arguments, where "-name" is a flag and bare text such as "pCube1.translateX" is a word.
// The parser switches mode per token, so the lexer scans lazily from a saved position.

#include <cstddef>
#include <string_view>

#include "mel/Token.h"

namespace mel {

class Lexer {
 public:
  explicit Lexer(std::string_view source) : source_(source) {}

  Token next();
  // Scans one command argument: a flag, a number, a quoted string or a bare word. Returns
  // a kPunct token for anything that starts an expression ($, (, {, <<, `) or ends the
  // command (;, }, ), end), without consuming it beyond the returned token.
  Token nextCommandArgument();

  // Rewinds or advances to a position returned with an earlier token.
  void seek(std::size_t offset, int line) {
    pos_ = offset;
    line_ = line;
  }

 private:
  bool skipBlanksAndComments(Token& errorOut);
  Token scanNumber(Token token);
  Token scanString(Token token);
  Token scanPunct(Token token);
  bool atEnd() const { return pos_ >= source_.size(); }
  char peek(std::size_t ahead = 0) const {
    return pos_ + ahead < source_.size() ? source_[pos_ + ahead] : '\0';
  }

  std::string_view source_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace mel
