// A statement's words are kept one after another in one buffer: each must read back as it was
// added, in order and with its kind, however far the buffer grew after it was added, and the
// buffer serves the next statement from empty.

#include <gtest/gtest.h>

#include <string>

#include "scene/StatementWords.h"

namespace {

using minihost::scenefile::StatementWords;
using minihost::scenefile::TokenKind;
using minihost::scenefile::TokenView;

TEST(StatementWordsTest, WordsReadBackAsAddedAfterTheBufferGrowsAndAfterClearing) {
  StatementWords words;
  for (int round = 0; round < 2; ++round) {
    words.clear();
    std::string source;  // each word's text, made in turn from one reused string
    for (int i = 0; i < 200; ++i) {
      source.assign(static_cast<size_t>(i % 40), static_cast<char>('a' + i % 26));
      source += std::to_string(i);
      words.add(TokenView{i % 3 ? TokenKind::kWord : TokenKind::kString, source, 1});
    }
    ASSERT_EQ(words.size(), 200u);
    for (int i = 0; i < 200; ++i) {
      const std::string want =
          std::string(static_cast<size_t>(i % 40), static_cast<char>('a' + i % 26)) +
          std::to_string(i);
      EXPECT_EQ(words[static_cast<size_t>(i)].text, want) << "round " << round << " word " << i;
      EXPECT_EQ(words[static_cast<size_t>(i)].kind, i % 3 ? TokenKind::kWord : TokenKind::kString);
    }
  }
  words.clear();
  EXPECT_EQ(words.size(), 0u);
  words.add(TokenView{TokenKind::kString, "", 3});
  ASSERT_EQ(words.size(), 1u);
  EXPECT_TRUE(words[0].text.empty());
}

}  // namespace
