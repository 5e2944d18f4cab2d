// Loading a plug-in by path, its registrations, the commands and translators it
// adds, and unloading.
#include <maya/MArgList.h>
#include <maya/MFileObject.h>
#include <maya/MGlobal.h>
#include <maya/MPxFileTranslator.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "engine/PluginRegistry.h"
#include "engine/ScriptHost.h"

namespace {

// Records what the plug-in reports through the host's message calls.
class RecordingHost : public minihost::ScriptHost {
 public:
  bool executeCommand(const std::string& text, std::string* result, bool, bool) override {
    commands.push_back(text);
    if (result)
      *result = "y";
    return true;
  }
  bool sourceFile(const std::string& f) override {
    sourced.push_back(f);
    return true;
  }
  void displayInfo(const std::string& t) override { infos.push_back(t); }
  void displayWarning(const std::string& t) override { warnings.push_back(t); }
  void displayError(const std::string& t) override { errors.push_back(t); }
  std::vector<std::string> commands, sourced, infos, warnings, errors;
};

class PluginTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    minihost::setScriptHost(&host);
  }
  void TearDown() override {
    minihost::PluginRegistry::get().unload("minihost_test_plugin", nullptr);
    minihost::setScriptHost(nullptr);
  }
  minihost::PluginRegistry& registry() { return minihost::PluginRegistry::get(); }
  RecordingHost host;
};

TEST_F(PluginTest, LoadRegistersInOrderAndRefusesDuplicates) {
  std::string error;
  ASSERT_TRUE(registry().load(MINIHOST_TEST_PLUGIN_PATH, &error)) << error;
  EXPECT_EQ(host.infos, (std::vector<std::string>{
                            "register command ok", "register command again refused",
                            "register translator ok", "register translator again refused"}));
  EXPECT_EQ(registry().commandNames(), std::vector<std::string>{"minihostEcho"});
  EXPECT_EQ(registry().translatorNames(), std::vector<std::string>{"Minihost Text"});
  ASSERT_EQ(registry().loaded().size(), 1u);
  EXPECT_EQ(registry().loaded()[0].apiVersion, "400");
  EXPECT_EQ(registry().loaded()[0].vendor, "Test Vendor");
  EXPECT_FALSE(registry().load(MINIHOST_TEST_PLUGIN_PATH, &error));
}

TEST_F(PluginTest, UnloadDeregistersInOrderAndEmptiesTheRegistries) {
  ASSERT_TRUE(registry().load(MINIHOST_TEST_PLUGIN_PATH, nullptr));
  host.infos.clear();
  std::string error;
  ASSERT_TRUE(registry().unload("minihost_test_plugin", &error)) << error;
  EXPECT_EQ(host.infos,
            (std::vector<std::string>{"deregister translator ok", "deregister command ok",
                                      "deregister command again refused"}));
  EXPECT_TRUE(registry().commandNames().empty());
  EXPECT_TRUE(registry().translatorNames().empty());
  EXPECT_TRUE(registry().loaded().empty());
  EXPECT_FALSE(registry().unload("minihost_test_plugin", &error));
}

TEST_F(PluginTest, CommandResultsReachTheCaller) {
  ASSERT_TRUE(registry().load(MINIHOST_TEST_PLUGIN_PATH, nullptr));
  MArgList args;
  args.addArg(MString("a"));
  args.addArg(MString("b"));
  minihost::CommandResult result;
  ASSERT_TRUE(registry().runCommand("minihostEcho", args, result));
  EXPECT_EQ(result.kind, minihost::CommandResult::Kind::kStringArray);
  EXPECT_EQ(result.strings, (std::vector<std::string>{"b", "a"}));

  MArgList count;
  count.addArg(MString("-count"));
  ASSERT_TRUE(registry().runCommand("minihostEcho", count, result));
  EXPECT_EQ(result.kind, minihost::CommandResult::Kind::kInt);
  EXPECT_EQ(result.ints, std::vector<int>{1});

  MArgList fail;
  fail.addArg(MString("-fail"));
  EXPECT_FALSE(registry().runCommand("minihostEcho", fail, result));
  EXPECT_EQ(result.kind, minihost::CommandResult::Kind::kNone);
  EXPECT_EQ(registry().runCommand("noSuchCommand", args, result), MS::kNotFound);
}

TEST_F(PluginTest, TranslatorIsMadeThroughItsCreator) {
  ASSERT_TRUE(registry().load(MINIHOST_TEST_PLUGIN_PATH, nullptr));
  auto translator = registry().createTranslator("Minihost Text");
  ASSERT_TRUE(translator);
  EXPECT_TRUE(translator->haveWriteMethod());
  EXPECT_FALSE(translator->haveReadMethod());
  EXPECT_EQ(translator->filter(), MString("*.mht"));
  MFileObject file;
  EXPECT_EQ(translator->identifyFile(file, "MHT 1", 5), MPxFileTranslator::kIsMyFileType);
  EXPECT_EQ(translator->identifyFile(file, "MH", 2), MPxFileTranslator::kNotMyFileType);
  std::string name = ::testing::TempDir() + "minihost_translator_test.mht";
  file.setRawFullName(name.c_str());
  EXPECT_EQ(file.name(), MString("minihost_translator_test.mht"));
  ASSERT_TRUE(translator->writer(file, "", MPxFileTranslator::kExportActiveAccessMode));
  std::ifstream in(name);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "MHT 5");
  std::remove(name.c_str());
  translator.reset();
  EXPECT_FALSE(registry().createTranslator("No Such Translator"));
}

TEST_F(PluginTest, NonPluginFilesAreRefused) {
  std::string error;
  EXPECT_FALSE(registry().load("/nonexistent/plugin.so", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(registry().loaded().empty());
}

TEST_F(PluginTest, EntryPointsWithCLinkageAreNotFound) {
  // The host looks for initializePlugin(MObject) by its C++ name; a plug-in that defines the
  // entry points with C linkage is refused with the host's message and nothing in it runs.
  std::string error;
  EXPECT_FALSE(registry().load(MINIHOST_C_LINKAGE_PLUGIN_PATH, &error));
  EXPECT_EQ(error, std::string("initializePlugin function could not be found in plug-in (") +
                       MINIHOST_C_LINKAGE_PLUGIN_PATH + ")");
  EXPECT_TRUE(host.infos.empty());
  EXPECT_TRUE(registry().loaded().empty());
  // The same host loads a plug-in with C++ entry points, and reads its MApiVersion: the SDK
  // version it was built against.
  ASSERT_TRUE(registry().load(MINIHOST_TEST_PLUGIN_PATH, &error)) << error;
  ASSERT_EQ(registry().loaded().size(), 1u);
  EXPECT_EQ(registry().loaded()[0].apiVersion, std::to_string(MAYA_API_VERSION));
}

TEST_F(PluginTest, GlobalScriptCallsGoThroughTheScriptHost) {
  MString result;
  ASSERT_TRUE(MGlobal::executeCommand("upAxis -q -axis;", result));
  EXPECT_EQ(result, MString("y"));
  EXPECT_TRUE(MGlobal::sourceFile("VXRImport.mel"));
  MGlobal::displayWarning("careful");
  EXPECT_EQ(host.commands, std::vector<std::string>{"upAxis -q -axis;"});
  EXPECT_EQ(host.sourced, std::vector<std::string>{"VXRImport.mel"});
  EXPECT_EQ(host.warnings, std::vector<std::string>{"careful"});
}

TEST(ScriptHostTest, WithoutAScriptHostCallsFailAndWarningsGoToStderr) {
  minihost::setScriptHost(nullptr);
  MString result("unchanged");
  EXPECT_FALSE(MGlobal::executeCommand("print 1;", result));
  EXPECT_FALSE(MGlobal::executeCommand("print 1;"));
  EXPECT_FALSE(MGlobal::sourceFile("x.mel"));
  ::testing::internal::CaptureStderr();
  MGlobal::displayWarning("no interpreter");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "// Warning: no interpreter\n");
}

}  // namespace
