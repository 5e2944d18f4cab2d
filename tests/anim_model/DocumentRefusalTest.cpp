// Files a document refuses: other magics and versions before anything is read, damaged content
// anywhere, null entries and tracks of the wrong kind. Nothing read is kept or leaked.
#include <gtest/gtest.h>

#include <string>

#include "AnimSamples.h"
#include "anim_model/AnimationFileFormat.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"
#include "tests/support/AllocationCounter.h"

namespace {

std::string sampleFile() {
  AnimationDocument document;
  fillSampleDocument(document);
  return writeAnimationFile(document.cameras, document.lights, false);
}

// Reads `bytes` into a new document; reports whether it was taken and whether the document
// kept any track. The document is destroyed before the caller compares allocation counts.
struct ReadOutcome {
  bool taken;
  int tracksKept;
  std::size_t bytesLeft;
};

ReadOutcome readNewDocument(const std::string& bytes) {
  AnimationDocument document;
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  bool taken = document.read(in);
  return {taken, document.cameras.trackCount() + document.lights.trackCount(), in.remaining()};
}

TEST(DocumentRefusalTest, OtherMagicsAreRefusedAfterTheMagicAlone) {
  const std::string valid = sampleFile();
  for (std::uint32_t magic : {0x6E615857u, 0x6D615856u, 0x566E6158u, 0u, 0xFFFFFFFFu}) {
    std::string bytes = valid;
    bytes[0] = static_cast<char>(magic & 0xFF);
    bytes[1] = static_cast<char>((magic >> 8) & 0xFF);
    bytes[2] = static_cast<char>((magic >> 16) & 0xFF);
    bytes[3] = static_cast<char>(magic >> 24);
    ReadOutcome outcome = readNewDocument(bytes);
    EXPECT_FALSE(outcome.taken) << std::hex << magic;
    EXPECT_EQ(outcome.tracksKept, 0);
    EXPECT_EQ(outcome.bytesLeft, bytes.size() - 4) << "read past the magic";
  }
}

TEST(DocumentRefusalTest, VersionsAboveOneAreRefusedBeforeAnyList) {
  const std::string valid = sampleFile();
  for (int version : {2, 3, 0x79, 0x7A, 255}) {
    std::string bytes = valid;
    bytes[4] = static_cast<char>(version);
    AnimationDocument document;
    document.upAxisIsZ = true;
    impstream in(bytes.data(), static_cast<long>(bytes.size()));
    EXPECT_FALSE(document.read(in)) << version;
    EXPECT_EQ(in.remaining(), bytes.size() - 5) << "read past the version byte";
    EXPECT_EQ(document.cameras.trackCount(), 0);
    EXPECT_EQ(document.lights.trackCount(), 0);
    EXPECT_TRUE(document.upAxisIsZ);
  }
}

TEST(DocumentRefusalTest, EveryTruncationOfASampleFileIsRefusedWithoutLeaks) {
  const std::string valid = sampleFile();
  ASSERT_TRUE(readNewDocument(valid).taken);
  for (std::size_t size = 0; size < valid.size(); ++size) {
    const std::string cut = valid.substr(0, size);
    const long before = liveAllocations();
    ReadOutcome outcome = readNewDocument(cut);
    const long after = liveAllocations();
    ASSERT_FALSE(outcome.taken) << "file cut at " << size << " of " << valid.size();
    ASSERT_EQ(outcome.tracksKept, 0) << "cut at " << size;
    ASSERT_EQ(after, before) << "cut at " << size;
  }
}

TEST(DocumentRefusalTest, ARefusedReadLeavesEarlierTracksAndTheAxisAlone) {
  std::string cut = sampleFile();
  cut.resize(cut.size() - 3);
  AnimationDocument document;
  document.cameras.v_insert(makeCameraTrack("already here", 1));
  document.upAxisIsZ = true;
  impstream in(cut.data(), static_cast<long>(cut.size()));
  EXPECT_FALSE(document.read(in));
  ASSERT_EQ(document.cameras.trackCount(), 1);
  EXPECT_EQ(document.cameras.track(0)->name, "already here");
  EXPECT_EQ(document.lights.trackCount(), 0);
  EXPECT_TRUE(document.upAxisIsZ);
}

TEST(DocumentRefusalTest, ALightListHoldingACameraTrackIsRefused) {
  AnimationDocument source;
  fillSampleDocument(source);
  ompstream out;
  AnimationFileHeader header;
  header.write(out, source.cameras);
  // Same list layout, but its tracks are cameras.
  out.writeStreamable(source.cameras);
  std::string bytes(out.data(), out.size());

  const long before = liveAllocations();
  ReadOutcome outcome = readNewDocument(bytes);
  EXPECT_FALSE(outcome.taken);
  EXPECT_EQ(outcome.tracksKept, 0);
  EXPECT_EQ(liveAllocations(), before);
}

TEST(DocumentRefusalTest, ACameraListHoldingALightTrackIsRefused) {
  AnimationDocument source;
  fillSampleDocument(source);
  ompstream out;
  out.writeDWord(kAnimationFileMagic);
  out.writeByte(kAnimationFileVersion);
  out.writeByte(kUpAxisYByte);
  out.writeStreamable(source.lights);
  out.writeStreamable(source.lights);
  EXPECT_FALSE(readNewDocument(std::string(out.data(), out.size())).taken);
}

TEST(DocumentRefusalTest, NullEntriesAreRefusedInEitherList) {
  for (bool inLights : {false, true}) {
    AnimationDocument source;
    fillSampleDocument(source);
    if (inLights)
      source.lights.v_at_insert(1, nullptr);
    else
      source.cameras.v_insert(nullptr);
    const std::string bytes = writeAnimationFile(source.cameras, source.lights, false);
    const long before = liveAllocations();
    ReadOutcome outcome = readNewDocument(bytes);
    EXPECT_FALSE(outcome.taken) << (inLights ? "lights" : "cameras");
    EXPECT_EQ(outcome.tracksKept, 0);
    EXPECT_EQ(liveAllocations(), before);
  }
}

TEST(DocumentRefusalTest, UnknownTrackClassesAndBadPointerTagsAreRefused) {
  const std::string valid = sampleFile();
  // The first track pointer follows magic, version, axis, list version and count.
  const std::size_t tag = 4 + 1 + 1 + 1 + 4;
  ASSERT_EQ(valid[tag], '\x01');
  ASSERT_EQ(valid.substr(tag + 5, 19), "VXRAnimation_Camera");

  std::string unknown = valid;
  unknown[tag + 5 + 18] = 'b';  // "VXRAnimation_Camerb"
  EXPECT_FALSE(readNewDocument(unknown).taken);

  std::string listClass = valid;  // a list where a track belongs
  listClass.replace(tag + 1, 4 + 19, std::string("\x17\0\0\0VXRAnimation_CameraList", 27));
  EXPECT_FALSE(readNewDocument(listClass).taken);

  std::string badTag = valid;
  badTag[tag] = '\x02';
  EXPECT_FALSE(readNewDocument(badTag).taken);
}

TEST(DocumentRefusalTest, ACountLargerThanTheFileIsRefused) {
  std::string bytes = sampleFile();
  // The camera list's track count.
  bytes[7] = '\xFF';
  bytes[8] = '\xFF';
  bytes[9] = '\xFF';
  bytes[10] = '\x7F';
  EXPECT_FALSE(readNewDocument(bytes).taken);
}

}  // namespace
