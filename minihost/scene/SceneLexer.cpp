#include "scene/SceneLexer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace minihost::scenefile {
using namespace lexerbytes;
namespace {
constexpr char kHeader[] = "//Maya ASCII";
// The byte after the last one read: a NUL, in no run of blanks, word bytes or plain string
// text, so that the loops over a run stop there without testing for the end of the text.
constexpr char kSentinel = 0;
const char kNoText[1] = {kSentinel};

std::string hexByte(int c) {
  static const char digits[] = "0123456789abcdef";
  std::string text = "0x";
  text += digits[(c >> 4) & 15];
  text += digits[c & 15];
  return text;
}

std::string lineTooLongMessage() {
  return "a line longer than " + std::to_string(kMaxLineBytes) + " bytes";
}

std::string wordTooLongMessage() {
  return "a word longer than " + std::to_string(kMaxWordBytes) + " bytes";
}
}  // namespace

SceneLexer::SceneLexer(std::FILE* file, std::uint64_t size)
    : file_(file), buffer_(kChunkBytes + 1, kSentinel), size_(size) {
  data_ = buffer_.data();
}

// A text held whole is a single chunk: a line may pass its limit in it only when it is longer.

// A string's text is followed by a NUL, the sentinel.
SceneLexer::SceneLexer(const std::string& text)
    : data_(text.c_str()), end_(text.size()), size_(text.size()), eof_(true) {}

void SceneLexer::updateCare() {
  careful_ = !started_ || !error_.empty() || lineTooLongAt(end_);
}

void SceneLexer::releaseBuffer() {
  consumed_ += end_;
  std::vector<char>().swap(buffer_);
  std::string().swap(text_);
  data_ = kNoText;
  pos_ = end_ = 0;
  lineStartPos_ = 0;
  eof_ = true;
  updateCare();
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
  lineStartPos_ -= static_cast<std::int64_t>(end_ - kept);
  pos_ = 0;
  size_t got = std::fread(buffer_.data() + kept, 1, kChunkBytes - kept, file_);
  end_ = kept + got;
  buffer_[end_] = kSentinel;
  updateCare();
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
  careful_ = true;
}

void SceneLexer::skipByteOrderMark() {
  started_ = true;
  // The mark is three bytes; all three must be in the buffer to be looked at together.
  if (end_ - pos_ < 3)
    fill(true);
  if (end_ - pos_ >= 3 && std::memcmp(data_ + pos_, "\xEF\xBB\xBF", 3) == 0) {
    pos_ += 3;
    lineStartPos_ = static_cast<std::int64_t>(pos_);
  }
  if (end_ - pos_ < sizeof kHeader - 1)
    fill(true);
  sawHeader_ = end_ - pos_ >= sizeof kHeader - 1 &&
               std::memcmp(data_ + pos_, kHeader, sizeof kHeader - 1) == 0;
  updateCare();
}

void SceneLexer::lineEnd() {
  int c = peek();
  ++pos_;
  if (c == '\r' && peek() == '\n')
    ++pos_;
  ++line_;
  lineStartPos_ = static_cast<std::int64_t>(pos_);
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
    if (lineTooLongAt(pos_)) {
      fail(lineTooLongMessage(), line_);
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
    // Blanks and LF line ends, nearly all the bytes between tokens, in one pass.
    for (;;) {
      const char* const run = p;
      while (p != stop && classOf(*p) == kSpace)
        ++p;
      if (p != run) {
        pos_ = static_cast<size_t>(p - data_);
        if (lineTooLongAt(pos_)) {
          fail(lineTooLongMessage(), line_);
          return false;
        }
      }
      if (p == stop || *p != '\n')
        break;
      ++p;
      pos_ = static_cast<size_t>(p - data_);
      ++line_;
      lineStartPos_ = static_cast<std::int64_t>(pos_);
    }
    if (p == stop)
      continue;
    const char c = *p;
    if (c == '\r') {
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

bool SceneLexer::assembleString(TokenView& out) {
  ++pos_;  // the opening quote
  text_.clear();
  for (;;) {
    // Plain text up to the next quote, escape, line end or NUL is copied as one run.
    if (pos_ < end_) {
      const char* const first = data_ + pos_;
      const char* const stop = data_ + end_;
      const char* p = first;
      while (p != stop && !kBytes.stopsString[static_cast<unsigned char>(*p)])
        ++p;
      const size_t run = static_cast<size_t>(p - first);
      if (run > kMaxStringBytes - text_.size()) {
        fail("a string longer than " + std::to_string(kMaxStringBytes) + " bytes", out.line);
        return false;
      }
      text_.append(first, run);
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
    if (c == '"') {
      out.text = text_;
      return true;
    }
    // An escape adds one byte: a string already at the limit cannot take it.
    if (text_.size() >= kMaxStringBytes) {
      fail("a string longer than " + std::to_string(kMaxStringBytes) + " bytes", out.line);
      return false;
    }
    int e = peek();
    if (e < 0) {
      fail("unterminated string", out.line);
      return false;
    }
    switch (e) {
      case 'n':
        text_ += '\n';
        break;
      case 't':
        text_ += '\t';
        break;
      case 'r':
        text_ += '\r';
        break;
      case '\n':
      case '\r':  // a continued line
        lineEnd();
        continue;
      case 0:
        return refuseByte(e);
      default:
        text_ += static_cast<char>(e);
        break;
    }
    ++pos_;
  }
}

bool SceneLexer::assembleWord(TokenView& out) {
  text_.clear();
  for (;;) {
    const char* const first = data_ + pos_;
    const char* const stop = data_ + end_;
    const char* p = first;
    while (p != stop && classOf(*p) == kWordByte)
      ++p;
    pos_ = static_cast<size_t>(p - data_);
    if (p != stop && classOf(*p) == kBinary)
      return refuseByte(static_cast<unsigned char>(*p));
    text_.append(first, static_cast<size_t>(p - first));
    if (text_.size() > kMaxWordBytes) {
      fail(wordTooLongMessage(), out.line);
      return false;
    }
    if (p != stop || !fill())
      break;
  }
  out.text = text_;
  return error_.empty();
}

bool SceneLexer::nextCarefully(TokenView& out) {
  if (!error_.empty())
    return endOfTokens(out);
  if (!started_)
    skipByteOrderMark();
  // Blanks and LF line ends, nearly all the bytes between tokens, are skipped here; a CR, a
  // comment or the end of the buffer take the full skip.
  const char* p = data_ + pos_;
  for (;;) {
    const char* const run = p;
    while (classOf(*p) == kSpace)
      ++p;
    if (p != run && lineTooLongAt(static_cast<size_t>(p - data_))) {
      pos_ = static_cast<size_t>(p - data_);
      return lineTooLong(out);
    }
    if (*p != '\n')
      break;
    ++p;
    ++line_;
    lineStartPos_ = p - data_;
  }
  pos_ = static_cast<size_t>(p - data_);
  if (pos_ == end_ || *p == '\r' || *p == '/') {
    if (!skipSpaceAndComments())
      return endOfTokens(out);
    p = data_ + pos_;
  }
  out.line = line_;
  if (lineTooLongAt(pos_))
    return lineTooLong(out);
  const char c = *p;
  if (c == '"') {
    out.kind = TokenKind::kString;
    // Up to the closing quote, without an escape, the text is the buffer's.
    const char* const first = p + 1;
    const char* const q = plainStringEnd(first, data_ + end_);
    const size_t length = static_cast<size_t>(q - first);
    if (*q == '"' && length <= kMaxStringBytes) {
      out.text = std::string_view(first, length);
      pos_ = static_cast<size_t>(q + 1 - data_);
      return true;
    }
    return assembleString(out) || failedToken(out);
  }
  const TokenKind punctuation = kBytes.punctuation[static_cast<unsigned char>(c)];
  if (punctuation != TokenKind::kWord) {
    out.kind = punctuation;
    out.text = std::string_view(p, 1);
    ++pos_;
    return true;
  }
  out.kind = TokenKind::kWord;
  const char* q = p;
  while (classOf(*q) == kWordByte)
    ++q;
  if (q == data_ + end_)
    return assembleWord(out) || failedToken(out);  // the word may go on in the next chunk
  pos_ = static_cast<size_t>(q - data_);
  if (classOf(*q) == kBinary)
    return refuseByte(static_cast<unsigned char>(*q)) || failedToken(out);
  const size_t length = static_cast<size_t>(q - p);
  if (length > kMaxWordBytes)
    return wordTooLong(out);
  out.text = std::string_view(p, length);
  return true;
}

// The errors of the loop above, out of its way: building their messages would cost it registers.
bool SceneLexer::lineTooLong(TokenView& out) {
  fail(lineTooLongMessage(), line_);
  return endOfTokens(out);
}

bool SceneLexer::wordTooLong(TokenView& out) {
  fail(wordTooLongMessage(), out.line);
  return failedToken(out);
}

bool SceneLexer::endOfTokens(TokenView& out) {
  out.line = line_;
  return failedToken(out);
}

bool SceneLexer::failedToken(TokenView& out) {
  out.kind = TokenKind::kEnd;
  out.text = std::string_view();
  return false;
}

bool SceneLexer::next(Token& out) {
  TokenView view;
  const bool read = next(view);
  out.kind = view.kind;
  out.text.assign(view.text.data(), view.text.size());
  out.line = view.line;
  return read;
}

}  // namespace minihost::scenefile
