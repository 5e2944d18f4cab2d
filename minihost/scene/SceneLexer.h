#pragma once
// Tokens of a scene file's MEL text, read in chunks so that a large file is never held whole.
// The lexer knows only words, quoted strings and the punctuation that ends or groups a
// statement; what the words mean is the parser's business.

#include <cstdio>
#include <string>
#include <vector>

namespace minihost::scenefile {

enum class TokenKind {
  kWord,
  kString,
  kSemicolon,
  kOpenParen,
  kCloseParen,
  kOpenBrace,
  kCloseBrace,
  kEnd
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // a word as written, a string with its escapes resolved
  int line = 0;
};

class SceneLexer {
 public:
  // Reads from an open file (not owned) or from text held by the caller.
  explicit SceneLexer(std::FILE* file);
  explicit SceneLexer(const std::string& text);
  SceneLexer(const SceneLexer&) = delete;
  SceneLexer& operator=(const SceneLexer&) = delete;

  // The next token; false at the end of the input or after an error (error() says which).
  bool next(Token& out);
  const std::string& error() const { return error_; }
  int errorLine() const { return errorLine_; }
  int line() const { return line_; }
  // Bytes consumed so far.
  unsigned long long offset() const { return consumed_ + pos_; }

 private:
  // Reads the next chunk; with keepRest the unread bytes move to its front first.
  bool fill(bool keepRest = false);
  int peek() {
    if (pos_ == end_ && !fill())
      return -1;
    return static_cast<unsigned char>(data_[pos_]);
  }
  bool skipSpaceAndComments();
  bool readString(Token& out);
  void fail(const std::string& message, int line);

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  const char* data_ = nullptr;
  size_t pos_ = 0;
  size_t end_ = 0;
  unsigned long long consumed_ = 0;
  bool eof_ = false;
  int line_ = 1;
  std::string error_;
  int errorLine_ = 0;
};

}  // namespace minihost::scenefile
