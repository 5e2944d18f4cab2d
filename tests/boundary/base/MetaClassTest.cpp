#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "SampleClasses.h"

TEST(TypeInfoTest, IdentityComesFromTheName) {
  static const char name[] = {'S', 'a', 'm', 'p', 'l', 'e', 'L', 'e', 'a', 'f', '\0'};
  type_info sameName(name);  // another object, another pointer, the same name
  type_info other("SampleLeafX");
  EXPECT_TRUE(sameName == SampleLeaf::gTypeInfo_);
  EXPECT_FALSE(other == SampleLeaf::gTypeInfo_);
  EXPECT_STREQ(SampleLeaf::gTypeInfo_.name(), "SampleLeaf");
}

TEST(GMetaClassTest, FindsRecordsByName) {
  EXPECT_EQ(GMetaClass::find("SampleLeaf"), &SampleLeaf::metaclass_);
  EXPECT_EQ(GMetaClass::find("SampleList"), &SampleList::metaclass_);
  EXPECT_EQ(GMetaClass::find("GCollection"), &GCollection::metaclass_);
  EXPECT_EQ(GMetaClass::find("SampleLea"), nullptr);
  EXPECT_EQ(GMetaClass::find("SampleLeafs"), nullptr);
  EXPECT_EQ(GMetaClass::find(nullptr), nullptr);
}

TEST(GMetaClassTest, CreatesAndDestroysByName) {
  int before = SampleLeaf::live;
  const GMetaClass* record = GMetaClass::find("SampleLeaf");
  ASSERT_NE(record, nullptr);
  GRTTIObject* made = record->create();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(SampleLeaf::live, before + 1);
  EXPECT_NE(gcast<SampleLeaf>(made), nullptr);
  EXPECT_EQ(gcast<SampleList>(made), nullptr);
  record->destroy(made);
  record->destroy(nullptr);
  EXPECT_EQ(SampleLeaf::live, before);
}

TEST(GMetaClassTest, DestroyLeavesAnObjectOfAnotherClassAlone) {
  std::unique_ptr<SampleList> list(new SampleList);
  int before = SampleList::live;
  SampleLeaf::metaclass_.destroy(list.get());  // not a SampleLeaf: not deleted
  EXPECT_EQ(SampleList::live, before);
}

TEST(GMetaClassTest, BaseRecordsGiveDerivation) {
  EXPECT_TRUE(SampleList::metaclass_.derivesFrom(SampleList::gTypeInfo_));
  EXPECT_TRUE(SampleList::metaclass_.derivesFrom(GCollection::gTypeInfo_));
  EXPECT_FALSE(SampleLeaf::metaclass_.derivesFrom(GCollection::gTypeInfo_));
}

TEST(GMetaClassTest, RecordsComeAndGoInAnyOrder) {
  static const type_info idA("TransientA");
  static const type_info idB("TransientB");
  void* slot = nullptr;
  for (int round = 0; round < 3; ++round) {
    auto a = std::make_unique<GMetaClass>(&slot, idA, "TransientA", nullptr, nullptr, nullptr);
    auto b = std::make_unique<GMetaClass>(&slot, idB, "TransientB", nullptr, nullptr, nullptr);
    EXPECT_EQ(GMetaClass::find("TransientA"), a.get());
    EXPECT_EQ(a->moduleHandleSlot(), &slot);
    {
      // A second record of the same name (a module loaded twice) shadows the first until it goes.
      GMetaClass again(&slot, idA, "TransientA", nullptr, nullptr, nullptr);
      EXPECT_EQ(GMetaClass::find("TransientA"), &again);
    }
    EXPECT_EQ(GMetaClass::find("TransientA"), a.get());
    a.reset();  // first in, first out: the list is not a stack
    EXPECT_EQ(GMetaClass::find("TransientA"), nullptr);
    EXPECT_EQ(GMetaClass::find("TransientB"), b.get());
    b.reset();
    EXPECT_EQ(GMetaClass::find("TransientB"), nullptr);
  }
  EXPECT_EQ(GMetaClass::find("SampleLeaf"), &SampleLeaf::metaclass_);
}

TEST(GStreamableTest, CloneMakesAnIndependentDeepCopy) {
  SampleList list;
  list.name = "outer";
  list.v_insert(static_cast<GStreamable*>(new SampleLeaf(3, 2.5, 0.5f, "leaf")));
  GStreamable* copied = list.clone();
  ASSERT_NE(copied, nullptr);
  SampleList* copy = gcast<SampleList>(copied);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->name, "outer");
  ASSERT_EQ(copy->count, 1);
  EXPECT_NE(copy->items[0], list.items[0]);
  SampleLeaf* leaf = gcast<SampleLeaf>(copy->entry(0));
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(leaf->label, "leaf");
  delete copied;
}
