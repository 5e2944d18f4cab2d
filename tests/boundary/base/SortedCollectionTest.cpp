#include <gtest/gtest.h>

#include <vector>

#include "boundary/base/GSortedCollection.h"

namespace {

struct Keyed {
  int key;
  int serial;
};

// Sorted by key; entries are not owned.
class KeyedList : public GSortedCollection {
 public:
  KeyedList() : GSortedCollection(0, 2, false) {}
  int compare(const void* a, const void* b) const override {
    return static_cast<const Keyed*>(a)->key - static_cast<const Keyed*>(b)->key;
  }
  std::vector<int> serials() const {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
      out.push_back(static_cast<Keyed*>(items[i])->serial);
    return out;
  }
};

}  // namespace

TEST(GSortedCollectionTest, SortsIn) {
  KeyedList list;
  Keyed k[] = {{5, 0}, {1, 1}, {3, 2}, {9, 3}, {0, 4}};
  for (Keyed& x : k)
    EXPECT_GE(list.v_insert(&x), 0);
  EXPECT_EQ(list.serials(), (std::vector<int>{4, 1, 2, 0, 3}));
}

TEST(GSortedCollectionTest, EqualKeysRefusedUnlessAdmitted) {
  KeyedList list;
  Keyed a{1, 0}, b{1, 1};
  EXPECT_EQ(list.v_insert(&a), 0);
  EXPECT_EQ(list.v_insert(&b), -1);
  EXPECT_EQ(list.count, 1);
}

TEST(GSortedCollectionTest, EqualKeysKeepInsertionOrder) {
  KeyedList list;
  list.duplicates = true;  // the way a registrar list is set up
  Keyed k[] = {{1, 0}, {1, 1}, {0, 2}, {1, 3}, {2, 4}, {1, 5}};
  for (Keyed& x : k)
    EXPECT_GE(list.v_insert(&x), 0);
  EXPECT_EQ(list.serials(), (std::vector<int>{2, 0, 1, 3, 5, 4}));
}

TEST(GSortedCollectionTest, RemoveTakesTheExactEntryAmongEqualKeys) {
  KeyedList list;
  list.duplicates = true;
  Keyed k[] = {{1, 0}, {1, 1}, {1, 2}, {1, 3}};
  for (Keyed& x : k)
    list.v_insert(&x);
  EXPECT_TRUE(list.v_remove(&k[2]));
  EXPECT_EQ(list.serials(), (std::vector<int>{0, 1, 3}));
  EXPECT_FALSE(list.v_remove(&k[2]));
  EXPECT_EQ(list.v_index_of(&k[3]), 2);
  // Removing in reverse order of insertion empties the list, as registrars do at unload.
  EXPECT_TRUE(list.v_remove(&k[3]));
  EXPECT_TRUE(list.v_remove(&k[1]));
  EXPECT_TRUE(list.v_remove(&k[0]));
  EXPECT_EQ(list.count, 0);
}

TEST(GSortedCollectionTest, FindsAnEntryWhoseKeyChanged) {
  KeyedList list;
  Keyed k[] = {{1, 0}, {2, 1}, {3, 2}};
  for (Keyed& x : k)
    list.v_insert(&x);
  k[0].key = 10;
  EXPECT_TRUE(list.v_remove(&k[0]));
  EXPECT_EQ(list.serials(), (std::vector<int>{1, 2}));
}
