// Where a replacing write keeps its data until the rename: a hidden temporary named after the
// target, removed on every way the write can end in the process, and removed by the next write
// to the same target when a killed process left it behind.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "boundary/base/Streams.h"
#include "boundary/base/TemporaryFile.h"
#include "tests/support/FileText.h"
#include "tests/support/FolderEntries.h"
#include "tests/support/KilledWriter.h"

namespace {

bool isTemporaryOf(const std::string& entry, const std::string& target) {
  const std::string prefix = "." + target + ".tmp";
  return entry.size() == prefix.size() + 6 && entry.compare(0, prefix.size(), prefix) == 0;
}

class TemporaryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vxr_temporary_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    target_ = dir_ + "/scene.vxrmesh";
    writeBytes(target_, "previous");
  }
  void TearDown() override {
    const std::string command = "rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  // A writer to the target that is killed while writing, as a user's kill or a crash would end
  // it: its temporary stays behind.
  void leaveStaleTemporary(const std::string& target) {
    killWriterMidFile(target, ofpstream::bufferSize * 2);
  }

  void expectTargetKeptAndNoTemporary() {
    EXPECT_EQ(readBytes(target_), "previous");
    EXPECT_EQ(entriesOf(dir_), std::vector<std::string>{"scene.vxrmesh"});
  }

  std::string dir_;
  std::string target_;
};

TEST_F(TemporaryFileTest, TheTemporaryIsHiddenAndNamedAfterTheTarget) {
  ofpstream out(target_.c_str());
  ASSERT_TRUE(out.good());
  const std::vector<std::string> entries = entriesOf(dir_);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_TRUE(isTemporaryOf(entries[0], "scene.vxrmesh")) << entries[0];
  EXPECT_EQ(entries[1], "scene.vxrmesh");
  out.writeBytes("new", 3);
  ASSERT_TRUE(out.close());
  EXPECT_EQ(entriesOf(dir_), std::vector<std::string>{"scene.vxrmesh"});
  EXPECT_EQ(readBytes(target_), "new");
}

TEST_F(TemporaryFileTest, ATemporaryLeftByAKilledWriterIsRemovedByTheNextWrite) {
  leaveStaleTemporary(target_);
  ASSERT_EQ(entriesOf(dir_).size(), 2u) << "the killed writer leaves its temporary";
  EXPECT_EQ(readBytes(target_), "previous");
  {
    ofpstream out(target_.c_str());
    ASSERT_TRUE(out.good());
    out.writeBytes("new", 3);
    ASSERT_TRUE(out.close());
  }
  EXPECT_EQ(entriesOf(dir_), std::vector<std::string>{"scene.vxrmesh"});
  EXPECT_EQ(readBytes(target_), "new");
}

// Only stale temporaries of the same target go: a live writer's, another target's and files
// that merely look alike stay.
TEST_F(TemporaryFileTest, TheCleanUpRemovesNothingElse) {
  const std::string other = dir_ + "/other.vxrmesh";
  leaveStaleTemporary(other);
  writeBytes(dir_ + "/.scene.vxrmesh.tmp", "too short");
  writeBytes(dir_ + "/.scene.vxrmesh.tmpABC-12", "not what mkstemp makes");
  writeBytes(dir_ + "/scene.vxrmesh.tmpABC123", "not hidden");
  ofpstream live(target_.c_str());
  ASSERT_TRUE(live.good());
  const std::vector<std::string> before = entriesOf(dir_);
  ASSERT_EQ(before.size(), 6u);

  removeStaleTemporaries(GString(target_.c_str()));
  EXPECT_EQ(entriesOf(dir_), before) << "the live writer's temporary is held by its lock";
  live.writeBytes("live", 4);
  EXPECT_TRUE(live.close());
  EXPECT_EQ(readBytes(target_), "live");
  EXPECT_EQ(entriesOf(dir_).size(), 5u);
}

TEST_F(TemporaryFileTest, AbandonKeepsTheTargetAndRemovesTheTemporary) {
  ofpstream out(target_.c_str());
  out.writeBytes("half", 4);
  out.abandon();
  EXPECT_TRUE(out.bad());
  EXPECT_FALSE(out.close());
  out.writeBytes("dropped", 7);
  expectTargetKeptAndNoTemporary();
}

// A host call that throws through a writer cuts its file short: the stream, destroyed while the
// exception unwinds, must not put the part written in place of the target.
TEST_F(TemporaryFileTest, AStreamDestroyedByAnExceptionIsAbandoned) {
  try {
    ofpstream out(target_.c_str());
    out.writeBytes("half", 4);
    throw std::runtime_error("cut short");
  } catch (const std::runtime_error&) {
  }
  expectTargetKeptAndNoTemporary();
}

TEST_F(TemporaryFileTest, ATargetInTheCurrentFolderWorks) {
  char before[4096];
  ASSERT_NE(::getcwd(before, sizeof before), nullptr);
  ASSERT_EQ(::chdir(dir_.c_str()), 0);
  leaveStaleTemporary("scene.vxrmesh");
  {
    ofpstream out("scene.vxrmesh");
    out.writeBytes("new", 3);
    EXPECT_TRUE(out.close());
  }
  ASSERT_EQ(::chdir(before), 0);
  EXPECT_EQ(entriesOf(dir_), std::vector<std::string>{"scene.vxrmesh"});
  EXPECT_EQ(readBytes(target_), "new");
}

}  // namespace
