#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "boundary/base/Streams.h"
#include "tests/support/FileText.h"
#include "tests/support/FolderEntries.h"

namespace {

class AtomicReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vxr_replace_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  std::string path(const char* name) const { return dir_ + "/" + name; }
  int entriesInFolder() const { return static_cast<int>(entriesOf(dir_).size()); }
  std::string dir_;
};

}  // namespace

TEST_F(AtomicReplaceTest, TargetKeepsOldContentUntilASuccessfulClose) {
  std::string target = path("anim.vxranim");
  writeBytes(target, "old");
  ofpstream out(target.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  ASSERT_EQ(out.rdstate() & 6, 0);
  out.writeBytes("new content", 11);
  EXPECT_EQ(readBytes(target), "old");
  EXPECT_EQ(entriesInFolder(), 2);  // the target and the temporary beside it
  EXPECT_TRUE(out.close());
  EXPECT_EQ(readBytes(target), "new content");
  EXPECT_EQ(entriesInFolder(), 1);
  EXPECT_TRUE(out.close());  // a second close repeats the answer
}

TEST_F(AtomicReplaceTest, DestructorClosesAndReplaces) {
  std::string target = path("f");
  {
    ofpstream out(GFile(target.c_str()));
    out.writeDWord(0x64636261);
  }
  EXPECT_EQ(readBytes(target), "abcd");
}

TEST_F(AtomicReplaceTest, MissingFolderFailsTheOpenHarmlessly) {
  std::string target = path("no/such/folder/file");
  ofpstream out(target.c_str());
  EXPECT_NE(out.rdstate() & 6, 0);
  for (int i = 0; i < 100000; ++i)
    out.writeDWord(static_cast<std::uint32_t>(i));
  out << 1.0 << GString("text");
  EXPECT_FALSE(out.close());
  EXPECT_EQ(entriesInFolder(), 0);
}

TEST_F(AtomicReplaceTest, FailedWriteLeavesTheOldFile) {
  std::string target = path("big");
  writeBytes(target, "precious");
  // Make write() fail past 64 KiB (EFBIG) without the signal that would end the process.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool closed;
  int state;
  {
    ofpstream out(target.c_str());
    for (int i = 0; i < 100000; ++i)
      out << static_cast<double>(i);
    state = out.rdstate();
    closed = out.close();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_NE(state & 6, 0);
  EXPECT_FALSE(closed);
  EXPECT_EQ(readBytes(target), "precious");
  EXPECT_EQ(entriesInFolder(), 1);  // the temporary is gone
}

TEST_F(AtomicReplaceTest, ShortFinalFlushFailureLeavesTheOldFile) {
  std::string target = path("small");
  writeBytes(target, "precious");
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 10;
  bool closed;
  {
    ofpstream out(target.c_str());
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    out.writeBytes("more than ten bytes", 19);  // still in the buffer: the failure comes at close
    EXPECT_TRUE(out.good());
    closed = out.close();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_NE(out.rdstate() & 6, 0);
  }
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(closed);
  EXPECT_EQ(readBytes(target), "precious");
  EXPECT_EQ(entriesInFolder(), 1);
}

TEST_F(AtomicReplaceTest, DeviceTargetIsRefused) {
  struct stat before;
  ASSERT_EQ(::stat("/dev/full", &before), 0);
  {
    ofpstream out("/dev/full");
    EXPECT_NE(out.rdstate() & 6, 0);
    out.writeByte(1);
    EXPECT_FALSE(out.close());
  }
  struct stat after;
  ASSERT_EQ(::stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(before.st_rdev, after.st_rdev);
}

TEST_F(AtomicReplaceTest, FolderTargetIsRefused) {
  ofpstream out(dir_.c_str());
  EXPECT_NE(out.rdstate() & 6, 0);
}

TEST_F(AtomicReplaceTest, CreateModesAreHonoured) {
  std::string existing = path("existing");
  std::string missing = path("missing");
  writeBytes(existing, "x");
  {
    ofpstream out(existing.c_str(), GIO::IOWrite, GFileIO::IOCreateNew);
    EXPECT_NE(out.rdstate() & 6, 0);
  }
  {
    ofpstream out(missing.c_str(), GIO::IOWrite, GFileIO::IOOpenExisting);
    EXPECT_NE(out.rdstate() & 6, 0);
  }
  {
    ofpstream out(missing.c_str(), GIO::IOWrite, GFileIO::IOCreateNew);
    EXPECT_EQ(out.rdstate() & 6, 0);
    out.writeByte('n');
    EXPECT_TRUE(out.close());
  }
  {
    ofpstream out(existing.c_str(), GIO::IORead);  // not opened for writing
    EXPECT_NE(out.rdstate() & 6, 0);
  }
  EXPECT_EQ(readBytes(existing), "x");
  EXPECT_EQ(readBytes(missing), "n");
}

TEST_F(AtomicReplaceTest, KeepsPermissionsAndSymbolicLinks) {
  std::string real = path("real");
  std::string link = path("link");
  writeBytes(real, "old");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  {
    ofpstream out(link.c_str());
    out.writeBytes("new", 3);
    ASSERT_TRUE(out.close());
  }
  struct stat info;
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(readBytes(real), "new");
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A file marked read-only for everyone is kept, for root too, who passes over permission bits.
TEST_F(AtomicReplaceTest, ReadOnlyTargetIsRefusedAndKept) {
  for (mode_t mode : {0444, 0400, 0555}) {
    const std::string target = path("readonly");
    writeBytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    {
      ofpstream out(target.c_str());
      EXPECT_NE(out.rdstate() & 6, 0) << std::oct << mode;
      out.writeBytes("new", 3);
      EXPECT_FALSE(out.close());
    }
    EXPECT_EQ(readBytes(target), "old");
    struct stat info;
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode);
    EXPECT_EQ(entriesInFolder(), 1);
    ASSERT_EQ(::unlink(target.c_str()), 0);
  }
}

// Another user's file that this user may not write, in a folder everyone may write: refused,
// while a file everyone may write is replaced. Needs root to make the other user's file; the
// write itself runs in a child process that has given up root.
TEST_F(AtomicReplaceTest, FileTheUserMayNotWriteIsRefused) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "needs root to own a file as another user";
  const std::string theirs = path("theirs");
  const std::string shared = path("shared");
  writeBytes(theirs, "old");
  writeBytes(shared, "old");
  ASSERT_EQ(::chmod(theirs.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0)
      ::_exit(2);
    ofpstream refused(theirs.c_str());
    const bool wasRefused = (refused.rdstate() & 6) != 0;
    ofpstream allowed(shared.c_str());
    allowed.writeBytes("new", 3);
    const bool replaced = allowed.close();
    ::_exit(wasRefused && replaced ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readBytes(theirs), "old");
  EXPECT_EQ(readBytes(shared), "new");
}

TEST_F(AtomicReplaceTest, TargetNameAtTheLengthLimitStillWorks) {
  std::string target = path(std::string(250, 'n').c_str());
  writeBytes(target, "old");
  ofpstream out(target.c_str());
  ASSERT_EQ(out.rdstate() & 6, 0);
  out.writeBytes("new", 3);
  EXPECT_TRUE(out.close());
  EXPECT_EQ(readBytes(target), "new");
  EXPECT_EQ(entriesInFolder(), 1);
}

TEST_F(AtomicReplaceTest, WritesAfterCloseAreDropped) {
  std::string target = path("closed");
  ofpstream out(target.c_str());
  out.writeByte('a');
  ASSERT_TRUE(out.close());
  out.writeBytes("bcd", 3);
  out.writeDWord(1);
  std::memset(out.reserve(opstream::maxReserve), 'x', opstream::maxReserve);
  std::memset(out.reserve(8), 'y', 8);
  EXPECT_EQ(readBytes(target), "a");
}

// Every kind of write, in pieces smaller and larger than the stream's buffer, so that pieces
// straddle its boundaries.
void writeMixed(opstream& out) {
  std::string block(3 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<char>(i * 131 + (i >> 12));
  std::size_t piece = 1;
  for (std::size_t at = 0; at < block.size(); at += piece, piece = piece * 3 + 7)
    out.writeBytes(block.data() + at, std::min(piece, block.size() - at));
  for (std::uint32_t i = 0; i < 300000; ++i) {
    out.writeDWord(i * 2654435761u);
    // Sizes up to the largest room a writer may take.
    const std::size_t length = i % 3 == 0 ? 24 : i % 3 == 1 ? 13 : opstream::maxReserve - i % 41;
    char* room = out.reserve(length);
    for (std::size_t k = 0; k < length; ++k)
      room[k] = static_cast<char>(i + k);
    out << static_cast<double>(i) / 7.0;
    out.writeByte(static_cast<std::uint8_t>(i));
  }
  out.writeBytes(block.data(), block.size());
}

TEST_F(AtomicReplaceTest, LargeFileHoldsExactlyWhatWasWritten) {
  ompstream reference;
  writeMixed(reference);
  const std::string expected(reference.data(), reference.size());
  ASSERT_GT(expected.size(), 100 * ofpstream::bufferSize);
  for (bool sync : {true, false}) {
    const std::string target = path(sync ? "synced" : "unsynced");
    writeBytes(target, "old");
    ofpstream out(target.c_str());
    out.setSyncOnClose(sync);
    writeMixed(out);
    EXPECT_TRUE(out.good());
    ASSERT_TRUE(out.close());
    EXPECT_TRUE(readBytes(target) == expected) << "sync " << sync;
  }
  EXPECT_EQ(entriesInFolder(), 2);
}

TEST_F(AtomicReplaceTest, FileLongerThanTheWritebackStepIsWhole) {
  // Early writeback runs several times while the file is written; the file must still be the
  // bytes written, in order, with or without the sync.
  const std::uint32_t n = static_cast<std::uint32_t>((2 * ofpstream::writebackStep + 12345) / 4);
  for (bool sync : {true, false}) {
    std::string target = path(sync ? "synced" : "unsynced");
    writeBytes(target, "old");
    {
      ofpstream out(target.c_str());
      out.setSyncOnClose(sync);
      for (std::uint32_t i = 0; i < n; ++i)
        out.writeDWord(i ^ 0x9e3779b9u);
      ASSERT_TRUE(out.close());
    }
    ifpstream in(target.c_str());
    ASSERT_EQ(in.remaining(), 4u * n);
    std::uint32_t firstWrong = n;
    for (std::uint32_t i = 0; i < n && firstWrong == n; ++i) {
      if (in.readDWord() != (i ^ 0x9e3779b9u))
        firstWrong = i;
    }
    EXPECT_EQ(firstWrong, n) << "sync " << sync;
  }
  EXPECT_EQ(entriesInFolder(), 2);
}

TEST_F(AtomicReplaceTest, PathsHoldingANulByteAreRefused) {
  // The system would see only the part before the NUL, which names another file.
  const std::string target = path("kept");
  writeBytes(target, "old");
  const GString withNul((target + std::string("\0.other", 7)).c_str(), target.size() + 7);
  {
    ofpstream out(withNul);
    EXPECT_NE(out.rdstate() & 6, 0);
    out.writeBytes("new", 3);
    EXPECT_FALSE(out.close());
  }
  {
    ofpstream out{GFile(withNul)};
    EXPECT_NE(out.rdstate() & 6, 0);
  }
  EXPECT_EQ(readBytes(target), "old");
  EXPECT_EQ(entriesInFolder(), 1);
  ifpstream in(withNul);
  EXPECT_TRUE(in.fail());
  ifpstream inFile{GFile(withNul)};
  EXPECT_TRUE(inFile.fail());
}

TEST(InputFileStreamTest, OpenFailures) {
  ifpstream missing("/nonexistent/vxr/file", GIO::IORead, GFileIO::IOOpenExisting,
                    GFileIO::IOShareRead);
  EXPECT_NE(missing.rdstate() & 6, 0);
  EXPECT_EQ(missing.readDWord(), 0u);
  ifpstream folder("/tmp");
  EXPECT_NE(folder.rdstate() & 6, 0);
  ifpstream writeOnly("/dev/null", GIO::IOWrite);
  EXPECT_NE(writeOnly.rdstate() & 6, 0);
}

TEST(InputFileStreamTest, ReadsAcrossBufferBoundaries) {
  std::string target = ::testing::TempDir() + "vxr_chunks_" + std::to_string(::getpid());
  const std::uint32_t n = 3 * ifpstream::bufferSize / 4 + 1;  // DWords straddle the boundaries
  {
    ofpstream out(target.c_str());
    out.writeByte(7);  // shifts every DWord off the 4-byte grid
    for (std::uint32_t i = 0; i < n; ++i)
      out.writeDWord(i * 2654435761u);
    ASSERT_TRUE(out.close());
  }
  ifpstream in(target.c_str());
  EXPECT_EQ(in.remaining(), 1u + 4u * n);
  EXPECT_EQ(in.readByte(), 7);
  bool allEqual = true;
  for (std::uint32_t i = 0; i < n; ++i)
    allEqual = allEqual && in.readDWord() == i * 2654435761u;
  EXPECT_TRUE(allEqual);
  EXPECT_TRUE(in.good());
  EXPECT_TRUE(in.close());
  ::unlink(target.c_str());
}
