#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "SampleClasses.h"
#include "tests/support/AllocationCounter.h"

namespace {

// A stream with every kind of value: primitives, a string, and nested streamable pointers.
std::vector<char> sampleStream() {
  ompstream out;
  out.writeDWord(0x6E615856);
  out.writeByte(1);
  out << 2.0 << 0.25f << GString("name");
  SampleList list;
  list.name = "top";
  list.v_insert(static_cast<GStreamable*>(new SampleLeaf(5, 6.0, 7.0f, "leaf")));
  SampleList* inner = new SampleList;
  inner->v_insert(static_cast<GStreamable*>(new SampleLeaf(8, 9.0, 1.0f, "x")));
  list.v_insert(static_cast<GStreamable*>(inner));
  out.writeStreamablePointer(&list);
  out.writeDWord(0xDEADBEEF);
  return std::vector<char>(out.data(), out.data() + out.size());
}

// Reads the sample back; returns whether everything came out right.
bool readSample(ipstream& in) {
  std::uint32_t magic = in.readDWord();
  std::uint8_t version = in.readByte();
  double d = 0;
  float f = 0;
  GString s;
  in >> d >> f >> s;
  void* list = in.readStreamablePointer(SampleList::gTypeInfo_);
  bool listOk = list != nullptr;
  delete static_cast<SampleList*>(list);
  std::uint32_t tail = in.readDWord();
  return magic == 0x6E615856 && version == 1 && d == 2.0 && f == 0.25f && s == "name" && listOk &&
         tail == 0xDEADBEEF && in.good();
}

std::vector<char> bytesOf(std::initializer_list<int> values) {
  std::vector<char> out;
  for (int v : values)
    out.push_back(static_cast<char>(v));
  return out;
}

}  // namespace

TEST(DefensiveReadTest, TruncationAtEveryOffsetFailsCleanly) {
  std::vector<char> whole = sampleStream();
  {
    impstream in(whole.data(), static_cast<long>(whole.size()));
    ASSERT_TRUE(readSample(in));
  }
  int leaves = SampleLeaf::live;
  int lists = SampleList::live;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    // A copy of exactly `length` bytes, so the sanitizer sees any read past it.
    std::vector<char> cut(whole.begin(), whole.begin() + static_cast<long>(length));
    impstream in(cut.data(), static_cast<long>(length));
    EXPECT_FALSE(readSample(in)) << "length " << length;
    EXPECT_NE(in.rdstate() & 6, 0) << "length " << length;
    EXPECT_EQ(SampleLeaf::live, leaves) << "length " << length;
    EXPECT_EQ(SampleList::live, lists) << "length " << length;
  }
}

TEST(DefensiveReadTest, TruncatedFilesFailCleanly) {
  std::vector<char> whole = sampleStream();
  std::string path = ::testing::TempDir() + "vxr_trunc_" + std::to_string(::getpid());
  int leaves = SampleLeaf::live;
  for (std::size_t length = 0; length < whole.size(); length += 3) {
    {
      ofpstream out(path.c_str());
      out.writeBytes(whole.data(), length);
      ASSERT_TRUE(out.close());
    }
    ifpstream in(path.c_str());
    ASSERT_EQ(in.rdstate() & 6, 0);
    EXPECT_FALSE(readSample(in)) << "length " << length;
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(SampleLeaf::live, leaves);
  }
  ::unlink(path.c_str());
}

TEST(DefensiveReadTest, ValuesAfterAFailureAreZero) {
  std::vector<char> data = bytesOf({1, 2, 3});
  impstream in(data.data(), 3);
  EXPECT_EQ(in.readDWord(), 0u);  // short: 3 bytes only
  EXPECT_TRUE(in.fail());
  EXPECT_TRUE(in.eof());
  EXPECT_EQ(in.readByte(), 0);  // the three bytes are there, but the failure is sticky
  double d = 5.0;
  float f = 5.0f;
  in >> d >> f;
  EXPECT_EQ(d, 0.0);
  EXPECT_EQ(f, 0.0f);
  GString s("keep?");
  in >> s;
  EXPECT_TRUE(s.isEmpty());
  char raw[2] = {'x', 'y'};
  EXPECT_FALSE(in.readBytes(raw, sizeof raw));
  EXPECT_EQ(raw[0], 0);
  EXPECT_EQ(raw[1], 0);
  EXPECT_FALSE(in.readBytes(raw, 0));
}

TEST(DefensiveReadTest, EmptyAndNegativeBuffersReadNothing) {
  char byte = 42;
  for (long size : {0L, -1L, -100000L}) {
    impstream in(&byte, size);
    EXPECT_EQ(in.rdstate() & 6, 0) << "opening never fails for a readable buffer";
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(in.readByte(), 0);
    EXPECT_TRUE(in.fail());
  }
  impstream nothing(nullptr, 10);
  EXPECT_EQ(nothing.readByte(), 0);
  EXPECT_TRUE(nothing.fail());
  impstream writeOnly(&byte, 1, GIO::IOWrite);
  EXPECT_NE(writeOnly.rdstate() & 6, 0);
  EXPECT_EQ(writeOnly.readByte(), 0);
}

TEST(DefensiveReadTest, HugeStringLengthAllocatesNothing) {
  std::vector<char> data = bytesOf({-1, -1, -1, -1, 'a', 'b'});
  AllocationProbe probe;
  impstream in(data.data(), static_cast<long>(data.size()));
  GString s;
  in >> s;
  EXPECT_TRUE(in.fail());
  EXPECT_TRUE(s.isEmpty());
  EXPECT_LT(probe.largestRequest(), 4096u);
}

TEST(DefensiveReadTest, HugeStringLengthInAFileAllocatesNothing) {
  std::string path = ::testing::TempDir() + "vxr_hugestr_" + std::to_string(::getpid());
  {
    ofpstream out(path.c_str());
    out.writeDWord(0xFFFFFFF0u);
    out.writeBytes("abc", 3);
    ASSERT_TRUE(out.close());
  }
  ifpstream in(path.c_str());
  AllocationProbe probe;
  GString s;
  in >> s;
  EXPECT_TRUE(in.fail());
  EXPECT_LT(probe.largestRequest(), 4096u);
  ::unlink(path.c_str());
}

TEST(DefensiveReadTest, HugeCollectionCountAllocatesNothing) {
  std::vector<char> data = bytesOf({0, -1, -1, -1, -1, 0, 0, 0});  // version, count 2^32-1
  SampleList list;
  AllocationProbe probe;
  impstream in(data.data(), static_cast<long>(data.size()));
  list.read(in);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.items, nullptr);
  EXPECT_EQ(list.limit, 0);
  EXPECT_EQ(list.readItemCalls, 0);
  EXPECT_LT(probe.largestRequest(), 4096u);
}

TEST(DefensiveReadTest, CountBeyondTheRemainingBytesAllocatesNothing) {
  // A million entries claimed, four bytes left: refused before any entry array exists.
  std::vector<char> data = bytesOf({0, 0x40, 0x42, 0x0F, 0x00, 0, 0, 0, 0});
  SampleList list;
  impstream in(data.data(), static_cast<long>(data.size()));
  list.read(in);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(list.items, nullptr);
  EXPECT_EQ(list.limit, 0);
  EXPECT_EQ(list.readItemCalls, 0);
}

TEST(DefensiveReadTest, CollectionStopsAtTheFirstFailure) {
  // Count 3 over enough bytes for the count check, but the first entry is an unknown class.
  ompstream out;
  out.writeByte(0);
  out.writeDWord(3);
  out.writeByte(1);
  out << GString("NoSuchClass");
  for (int i = 0; i < 64; ++i)
    out.writeByte(0);
  SampleList list;
  impstream in(out.data(), static_cast<long>(out.size()));
  list.read(in);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(list.readItemCalls, 1);
  EXPECT_EQ(list.count, 0);
}

TEST(DefensiveReadTest, UnknownClassNameIsRefused) {
  ompstream out;
  out.writeByte(1);
  out << GString("NoSuchClass");
  out.writeDWord(0);
  impstream in(out.data(), static_cast<long>(out.size()));
  EXPECT_EQ(in.readStreamablePointer(GStreamable::gTypeInfo_), nullptr);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(in.readDWord(), 0u);
}

TEST(DefensiveReadTest, ClassOfTheWrongKindIsRefused) {
  int leaves = SampleLeaf::live;
  SampleLeaf leaf(1, 2.0, 3.0f, "x");
  ompstream out;
  out.writeStreamablePointer(&leaf);
  impstream in(out.data(), static_cast<long>(out.size()));
  EXPECT_EQ(in.readStreamablePointer(SampleList::gTypeInfo_), nullptr);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(SampleLeaf::live, leaves + 1);  // only `leaf` itself: the one made was destroyed
}

TEST(DefensiveReadTest, RecordOfANonStreamableClassIsRefused) {
  ompstream out;
  out.writeByte(1);
  out << GString("SampleNotStreamable");
  impstream in(out.data(), static_cast<long>(out.size()));
  EXPECT_EQ(in.readStreamablePointer(GRTTIObject::gTypeInfo_), nullptr);
  EXPECT_TRUE(in.fail());
}

TEST(DefensiveReadTest, BadPointerTagIsRefused) {
  std::vector<char> data = bytesOf({2, 0, 0, 0, 0});
  impstream in(data.data(), static_cast<long>(data.size()));
  EXPECT_EQ(in.readStreamablePointer(GStreamable::gTypeInfo_), nullptr);
  EXPECT_TRUE(in.fail());
}

TEST(DefensiveReadTest, ClassNameWithEmbeddedNulDoesNotMatch) {
  ompstream out;
  out.writeByte(1);
  out << GString("SampleLeaf\0junk", 15);
  out.writeDWord(0);
  impstream in(out.data(), static_cast<long>(out.size()));
  EXPECT_EQ(in.readStreamablePointer(GStreamable::gTypeInfo_), nullptr);
  EXPECT_TRUE(in.fail());
}

namespace {
// `depth` SampleLists, each holding the next as its only entry; the innermost is empty.
std::vector<char> nestedLists(int depth) {
  ompstream out;
  for (int i = 0; i < depth; ++i) {
    out.writeByte(1);
    out << GString("SampleList");
    out.writeByte(0);  // list version
    out.writeDWord(i + 1 < depth ? 1 : 0);
  }
  for (int i = 0; i < depth; ++i)
    out << GString();  // the names, innermost first
  return std::vector<char>(out.data(), out.data() + out.size());
}
}  // namespace

TEST(DefensiveReadTest, ModerateNestingReadsBack) {
  std::vector<char> data = nestedLists(200);
  impstream in(data.data(), static_cast<long>(data.size()));
  SampleList* top = static_cast<SampleList*>(in.readStreamablePointer(SampleList::gTypeInfo_));
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(in.good());
  int depth = 1;
  for (SampleList* l = top; l->count == 1; l = gcast<SampleList>(l->entry(0)))
    ++depth;
  EXPECT_EQ(depth, 200);
  delete top;
}

TEST(DefensiveReadTest, DeepNestingFailsInsteadOfExhaustingTheStack) {
  int lists = SampleList::live;
  std::vector<char> data = nestedLists(200000);
  impstream in(data.data(), static_cast<long>(data.size()));
  EXPECT_EQ(in.readStreamablePointer(SampleList::gTypeInfo_), nullptr);
  EXPECT_TRUE(in.fail());
  EXPECT_EQ(SampleList::live, lists);
}

TEST(DefensiveReadTest, CyclicStructureFailsTheOutput) {
  SampleList list;
  list.v_insert(static_cast<GStreamable*>(&list));
  ompstream out;
  out.writeStreamablePointer(&list);
  EXPECT_TRUE(out.fail());
  list.v_remove(static_cast<GStreamable*>(&list));  // not owned: take it out before destruction
}
