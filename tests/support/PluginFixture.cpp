#include "tests/support/PluginFixture.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>

#include "mel/host/MelHost.h"
#include "tests/support/FolderEntries.h"

namespace {

// The host lives for the whole program with the plug-in loaded; a test that unloads it loads it
// again before it ends.
class PluginEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    mel::MelHost& host = mel::initMinihostMel();
    std::string name, error;
    ASSERT_TRUE(host.loadPlugin(pluginPath(), name, error)) << error;
    // The build tree is laid out as an installed module (<module>/plug-ins, <module>/scripts);
    // the module's file would put its scripts folder on the script path.
    const std::filesystem::path module =
        std::filesystem::absolute(pluginPath()).parent_path().parent_path();
    host.interp().scriptPath().push_back((module / "scripts").string());
  }
  void TearDown() override { mel::shutdownMinihostMel(); }
};

const ::testing::Environment* const kPlugin =
    ::testing::AddGlobalTestEnvironment(new PluginEnvironment);

}  // namespace

void PluginTest::SetUp() {
  char pattern[] = "/tmp/vxr_plugin_test.XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  folder_ = pattern;
  // A batch session, as the host's batch mode, unless a test says otherwise.
  mel::melHost()->setInteractive(false);
  // Units and the up axis are preferences that a new scene keeps: every test starts from the
  // host's defaults.
  ASSERT_TRUE(
      melScript("file -f -new; upAxis -ax y; currentUnit -angle deg; currentUnit -time film;"));
}

void PluginTest::TearDown() {
  if (folder_.empty())
    return;
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool PluginTest::mel(const std::string& text, std::string* result, std::string* errors) {
  if (errors != nullptr)
    ::testing::internal::CaptureStderr();
  MString value;
  const MStatus status = MGlobal::executeCommand(MString(text.c_str()), value, false, false);
  if (errors != nullptr)
    *errors = ::testing::internal::GetCapturedStderr();
  if (result != nullptr)
    *result = value.asChar();
  return static_cast<bool>(status);
}

std::string PluginTest::melResult(const std::string& text) {
  std::string result;
  EXPECT_TRUE(mel(text, &result)) << text;
  return result;
}

double PluginTest::melNumber(const std::string& text) {
  const std::string result = melResult(text);
  char* end = nullptr;
  const double value = std::strtod(result.c_str(), &end);
  EXPECT_NE(end, result.c_str()) << text << " gave \"" << result << "\"";
  return value;
}

bool PluginTest::melScript(const std::string& text) {
  return mel::melHost()->runTopLevelText(text);
}

bool PluginTest::melFile(const std::string& file) {
  return mel::melHost()->runTopLevelFile(file);
}

std::vector<std::string> PluginTest::folderEntries(const std::string& folder) const {
  return entriesOf(folder.empty() ? folder_ : folder);
}

const char* pluginPath() {
  return VXR_PLUGIN_PATH;
}

const char* pluginName() {
  return "vxrImpEx40";
}
