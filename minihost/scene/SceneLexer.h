#pragma once
// Tokens of a scene file's MEL text, read in chunks so that a large file is never held whole.
// The lexer knows only words, quoted strings and the punctuation that ends or groups a
// statement; what the words mean is the parser's business.
//
// Line ends are LF, CRLF or a lone CR; a UTF-8 byte-order mark before the first byte is
// skipped. Bytes that are not text (NUL anywhere, other control bytes and bytes above 0x7f
// outside strings and comments) end the reading with an error: such a file is not a scene.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace minihost::scenefile {

// Wide enough for any file.
using LineNumber = std::uint64_t;

// The longest word (command, flag, number, plug name), string and line a scene may hold.
constexpr size_t kMaxWordBytes = 64 * 1024;
constexpr size_t kMaxStringBytes = 16 * 1024 * 1024;
constexpr std::uint64_t kMaxLineBytes = 64 * 1024 * 1024;
// A file is read this many bytes at a time: large enough that a refill is rare, small enough to
// stay out of the file-size budget. A token may cross from one chunk into the next.
constexpr size_t kChunkBytes = 1 << 20;

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

// A token whose text is the lexer's: valid until the next token is read. Most tokens lie whole in
// the read buffer and need no unescaping, so their text is a view of the buffer; the others (a
// string with escapes, a token crossing a chunk boundary) are put together in the lexer.
struct TokenView {
  TokenKind kind = TokenKind::kEnd;
  std::string_view text;  // a word as written, a string with its escapes resolved
  LineNumber line = 0;
};

// A token that keeps its text.
struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // a word as written, a string with its escapes resolved
  LineNumber line = 0;
};

class SceneLexer {
 public:
  // Reads from an open file (not owned) of `size` bytes (0: unknown), or from text held by the
  // caller.
  explicit SceneLexer(std::FILE* file, std::uint64_t size = 0);
  explicit SceneLexer(const std::string& text);
  SceneLexer(const SceneLexer&) = delete;
  SceneLexer& operator=(const SceneLexer&) = delete;

  // The next token; false at the end of the input or after an error (error() says which).
  bool next(TokenView& out);
  bool next(Token& out);
  const std::string& error() const { return error_; }
  LineNumber errorLine() const { return errorLine_; }
  LineNumber line() const { return line_; }
  // Bytes consumed so far.
  std::uint64_t offset() const { return consumed_ + pos_; }
  // The input's size in bytes, when known (0 otherwise).
  std::uint64_t size() const { return size_; }
  // Bytes not yet read, when the size is known; otherwise a large number.
  std::uint64_t remaining() const;
  // True when the file began with the host's header comment ("//Maya ASCII ...").
  bool sawHeader() const { return sawHeader_; }
  // Gives the read buffer back once the text is parsed, while the file is built; the lexer then
  // reads as at the end of its input.
  void releaseBuffer();

 private:
  // Reads the next chunk; with keepRest the unread bytes move to its front first.
  bool fill(bool keepRest = false);
  int peek() {
    if (pos_ == end_ && !fill())
      return -1;
    return static_cast<unsigned char>(data_[pos_]);
  }
  // Both bytes at pos_ and pos_ + 1 in the buffer, the second -1 at the end of the input.
  int peekSecond();
  void skipByteOrderMark();
  // Consumes a line end (LF, CR or CRLF) at pos_.
  void lineEnd();
  bool skipSpaceAndComments();
  bool skipLineComment();
  bool skipBlockComment();
  // A string that does not lie whole in the buffer or holds escapes, and a word that may go on
  // in the next chunk, put together in text_.
  bool assembleString(TokenView& out);
  bool assembleWord(TokenView& out);
  // False, with an end token: at the end of the input, or after an error.
  bool endOfTokens(TokenView& out);
  // False, with an end token that keeps the line it started on: a token that did not read.
  bool failedToken(TokenView& out);
  bool lineTooLong(TokenView& out);
  bool wordTooLong(TokenView& out);
  bool refuseByte(int c);
  void fail(const std::string& message, LineNumber line);

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;  // a chunk and the sentinel after the bytes read
  const char* data_ = nullptr;
  size_t pos_ = 0;
  size_t end_ = 0;
  std::uint64_t consumed_ = 0;
  std::uint64_t size_ = 0;
  std::uint64_t lineStart_ = 0;  // offset of the current line's first byte
  bool eof_ = false;
  bool started_ = false;
  bool sawHeader_ = false;
  LineNumber line_ = 1;
  std::string text_;  // the text of the last token put together
  std::string error_;
  LineNumber errorLine_ = 0;
};

}  // namespace minihost::scenefile
