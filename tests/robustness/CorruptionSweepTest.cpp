// Damaged animation files through the import command's "-open": every prefix of a valid file
// and every single-bit flip of a small one gives a handle or 0, never a crash; files that are
// cut short, or whose magic or version is wrong, are refused.

#include <cstdlib>
#include <string>

#include "ValidAnimationFile.h"
#include "tests/support/FileText.h"
#include "tests/support/PluginFixture.h"

namespace {

class CorruptionSweepTest : public PluginTest {
 protected:
  // Opens `bytes` from a file; returns the handle (closed again) or 0.
  int openAndClose(const std::string& bytes) {
    const std::string file = path("damaged.vxranim");
    writeBytes(file, bytes);
    std::string handle;
    std::string errors;
    const bool ran = mel("VXR_AnimationImportCmd -open \"" + file + "\";", &handle, &errors);
    const int value = ran ? std::atoi(handle.c_str()) : 0;
    if (value != 0) {
      std::string count;
      EXPECT_TRUE(mel("VXR_AnimationImportCmd -id " + handle + " -cameras;", &count));
      EXPECT_GE(std::atoi(count.c_str()), 0);
      EXPECT_TRUE(mel("VXR_AnimationImportCmd -id " + handle + " -close;"));
    }
    return value;
  }
};

TEST_F(CorruptionSweepTest, TheWholeFileOpens) {
  EXPECT_NE(openAndClose(validAnimationFile(2, 1, 3)), 0);
  EXPECT_NE(openAndClose(validAnimationFile(1, 0, 1)), 0);
}

TEST_F(CorruptionSweepTest, EveryProperPrefixIsRefused) {
  const std::string whole = validAnimationFile(2, 1, 3);
  ASSERT_GT(whole.size(), 100u);
  for (std::size_t length = 0; length < whole.size(); ++length)
    EXPECT_EQ(openAndClose(whole.substr(0, length)), 0) << "prefix of " << length << " bytes";
}

TEST_F(CorruptionSweepTest, EverySingleBitFlipIsSurvived) {
  const std::string original = validAnimationFile(1, 1, 1);
  int refused = 0;
  for (std::size_t byte = 0; byte < original.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string damaged = original;
      damaged[byte] = static_cast<char>(damaged[byte] ^ (1 << bit));
      const int handle = openAndClose(damaged);
      if (handle == 0)
        ++refused;
      // The magic and the version byte are checked before anything else is read; a version
      // above the newest is refused (flipping bit 0 of version 1 gives version 0, still valid).
      if (byte < 4 || (byte == 4 && bit != 0)) {
        EXPECT_EQ(handle, 0) << "byte " << byte << " bit " << bit;
      }
    }
  }
  // Flips in the structure (counts, class names, lengths) are refused, not only the header.
  EXPECT_GT(refused, 40);
}

TEST_F(CorruptionSweepTest, BytesThatAreNoAnimationFileAreRefused) {
  EXPECT_EQ(openAndClose(""), 0);
  EXPECT_EQ(openAndClose(std::string(4096, '\0')), 0);
  EXPECT_EQ(openAndClose(std::string(4096, '\xff')), 0);
  std::string header = validAnimationFile(1, 0, 1).substr(0, 6);
  EXPECT_EQ(openAndClose(header + std::string(4096, '\xff')), 0);
}

}  // namespace
