// The identify test of mesh files over buffers of every short length. Each buffer is allocated
// with exactly its length, so a read past it is caught by the address sanitizer.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "mesh_model/MeshFileFormat.h"

namespace {

const unsigned char kHeader[] = {0x56, 0x58, 0x70, 0x6D, 0x00};  // "VXpm", version 0

bool identifyExactCopy(const unsigned char* bytes, long size) {
  std::unique_ptr<char[]> exact(new char[size > 0 ? size : 1]);
  if (size > 0)
    std::memcpy(exact.get(), bytes, static_cast<std::size_t>(size));
  return isMeshFileStart(size > 0 ? exact.get() : nullptr, size);
}

TEST(MeshIdentifyTest, MagicAndVersionZeroIsAMeshFile) {
  EXPECT_TRUE(identifyExactCopy(kHeader, 5));
}

TEST(MeshIdentifyTest, BuffersShorterThanFiveBytesAreNot) {
  for (long size = 0; size < 5; ++size)
    EXPECT_FALSE(identifyExactCopy(kHeader, size)) << size;
}

TEST(MeshIdentifyTest, NegativeSizeAndNullBufferAreNot) {
  EXPECT_FALSE(isMeshFileStart(reinterpret_cast<const char*>(kHeader), -1));
  EXPECT_FALSE(isMeshFileStart(reinterpret_cast<const char*>(kHeader), -32768));
  EXPECT_FALSE(isMeshFileStart(nullptr, 5));
}

TEST(MeshIdentifyTest, OtherVersionsAndMagicsAreNot) {
  unsigned char bytes[5];
  std::memcpy(bytes, kHeader, 5);
  bytes[4] = 1;
  EXPECT_FALSE(identifyExactCopy(bytes, 5));
  bytes[4] = 0xFF;
  EXPECT_FALSE(identifyExactCopy(bytes, 5));
  std::memcpy(bytes, kHeader, 5);
  bytes[0] = 0x57;
  EXPECT_FALSE(identifyExactCopy(bytes, 5));
  // The animation file's magic "VXan" is another translator's.
  const unsigned char animation[] = {0x56, 0x58, 0x61, 0x6E, 0x00};
  EXPECT_FALSE(identifyExactCopy(animation, 5));
}

TEST(MeshIdentifyTest, BytesAfterTheVersionAreNotLookedAt) {
  unsigned char bytes[64] = {};
  std::memcpy(bytes, kHeader, 5);
  std::memset(bytes + 5, 0xEE, sizeof bytes - 5);
  EXPECT_TRUE(identifyExactCopy(bytes, sizeof bytes));
}

}  // namespace
