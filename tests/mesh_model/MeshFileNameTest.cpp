// The names the mesh export command gives its files.

#include <gtest/gtest.h>

#include <climits>

#include "mesh_model/MeshFileName.h"

namespace {

GString nameOf(const char* base, bool frameGiven, int frame) {
  return meshFileName(GString(base), frameGiven, frame).path();
}

TEST(MeshFileNameTest, FramePaddedToFourDigits) {
  EXPECT_EQ(nameOf("/tmp/rock", true, 7), "/tmp/rock.0007.vxrmesh");
  EXPECT_EQ(nameOf("/tmp/rock", true, 0), "/tmp/rock.0000.vxrmesh");
  EXPECT_EQ(nameOf("/tmp/rock", true, 9999), "/tmp/rock.9999.vxrmesh");
}

TEST(MeshFileNameTest, LongerAndNegativeFramesKeepEveryDigit) {
  EXPECT_EQ(nameOf("/tmp/rock", true, 12345), "/tmp/rock.12345.vxrmesh");
  EXPECT_EQ(nameOf("/tmp/rock", true, -3), "/tmp/rock.-003.vxrmesh");
  EXPECT_EQ(nameOf("r", true, INT_MIN), "r.-2147483648.vxrmesh");
}

TEST(MeshFileNameTest, WithoutAFrameOnlyTheExtensionIsAdded) {
  EXPECT_EQ(nameOf("/tmp/rock", false, 7), "/tmp/rock.vxrmesh");
  EXPECT_EQ(nameOf("", false, 0), ".vxrmesh");
}

TEST(MeshFileNameTest, AnExtensionInTheBaseIsNotRecognised) {
  EXPECT_EQ(nameOf("rock.vxrmesh", false, 0), "rock.vxrmesh.vxrmesh");
}

TEST(MeshFileNameTest, PercentSignsInTheBaseAreKept) {
  EXPECT_EQ(nameOf("/tmp/r%04d%s", true, 1), "/tmp/r%04d%s.0001.vxrmesh");
}

}  // namespace
