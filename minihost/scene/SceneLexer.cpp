#include "scene/SceneLexer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#define VXR_SCENE_LEXER_SSE2 1
#endif

namespace minihost::scenefile {
namespace {
constexpr char kHeader[] = "//Maya ASCII";
// The byte after the last one read: a NUL, in no run of blanks, word bytes or plain string
// text, so that the loops over a run stop there without testing for the end of the text.
constexpr char kSentinel = 0;
const char kNoText[1] = {kSentinel};

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

// What a byte that starts a token makes of it, other than a word or a string.
struct PunctuationKinds {
  TokenKind of[256];
  constexpr PunctuationKinds() : of() {
    for (TokenKind& k : of)
      k = TokenKind::kWord;
    of[static_cast<unsigned char>(';')] = TokenKind::kSemicolon;
    of[static_cast<unsigned char>('(')] = TokenKind::kOpenParen;
    of[static_cast<unsigned char>(')')] = TokenKind::kCloseParen;
    of[static_cast<unsigned char>('{')] = TokenKind::kOpenBrace;
    of[static_cast<unsigned char>('}')] = TokenKind::kCloseBrace;
  }
};
constexpr PunctuationKinds kPunctuation;

ByteClass classOf(char c) {
  return kBytes.of[static_cast<unsigned char>(c)];
}

// The first byte at or after `q` that ends a run of plain string text. Strings (names, paths,
// ids) are the longest tokens of a file: their bytes are looked at 16 at a time while that many
// are left before `stop`; the sentinel at `stop` ends the last few.
const char* plainStringEnd(const char* q, const char* stop) {
#ifdef VXR_SCENE_LEXER_SSE2
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i escape = _mm_set1_epi8('\\');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i nul = _mm_setzero_si128();
  while (stop - q >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    const __m128i ends =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, escape)),
                     _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)),
                                  _mm_cmpeq_epi8(v, nul)));
    const int mask = _mm_movemask_epi8(ends);
    if (mask != 0)
      return q + __builtin_ctz(static_cast<unsigned>(mask));
    q += 16;
  }
#else
  (void)stop;
#endif
  while (!kBytes.stopsString[static_cast<unsigned char>(*q)])
    ++q;
  return q;
}

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

// A string's text is followed by a NUL, the sentinel.
SceneLexer::SceneLexer(const std::string& text)
    : data_(text.c_str()), end_(text.size()), size_(text.size()), eof_(true) {}

void SceneLexer::releaseBuffer() {
  consumed_ += end_;
  std::vector<char>().swap(buffer_);
  std::string().swap(text_);
  data_ = kNoText;
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
  size_t got = std::fread(buffer_.data() + kept, 1, kChunkBytes - kept, file_);
  end_ = kept + got;
  buffer_[end_] = kSentinel;
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
        if (offset() - lineStart_ > kMaxLineBytes) {
          fail(lineTooLongMessage(), line_);
          return false;
        }
      }
      if (p == stop || *p != '\n')
        break;
      ++p;
      pos_ = static_cast<size_t>(p - data_);
      ++line_;
      lineStart_ = offset();
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
    if (text_.size() >= kMaxStringBytes) {
      fail("a string longer than " + std::to_string(kMaxStringBytes) + " bytes", out.line);
      return false;
    }
    if (c == '"') {
      out.text = text_;
      return true;
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

bool SceneLexer::next(TokenView& out) {
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
    if (p != run && consumed_ + static_cast<size_t>(p - data_) - lineStart_ > kMaxLineBytes) {
      pos_ = static_cast<size_t>(p - data_);
      return lineTooLong(out);
    }
    if (*p != '\n')
      break;
    ++p;
    ++line_;
    lineStart_ = consumed_ + static_cast<size_t>(p - data_);
  }
  pos_ = static_cast<size_t>(p - data_);
  if (pos_ == end_ || *p == '\r' || *p == '/') {
    if (!skipSpaceAndComments())
      return endOfTokens(out);
    p = data_ + pos_;
  }
  out.line = line_;
  if (offset() - lineStart_ > kMaxLineBytes)
    return lineTooLong(out);
  const char c = *p;
  if (c == '"') {
    out.kind = TokenKind::kString;
    // Up to the closing quote, without an escape, the text is the buffer's.
    const char* const first = p + 1;
    const char* const q = plainStringEnd(first, data_ + end_);
    const size_t length = static_cast<size_t>(q - first);
    if (*q == '"' && length < kMaxStringBytes) {
      out.text = std::string_view(first, length);
      pos_ = static_cast<size_t>(q + 1 - data_);
      return true;
    }
    return assembleString(out) || failedToken(out);
  }
  const TokenKind punctuation = kPunctuation.of[static_cast<unsigned char>(c)];
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
