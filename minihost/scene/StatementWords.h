#pragma once
// The words and strings of a short statement (createNode, connectAttr, file, addAttr, ...), up
// to its ';'. Their texts go one after another into one buffer that serves statement after
// statement, so that collecting them allocates nothing once the buffer has grown.

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "scene/SceneLexer.h"

namespace minihost::scenefile {

struct StatementWord {
  TokenKind kind = TokenKind::kWord;  // kWord or kString
  std::string_view text;              // valid until the words are added to or cleared
};

class StatementWords {
 public:
  void clear() {
    used_ = 0;
    words_.clear();
  }
  void add(const TokenView& token) {
    const size_t length = token.text.size();
    if (length > text_.size() - used_)
      grow(length);
    words_.push_back(Span{token.kind, used_, length});
    copy(text_.data() + used_, token.text.data(), length);
    used_ += length;
  }
  size_t size() const { return words_.size(); }
  StatementWord operator[](size_t i) const {
    const Span& w = words_[i];
    return StatementWord{w.kind, std::string_view(text_.data() + w.at, w.length)};
  }

 private:
  // Most words are a few bytes: a call to copy them costs more than the copy, done here as two
  // fixed-size moves that overlap.
  static void copy(char* to, const char* from, size_t length) {
    if (length > 16) {
      std::memcpy(to, from, length);
    } else if (length >= 8) {
      std::memcpy(to, from, 8);
      std::memcpy(to + length - 8, from + length - 8, 8);
    } else if (length >= 4) {
      std::memcpy(to, from, 4);
      std::memcpy(to + length - 4, from + length - 4, 4);
    } else if (length > 0) {
      to[0] = from[0];
      to[length / 2] = from[length / 2];
      to[length - 1] = from[length - 1];
    }
  }
  struct Span {
    TokenKind kind;
    size_t at;
    size_t length;
  };
  void grow(size_t more) { text_.resize(std::max(text_.size() * 2, used_ + more + 256)); }
  std::vector<char> text_;  // the texts in text_[0, used_), one after another
  size_t used_ = 0;
  std::vector<Span> words_;
};

}  // namespace minihost::scenefile
