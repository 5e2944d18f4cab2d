// An export of a very long frame range through the batch host, as a user would run it: it
// reports its progress, an interrupt signal stops it, and running out of memory ends it with a
// reported failure. Either way nothing is written, the file that was there stays, and the host
// goes on.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/FileText.h"
#include "tests/support/PluginFixture.h"

namespace {

const char kPrevious[] = "previous contents";

// Ten million frames: about 6.6 GB of keys, far more than any test may hold.
std::string longExport(const std::string& target) {
  return "setAttr defaultRenderGlobals.animation 1;"
         "setAttr defaultRenderGlobals.animationRange 0;"
         "setAttr defaultRenderGlobals.startFrame 1;"
         "setAttr defaultRenderGlobals.endFrame 10000000;"
         "int $failed = catch(`file -exportAll -type \"VXR Animation\" \"" +
         target +
         "\"`);"
         "print(\"export failed: \" + $failed + \"\\n\");";
}

class LongExportTest : public PluginTest {
 protected:
  // Starts the batch host on the MEL text, its output going to files in the folder. A nonzero
  // `addressSpace` limits the host's memory to that many bytes.
  pid_t start(const std::string& text, rlim_t addressSpace = 0) {
    const std::string out = path("host.out"), err = path("host.err");
    const pid_t child = ::fork();
    if (child == 0) {
      const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (outFd < 0 || errFd < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0)
        ::_exit(120);
      if (addressSpace != 0) {
        struct rlimit limit = {addressSpace, addressSpace};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
          ::_exit(121);
      }
      ::execl(VXR_MINIHOST_CLI, VXR_MINIHOST_CLI, "-p", pluginPath(), "-c", text.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(122);
    }
    return child;
  }
  static int finish(pid_t child) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
      return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string output() const { return readBytes(path("host.out")); }
  std::string errors() const { return readBytes(path("host.err")); }

  // The names left in the folder besides the host's own output.
  std::vector<std::string> written() const {
    std::vector<std::string> names;
    for (const std::string& name : folderEntries())
      if (name != "host.out" && name != "host.err")
        names.push_back(name);
    return names;
  }
};

std::size_t countOf(const std::string& text, const std::string& word) {
  std::size_t n = 0;
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
    ++n;
  return n;
}

TEST_F(LongExportTest, AnInterruptStopsTheExportWhichWritesNothingAndSaysSo) {
  const std::string target = path("long.vxranim");
  writeBytes(target, kPrevious);
  const auto begun = std::chrono::steady_clock::now();
  const pid_t host = start(longExport(target));
  ASSERT_GT(host, 0);
  // Interrupted once it has said how far it is, at least a second in.
  bool progressShown = false;
  for (int i = 0; i < 6000 && !progressShown; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    progressShown = errors().find("// Progress: ") != std::string::npos &&
                    std::chrono::steady_clock::now() - begun > std::chrono::seconds(1);
  }
  EXPECT_TRUE(progressShown) << errors();
  ASSERT_EQ(::kill(host, SIGINT), 0);
  EXPECT_EQ(finish(host), 0) << "the host goes on after the interrupted command\n" << errors();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();

  EXPECT_NE(output().find("VXR animation. Export interrupted at frame "), std::string::npos)
      << output();
  EXPECT_NE(output().find("Nothing was written to " + target), std::string::npos) << output();
  EXPECT_NE(output().find("export failed: 1"), std::string::npos) << output();
  // A few progress lines a second at most.
  const std::size_t lines = countOf(errors(), "// Progress: ");
  EXPECT_GE(lines, 1u);
  EXPECT_LE(static_cast<double>(lines), 5 * seconds + 2) << errors();
  EXPECT_EQ(readBytes(target), kPrevious);
  EXPECT_EQ(written(), std::vector<std::string>{"long.vxranim"});
}

// Outside a computation an interrupt signal ends the host as it always did.
TEST_F(LongExportTest, AnInterruptOutsideAComputationEndsTheHost) {
  const pid_t host = start("while (1) { int $i = 0; }");
  ASSERT_GT(host, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(::kill(host, SIGINT), 0);
  EXPECT_EQ(finish(host), 128 + SIGINT);
}

TEST_F(LongExportTest, RunningOutOfMemoryFailsTheExportAndKeepsTheFile) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "under the address sanitizer no memory limit can be set (it reserves the "
                  "address space such a limit caps) and its operator new ends the process "
                  "instead of throwing when memory runs out";
#else
  const std::string target = path("long.vxranim");
  writeBytes(target, kPrevious);
  const pid_t host = start(longExport(target), 64u << 20);
  ASSERT_GT(host, 0);
  EXPECT_EQ(finish(host), 0) << "the host must survive the failed allocation\n" << errors();
  EXPECT_NE(output().find("VXR animation. Out of memory while capturing "), std::string::npos)
      << output() << errors();
  EXPECT_NE(output().find("Nothing was written to " + target), std::string::npos) << output();
  EXPECT_NE(output().find("export failed: 1"), std::string::npos) << output();
  EXPECT_EQ(readBytes(target), kPrevious);
  EXPECT_EQ(written(), std::vector<std::string>{"long.vxranim"});
#endif
}

}  // namespace
