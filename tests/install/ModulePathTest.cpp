#include "cli/ModulePath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

using minihost_cli::findModuleFolders;
using minihost_cli::ModuleFolders;
using minihost_cli::parseModuleFile;
using Dirs = std::vector<std::string>;

namespace {

ModuleFolders parse(const std::string& text, const std::string& dir = "/mods") {
  ModuleFolders out;
  parseModuleFile(text, dir, "test.mod", out);
  return out;
}

}  // namespace

TEST(ModuleFileTest, InstalledLayoutAddsPluginAndScriptFolders) {
  ModuleFolders m = parse(
      "+ vxrImpEx40 1.5 /opt/p/vxrImpEx40\n"
      "MAYA_PLUG_IN_PATH+:=plug-ins\n"
      "MAYA_SCRIPT_PATH+:=scripts\n");
  EXPECT_EQ(m.pluginDirs, Dirs{"/opt/p/vxrImpEx40/plug-ins"});
  EXPECT_EQ(m.scriptDirs, Dirs{"/opt/p/vxrImpEx40/scripts"});
  EXPECT_TRUE(m.warnings.empty());
}

TEST(ModuleFileTest, RelativeAndAbsoluteValuesAndModulePaths) {
  ModuleFolders m = parse(
      "+ tool 2.0 sub/tool\r\n"
      "MAYA_PLUG_IN_PATH+:=bin\r\n"
      "MAYA_PLUG_IN_PATH+=/abs/plugins\r\n"
      "MAYA_SCRIPT_PATH:=.\r\n",
      "/mods");
  EXPECT_EQ(m.pluginDirs, (Dirs{"/mods/sub/tool/bin", "/abs/plugins"}));
  EXPECT_EQ(m.scriptDirs, Dirs{"/mods/sub/tool"});
}

TEST(ModuleFileTest, PathsWithSpacesAndConditions) {
  ModuleFolders m = parse(
      "+ PLATFORM:linux MAYAVERSION:2024 a 1 /opt/my modules/a\n"
      "+ PLATFORM:win64 b 1 /opt/b\n"
      "MAYA_PLUG_IN_PATH+:=plug-ins\n");
  EXPECT_EQ(m.pluginDirs, Dirs{"/opt/my modules/a/plug-ins"});
  EXPECT_EQ(m.scriptDirs, Dirs{"/opt/my modules/a/scripts"});
}

TEST(ModuleFileTest, ModuleWithoutPathLinesGetsItsDefaultFolders) {
  ModuleFolders m = parse("+ a 1 /a\n+ b 1 /b\nMAYA_SCRIPT_PATH+:=mel\n");
  EXPECT_EQ(m.pluginDirs, (Dirs{"/a/plug-ins", "/b/plug-ins"}));
  EXPECT_EQ(m.scriptDirs, (Dirs{"/a/scripts", "/b/mel"}));
}

TEST(ModuleFileTest, DisabledModulesCommentsAndOtherVariablesAreIgnored) {
  ModuleFolders m = parse(
      "# a comment\n"
      "MAYA_PLUG_IN_PATH+:=before-any-module\n"
      "- off 1 /off\n"
      "MAYA_PLUG_IN_PATH+:=plug-ins\n"
      "+ on 1 /on\n"
      "PYTHONPATH+:=python\n"
      "\n"
      "MAYA_PLUG_IN_PATH+:=plug-ins\n");
  EXPECT_EQ(m.pluginDirs, Dirs{"/on/plug-ins"});
  EXPECT_EQ(m.scriptDirs, Dirs{"/on/scripts"});
}

TEST(ModuleFileTest, MalformedLinesWarnWithLineNumberAndAddNothing) {
  ModuleFolders m = parse("+ lonely 1\nMAYA_PLUG_IN_PATH+:=x\n+ ok 1 /ok\njunk line\n");
  EXPECT_EQ(m.pluginDirs, Dirs{"/ok/plug-ins"});
  ASSERT_EQ(m.warnings.size(), 2u);
  EXPECT_EQ(m.warnings[0].rfind("test.mod:1:", 0), 0u) << m.warnings[0];
  EXPECT_EQ(m.warnings[1].rfind("test.mod:4:", 0), 0u) << m.warnings[1];
}

TEST(ModuleFileTest, EmptyTextAddsNothing) {
  ModuleFolders m = parse("");
  EXPECT_TRUE(m.pluginDirs.empty());
  EXPECT_TRUE(m.scriptDirs.empty());
}

class ModulePathFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vxr-modpath-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const std::string& f : files_)
      std::remove(f.c_str());
    ::rmdir(dir_.c_str());
  }
  void write(const std::string& name, const std::string& text) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path) << text;
    files_.push_back(path);
  }
  std::string dir_;
  std::vector<std::string> files_;
};

TEST_F(ModulePathFolderTest, ReadsEveryModFileInNameOrderAndOnlyModFiles) {
  write("b.mod", "+ b 1 bmod\n");
  write("a.mod", "+ a 1 /a\n");
  write("notes.txt", "+ n 1 /n\n");
  write("x.mod.bak", "+ x 1 /x\n");
  std::string path = "/nonexistent-folder::" + dir_;
  ModuleFolders m = findModuleFolders(path.c_str());
  EXPECT_EQ(m.pluginDirs, (Dirs{"/a/plug-ins", dir_ + "/bmod/plug-ins"}));
  EXPECT_TRUE(m.warnings.empty());
}

TEST(ModulePathTest, UnsetOrEmptyPathFindsNothing) {
  EXPECT_TRUE(findModuleFolders(nullptr).pluginDirs.empty());
  EXPECT_TRUE(findModuleFolders("").pluginDirs.empty());
  EXPECT_TRUE(findModuleFolders(":::").scriptDirs.empty());
}
