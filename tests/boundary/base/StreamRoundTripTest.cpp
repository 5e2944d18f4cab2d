#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "SampleClasses.h"

namespace {

std::string tempPath(const char* name) {
  return ::testing::TempDir() + "vxr_base_" + name + "_" + std::to_string(::getpid());
}

void writePrimitives(opstream& out) {
  out.writeByte(0);
  out.writeByte(0xFF);
  out.writeDWord(0);
  out.writeDWord(0xFFFFFFFFu);
  out.writeDWord(static_cast<std::uint32_t>(-123456));
  out << 0.0f << -1.5f << std::numeric_limits<float>::max()
      << std::numeric_limits<float>::denorm_min();
  out << 0.0 << -0.0 << 3.141592653589793 << std::numeric_limits<double>::infinity()
      << std::numeric_limits<double>::quiet_NaN() << std::numeric_limits<double>::lowest();
}

void checkPrimitives(ipstream& in) {
  EXPECT_EQ(in.readByte(), 0);
  EXPECT_EQ(in.readByte(), 0xFF);
  EXPECT_EQ(in.readDWord(), 0u);
  EXPECT_EQ(in.readDWord(), 0xFFFFFFFFu);
  EXPECT_EQ(static_cast<std::int32_t>(in.readDWord()), -123456);
  float f[4];
  in >> f[0] >> f[1] >> f[2] >> f[3];
  EXPECT_EQ(f[0], 0.0f);
  EXPECT_EQ(f[1], -1.5f);
  EXPECT_EQ(f[2], std::numeric_limits<float>::max());
  EXPECT_EQ(f[3], std::numeric_limits<float>::denorm_min());
  double d[6];
  in >> d[0] >> d[1] >> d[2] >> d[3] >> d[4] >> d[5];
  EXPECT_EQ(d[0], 0.0);
  EXPECT_TRUE(std::signbit(d[1]));
  EXPECT_EQ(d[2], 3.141592653589793);
  EXPECT_EQ(d[3], std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(d[4]));
  EXPECT_EQ(d[5], std::numeric_limits<double>::lowest());
  EXPECT_TRUE(in.good());
}

// A list holding a leaf, a null entry and a nested list with two leaves.
void fillSample(SampleList& list) {
  list.name = "outer";
  list.v_insert(static_cast<GStreamable*>(new SampleLeaf(-7, 1.25, 2.5f, "first")));
  list.v_insert(nullptr);
  SampleList* inner = new SampleList;
  inner->name = GString("in\0ner", 6);
  inner->v_insert(static_cast<GStreamable*>(new SampleLeaf(1, -0.5, 0.0f, "")));
  inner->v_insert(static_cast<GStreamable*>(new SampleLeaf(2, 1e300, -1.0f, "deep")));
  list.v_insert(static_cast<GStreamable*>(inner));
}

void checkSample(const SampleList& list) {
  EXPECT_EQ(list.name, "outer");
  ASSERT_EQ(list.count, 3);
  SampleLeaf* first = gcast<SampleLeaf>(list.entry(0));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->number, -7);
  EXPECT_EQ(first->value, 1.25);
  EXPECT_EQ(first->ratio, 2.5f);
  EXPECT_EQ(first->label, "first");
  EXPECT_EQ(list.entry(1), nullptr);
  SampleList* inner = gcast<SampleList>(list.entry(2));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->name, GString("in\0ner", 6));
  ASSERT_EQ(inner->count, 2);
  SampleLeaf* deep = gcast<SampleLeaf>(inner->entry(1));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->value, 1e300);
  EXPECT_EQ(deep->label, "deep");
}

}  // namespace

TEST(MemoryStreamTest, PrimitivesRoundTripLittleEndian) {
  ompstream out;
  writePrimitives(out);
  ASSERT_TRUE(out.good());
  ASSERT_EQ(out.size(), 2u + 3 * 4 + 4 * 4 + 6 * 8);
  // Byte order is fixed: the DWord after the two bytes is 0, then 0xFFFFFFFF, then -123456 LE.
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(out.data());
  EXPECT_EQ(bytes[10], 0xC0);  // -123456 = 0xFFFE1DC0
  EXPECT_EQ(bytes[11], 0x1D);
  EXPECT_EQ(bytes[12], 0xFE);
  EXPECT_EQ(bytes[13], 0xFF);
  impstream in(out.data(), static_cast<long>(out.size()), GIO::IORead);
  checkPrimitives(in);
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(MemoryStreamTest, FloatAndDoubleAreIeeeLittleEndian) {
  ompstream out;
  out << 1.0f << 1.0;
  const unsigned char expected[] = {0x00, 0x00, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
  ASSERT_EQ(out.size(), sizeof expected);
  EXPECT_EQ(std::memcmp(out.data(), expected, sizeof expected), 0);
}

TEST(MemoryStreamTest, StringsRoundTrip) {
  std::string longText(200000, 'x');
  longText[1000] = '\0';
  GString withNuls("a\0b\0", 4);
  ompstream out;
  out << GString() << GString(longText.data(), longText.size()) << withNuls;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(out.data());
  EXPECT_EQ(bytes[0] | bytes[1] | bytes[2] | bytes[3], 0);  // the empty string is its count only
  impstream in(out.data(), static_cast<long>(out.size()));
  GString a("stale"), b, c;
  in >> a >> b >> c;
  EXPECT_TRUE(in.good());
  EXPECT_TRUE(a.isEmpty());
  EXPECT_EQ(b, GString(longText.data(), longText.size()));
  EXPECT_EQ(c, withNuls);
}

TEST(MemoryStreamTest, NestedStreamableCollections) {
  int leaves = SampleLeaf::live;
  {
    SampleList list;
    fillSample(list);
    ompstream out;
    out.writeStreamablePointer(&list);
    out.writeStreamable(list);
    out.writeStreamablePointer(nullptr);
    ASSERT_TRUE(out.good());

    impstream in(out.data(), static_cast<long>(out.size()));
    SampleList* byName = static_cast<SampleList*>(in.readStreamablePointer(SampleList::gTypeInfo_));
    ASSERT_NE(byName, nullptr);
    checkSample(*byName);
    delete byName;
    SampleList known;
    in.readStreamable(known);
    checkSample(known);
    EXPECT_EQ(in.readStreamablePointer(SampleList::gTypeInfo_), nullptr);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(in.remaining(), 0u);
  }
  EXPECT_EQ(SampleLeaf::live, leaves);
}

TEST(MemoryStreamTest, AStreamablePointerRecordsItsClassName) {
  SampleLeaf leaf(1, 2.0, 3.0f, "x");
  ompstream out;
  out.writeStreamablePointer(&leaf);
  // Byte 1, then the class name as a string, then the object's data.
  const char expectedHead[] = "\x01\x0A\x00\x00\x00SampleLeaf";
  ASSERT_GE(out.size(), sizeof expectedHead - 1);
  EXPECT_EQ(std::memcmp(out.data(), expectedHead, sizeof expectedHead - 1), 0);
  EXPECT_EQ(out.size(), 15u + 4 + 8 + 4 + 4 + 1);
}

TEST(MemoryStreamTest, AnObjectWithoutRecordFailsTheOutput) {
  class NoRecord : public GStreamable {
   public:
    void read(ipstream&) override {}
    void write(opstream& out) const override { out.writeByte(9); }
  } object;
  ompstream out;
  out.writeStreamablePointer(&object);
  EXPECT_TRUE(out.fail());
}

TEST(FileStreamTest, PrimitivesAndCollectionsRoundTrip) {
  std::string path = tempPath("roundtrip");
  int leaves = SampleLeaf::live;
  {
    ofpstream out(path.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
    ASSERT_EQ(out.rdstate() & 6, 0);
    writePrimitives(out);
    SampleList list;
    fillSample(list);
    out.writeStreamablePointer(&list);
    // A string longer than the write buffer crosses several flushes.
    out << GString(std::string(3 * ofpstream::bufferSize + 5, 'z').c_str());
    EXPECT_TRUE(out.close());
  }
  {
    ifpstream in(path.c_str(), GIO::IORead, GFileIO::IOOpenExisting, GFileIO::IOShareRead);
    ASSERT_EQ(in.rdstate() & 6, 0);
    checkPrimitives(in);
    SampleList* list = static_cast<SampleList*>(in.readStreamablePointer(SampleList::gTypeInfo_));
    ASSERT_NE(list, nullptr);
    checkSample(*list);
    delete list;
    GString big;
    in >> big;
    EXPECT_EQ(big.length(), 3 * ofpstream::bufferSize + 5);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(in.remaining(), 0u);
    in.readByte();
    EXPECT_TRUE(in.fail());
  }
  EXPECT_EQ(SampleLeaf::live, leaves);
  ::unlink(path.c_str());
}
