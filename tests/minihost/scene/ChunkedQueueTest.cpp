// The reader's record queue: filled at the back, emptied from the front, across block ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scene/ChunkedQueue.h"

namespace minihost::scenefile {
namespace {

// Counts live records, so that a record destroyed twice or never shows.
struct Counted {
  static int live;
  std::string text;
  explicit Counted(std::string t) : text(std::move(t)) { ++live; }
  Counted(const Counted& o) : text(o.text) { ++live; }
  Counted(Counted&& o) noexcept : text(std::move(o.text)) { ++live; }
  ~Counted() { --live; }
};
int Counted::live = 0;

// Four records a block, so that every test crosses several block ends.
using SmallQueue = ChunkedQueue<Counted, 4>;

std::vector<std::string> texts(const SmallQueue& q) {
  std::vector<std::string> out;
  for (const Counted& c : q)
    out.push_back(c.text);
  return out;
}

TEST(ChunkedQueueTest, RecordsStayPutAndInOrderAsTheQueueGrowsAndEmpties) {
  {
    SmallQueue q;
    std::vector<const Counted*> places;
    for (int i = 0; i < 11; ++i)
      places.push_back(&q.emplace_back("record number " + std::to_string(i)));
    for (int i = 0; i < 11; ++i)
      EXPECT_EQ(&q[static_cast<size_t>(i)], places[static_cast<size_t>(i)]);
    EXPECT_EQ(q.size(), 11u);
    EXPECT_EQ(q.back().text, "record number 10");

    // Emptied from the front across two block ends: indices count from the new front.
    for (int i = 0; i < 9; ++i)
      q.pop_front();
    EXPECT_EQ(q.size(), 2u);
    EXPECT_EQ(q.front().text, "record number 9");
    EXPECT_EQ(&q[1], places[10]);
    EXPECT_EQ(texts(q), (std::vector<std::string>{"record number 9", "record number 10"}));
    EXPECT_EQ(Counted::live, 2);

    // Filled again behind the front, then emptied whole, then used once more.
    q.emplace_back("after");
    EXPECT_EQ(texts(q).back(), "after");
    while (!q.empty())
      q.pop_front();
    EXPECT_EQ(Counted::live, 0);
    q.emplace_back("again");
    EXPECT_EQ(texts(q), (std::vector<std::string>{"again"}));
  }
  EXPECT_EQ(Counted::live, 0);
}

TEST(ChunkedQueueTest, BackRemovalCopiesAndSearchesBehaveAsAStandardQueue) {
  {
    SmallQueue q;
    for (int i = 0; i < 9; ++i)
      q.emplace_back(std::to_string(i));
    q.pop_back();
    q.pop_back();
    q.emplace_back("x");  // into the block the removals left
    EXPECT_EQ(texts(q), (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "x"}));

    SmallQueue copy = q;
    q.pop_front();
    EXPECT_EQ(copy.size(), 8u);
    EXPECT_EQ(copy.front().text, "0");

    // Random access, as lower_bound and count_if use it.
    auto found =
        std::find_if(copy.begin(), copy.end(), [](const Counted& c) { return c.text == "5"; });
    EXPECT_EQ(found - copy.begin(), 5);
    EXPECT_EQ((copy.begin() + 7)->text, "x");
    EXPECT_EQ(std::count_if(copy.begin(), copy.end(),
                            [](const Counted& c) { return c.text.size() == 1; }),
              8);

    SmallQueue moved = std::move(copy);
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(moved.size(), 8u);
    moved.clear();
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(Counted::live, 7);
  }
  EXPECT_EQ(Counted::live, 0);
}

}  // namespace
}  // namespace minihost::scenefile
