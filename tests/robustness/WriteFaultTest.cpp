// Every way the plug-in writes a file, made to fail: a full device, a folder that does not exist
// and a disk that fills up while writing (a file size limit). Each write reports the failure,
// keeps the file that was at the target, and leaves no temporary file behind.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "boundary/base/ofpstream.h"
#include "tests/support/FileText.h"
#include "tests/support/KilledWriter.h"
#include "tests/support/MelQuote.h"
#include "tests/support/PluginFixture.h"

namespace {

struct WritePath {
  const char* label;
  // MEL that builds a scene large enough to pass the file size limit below.
  const char* scene;
  // The MEL that writes to `target` (for the mesh command, the file it writes is `target`).
  std::string (*command)(const std::string& target);
  // What the error output must say when the data cannot be written, and when the file cannot
  // be opened; null where the path reports through another channel.
  const char* writeFailureMessage;
  const char* openFailureMessage;
};

std::string animationExport(const std::string& target) {
  return "file -exportAll -type \"VXR Animation\" " + quoted(target) + ";";
}

std::string meshTranslatorExport(const std::string& target) {
  return "file -exportAll -type \"VXR PolyMesh\" " + quoted(target) + ";";
}

// The command appends the extension to the base it is given.
std::string meshCommandExport(const std::string& target) {
  const std::string extension = ".vxrmesh";
  EXPECT_EQ(target.substr(target.size() - extension.size()), extension);
  return "VXR_MeshExportCmd -file " + quoted(target.substr(0, target.size() - extension.size())) +
         ";";
}

const char kAnimatedScene[] =
    "setAttr defaultRenderGlobals.animation 1;"
    "setAttr defaultRenderGlobals.animationRange 0;"
    "setAttr defaultRenderGlobals.startFrame 1;"
    "setAttr defaultRenderGlobals.endFrame 40;"
    "setAttr defaultRenderGlobals.byFrameStep 1;";
const char kMeshScene[] = "polyPlane -sx 40 -sy 40; select -r pPlane1;";

const WritePath kWritePaths[] = {
    {"AnimationExport", kAnimatedScene, animationExport, nullptr, nullptr},
    {"MeshTranslator", kMeshScene, meshTranslatorExport, nullptr, nullptr},
    {"MeshCommand", kMeshScene, meshCommandExport, "can't write the mesh file",
     "can't create the mesh file"},
};

const char kPrevious[] = "previous contents";

class WriteFaultTest : public PluginTest, public ::testing::WithParamInterface<WritePath> {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    ASSERT_TRUE(mel(GetParam().scene));
  }
  bool write(const std::string& target, std::string* errors = nullptr) {
    return mel(GetParam().command(target), nullptr, errors);
  }
};

TEST_P(WriteFaultTest, TheSceneWritesWhenNothingFails) {
  const std::string target = path("scene.vxrmesh");
  writeBytes(target, kPrevious);
  ASSERT_TRUE(write(target));
  EXPECT_GT(readBytes(target).size(), 512u) << "the scene must outgrow the size limit";
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"scene.vxrmesh"});
}

TEST_P(WriteFaultTest, AMissingFolderFailsAndCreatesNothing) {
  std::string errors;
  EXPECT_FALSE(write(path("missing/deeper/scene.vxrmesh"), &errors));
  EXPECT_TRUE(folderEntries().empty());
}

TEST_P(WriteFaultTest, AFullDiskFailsKeepsThePreviousFileAndLeavesNoTemporary) {
  const std::string target = path("scene.vxrmesh");
  writeBytes(target, kPrevious);

  struct rlimit before;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  struct rlimit small = before;
  small.rlim_cur = 512;
  void (*oldHandler)(int) = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string errors;
  const bool written = write(target, &errors);
  ::setrlimit(RLIMIT_FSIZE, &before);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written) << errors;
  if (GetParam().writeFailureMessage != nullptr) {
    EXPECT_NE(errors.find(GetParam().writeFailureMessage), std::string::npos) << errors;
  }
  EXPECT_EQ(readBytes(target), kPrevious);
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"scene.vxrmesh"});
}

// A file marked read-only is one the user keeps from being changed; root, who could write it,
// is refused too. The file keeps its contents and its mode.
TEST_P(WriteFaultTest, AReadOnlyFileIsKeptAndTheWriteFails) {
  const std::string target = path("scene.vxrmesh");
  writeBytes(target, kPrevious);
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  std::string errors;
  EXPECT_FALSE(write(target, &errors));
  if (GetParam().openFailureMessage != nullptr) {
    EXPECT_NE(errors.find(std::string(GetParam().openFailureMessage) + " " + target),
              std::string::npos)
        << errors;
  }
  EXPECT_EQ(readBytes(target), kPrevious);
  struct stat info;
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0444u);
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"scene.vxrmesh"});
}

// An export killed while writing (a user's kill, a crash) leaves its temporary beside the target;
// the next write to the same target removes it.
TEST_P(WriteFaultTest, TheNextWriteRemovesTheTemporaryOfAKilledOne) {
  const std::string target = path("scene.vxrmesh");
  writeBytes(target, kPrevious);
  ASSERT_NO_FATAL_FAILURE(killWriterMidFile(target, 3 * ofpstream::bufferSize));
  ASSERT_EQ(folderEntries().size(), 2u) << "the killed writer leaves its temporary";
  EXPECT_EQ(readBytes(target), kPrevious);

  ASSERT_TRUE(write(target));
  EXPECT_GT(readBytes(target).size(), 512u);
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"scene.vxrmesh"});
}

// A target that is a link to the full device: whatever the write does, it must not report a
// success it did not have, and the device stays a device.
TEST_P(WriteFaultTest, ALinkToAFullDeviceNeverSucceedsSilently) {
  const std::string target = path("scene.vxrmesh");
  ASSERT_EQ(::symlink("/dev/full", target.c_str()), 0);
  const bool written = write(target);
  struct stat device;
  ASSERT_EQ(::stat("/dev/full", &device), 0);
  EXPECT_TRUE(S_ISCHR(device.st_mode));
  if (written) {
    // Replacing the link with a complete regular file is a sound outcome too.
    struct stat file;
    ASSERT_EQ(::lstat(target.c_str(), &file), 0);
    EXPECT_TRUE(S_ISREG(file.st_mode));
    EXPECT_GT(file.st_size, 512);
  }
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"scene.vxrmesh"});
}

INSTANTIATE_TEST_SUITE_P(EveryWritePath, WriteFaultTest, ::testing::ValuesIn(kWritePaths),
                         [](const ::testing::TestParamInfo<WritePath>& info) {
                           return std::string(info.param.label);
                         });

// The translators are given the device itself; the mesh command cannot name it (it appends its
// extension).
class DeviceTargetTest : public PluginTest {};

TEST_F(DeviceTargetTest, TheTranslatorsRefuseTheFullDevice) {
  ASSERT_TRUE(mel(kAnimatedScene));
  ASSERT_TRUE(mel(kMeshScene));
  EXPECT_FALSE(mel(animationExport("/dev/full")));
  EXPECT_FALSE(mel(meshTranslatorExport("/dev/full")));
  struct stat device;
  ASSERT_EQ(::stat("/dev/full", &device), 0);
  EXPECT_TRUE(S_ISCHR(device.st_mode));
  for (const std::string& name : folderEntries("/dev"))
    EXPECT_EQ(name.find("full.tmp"), std::string::npos) << name;
}

}  // namespace
