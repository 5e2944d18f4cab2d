#include "scene/SceneLexer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace minihost::scenefile {
namespace {
constexpr char kHeader[] = "//Maya ASCII";

// What a byte is to the lexer, looked up once per byte in the loops that run over whole runs.
enum ByteClass : unsigned char {
  kWordByte,  // part of a word
  kSpace,     // ' ', '\t', '\f', '\v'
  kLineEnd,   // '\n', '\r'
  kPunct,     // ';', '"', '(', ')', '{', '}': ends a word
  kBinary,    // control bytes and anything beyond ASCII: never in a word
};

struct ByteClasses {
  ByteClass of[256];
  // The bytes that end a run of plain string text: the quote, an escape, a line end, NUL.
  bool stopsString[256];
  // The bytes that end a line comment's run: a line end or NUL.
  bool stopsComment[256];
  constexpr ByteClasses() : of(), stopsString(), stopsComment() {
    for (int c = 0; c < 256; ++c) {
      of[c] = c < 0x20 || c >= 0x7f ? kBinary : kWordByte;
      stopsString[c] = c == '"' || c == '\\' || c == '\n' || c == '\r' || c == 0;
      stopsComment[c] = c == '\n' || c == '\r' || c == 0;
    }
    for (unsigned char c : {' ', '\t', '\f', '\v'})
      of[c] = kSpace;
    of[static_cast<unsigned char>('\n')] = of[static_cast<unsigned char>('\r')] = kLineEnd;
    for (unsigned char c : {';', '"', '(', ')', '{', '}'})
      of[c] = kPunct;
  }
};
constexpr ByteClasses kBytes;

ByteClass classOf(char c) {
  return kBytes.of[static_cast<unsigned char>(c)];
}

std::string hexByte(int c) {
  static const char digits[] = "0123456789abcdef";
  std::string text = "0x";
  text += digits[(c >> 4) & 15];
  text += digits[c & 15];
  return text;
}

std::string lineTooLong() {
  return "a line longer than " + std::to_string(kMaxLineBytes) + " bytes";
}
}  // namespace

SceneLexer::SceneLexer(std::FILE* file, std::uint64_t size)
    : file_(file), buffer_(kChunkBytes), size_(size) {
  data_ = buffer_.data();
}

SceneLexer::SceneLexer(const std::string& text)
    : data_(text.data()), end_(text.size()), size_(text.size()), eof_(true) {}

void SceneLexer::releaseBuffer() {
  consumed_ += end_;
  std::vector<char>().swap(buffer_);
  data_ = nullptr;
  pos_ = end_ = 0;
  eof_ = true;
}

std::uint64_t SceneLexer::remaining() const {
  if (size_ == 0)
    return std::numeric_limits<std::uint64_t>::max();
  return size_ > offset() ? size_ - offset() : 0;
}

bool SceneLexer::fill(bool keepRest) {
  if (eof_ || !file_)
    return false;
  size_t kept = keepRest ? end_ - pos_ : 0;
  if (kept > 0)
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(pos_),
              buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
  consumed_ += end_ - kept;
  pos_ = 0;
  size_t got = std::fread(buffer_.data() + kept, 1, buffer_.size() - kept, file_);
  end_ = kept + got;
  if (got == 0) {
    eof_ = true;
    if (std::ferror(file_))
      fail("cannot read the file", line_);
    return false;
  }
  return true;
}

int SceneLexer::peekSecond() {
  if (pos_ + 1 >= end_)
    fill(true);
  return pos_ + 1 < end_ ? static_cast<unsigned char>(data_[pos_ + 1]) : -1;
}

void SceneLexer::fail(const std::string& message, LineNumber line) {
  if (error_.empty()) {
    error_ = message;
    errorLine_ = line;
  }
}

void SceneLexer::skipByteOrderMark() {
  started_ = true;
  // The mark is three bytes; all three must be in the buffer to be looked at together.
  if (end_ - pos_ < 3)
    fill(true);
  if (end_ - pos_ >= 3 && std::memcmp(data_ + pos_, "\xEF\xBB\xBF", 3) == 0) {
    pos_ += 3;
    lineStart_ = offset();
  }
  if (end_ - pos_ < sizeof kHeader - 1)
    fill(true);
  sawHeader_ = end_ - pos_ >= sizeof kHeader - 1 &&
               std::memcmp(data_ + pos_, kHeader, sizeof kHeader - 1) == 0;
}

void SceneLexer::lineEnd() {
  int c = peek();
  ++pos_;
  if (c == '\r' && peek() == '\n')
    ++pos_;
  ++line_;
  lineStart_ = offset();
}

bool SceneLexer::refuseByte(int c) {
  if (c == 0)
    fail("a NUL byte: this is not a scene file", line_);
  else
    fail("byte " + hexByte(c) + " outside a string: this is not a scene file", line_);
  return false;
}

bool SceneLexer::skipLineComment() {
  for (;;) {
    if (pos_ == end_ && !fill())
      return true;
    const char* p = data_ + pos_;
    const char* const stop = data_ + end_;
    while (p != stop && !kBytes.stopsComment[static_cast<unsigned char>(*p)])
      ++p;
    pos_ = static_cast<size_t>(p - data_);
    // Checked after the run: the line's length only grows within it.
    if (offset() - lineStart_ > kMaxLineBytes) {
      fail(lineTooLong(), line_);
      return false;
    }
    if (p != stop)
      return *p == 0 ? refuseByte(0) : true;
  }
}

bool SceneLexer::skipBlockComment() {
  pos_ += 2;
  LineNumber start = line_;
  int prev = 0;
  for (;;) {
    int c = peek();
    if (c < 0) {
      fail("unterminated comment", start);
      return false;
    }
    if (c == 0)
      return refuseByte(c);
    if (c == '\n' || c == '\r') {
      lineEnd();
      prev = c;
      continue;
    }
    ++pos_;
    if (prev == '*' && c == '/')
      return true;
    prev = c;
  }
}

bool SceneLexer::skipSpaceAndComments() {
  if (!started_)
    skipByteOrderMark();
  for (;;) {
    if (pos_ == end_ && !fill())
      return false;
    const char* p = data_ + pos_;
    const char* const stop = data_ + end_;
    while (p != stop && classOf(*p) == kSpace)
      ++p;
    if (p != data_ + pos_) {
      pos_ = static_cast<size_t>(p - data_);
      if (offset() - lineStart_ > kMaxLineBytes) {
        fail(lineTooLong(), line_);
        return false;
      }
    }
    if (p == stop)
      continue;
    const char c = *p;
    if (classOf(c) == kLineEnd) {
      lineEnd();
    } else if (c == '/') {
      int d = peekSecond();
      if (d == '/') {
        if (!skipLineComment())
          return false;
      } else if (d == '*') {
        if (!skipBlockComment())
          return false;
      } else {
        return true;  // a lone '/' starts a word
      }
    } else {
      return true;
    }
  }
}

bool SceneLexer::readString(Token& out) {
  ++pos_;  // the opening quote
  out.kind = TokenKind::kString;
  for (;;) {
    // Plain text up to the next quote, escape, line end or NUL is copied as one run.
    if (pos_ < end_) {
      const char* const first = data_ + pos_;
      const char* const stop = data_ + end_;
      const char* p = first;
      while (p != stop && !kBytes.stopsString[static_cast<unsigned char>(*p)])
        ++p;
      const size_t run = static_cast<size_t>(p - first);
      if (run > kMaxStringBytes - out.text.size()) {
        fail("a string longer than " + std::to_string(kMaxStringBytes) + " bytes", out.line);
        return false;
      }
      out.text.append(first, run);
      pos_ += run;
    }
    int c = peek();
    if (c < 0 || c == '\n' || c == '\r') {
      fail("unterminated string", out.line);
      return false;
    }
    if (c == 0)
      return refuseByte(c);
    if (c != '"' && c != '\\')
      continue;  // the run stopped at the end of the buffer, which peek() refilled
    ++pos_;
    if (out.text.size() >= kMaxStringBytes) {
      fail("a string longer than " + std::to_string(kMaxStringBytes) + " bytes", out.line);
      return false;
    }
    if (c == '"')
      return true;
    int e = peek();
    if (e < 0) {
      fail("unterminated string", out.line);
      return false;
    }
    switch (e) {
      case 'n':
        out.text += '\n';
        break;
      case 't':
        out.text += '\t';
        break;
      case 'r':
        out.text += '\r';
        break;
      case '\n':
      case '\r':  // a continued line
        lineEnd();
        continue;
      case 0:
        return refuseByte(e);
      default:
        out.text += static_cast<char>(e);
        break;
    }
    ++pos_;
  }
}

bool SceneLexer::readWord(Token& out) {
  out.kind = TokenKind::kWord;
  // Copy whole runs out of the buffer; a word rarely crosses a chunk boundary.
  for (;;) {
    const char* const first = data_ + pos_;
    const char* const stop = data_ + end_;
    const char* p = first;
    while (p != stop && classOf(*p) == kWordByte)
      ++p;
    pos_ = static_cast<size_t>(p - data_);
    if (p != stop && classOf(*p) == kBinary)
      return refuseByte(static_cast<unsigned char>(*p));
    out.text.append(first, static_cast<size_t>(p - first));
    if (out.text.size() > kMaxWordBytes) {
      fail("a word longer than " + std::to_string(kMaxWordBytes) + " bytes", out.line);
      return false;
    }
    if (p != stop || !fill())
      break;
  }
  return error_.empty();
}

bool SceneLexer::next(Token& out) {
  out.text.clear();
  if (!error_.empty() || !skipSpaceAndComments()) {
    out.kind = TokenKind::kEnd;
    out.line = line_;
    return false;
  }
  out.line = line_;
  if (offset() - lineStart_ > kMaxLineBytes) {
    fail(lineTooLong(), line_);
    out.kind = TokenKind::kEnd;
    return false;
  }
  int c = peek();
  bool read = true;
  switch (c) {
    case '"':
      read = readString(out);
      break;
    case ';':
      out.kind = TokenKind::kSemicolon;
      break;
    case '(':
      out.kind = TokenKind::kOpenParen;
      break;
    case ')':
      out.kind = TokenKind::kCloseParen;
      break;
    case '{':
      out.kind = TokenKind::kOpenBrace;
      break;
    case '}':
      out.kind = TokenKind::kCloseBrace;
      break;
    default:
      read = readWord(out);
      break;
  }
  if (c == '"' || out.kind == TokenKind::kWord) {
    if (!read)
      out.kind = TokenKind::kEnd;
    return read;
  }
  out.text.push_back(static_cast<char>(c));  // cleared above
  ++pos_;
  return true;
}

}  // namespace minihost::scenefile
