// The file an export writes: its up axis, and what happens when it cannot be opened or
// written.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <string>

#include "ExportHarness.h"
#include "tests/support/FileText.h"

namespace {

const char kCantOpen[] = "VXR animation. Can't open output file: ";

class OutputFileTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    setRenderRange(1, 10, 1);
  }
};

TEST_F(OutputFileTest, AYUpSceneWritesY) {
  const std::string target = path("scene.vxranim");
  ASSERT_TRUE(exportTo(target).succeeded);
  const std::string bytes = readBytes(target);
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(bytes.substr(0, 4), "VXan");
  EXPECT_EQ(bytes[4], 1);
  EXPECT_EQ(bytes[5], 'y');
  auto document = readDocument(target);
  ASSERT_NE(document, nullptr);
  EXPECT_FALSE(document->upAxisIsZ);
}

TEST_F(OutputFileTest, AZUpSceneWritesZ) {
  ASSERT_TRUE(melScript("upAxis -ax z;"));
  const std::string target = path("scene.vxranim");
  ASSERT_TRUE(exportTo(target).succeeded);
  const std::string bytes = readBytes(target);
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(bytes[5], 'z');
  auto document = readDocument(target);
  ASSERT_NE(document, nullptr);
  EXPECT_TRUE(document->upAxisIsZ);
}

TEST_F(OutputFileTest, AnExportReplacesAnExistingFile) {
  const std::string target = path("scene.vxranim");
  writeBytes(target, "previous contents");
  ASSERT_TRUE(exportTo(target).succeeded);
  EXPECT_NE(readBytes(target), "previous contents");
  EXPECT_NE(readDocument(target), nullptr);
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"scene.vxranim"}));
}

TEST_F(OutputFileTest, AFileThatCannotBeOpenedFailsWithTheMessageAndTheFullName) {
  const std::string target = path("missing/scene.vxranim");
  const ExportRun run = exportTo(target);
  EXPECT_FALSE(run.succeeded);
  EXPECT_EQ(run.output, std::string(kCantOpen) + target + "\n");
  EXPECT_TRUE(folderEntries().empty());
}

TEST_F(OutputFileTest, APercentSignInTheNameIsPrintedUnchanged) {
  const std::string target = path("missing/%s%d%n%%.vxranim");
  const ExportRun run = exportTo(target);
  EXPECT_FALSE(run.succeeded);
  EXPECT_EQ(run.output, std::string(kCantOpen) + target + "\n");
}

TEST_F(OutputFileTest, ADeviceAsTargetIsRefused) {
  const ExportRun run = exportTo("/dev/full");
  EXPECT_FALSE(run.succeeded);
  EXPECT_EQ(run.output, std::string(kCantOpen) + "/dev/full\n");
}

TEST_F(OutputFileTest, AReadOnlyFileIsKeptAndTheExportFailsWithTheMessage) {
  const std::string target = path("scene.vxranim");
  writeBytes(target, "previous contents");
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  const ExportRun run = exportTo(target);
  EXPECT_FALSE(run.succeeded);
  EXPECT_EQ(run.output, std::string(kCantOpen) + target + "\n");
  EXPECT_EQ(readBytes(target), "previous contents");
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"scene.vxranim"}));
}

// A full disk, made with a file size limit: the write fails, the export says so and fails, and
// the file that was there stays as it was.
TEST_F(OutputFileTest, AWriteThatFailsKeepsThePreviousFileAndFails) {
  const std::string target = path("scene.vxranim");
  writeBytes(target, "previous contents");

  struct rlimit before;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  struct rlimit small = before;
  small.rlim_cur = 512;  // the export of four cameras over ten frames is several kilobytes
  void (*oldHandler)(int) = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const ExportRun run = exportTo(target);
  ::setrlimit(RLIMIT_FSIZE, &before);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(run.succeeded);
  EXPECT_EQ(run.output, "VXR animation. Can't write output file: " + target + "\n");
  EXPECT_EQ(readBytes(target), "previous contents");
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"scene.vxranim"}));
}

}  // namespace
