// Keys and tracks written and read on their own: every field, names, empty tracks, version
// bytes, start values.
#include <gtest/gtest.h>

#include <string>

#include "AnimSamples.h"
#include "anim_model/VXRAnimation_Camera.h"
#include "anim_model/VXRAnimation_Light.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"

namespace {

std::string bytesOf(const GStreamable& object) {
  ompstream out;
  out.writeStreamable(object);
  return std::string(out.data(), out.size());
}

template <class Track>
bool readInto(Track& track, const std::string& bytes) {
  impstream in(bytes.data(), static_cast<long>(bytes.size()));
  in.readStreamable(track);
  return !in.fail() && in.remaining() == 0;
}

TEST(LightKeyTest, StartsWithTheDocumentedValues) {
  LightKey key;
  EXPECT_EQ(key.frame, 0);
  EXPECT_EQ(key.type, 2);
  EXPECT_EQ(key.red, 32);
  EXPECT_EQ(key.green, 32);
  EXPECT_EQ(key.blue, 32);
  EXPECT_EQ(key.position, Vector3D(1, 1, 1));
  EXPECT_EQ(key.target, Vector3D(0, 0, 0));
  EXPECT_EQ(key.intensity, 0.25);
  EXPECT_EQ(key.coneHalfAngle, 1.0);
  EXPECT_EQ(key.penumbraAngle, 1.1);
  EXPECT_EQ(key.reserved, 10.0);
}

TEST(CameraTrackStreamTest, EveryKeyFieldAndTheNameSurvive) {
  VXRAnimation_Camera written;
  written.setName("|world|persp|perspShape");
  for (int frame : {-2147483647 - 1, -1, 0, 1, 2147483647})
    written.v_insert(new CameraKey(makeCameraKey(frame, frame * 1e-9)));

  VXRAnimation_Camera read;
  ASSERT_TRUE(readInto(read, bytesOf(written)));
  EXPECT_EQ(read.name, written.name);
  ASSERT_EQ(read.keyCount(), written.keyCount());
  for (int i = 0; i < written.keyCount(); ++i)
    expectSameCameraKey(*written.key(i), *read.key(i));
}

TEST(CameraTrackStreamTest, KeyLayoutIsVersionProjectorFrame) {
  VXRAnimation_Camera track;
  track.v_insert(new CameraKey(makeCameraKey(-2, 0.0)));
  std::string bytes = bytesOf(track);
  // version, count, key (version + 141 projector bytes + frame), empty name.
  ASSERT_EQ(bytes.size(), 1u + 4u + (1u + 141u + 4u) + 4u);
  EXPECT_EQ(bytes.substr(0, 6), std::string("\0\1\0\0\0\0", 6));
  EXPECT_EQ(bytes.substr(5 + 1 + 141, 4), std::string("\xFE\xFF\xFF\xFF", 4));
}

TEST(CameraTrackStreamTest, TrackWithoutKeysReadsBackNamedAndEmpty) {
  VXRAnimation_Camera written;
  written.setName("cam");
  std::string bytes = bytesOf(written);
  EXPECT_EQ(bytes, std::string("\0"
                               "\0\0\0\0"
                               "\3\0\0\0"
                               "cam",
                               12));

  VXRAnimation_Camera read;
  ASSERT_TRUE(readInto(read, bytes));
  EXPECT_EQ(read.name, "cam");
  EXPECT_EQ(read.keyCount(), 0);
}

TEST(CameraTrackStreamTest, VersionBytesOtherThanZeroAreReadLikeZero) {
  VXRAnimation_Camera written;
  written.setName("c");
  written.v_insert(new CameraKey(makeCameraKey(3, 2.0)));
  std::string bytes = bytesOf(written);
  bytes[0] = '\x07';  // track version
  bytes[5] = '\xFF';  // key version

  VXRAnimation_Camera read;
  ASSERT_TRUE(readInto(read, bytes));
  ASSERT_EQ(read.keyCount(), 1);
  expectSameCameraKey(*written.key(0), *read.key(0));
  EXPECT_EQ(read.name, "c");
}

TEST(LightTrackStreamTest, EveryKeyFieldAndTheNameSurvive) {
  VXRAnimation_Light written;
  written.setName("|lights|spotLightShape1");
  for (int frame : {-2147483647 - 1, -5, 0, 6, 2147483647})
    written.v_insert(new LightKey(makeLightKey(frame, frame * 1e-9)));

  VXRAnimation_Light read;
  ASSERT_TRUE(readInto(read, bytesOf(written)));
  EXPECT_EQ(read.name, written.name);
  ASSERT_EQ(read.keyCount(), written.keyCount());
  for (int i = 0; i < written.keyCount(); ++i)
    expectSameLightKey(*written.key(i), *read.key(i));
}

TEST(LightTrackStreamTest, KeyLayoutFollowsTheFieldOrder) {
  VXRAnimation_Light track;
  LightKey* key = new LightKey;
  key->frame = 258;
  key->type = 3;
  key->red = 0xA1;
  key->green = 0xB2;
  key->blue = 0xC3;
  key->reserved = 1.0;
  track.v_insert(key);
  std::string bytes = bytesOf(track);
  ASSERT_EQ(bytes.size(), 1u + 4u + 89u + 4u);
  const std::string item = bytes.substr(5, 89);
  EXPECT_EQ(item.substr(0, 9), std::string("\0\x02\x01\0\0\x03\xA1\xB2\xC3", 9));
  // position (1, 1, 1): the first double is 1.0.
  EXPECT_EQ(item.substr(9, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  // reserved is the last double.
  EXPECT_EQ(item.substr(81, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
}

TEST(LightTrackStreamTest, ReservedComesBackAsWrittenNotAsItsStartValue) {
  VXRAnimation_Light written;
  LightKey* key = new LightKey;
  key->reserved = -42.5;
  written.v_insert(key);
  written.v_insert(new LightKey);  // the export's value, 10.0

  VXRAnimation_Light read;
  ASSERT_TRUE(readInto(read, bytesOf(written)));
  ASSERT_EQ(read.keyCount(), 2);
  EXPECT_EQ(read.key(0)->reserved, -42.5);
  EXPECT_EQ(read.key(1)->reserved, 10.0);
}

TEST(LightTrackStreamTest, TrackWithoutKeysReadsBackNamedAndEmpty) {
  VXRAnimation_Light written;
  written.setName("ambient");
  VXRAnimation_Light read;
  ASSERT_TRUE(readInto(read, bytesOf(written)));
  EXPECT_EQ(read.name, "ambient");
  EXPECT_EQ(read.keyCount(), 0);
}

TEST(LightTrackStreamTest, VersionByteOtherThanZeroIsReadLikeZero) {
  VXRAnimation_Light written;
  written.v_insert(new LightKey(makeLightKey(9, 1.0)));
  std::string bytes = bytesOf(written);
  bytes[0] = '\x01';
  bytes[5] = '\x80';
  VXRAnimation_Light read;
  ASSERT_TRUE(readInto(read, bytes));
  ASSERT_EQ(read.keyCount(), 1);
  expectSameLightKey(*written.key(0), *read.key(0));
}

TEST(TrackStreamTest, AKeyCutShortIsNotKept) {
  VXRAnimation_Light written;
  written.v_insert(new LightKey(makeLightKey(1, 0.0)));
  written.v_insert(new LightKey(makeLightKey(2, 0.0)));
  std::string bytes = bytesOf(written);
  bytes.resize(5 + 89 + 40);  // the second key ends early

  VXRAnimation_Light read;
  EXPECT_FALSE(readInto(read, bytes));
  EXPECT_EQ(read.keyCount(), 1);
}

}  // namespace
