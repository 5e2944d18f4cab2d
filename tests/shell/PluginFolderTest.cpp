// The module's scripts are found from the folder the host loaded the plug-in from, and from
// nowhere else: a folder that is not a full path gives no script at all.

#include <gtest/gtest.h>

#include <maya/MString.h>

#include <string>

#include "shell/PluginFolder.h"

namespace {

struct FolderCase {
  std::string folder;    // as the host reports the plug-in's folder
  std::string expected;  // the import script's full name, empty for none
};

class PluginFolderTest : public ::testing::Test {
 protected:
  void TearDown() override { rememberPluginFolder(MString()); }
};

TEST_F(PluginFolderTest, ScriptsLiveBesideThePluginFolder) {
  const FolderCase cases[] = {
      {"/studio/vxr/plug-ins", "/studio/vxr/scripts/VXRAnimImport.mel"},
      {"/studio/vxr/plug-ins/", "/studio/vxr/scripts/VXRAnimImport.mel"},
      {"/studio/vxr/plug-ins///", "/studio/vxr/scripts/VXRAnimImport.mel"},
      {"/plug-ins", "/scripts/VXRAnimImport.mel"},
      {"/", "/scripts/VXRAnimImport.mel"},
      {"/a b/ünïcode/plug-ins", "/a b/ünïcode/scripts/VXRAnimImport.mel"},
      // One build per host version: the module folder is above "plug-ins".
      {"/studio/vxr/plug-ins/2024", "/studio/vxr/scripts/VXRAnimImport.mel"},
      {"/studio/vxr/plug-ins/2024/", "/studio/vxr/scripts/VXRAnimImport.mel"},
      // Any other folder name: its own parent is the module.
      {"/studio/vxr/bin", "/studio/vxr/scripts/VXRAnimImport.mel"},
      // Windows: drive letters and backslashes.
      {"C:/Program Files/vxr/plug-ins", "C:/Program Files/vxr/scripts/VXRAnimImport.mel"},
      {"C:\\vxr\\plug-ins\\2024", "C:\\vxr\\scripts\\VXRAnimImport.mel"},
      {"D:\\plug-ins\\", "D:\\scripts\\VXRAnimImport.mel"},
      {"\\\\server\\share\\vxr\\plug-ins", "\\\\server\\share\\vxr\\scripts\\VXRAnimImport.mel"},
  };
  for (const FolderCase& c : cases) {
    rememberPluginFolder(MString(c.folder.c_str()));
    EXPECT_EQ(std::string(moduleScriptPath("VXRAnimImport.mel").asChar()), c.expected) << c.folder;
  }
}

TEST_F(PluginFolderTest, AFolderThatIsNotAFullPathGivesNoScript) {
  for (const char* folder :
       {"", "plug-ins", "./plug-ins", "../vxr/plug-ins", "C:plug-ins", "vxr\\plug-ins"}) {
    rememberPluginFolder(MString(folder));
    EXPECT_EQ(moduleScriptPath("VXRAnimImport.mel").length(), 0u) << folder;
  }
  // A NUL inside the folder would let the system open another file than the one named.
  rememberPluginFolder(MString("/studio\0/evil/plug-ins", 22));
  EXPECT_EQ(moduleScriptPath("VXRAnimImport.mel").length(), 0u);
}

TEST_F(PluginFolderTest, NothingIsKnownBeforeTheHostSaysWhere) {
  EXPECT_EQ(moduleScriptPath("VXRAnimImport.mel").length(), 0u);
}

}  // namespace
