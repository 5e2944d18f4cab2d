// Write paths against faults the other write tests do not reach: a folder that refuses new files
// (also for root, through the immutable attribute), and a disk that fills up only at the final
// flush, when everything written still sat in the stream's buffer. The plug-in's three ways of
// writing and the two files vxrinfo writes (--obj, --plot) each report the failure, keep the
// file that was at the target and leave no temporary file behind.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "ValidAnimationFile.h"
#include "tests/support/FileText.h"
#include "tests/support/ImmutableFolder.h"
#include "tests/support/MelQuote.h"
#include "tests/support/PluginFixture.h"
#include "tools/vxrinfo/Vxrinfo.h"
#include "tools/vxrinfo/VxrinfoOptions.h"

namespace {

const char kPrevious[] = "previous contents";

// A folder in which nothing can be created, renamed or removed while the object lives. Root
// passes over permission bits, so the immutable attribute is used where it can be set.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& folder) : folder_(folder) {
    if (setImmutable(folder_, true))
      immutable_ = true;
    else if (::geteuid() != 0 && ::chmod(folder_.c_str(), 0555) == 0)
      bits_ = true;
  }
  ~ReadOnlyFolder() {
    if (immutable_)
      setImmutable(folder_, false);
    if (bits_)
      ::chmod(folder_.c_str(), 0755);
  }
  bool made() const { return immutable_ || bits_; }

 private:
  std::string folder_;
  bool immutable_ = false;
  bool bits_ = false;
};

const char kSkipReason[] =
    "running as root on a file system without the immutable attribute: no folder can be made "
    "read-only for this process";

// Writes with the file size limited to `limit` bytes (SIGXFSZ ignored, so write() fails).
template <class Write>
bool withFileSizeLimit(rlim_t limit, Write write) {
  struct rlimit before;
  if (::getrlimit(RLIMIT_FSIZE, &before) != 0)
    return true;
  struct rlimit small = before;
  small.rlim_cur = limit;
  void (*oldHandler)(int) = ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool written = write();
  ::setrlimit(RLIMIT_FSIZE, &before);
  ::signal(SIGXFSZ, oldHandler);
  return written;
}

struct PluginWrite {
  const char* label;
  // A small scene: its file is larger than the size limit below but fits the stream's buffer,
  // so the disk fills up only when the stream is closed.
  const char* scene;
  std::string (*command)(const std::string& target);
};

void PrintTo(const PluginWrite& write, std::ostream* out) {
  *out << write.label;
}

const PluginWrite kPluginWrites[] = {
    {"AnimationExport",
     "setAttr defaultRenderGlobals.animation 1; setAttr defaultRenderGlobals.animationRange 0;"
     "setAttr defaultRenderGlobals.startFrame 1;"
     "setAttr defaultRenderGlobals.endFrame 10; setAttr defaultRenderGlobals.byFrameStep 1;",
     [](const std::string& target) {
       return "file -exportAll -type \"VXR Animation\" " + quoted(target) + ";";
     }},
    {"MeshTranslator", "polyCube; select -r pCube1;",
     [](const std::string& target) {
       return "file -exportAll -type \"VXR PolyMesh\" " + quoted(target) + ";";
     }},
    {"MeshCommand", "polyCube; select -r pCube1;",
     [](const std::string& target) {
       // The command appends the extension to the base it is given.
       return "VXR_MeshExportCmd -file " + quoted(target.substr(0, target.rfind('.'))) + ";";
     }},
};

constexpr rlim_t kSizeLimit = 256;

class PluginWriteTargetTest : public PluginTest, public ::testing::WithParamInterface<PluginWrite> {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    ASSERT_TRUE(mel(GetParam().scene));
    target_ = path("scene.vxrmesh");
    writeBytes(target_, kPrevious);
  }
  bool write(std::string* errors) { return mel(GetParam().command(target_), nullptr, errors); }
  void expectTargetKeptAndNoTemporary() {
    EXPECT_EQ(readBytes(target_), kPrevious);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"scene.vxrmesh"});
  }
  std::string target_;
};

TEST_P(PluginWriteTargetTest, TheSmallSceneFitsTheBufferButNotTheLimit) {
  std::string errors;
  ASSERT_TRUE(write(&errors)) << errors;
  const std::size_t size = readBytes(target_).size();
  EXPECT_GT(size, kSizeLimit);
  EXPECT_LT(size, 64u * 1024);
}

TEST_P(PluginWriteTargetTest, AFullDiskAtTheFinalFlushFailsTheWrite) {
  std::string errors;
  const bool written = withFileSizeLimit(kSizeLimit, [&] { return write(&errors); });
  EXPECT_FALSE(written);
  EXPECT_FALSE(errors.empty()) << "the failure is reported";
  expectTargetKeptAndNoTemporary();
}

TEST_P(PluginWriteTargetTest, AReadOnlyFolderFailsTheWrite) {
  std::string errors;
  bool written;
  {
    ReadOnlyFolder readOnly(folder());
    if (!readOnly.made())
      GTEST_SKIP() << kSkipReason;
    written = write(&errors);
  }
  EXPECT_FALSE(written);
  EXPECT_FALSE(errors.empty()) << "the failure is reported";
  expectTargetKeptAndNoTemporary();
}

INSTANTIATE_TEST_SUITE_P(EveryWritePath, PluginWriteTargetTest, ::testing::ValuesIn(kPluginWrites),
                         [](const ::testing::TestParamInfo<PluginWrite>& info) {
                           return std::string(info.param.label);
                         });

// vxrinfo's conversions write through the same replacing stream.
struct ToolWrite {
  const char* label;
  const char* option;
  const char* output;
};

void PrintTo(const ToolWrite& write, std::ostream* out) {
  *out << write.label;
}

const ToolWrite kToolWrites[] = {
    {"Obj", "--obj", "out.obj"},
    {"Plot", "--plot", "out.svg"},
};

class ToolWriteTargetTest : public PluginTest, public ::testing::WithParamInterface<ToolWrite> {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    inputs_ = path("inputs");
    ASSERT_EQ(::mkdir(inputs_.c_str(), 0755), 0);
    if (std::string(GetParam().option) == "--obj") {
      ASSERT_TRUE(mel("polySphere -sx 8 -sy 6; select -r pSphere1;"));
      ASSERT_TRUE(mel("VXR_MeshExportCmd -file " + quoted(inputs_ + "/in") + ";"));
      input_ = inputs_ + "/in.vxrmesh";
    } else {
      input_ = inputs_ + "/in.vxranim";
      writeBytes(input_, validAnimationFile(2, 1, 5));
    }
    output_ = path(GetParam().output);
  }
  int run(const std::string& output, std::string* report = nullptr) {
    std::ostringstream out, err;
    const int status = runVxrinfo({GetParam().option, output, input_}, out, err);
    if (report != nullptr)
      *report = out.str() + err.str();
    return status;
  }
  void expectFailure(const std::string& output) {
    std::string report;
    EXPECT_EQ(run(output, &report), kExitOutputFailed) << report;
    EXPECT_NE(report.find("cannot be written"), std::string::npos) << report;
  }
  std::vector<std::string> outputFolder() const {
    std::vector<std::string> names = folderEntries();
    names.erase(std::remove(names.begin(), names.end(), "inputs"), names.end());
    return names;
  }
  std::string inputs_;
  std::string input_;
  std::string output_;
};

TEST_P(ToolWriteTargetTest, WritesWhenNothingFails) {
  writeBytes(output_, kPrevious);
  std::string report;
  ASSERT_EQ(run(output_, &report), kExitOk) << report;
  EXPECT_GT(readBytes(output_).size(), kSizeLimit);
  EXPECT_EQ(outputFolder(), std::vector<std::string>{GetParam().output});
}

TEST_P(ToolWriteTargetTest, AMissingFolderFailsAndCreatesNothing) {
  expectFailure(path("missing/deeper/") + GetParam().output);
  EXPECT_TRUE(outputFolder().empty());
}

TEST_P(ToolWriteTargetTest, ALinkToTheFullDeviceFails) {
  ASSERT_EQ(::symlink("/dev/full", output_.c_str()), 0);
  expectFailure(output_);
  struct stat info;
  ASSERT_EQ(::lstat(output_.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(outputFolder(), std::vector<std::string>{GetParam().output});
}

TEST_P(ToolWriteTargetTest, AFullDiskFailsAndKeepsThePreviousFile) {
  writeBytes(output_, kPrevious);
  std::string report;
  const int status = withFileSizeLimit(kSizeLimit, [&] { return run(output_, &report) == kExitOk; })
                         ? kExitOk
                         : -1;
  EXPECT_NE(status, kExitOk) << report;
  EXPECT_NE(report.find("cannot be written"), std::string::npos) << report;
  EXPECT_EQ(readBytes(output_), kPrevious);
  EXPECT_EQ(outputFolder(), std::vector<std::string>{GetParam().output});
}

TEST_P(ToolWriteTargetTest, AReadOnlyFolderFailsAndKeepsThePreviousFile) {
  writeBytes(output_, kPrevious);
  {
    ReadOnlyFolder readOnly(folder());
    if (!readOnly.made())
      GTEST_SKIP() << kSkipReason;
    expectFailure(output_);
  }
  EXPECT_EQ(readBytes(output_), kPrevious);
  EXPECT_EQ(outputFolder(), std::vector<std::string>{GetParam().output});
}

INSTANTIATE_TEST_SUITE_P(EveryConversion, ToolWriteTargetTest, ::testing::ValuesIn(kToolWrites),
                         [](const ::testing::TestParamInfo<ToolWrite>& info) {
                           return std::string(info.param.label);
                         });

}  // namespace
