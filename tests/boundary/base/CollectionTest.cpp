#include <gtest/gtest.h>

#include <vector>

#include "boundary/base/GCollection.h"

namespace {

// Entries are ints allocated with new; freeItem records what it freed.
class IntCollection : public GCollection {
 public:
  explicit IntCollection(int limit = 0, int delta = 1) : GCollection(limit, delta) {}
  ~IntCollection() override { shut_down(); }
  void freeItem(void* item) override {
    freed.push_back(*static_cast<int*>(item));
    delete static_cast<int*>(item);
  }
  std::vector<int> values() const {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
      out.push_back(items[i] ? *static_cast<int*>(items[i]) : -1);
    return out;
  }
  std::vector<int> freed;
};

}  // namespace

TEST(GCollectionTest, AppendsInOrderAndGrowsGeometrically) {
  IntCollection c(0, 1);  // a delta of 1 must not make appends quadratic
  int reallocations = 0;
  int lastLimit = 0;
  for (int i = 0; i < 100000; ++i) {
    EXPECT_EQ(c.v_insert(new int(i)), i);
    if (c.limit != lastLimit) {
      ++reallocations;
      lastLimit = c.limit;
    }
  }
  EXPECT_EQ(c.count, 100000);
  EXPECT_LT(reallocations, 40);  // doubling from 1 needs 17
  for (int i = 0; i < c.count; ++i)
    ASSERT_EQ(*static_cast<int*>(c.items[i]), i);
}

TEST(GCollectionTest, InsertRemoveAndPut) {
  IntCollection c;
  int* a = new int(1);
  int* b = new int(2);
  int* d = new int(4);
  c.v_insert(a);
  c.v_insert(d);
  EXPECT_TRUE(c.v_at_insert(1, b));
  EXPECT_FALSE(c.v_at_insert(5, a));
  EXPECT_FALSE(c.v_at_insert(-1, a));
  EXPECT_EQ(c.values(), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(c.v_index_of(d), 2);
  EXPECT_EQ(c.v_index_of(nullptr), -1);

  int* e = new int(3);
  EXPECT_EQ(c.v_at_put(2, e), d);  // the replaced entry comes back, not freed
  delete d;
  EXPECT_EQ(c.v_at_put(3, e), nullptr);

  EXPECT_EQ(c.v_at_remove(0), a);
  delete a;
  EXPECT_EQ(c.v_at_remove(7), nullptr);
  EXPECT_TRUE(c.v_remove(e));
  delete e;
  EXPECT_FALSE(c.v_remove(e));
  EXPECT_EQ(c.values(), (std::vector<int>{2}));
  EXPECT_TRUE(c.freed.empty());
}

TEST(GCollectionTest, RangesAreClipped) {
  IntCollection c;
  for (int i = 0; i < 5; ++i)
    c.v_insert(new int(i));
  void* extra[2] = {new int(10), new int(11)};
  EXPECT_TRUE(c.v_at_insert_range(2, extra, 2));
  EXPECT_EQ(c.values(), (std::vector<int>{0, 1, 10, 11, 2, 3, 4}));
  std::vector<void*> taken(c.items + 5, c.items + 7);
  c.v_at_remove_range(5, 100);
  EXPECT_EQ(c.values(), (std::vector<int>{0, 1, 10, 11, 2}));
  for (void* p : taken)
    delete static_cast<int*>(p);
  c.v_at_remove_range(-1, 2);
  c.v_at_remove_range(9, 2);
  EXPECT_EQ(c.count, 5);
}

TEST(GCollectionTest, PackDropsNullsKeepingOrder) {
  IntCollection c;
  c.v_insert(nullptr);
  c.v_insert(new int(1));
  c.v_insert(nullptr);
  c.v_insert(new int(2));
  c.pack();
  EXPECT_EQ(c.values(), (std::vector<int>{1, 2}));
}

TEST(GCollectionTest, EmptyAndShutDownFreeEveryEntry) {
  IntCollection c;
  for (int i = 0; i < 3; ++i)
    c.v_insert(new int(i));
  c.empty();
  EXPECT_EQ(c.count, 0);
  EXPECT_EQ(c.freed.size(), 3u);
  EXPECT_NE(c.items, nullptr);  // empty keeps the array for reuse
  c.v_insert(new int(7));
  c.shut_down();
  EXPECT_EQ(c.count, 0);
  EXPECT_EQ(c.items, nullptr);
  EXPECT_EQ(c.limit, 0);
  EXPECT_EQ(c.freed.size(), 4u);
}

TEST(GCollectionTest, SetLimitNeverDropsEntries) {
  IntCollection c;
  for (int i = 0; i < 10; ++i)
    c.v_insert(new int(i));
  EXPECT_TRUE(c.setLimit(2));
  EXPECT_EQ(c.limit, 10);
  EXPECT_EQ(c.values().size(), 10u);
  EXPECT_TRUE(c.setLimit(64));
  EXPECT_EQ(c.limit, 64);
}

TEST(GCollectionTest, IdentityAndRecord) {
  IntCollection c;
  EXPECT_EQ(c.getMetaClass(), &GCollection::metaclass_);
  EXPECT_EQ(c.cast_to_(GCollection::gTypeInfo_), static_cast<void*>(&c));
  EXPECT_EQ(c.cast_to_(GStreamable::gTypeInfo_), static_cast<void*>(static_cast<GStreamable*>(&c)));
  EXPECT_NE(c.cast_to_(GRTTIObject::gTypeInfo_), nullptr);
  type_info other("SomethingElse");
  EXPECT_EQ(c.cast_to_(other), nullptr);
}
