// Whole files written through the header and read into a document.
#include <gtest/gtest.h>

#include <string>

#include "AnimSamples.h"
#include "anim_model/AnimationFileFormat.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"

namespace {

bool readDocument(AnimationDocument& document, const std::string& bytes) {
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  return document.read(in);
}

TEST(DocumentRoundTripTest, TracksComeBackInOrderWithNamesAndKeys) {
  AnimationDocument written;
  fillSampleDocument(written);
  for (bool zUp : {false, true}) {
    SCOPED_TRACE(zUp ? "z-up" : "y-up");
    AnimationDocument read;
    ASSERT_TRUE(readDocument(read, writeAnimationFile(written.cameras, written.lights, zUp)));
    EXPECT_EQ(read.upAxisIsZ, zUp);
    expectSameTracks(written, read);
    EXPECT_EQ(read.cameras.track(1)->keyCount(), 0);
    EXPECT_EQ(read.cameras.track(0)->key(0)->frame, -3);
    EXPECT_EQ(read.lights.track(0)->key(0)->frame, -2147483647 - 1);
  }
}

TEST(DocumentRoundTripTest, EmptyListsAreAVersionByteAndAnEmptyCollection) {
  AnimationDocument empty;
  std::string bytes = writeAnimationFile(empty.cameras, empty.lights, true);
  EXPECT_EQ(bytes, std::string("VXan\x01z"
                               "\0\0\0\0\0"
                               "\0\0\0\0\0",
                               16));

  AnimationDocument read;
  ASSERT_TRUE(readDocument(read, bytes));
  EXPECT_TRUE(read.upAxisIsZ);
  EXPECT_EQ(read.cameras.trackCount(), 0);
  EXPECT_EQ(read.lights.trackCount(), 0);
}

TEST(DocumentRoundTripTest, HeaderStartsZUpAndWritesTheAxisByte) {
  AnimationFileHeader header;
  EXPECT_TRUE(header.upAxisIsZ);
  AnimationDocument empty;
  EXPECT_EQ(writeAnimationFile(empty.cameras, empty.lights, false)[5], 'y');
  EXPECT_EQ(writeAnimationFile(empty.cameras, empty.lights, true)[5], 'z');
}

TEST(DocumentRoundTripTest, ANewDocumentIsYUpAndEmpty) {
  AnimationDocument document;
  EXPECT_FALSE(document.upAxisIsZ);
  EXPECT_EQ(document.cameras.trackCount(), 0);
  EXPECT_EQ(document.lights.trackCount(), 0);
}

TEST(DocumentRoundTripTest, AnUpAxisByteOtherThanZIsYUp) {
  AnimationDocument empty;
  for (char axis : {'y', 'x', 'Z', '\0', '\xFF'}) {
    std::string bytes = writeAnimationFile(empty.cameras, empty.lights, true);
    bytes[5] = axis;
    AnimationDocument read;
    read.upAxisIsZ = true;  // the file's byte decides, not the start value
    ASSERT_TRUE(readDocument(read, bytes)) << int(axis);
    EXPECT_FALSE(read.upAxisIsZ) << int(axis);
  }
}

TEST(DocumentRoundTripTest, BytesAfterACompleteFileAreAllowed) {
  AnimationDocument written;
  fillSampleDocument(written);
  std::string bytes = writeAnimationFile(written.cameras, written.lights, false) + "trailing";
  AnimationDocument read;
  ASSERT_TRUE(readDocument(read, bytes));
  expectSameTracks(written, read);
}

// A version 0 file: magic, version 0 and the camera list; no up-axis byte, no light list.
std::string versionZeroFile(const VXRAnimation_CameraList& cameras) {
  ompstream out;
  out.writeDWord(kAnimationFileMagic);
  out.writeByte(0);
  out.writeStreamable(cameras);
  return std::string(out.data(), out.size());
}

TEST(VersionZeroFileTest, LoadsCamerasWithAnEmptyLightListAndTheStartAxis) {
  AnimationDocument written;
  fillSampleDocument(written);
  std::string bytes = versionZeroFile(written.cameras);
  ASSERT_EQ(bytes[4], '\0');

  for (bool startAxis : {false, true}) {
    AnimationDocument read;
    read.upAxisIsZ = startAxis;
    ASSERT_TRUE(readDocument(read, bytes));
    EXPECT_EQ(read.upAxisIsZ, startAxis);
    EXPECT_EQ(read.lights.trackCount(), 0);
    ASSERT_EQ(read.cameras.trackCount(), 3);
    for (int t = 0; t < 3; ++t) {
      EXPECT_EQ(read.cameras.track(t)->name, written.cameras.track(t)->name);
      ASSERT_EQ(read.cameras.track(t)->keyCount(), written.cameras.track(t)->keyCount());
      for (int k = 0; k < written.cameras.track(t)->keyCount(); ++k)
        expectSameCameraKey(*written.cameras.track(t)->key(k), *read.cameras.track(t)->key(k));
    }
  }
}

TEST(VersionZeroFileTest, TheByteAfterTheVersionIsTheCameraListNotAnAxis) {
  // A version 0 file whose list version byte happens to be 'z' must not be read as z-up.
  VXRAnimation_CameraList cameras;
  std::string bytes = versionZeroFile(cameras);
  bytes[5] = 'z';
  AnimationDocument read;
  ASSERT_TRUE(readDocument(read, bytes));
  EXPECT_FALSE(read.upAxisIsZ);
}

TEST(IsAnimationFileTest, AcceptsOnlyTheMagicWithVersionZeroOrOne) {
  struct Case {
    std::string bytes;
    bool expected;
  };
  const Case cases[] = {
      {std::string("VXan\x00", 5), true},    {std::string("VXan\x01", 5), true},
      {std::string("VXan\x02", 5), false},   {std::string("VXan\xFF", 5), false},
      {std::string("VXam\x01", 5), false},   {std::string("vxan\x01", 5), false},
      {std::string("\0\0\0\0\0", 5), false}, {std::string("VXan\x01zrest of a file", 19), true},
  };
  for (const Case& c : cases) {
    impstream in(c.bytes.data(), static_cast<long>(c.bytes.size()));
    EXPECT_EQ(isAnimationFile(in), c.expected) << c.bytes;
    EXPECT_LE(c.bytes.size() - in.remaining(), 5u) << "read beyond the header";
  }
}

TEST(IsAnimationFileTest, BuffersShorterThanFiveBytesAreRefused) {
  const std::string header("VXan\x01", 5);
  for (std::size_t size = 0; size <= 5; ++size) {
    impstream in(header.data(), static_cast<long>(size));
    EXPECT_EQ(isAnimationFile(in), size == 5) << size << " bytes";
  }
  // "VXan" followed by a version 0 byte that is not there: a failed read yields 0, which must
  // not pass as version 0.
  impstream magicOnly("VXan", 4);
  EXPECT_FALSE(isAnimationFile(magicOnly));
  impstream none(nullptr, 0);
  EXPECT_FALSE(isAnimationFile(none));
}

TEST(IsAnimationFileTest, ReadsNoVersionByteAfterAnotherMagic) {
  const std::string bytes("ABCD\x01", 5);
  impstream in(bytes.data(), 5);
  EXPECT_FALSE(isAnimationFile(in));
  EXPECT_EQ(in.remaining(), 1u);
}

}  // namespace
