// A named pipe where a file is expected: opening one for reading waits for a writer that may
// never come. The import command, both translators' readers and vxrinfo must return instead of
// waiting for ever. Each case runs in a child process with an alarm, so a wait fails the test
// rather than stopping the suite.

#include <maya/MGlobal.h>
#include <maya/MString.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/support/PluginFixture.h"
#include "tools/vxrinfo/Vxrinfo.h"
#include "tools/vxrinfo/VxrinfoOptions.h"

namespace {

class PipeInputTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    pipe_ = path("waiting.vxranim");
    ASSERT_EQ(::mkfifo(pipe_.c_str(), 0600), 0);
  }
  // Runs `text` in the child; exits 0 when it failed or answered `refusal`.
  void runRefused(const std::string& text, const char* refusal) {
    ::alarm(5);
    // The death test holds the standard error already: run the command without capturing it.
    MString result;
    const bool ran = MGlobal::executeCommand(MString(text.c_str()), result, false, false);
    std::exit(!ran || result == refusal ? 0 : 1);
  }
  std::string pipe_;
};

TEST_F(PipeInputTest, TheImportCommandRefusesAPipeNoOneWritesTo) {
  EXPECT_EXIT(runRefused("VXR_AnimationImportCmd -open \"" + pipe_ + "\";", "0"),
              ::testing::ExitedWithCode(0), "");
}

TEST_F(PipeInputTest, TheAnimationTranslatorRefusesAPipeNoOneWritesTo) {
  EXPECT_EXIT(runRefused("file -import -type \"VXR Animation\" \"" + pipe_ + "\";", "never"),
              ::testing::ExitedWithCode(0), "");
}

// The mesh translator's reader reads nothing; it only has to come back.
TEST_F(PipeInputTest, TheMeshTranslatorReturns) {
  auto importMesh = [this] {
    ::alarm(5);
    MGlobal::executeCommand(
        MString(("file -import -type \"VXR PolyMesh\" \"" + pipe_ + "\";").c_str()), false, false);
    std::exit(0);
  };
  EXPECT_EXIT(importMesh(), ::testing::ExitedWithCode(0), "");
}

TEST_F(PipeInputTest, VxrinfoReportsThatItIsNoFile) {
  auto checkPipe = [this] {
    ::alarm(5);
    std::ostringstream out, err;
    const int status = runVxrinfo({"--check", pipe_}, out, err);
    std::exit(status == kExitDamaged && out.str().find("is not a regular file") != std::string::npos
                  ? 0
                  : 1);
  };
  EXPECT_EXIT(checkPipe(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
