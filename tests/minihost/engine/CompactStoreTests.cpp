// The compact stores the scene keeps per node and per name, checked against the standard
// containers they stand in for over long random runs of the operations the scene makes.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/AttributeNameIndex.h"
#include "engine/CompactVector.h"
#include "engine/NameHash.h"
#include "engine/NameIndex.h"

namespace minihost {
namespace {

// Few distinct names, so that many nodes share each and probe runs cross the table's end.
class NameIndexModelTest : public ::testing::Test {
 protected:
  std::vector<std::string> names_;  // by node index; "" for no node
  std::multimap<std::string, uint32_t> model_;
  NameIndex index_;

  auto nameOf() const {
    return [this](NodeRef r) { return std::string_view(names_[r.index]); };
  }
  std::vector<uint32_t> found(const std::string& name) const {
    std::vector<uint32_t> out;
    index_.forEach(name, nameOf(), [&](NodeRef r) {
      out.push_back(r.index);
      return true;
    });
    std::sort(out.begin(), out.end());
    return out;
  }
  std::vector<uint32_t> expected(const std::string& name) const {
    std::vector<uint32_t> out;
    auto [first, last] = model_.equal_range(name);
    for (auto it = first; it != last; ++it)
      out.push_back(it->second);
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(NameIndexModelTest, FindsEveryNodeOfANameThroughInsertsRemovalsAndGrowth) {
  std::mt19937 random(7);
  const std::vector<std::string> pool{"a", "b", "pCube1", "group1", "camera1", "x", "yy"};
  for (int step = 0; step < 20000; ++step) {
    const bool add = names_.empty() || random() % 3 != 0;
    if (add) {
      const std::string& name = pool[random() % pool.size()];
      const uint32_t node = static_cast<uint32_t>(names_.size());
      names_.push_back(name);
      index_.insert(name, NodeRef{node, 1});
      model_.emplace(name, node);
    } else {
      const uint32_t node = static_cast<uint32_t>(random() % names_.size());
      if (names_[node].empty())
        continue;
      index_.erase(names_[node], NodeRef{node, 1});
      auto [first, last] = model_.equal_range(names_[node]);
      model_.erase(std::find_if(first, last, [&](const auto& e) { return e.second == node; }));
      names_[node].clear();
    }
    if (step % 997 == 0) {
      for (const std::string& name : pool)
        ASSERT_EQ(found(name), expected(name)) << "step " << step << ", name " << name;
    }
  }
  EXPECT_EQ(index_.size(), model_.size());
  for (const std::string& name : pool) {
    EXPECT_EQ(found(name), expected(name)) << name;
    EXPECT_EQ(index_.countUpTo(name, nameOf(), 3), std::min<size_t>(model_.count(name), 3));
  }
  EXPECT_FALSE(index_.contains("nobody", nameOf()));
}

TEST_F(NameIndexModelTest, RemovingANodeLeavesItsNamesakesAndAFreshIndexAnswersNothing) {
  names_ = {"twin", "twin", "twin"};
  for (uint32_t i = 0; i < 3; ++i)
    index_.insert("twin", NodeRef{i, 1});
  index_.erase("twin", NodeRef{1, 1});
  index_.erase("twin", NodeRef{1, 2});  // another generation: not the indexed node
  EXPECT_EQ(found("twin"), (std::vector<uint32_t>{0, 2}));
  index_.clear();
  EXPECT_TRUE(found("twin").empty());
  index_.erase("twin", NodeRef{0, 1});  // nothing to remove
  EXPECT_EQ(index_.size(), 0u);
}

TEST(CompactVectorTest, BehavesAsAVectorUnderPushInsertEraseAndCopy) {
  std::mt19937 random(11);
  CompactVector<int> compact;
  std::vector<int> model;
  for (int step = 0; step < 5000; ++step) {
    const unsigned op = random() % 4;
    const int value = static_cast<int>(random() % 1000);
    if (op == 0 || model.empty()) {
      compact.push_back(value);
      model.push_back(value);
    } else if (op == 1) {
      const size_t at = random() % (model.size() + 1);
      compact.insert(compact.begin() + at, value);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), value);
    } else if (op == 2) {
      const size_t at = random() % model.size();
      compact.erase(compact.begin() + at);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      compact.push_back(compact.front());  // a value of its own, as the vector grows
      model.push_back(model.front());
    }
  }
  ASSERT_EQ(compact.toVector(), model);
  CompactVector<int> copy = compact;
  compact.erase(compact.begin(), compact.begin() + compact.size() / 2);
  EXPECT_EQ(copy.toVector(), model);
  CompactVector<int> moved = std::move(copy);
  EXPECT_TRUE(copy.empty());
  EXPECT_EQ(moved.size(), model.size());
  EXPECT_EQ(std::vector<int>(compact.rbegin(), compact.rend()),
            std::vector<int>(
                model.rbegin(),
                model.rbegin() + static_cast<std::ptrdiff_t>(model.size() - model.size() / 2)));
}

// Vectors of at most a few handles, as a node's children are: the one in the pointer's place, and
// the moves to the heap and back, keep every value through copies, moves and erasures.
TEST(CompactVectorTest, OneSmallValueInPlaceAndTheMovesToAndFromTheHeap) {
  std::mt19937 random(5);
  std::vector<CompactVector<NodeRef>> compact(8);
  std::vector<std::vector<NodeRef>> model(8);
  auto same = [&](size_t k) {
    return std::vector<NodeRef>(compact[k].begin(), compact[k].end()) == model[k];
  };
  for (int step = 0; step < 20000; ++step) {
    const size_t k = random() % compact.size();
    const NodeRef value{static_cast<uint32_t>(random() % 100), 1 + static_cast<uint32_t>(step)};
    switch (random() % 6) {
      case 0:
      case 1:
        if (model[k].size() < 3) {
          compact[k].push_back(value);
          model[k].push_back(value);
        }
        break;
      case 2:
        if (!model[k].empty()) {
          const size_t at = random() % model[k].size();
          compact[k].erase(compact[k].begin() + at);
          model[k].erase(model[k].begin() + static_cast<std::ptrdiff_t>(at));
        }
        break;
      case 3: {
        const size_t from = random() % compact.size();
        compact[k] = compact[from];
        model[k] = model[from];
        break;
      }
      case 4: {
        const size_t from = random() % compact.size();
        if (from != k) {
          compact[k] = std::move(compact[from]);
          model[k] = std::move(model[from]);
          model[from].clear();
          EXPECT_TRUE(compact[from].empty());
        }
        break;
      }
      default:
        compact[k].insert(compact[k].begin(), value);
        model[k].insert(model[k].begin(), value);
        break;
    }
    ASSERT_TRUE(same(k)) << "step " << step;
  }
  for (size_t k = 0; k < compact.size(); ++k)
    EXPECT_TRUE(same(k));
  // One handle takes no room of its own; a second one moves both to the heap.
  CompactVector<NodeRef> one;
  one.push_back(NodeRef{7, 1});
  EXPECT_EQ(one.capacity(), 1u);
  EXPECT_EQ(static_cast<const void*>(one.data()), static_cast<const void*>(&one));
  one.push_back(NodeRef{8, 1});
  EXPECT_NE(static_cast<const void*>(one.data()), static_cast<const void*>(&one));
  EXPECT_EQ(one[0], (NodeRef{7, 1}));
  EXPECT_EQ(one[1], (NodeRef{8, 1}));
}

// A file's names differ in a digit or two ("grp1234", "grp1235"): the slots they pick (the hash's
// low bits) must still spread evenly, or every table degrades into a linear scan.
TEST(NameHashTest, NamesThatDifferInADigitSpreadOverATablesSlots) {
  constexpr size_t kSlots = 1 << 16;
  for (const char* stem : {"grp", "hero:ctl", "pCube", "locatorShape", "a_rather_long_prefix_"}) {
    std::vector<int> load(kSlots, 0);
    for (int n = 0; n < 40000; ++n)
      ++load[hashName(std::string(stem) + std::to_string(n)) & (kSlots - 1)];
    // 40,000 names in 65,536 slots: a few share a slot, none gathers many.
    EXPECT_LT(*std::max_element(load.begin(), load.end()), 8) << stem;
  }
  EXPECT_NE(hashName(""), hashName(std::string(1, '\0')));
  EXPECT_NE(hashName("ab"), hashName("ba"));
  EXPECT_NE(hashName("abcdefgh1"), hashName("abcdefgh2"));  // past the first eight bytes
}

TEST(AttributeNameIndexTest, FindsEveryNameThroughGrowthAndKeepsTheFirstIndexOfAName) {
  AttributeNameIndex index;
  EXPECT_EQ(index.find("tx"), -1);
  std::map<std::string, int> model;
  for (int i = 0; i < 500; ++i) {
    const std::string name = "attr" + std::to_string(i * 7 % 311);
    EXPECT_EQ(index.emplace(name, i), model.emplace(name, i).second) << name;
  }
  EXPECT_EQ(index.size(), model.size());
  for (const auto& [name, i] : model)
    EXPECT_EQ(index.find(name), i) << name;
  EXPECT_EQ(index.find("attr"), -1);
  EXPECT_EQ(index.find("attr311"), -1);
  AttributeNameIndex copy = index;
  EXPECT_EQ(copy.find("attr0"), 0);
}

}  // namespace
}  // namespace minihost
