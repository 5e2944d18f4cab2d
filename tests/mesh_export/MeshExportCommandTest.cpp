// The mesh export command's options, file names and failures.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

#include "MeshFileReadBack.h"
#include "MeshScene.h"
#include "tests/support/FileText.h"

namespace {

using Names = std::vector<std::string>;

// Runs the command with the temporary folder as the current directory.
class MeshExportCommandTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    char* previous = ::getcwd(nullptr, 0);
    ASSERT_NE(previous, nullptr);
    previous_ = previous;
    ::free(previous);
    ASSERT_EQ(::chdir(folder().c_str()), 0);
    makeBox("box", 1, 1, 1);
    select({"box"});
  }
  void TearDown() override {
    EXPECT_EQ(::chdir(previous_.c_str()), 0);
    PluginTest::TearDown();
  }

 private:
  std::string previous_;
};

TEST_F(MeshExportCommandTest, TheFrameIsPaddedToFourDigits) {
  EXPECT_TRUE(exportCommand({"-file", "rock", "-frame", "7"}));
  EXPECT_TRUE(exportCommand({"-file", "rock", "-frame", "0"}));
  EXPECT_EQ(folderEntries(), (Names{"rock.0000.vxrmesh", "rock.0007.vxrmesh"}));
  EXPECT_EQ(readMeshFile("rock.0007.vxrmesh").meshes.size(), 1u);
}

TEST_F(MeshExportCommandTest, LongAndNegativeFramesKeepEveryDigit) {
  EXPECT_TRUE(exportCommand({"-file", "rock", "-frame", "12345"}));
  EXPECT_TRUE(exportCommand({"-file", "rock", "-frame", "-3"}));
  EXPECT_EQ(folderEntries(), (Names{"rock.-003.vxrmesh", "rock.12345.vxrmesh"}));
}

TEST_F(MeshExportCommandTest, AnAbsoluteBaseNamesTheFileExactly) {
  const std::string framed = "/tmp/rock.0007.vxrmesh", plain = "/tmp/rock.vxrmesh";
  EXPECT_TRUE(exportCommand({"-file", "/tmp/rock", "-frame", "7"}));
  EXPECT_TRUE(exportCommand({"-file", "/tmp/rock"}));
  EXPECT_EQ(readMeshFile(framed).meshes.size(), 1u);
  EXPECT_EQ(readMeshFile(plain).meshes.size(), 1u);
  ::unlink(framed.c_str());
  ::unlink(plain.c_str());
}

TEST_F(MeshExportCommandTest, TheExtensionIsAddedEvenWhenTheBaseHasIt) {
  EXPECT_TRUE(exportCommand({"-file", "rock.vxrmesh"}));
  EXPECT_EQ(folderEntries(), (Names{"rock.vxrmesh.vxrmesh"}));
}

TEST_F(MeshExportCommandTest, NoArgumentsWriteTheBareExtensionHere) {
  EXPECT_TRUE(exportCommand({}));
  EXPECT_EQ(folderEntries(), (Names{".vxrmesh"}));
}

TEST_F(MeshExportCommandTest, AMissingValueFailsAndWritesNothing) {
  EXPECT_FALSE(exportCommand({"-file"}));
  EXPECT_FALSE(exportCommand({"-file", "rock", "-frame"}));
  EXPECT_TRUE(folderEntries().empty());
}

TEST_F(MeshExportCommandTest, AFrameThatIsNotANumberFailsAndWritesNothing) {
  EXPECT_FALSE(exportCommand({"-file", "rock", "-frame", "seven"}));
  EXPECT_FALSE(exportCommand({"-frame", "1.5x", "-file", "rock"}));
  EXPECT_TRUE(folderEntries().empty());
}

TEST_F(MeshExportCommandTest, AValueIsTakenEvenWhenItLooksLikeAnOption) {
  // "-frame" becomes the base; "7" is then looked at as an option and skipped.
  EXPECT_TRUE(exportCommand({"-file", "-frame", "7"}));
  EXPECT_EQ(folderEntries(), (Names{"-frame.vxrmesh"}));
}

TEST_F(MeshExportCommandTest, TheLaterValueWins) {
  EXPECT_TRUE(exportCommand({"-file", "a", "-frame", "1", "-file", "b", "-frame", "2"}));
  EXPECT_EQ(folderEntries(), (Names{"b.0002.vxrmesh"}));
}

TEST_F(MeshExportCommandTest, OptionsAreCaseSensitive) {
  EXPECT_TRUE(exportCommand({"-File", "a", "-file", "b", "-Frame", "3"}));
  EXPECT_TRUE(exportCommand({"-FILE", "c"}));
  EXPECT_EQ(folderEntries(), (Names{".vxrmesh", "b.vxrmesh"}));
}

TEST_F(MeshExportCommandTest, AFileThatCannotBeCreatedFailsWithItsName) {
  const std::string base = folder() + "/missing-folder/rock";
  ::testing::internal::CaptureStderr();
  const MStatus status = exportCommand({"-file", base, "-frame", "4"});
  const std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(status);
  EXPECT_NE(messages.find(base + ".0004.vxrmesh"), std::string::npos) << messages;
  EXPECT_TRUE(folderEntries().empty());
}

TEST_F(MeshExportCommandTest, ANameHoldingANulByteIsRefused) {
  // The system would see only "rock" and write that file instead, without its extension.
  ::testing::internal::CaptureStderr();
  const MStatus status = exportCommand({"-file", std::string("rock\0/../../escaped", 20)});
  ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(status);
  EXPECT_TRUE(folderEntries().empty());
}

// Files may grow to a few bytes only; a write beyond fails instead of raising a signal.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_;
  sighandler_t previousHandler_;
};

TEST_F(MeshExportCommandTest, AFailedWriteFailsAndKeepsThePreviousFile) {
  {
    std::ofstream previous("rock.vxrmesh", std::ios::binary);
    previous << "previous contents";
  }
  ::testing::internal::CaptureStderr();
  MStatus status;
  {
    FileSizeLimit limit(64);  // the box's record is longer
    status = exportCommand({"-file", "rock"});
  }
  const std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(status);
  EXPECT_NE(messages.find("rock.vxrmesh"), std::string::npos) << messages;
  EXPECT_EQ(readBytes("rock.vxrmesh"), "previous contents");
  EXPECT_EQ(folderEntries(), (Names{"rock.vxrmesh"}));  // no temporary left behind
}

}  // namespace
