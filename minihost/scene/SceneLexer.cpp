#include "scene/SceneLexer.h"

#include <algorithm>

namespace minihost::scenefile {
namespace {
// Large enough that a refill is rare, small enough to stay out of the file-size budget.
constexpr size_t kChunkBytes = 1 << 20;

bool isDelimiter(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == ';' ||
         c == '"' || c == '(' || c == ')' || c == '{' || c == '}';
}
}  // namespace

SceneLexer::SceneLexer(std::FILE* file) : file_(file), buffer_(kChunkBytes) {
  data_ = buffer_.data();
}

SceneLexer::SceneLexer(const std::string& text)
    : data_(text.data()), end_(text.size()), eof_(true) {}

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

void SceneLexer::fail(const std::string& message, int line) {
  if (error_.empty()) {
    error_ = message;
    errorLine_ = line;
  }
}

bool SceneLexer::skipSpaceAndComments() {
  for (;;) {
    int c = peek();
    if (c < 0)
      return false;
    if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++pos_;
    } else if (c == '/') {
      // Both characters of a comment opener must be in the buffer to be looked at together.
      if (pos_ + 1 >= end_ && !fill(true))
        return true;
      int d = pos_ + 1 < end_ ? static_cast<unsigned char>(data_[pos_ + 1]) : -1;
      if (d == '/') {
        while ((c = peek()) >= 0 && c != '\n')
          ++pos_;
      } else if (d == '*') {
        pos_ += 2;
        int start = line_;
        int prev = 0;
        for (;;) {
          c = peek();
          if (c < 0) {
            fail("unterminated comment", start);
            return false;
          }
          ++pos_;
          if (c == '\n')
            ++line_;
          if (prev == '*' && c == '/')
            break;
          prev = c;
        }
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
    int c = peek();
    if (c < 0 || c == '\n') {
      fail("unterminated string", out.line);
      return false;
    }
    ++pos_;
    if (c == '"')
      return true;
    if (c != '\\') {
      out.text += static_cast<char>(c);
      continue;
    }
    int e = peek();
    if (e < 0) {
      fail("unterminated string", out.line);
      return false;
    }
    ++pos_;
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
      case '\n':  // a continued line
        ++line_;
        break;
      default:
        out.text += static_cast<char>(e);
        break;
    }
  }
}

bool SceneLexer::next(Token& out) {
  out.text.clear();
  if (!error_.empty() || !skipSpaceAndComments()) {
    out.kind = TokenKind::kEnd;
    out.line = line_;
    return false;
  }
  out.line = line_;
  int c = peek();
  switch (c) {
    case '"':
      return readString(out);
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
    default: {
      out.kind = TokenKind::kWord;
      // Copy whole runs out of the buffer; a word rarely crosses a chunk boundary.
      for (;;) {
        size_t start = pos_;
        while (pos_ < end_ && !isDelimiter(static_cast<unsigned char>(data_[pos_])))
          ++pos_;
        out.text.append(data_ + start, pos_ - start);
        if (pos_ < end_ || !fill())
          break;
      }
      return true;
    }
  }
  out.text.assign(1, static_cast<char>(c));
  ++pos_;
  return true;
}

}  // namespace minihost::scenefile
