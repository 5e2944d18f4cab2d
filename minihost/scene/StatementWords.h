#pragma once
// The words and strings of a short statement (createNode, connectAttr, file, addAttr, ...), up
// to its ';'. Their texts go one after another into one buffer that serves statement after
// statement, so that collecting them allocates nothing once the buffer has grown.

#include <string>
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
    text_.clear();
    words_.clear();
  }
  void add(const TokenView& token) {
    words_.push_back(Span{token.kind, text_.size(), token.text.size()});
    text_.append(token.text.data(), token.text.size());
  }
  size_t size() const { return words_.size(); }
  StatementWord operator[](size_t i) const {
    const Span& w = words_[i];
    return StatementWord{w.kind, std::string_view(text_).substr(w.at, w.length)};
  }

 private:
  struct Span {
    TokenKind kind;
    size_t at;
    size_t length;
  };
  std::string text_;
  std::vector<Span> words_;
};

}  // namespace minihost::scenefile
