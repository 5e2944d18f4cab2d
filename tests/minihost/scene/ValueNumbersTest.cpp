// A statement's numbers kept in place while there is one, on the heap past it, handed over whole.

#include <gtest/gtest.h>

#include <vector>

#include "scene/ValueNumbers.h"

namespace minihost::scenefile {
namespace {

std::vector<double> held(const ValueNumbers& n) {
  return std::vector<double>(n.begin(), n.end());
}

TEST(ValueNumbersTest, KeepsEveryNumberAcrossTheMoveFromInPlaceToTheHeap) {
  ValueNumbers n;
  EXPECT_TRUE(n.empty());
  n.push_back(1.5);
  EXPECT_EQ(held(n), (std::vector<double>{1.5}));
  for (int i = 0; i < 100; ++i)
    n.push_back(i);
  ASSERT_EQ(n.size(), 101u);
  EXPECT_EQ(n[0], 1.5);
  EXPECT_EQ(n.back(), 99.0);

  ValueNumbers copy = n;
  ValueNumbers moved = std::move(n);
  EXPECT_TRUE(n.empty());
  EXPECT_EQ(held(copy), held(moved));

  ValueNumbers one;
  one.push_back(-2.0);
  copy = one;  // one number over many
  EXPECT_EQ(held(copy), (std::vector<double>{-2.0}));
}

TEST(ValueNumbersTest, HandsItsNumbersOverWithoutLosingAny) {
  std::vector<double> big(1000, 3.0);
  const double* storage = big.data();
  ValueNumbers n;
  n.push_back(7.0);
  n.assign(std::move(big));
  EXPECT_EQ(n.size(), 1000u);
  std::vector<double> out = n.takeVector();
  EXPECT_EQ(out.data(), storage);  // the same array, not a copy
  EXPECT_TRUE(n.empty());

  ValueNumbers single;
  single.assign(std::vector<double>{4.0});
  EXPECT_EQ(single.takeVector(), (std::vector<double>{4.0}));
  ValueNumbers none;
  EXPECT_TRUE(none.takeVector().empty());
}

}  // namespace
}  // namespace minihost::scenefile
