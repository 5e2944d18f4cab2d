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

#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#define VXR_SCENE_LEXER_SSE2 1
#endif

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

namespace lexerbytes {
// What a byte is to the lexer, looked up once per byte in the loops that run over whole runs.
enum ByteClass : unsigned char {
  kWordByte,  // part of a word
  kSpace,     // ' ', '\t', '\f', '\v'
  kLineEnd,   // '\n', '\r'
  kPunct,     // ';', '"', '(', ')', '{', '}': ends a word
  kBinary,    // control bytes (the NUL sentinel among them) and anything beyond ASCII
};

// What the first byte after the blanks makes of the token, for the common tokens; the others (a
// CR, a '/' that may start a comment, the end of the buffer, a byte that is not text) take the
// careful reading.
enum Lead : unsigned char {
  kLeadWord,
  kLeadBlank,
  kLeadLineFeed,
  kLeadQuote,
  kLeadPunct,
  kLeadOther
};

struct ByteTables {
  ByteClass of[256];
  Lead lead[256];
  TokenKind punctuation[256];  // the token a punctuation byte makes
  // The bytes that end a run of plain string text: the quote, an escape, a line end, NUL.
  bool stopsString[256];
  // The bytes that end a line comment's run: a line end or NUL.
  bool stopsComment[256];
  constexpr ByteTables() : of(), lead(), punctuation(), stopsString(), stopsComment() {
    for (int c = 0; c < 256; ++c) {
      of[c] = c < 0x20 || c >= 0x7f ? kBinary : kWordByte;
      lead[c] = of[c] == kBinary ? kLeadOther : kLeadWord;
      punctuation[c] = TokenKind::kWord;
      stopsString[c] = c == '"' || c == '\\' || c == '\n' || c == '\r' || c == 0;
      stopsComment[c] = c == '\n' || c == '\r' || c == 0;
    }
    for (unsigned char c : {' ', '\t', '\f', '\v'}) {
      of[c] = kSpace;
      lead[c] = kLeadBlank;
    }
    of[static_cast<unsigned char>('\n')] = of[static_cast<unsigned char>('\r')] = kLineEnd;
    lead[static_cast<unsigned char>('\n')] = kLeadLineFeed;
    lead[static_cast<unsigned char>('\r')] = lead[static_cast<unsigned char>('/')] = kLeadOther;
    for (unsigned char c : {';', '"', '(', ')', '{', '}'}) {
      of[c] = kPunct;
      lead[c] = kLeadPunct;
    }
    lead[static_cast<unsigned char>('"')] = kLeadQuote;
    punctuation[static_cast<unsigned char>(';')] = TokenKind::kSemicolon;
    punctuation[static_cast<unsigned char>('(')] = TokenKind::kOpenParen;
    punctuation[static_cast<unsigned char>(')')] = TokenKind::kCloseParen;
    punctuation[static_cast<unsigned char>('{')] = TokenKind::kOpenBrace;
    punctuation[static_cast<unsigned char>('}')] = TokenKind::kCloseBrace;
  }
};
inline constexpr ByteTables kBytes;

inline ByteClass classOf(char c) {
  return kBytes.of[static_cast<unsigned char>(c)];
}

// The first byte at or after `q` that ends a run of plain string text. Strings (names, paths,
// ids) are the longest tokens of a file: their bytes are looked at 16 at a time while that many
// are left before `stop`; the sentinel at `stop` ends the last few.
inline const char* plainStringEnd(const char* q, const char* stop) {
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
}  // namespace lexerbytes

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
  // Nearly every token is a word, a string without escapes or a punctuation byte after a few
  // blanks, inside the buffer, on a line far from its length limit: those are read here.
  bool next(TokenView& out) {
    using namespace lexerbytes;
    if (careful_)
      return nextCarefully(out);
    const char* const data = data_;
    const char* p = data + pos_;
    Lead lead;
    for (;;) {
      lead = kBytes.lead[static_cast<unsigned char>(*p)];
      if (lead == kLeadBlank) {
        ++p;
      } else if (lead == kLeadLineFeed) {
        ++p;
        ++line_;
        lineStartPos_ = p - data;
      } else {
        break;
      }
    }
    if (lead == kLeadWord) {
      const char* q = p + 1;
      while (classOf(*q) == kWordByte)
        ++q;
      // A word that meets the sentinel may go on in the next chunk.
      if (classOf(*q) != kBinary && static_cast<size_t>(q - p) <= kMaxWordBytes) {
        out.kind = TokenKind::kWord;
        out.text = std::string_view(p, static_cast<size_t>(q - p));
        out.line = line_;
        pos_ = static_cast<size_t>(q - data);
        return true;
      }
    } else if (lead == kLeadQuote) {
      // Up to the closing quote, without an escape, the text is the buffer's.
      const char* const first = p + 1;
      const char* const q = plainStringEnd(first, data + end_);
      if (*q == '"' && static_cast<size_t>(q - first) < kMaxStringBytes) {
        out.kind = TokenKind::kString;
        out.text = std::string_view(first, static_cast<size_t>(q - first));
        out.line = line_;
        pos_ = static_cast<size_t>(q + 1 - data);
        return true;
      }
    } else if (lead == kLeadPunct) {
      out.kind = kBytes.punctuation[static_cast<unsigned char>(*p)];
      out.text = std::string_view(p, 1);
      out.line = line_;
      pos_ = static_cast<size_t>(p + 1 - data);
      return true;
    }
    pos_ = static_cast<size_t>(p - data);
    return nextCarefully(out);
  }
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
  // The next token, with every limit checked as it is read: at the start, after an error, on a
  // chunk where the current line could pass its limit, and for the tokens next() leaves.
  bool nextCarefully(TokenView& out);
  // Whether next() must take the careful reading (see there); worked out when that can change.
  void updateCare();
  bool lineTooLongAt(size_t pos) const {
    return static_cast<std::int64_t>(pos) - lineStartPos_ >
           static_cast<std::int64_t>(kMaxLineBytes);
  }
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
  // The current line's first byte, as a position in the buffer: negative when the line began
  // in an earlier chunk.
  std::int64_t lineStartPos_ = 0;
  bool eof_ = false;
  bool careful_ = true;
  bool started_ = false;
  bool sawHeader_ = false;
  LineNumber line_ = 1;
  std::string text_;  // the text of the last token put together
  std::string error_;
  LineNumber errorLine_ = 0;
};

}  // namespace minihost::scenefile
