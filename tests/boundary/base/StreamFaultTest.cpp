// The file output stream when the system fails it at the end: the final write, the sync, the
// close or the rename. Also a target that links to the full device and a folder that cannot be
// written. Each time close() reports failure, the file at the target keeps its bytes and no
// temporary file is left beside it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "boundary/base/Streams.h"
#include "tests/support/FileText.h"
#include "tests/support/FolderEntries.h"
#include "tests/support/ImmutableFolder.h"

namespace {

// The descriptor this process holds on a file whose path begins with `prefix`, or -1.
int descriptorOn(const std::string& prefix) {
  for (const std::string& name : entriesOf("/proc/self/fd")) {
    char target[PATH_MAX];
    const std::string link = "/proc/self/fd/" + name;
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)).rfind(prefix, 0) == 0)
      return std::atoi(name.c_str());
  }
  return -1;
}

class OutputStreamFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vxr_stream_fault_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    target_ = dir_ + "/anim.vxranim";
    writeBytes(target_, "previous");
  }
  void TearDown() override {
    if (readOnly_)
      setImmutable(dir_, false);
    std::string command = "rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  // Makes the folder refuse new entries. Root passes over permission bits, so the immutable
  // attribute is used where it can be set; permission bits otherwise.
  bool makeFolderReadOnly() {
    if (setImmutable(dir_, true)) {
      readOnly_ = true;
      return true;
    }
    return ::geteuid() != 0 && ::chmod(dir_.c_str(), 0555) == 0;
  }
  void makeFolderWritable() {
    if (readOnly_ && setImmutable(dir_, false))
      readOnly_ = false;
    ::chmod(dir_.c_str(), 0755);
  }

  // Closes the stream's temporary file behind its back, so the next system call on it fails.
  void breakDescriptor() {
    const int fd = descriptorOn(dir_ + "/.anim.vxranim.tmp");
    ASSERT_GE(fd, 0) << "no open temporary beside " << target_;
    ASSERT_EQ(::close(fd), 0);
  }

  void expectTargetKeptAndNoTemporary() {
    EXPECT_EQ(readBytes(target_), "previous");
    EXPECT_EQ(entriesOf(dir_), std::vector<std::string>{"anim.vxranim"});
  }

  std::string dir_;
  std::string target_;
  bool readOnly_ = false;
};

TEST_F(OutputStreamFaultTest, FailingFinalWriteFailsTheClose) {
  ofpstream out(target_.c_str());
  ASSERT_TRUE(out.good());
  out.writeBytes("new data that stays in the buffer", 33);
  breakDescriptor();
  EXPECT_TRUE(out.good());  // nothing has reached the system yet
  EXPECT_FALSE(out.close());
  EXPECT_TRUE(out.bad());
  EXPECT_FALSE(out.close()) << "a second close answers as the first";
  expectTargetKeptAndNoTemporary();
}

TEST_F(OutputStreamFaultTest, FailingWriteOfAFullBufferFailsTheStreamAtOnce) {
  ofpstream out(target_.c_str());
  breakDescriptor();
  const std::string block(ofpstream::bufferSize, 'x');
  out.writeBytes(block.data(), block.size());
  out.writeByte(1);  // the buffer must be drained here
  EXPECT_TRUE(out.bad());
  EXPECT_FALSE(out.close());
  expectTargetKeptAndNoTemporary();
}

TEST_F(OutputStreamFaultTest, FailingSyncFailsTheClose) {
  // Nothing left to write: the first system call of the close is the sync.
  ofpstream out(target_.c_str());
  breakDescriptor();
  EXPECT_FALSE(out.close());
  EXPECT_TRUE(out.bad());
  expectTargetKeptAndNoTemporary();
}

TEST_F(OutputStreamFaultTest, FailingCloseOfTheFileFailsTheClose) {
  ofpstream out(target_.c_str());
  out.setSyncOnClose(false);
  breakDescriptor();
  EXPECT_FALSE(out.close());
  EXPECT_TRUE(out.bad());
  expectTargetKeptAndNoTemporary();
}

TEST_F(OutputStreamFaultTest, DestructorOfAFailedStreamKeepsTheTarget) {
  {
    ofpstream out(target_.c_str());
    out.writeBytes("lost", 4);
    breakDescriptor();
  }
  expectTargetKeptAndNoTemporary();
}

TEST_F(OutputStreamFaultTest, FailingRenameFailsTheClose) {
  ofpstream out(target_.c_str());
  out.writeBytes("new", 3);
  // Meanwhile someone puts a folder with a file in it where the target was.
  ASSERT_EQ(::unlink(target_.c_str()), 0);
  ASSERT_EQ(::mkdir(target_.c_str(), 0755), 0);
  writeBytes(target_ + "/inside", "kept");
  EXPECT_FALSE(out.close());
  EXPECT_TRUE(out.bad());
  EXPECT_EQ(readBytes(target_ + "/inside"), "kept");
  EXPECT_EQ(entriesOf(dir_), std::vector<std::string>{"anim.vxranim"});
}

TEST_F(OutputStreamFaultTest, LinkToTheFullDeviceIsRefused) {
  const std::string link = dir_ + "/full.vxranim";
  ASSERT_EQ(::symlink("/dev/full", link.c_str()), 0);
  {
    ofpstream out(link.c_str());
    EXPECT_TRUE(out.bad());
    out.writeBytes("dropped", 7);
    EXPECT_FALSE(out.close());
  }
  struct stat info;
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(::stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
  EXPECT_EQ(entriesOf(dir_), (std::vector<std::string>{"anim.vxranim", "full.vxranim"}));
  for (const std::string& name : entriesOf("/dev"))
    EXPECT_EQ(name.find("full.tmp"), std::string::npos) << name;
}

TEST_F(OutputStreamFaultTest, ReadOnlyFolderFailsTheOpen) {
  if (!makeFolderReadOnly())
    GTEST_SKIP() << "running as root on a file system without the immutable attribute: no "
                    "folder can be made read-only for this process";
  {
    ofpstream out(target_.c_str());
    EXPECT_TRUE(out.bad());
    out.writeBytes("dropped", 7);
    EXPECT_FALSE(out.close());
  }
  makeFolderWritable();
  expectTargetKeptAndNoTemporary();
}

TEST_F(OutputStreamFaultTest, FolderMadeReadOnlyBeforeTheCloseFailsTheClose) {
  ofpstream out(target_.c_str());
  out.writeBytes("new", 3);
  if (!makeFolderReadOnly())
    GTEST_SKIP() << "running as root on a file system without the immutable attribute: no "
                    "folder can be made read-only for this process";
  EXPECT_FALSE(out.close());
  EXPECT_TRUE(out.bad());
  makeFolderWritable();
  // The temporary could not be removed from the read-only folder either; the target is intact.
  EXPECT_EQ(readBytes(target_), "previous");
}

// The memory stream cannot meet a disk fault; what it holds stays whole however it grows.
TEST(MemoryStreamTest, GrowsAcrossManyBuffersWithoutLosingBytes) {
  ompstream out;
  for (std::uint32_t i = 0; i < 300000; ++i)
    out.writeDWord(i * 2654435761u);
  ASSERT_TRUE(out.good());
  ASSERT_EQ(out.size(), 4u * 300000);
  impstream in(out.data(), static_cast<long>(out.size()));
  bool same = true;
  for (std::uint32_t i = 0; i < 300000; ++i)
    same = same && in.readDWord() == i * 2654435761u;
  EXPECT_TRUE(same);
  EXPECT_TRUE(in.good());
}

}  // namespace

namespace {

// A named pipe in a fresh folder; removed with the folder.
class NamedPipeInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vxr_pipe_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    pipe_ = dir_ + "/anim.vxranim";
    ASSERT_EQ(::mkfifo(pipe_.c_str(), 0600), 0);
  }
  void TearDown() override {
    ::unlink(pipe_.c_str());
    ::rmdir(dir_.c_str());
  }
  std::string dir_;
  std::string pipe_;
};

// Opening a pipe for reading waits for a writer; a reader must not wait for ever. Each case runs
// in a child process with an alarm, so a wait that never ends fails the test instead of
// stopping the suite.
void readPipeNoOneWritesTo(const std::string& pipe) {
  ::alarm(5);
  ifpstream in(pipe.c_str());
  const bool opened = !in.fail() && in.remaining() == ipstream::unknownRemaining;
  const bool empty = in.readDWord() == 0 && in.fail() && in.eof();
  std::exit(opened && empty ? 0 : 1);
}

void readWhatAWriterSends(const std::string& pipe) {
  ::alarm(5);
  ifpstream in(pipe.c_str());
  // With a reader there, opening for writing does not wait either.
  const int writer = ::open(pipe.c_str(), O_WRONLY);
  const unsigned char bytes[8] = {1, 0, 0, 0, 2, 0, 0, 0};
  const bool sent = writer >= 0 && ::write(writer, bytes, sizeof bytes) == 8;
  ::close(writer);
  const bool read = in.readDWord() == 1 && in.readDWord() == 2 && in.good();
  const bool ended = in.readByte() == 0 && in.eof();
  std::exit(sent && read && ended ? 0 : 1);
}

TEST_F(NamedPipeInputTest, APipeNoOneWritesToReadsAsEmpty) {
  EXPECT_EXIT(readPipeNoOneWritesTo(pipe_), ::testing::ExitedWithCode(0), "");
}

TEST_F(NamedPipeInputTest, WhatTheWriterSendsIsRead) {
  EXPECT_EXIT(readWhatAWriterSends(pipe_), ::testing::ExitedWithCode(0), "");
}

}  // namespace
