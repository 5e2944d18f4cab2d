#pragma once
// The plug-in loaded into the stand-in host with its script interpreter, once for the whole test
// program; a new scene with the host's default preferences and an empty temporary folder for
// every test, the folder removed afterwards.

#include <gtest/gtest.h>

#include <string>
#include <vector>

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs MEL text as one command sent from outside any script, as MGlobal::executeCommand
  // does: in an interactive session idle script jobs run once it has finished (a batch session,
  // the default, has none). True when it succeeded; `result` receives
  // the value of its last statement and `errors`, when given, what it wrote to standard error.
  static bool mel(const std::string& text, std::string* result = nullptr,
                  std::string* errors = nullptr);
  // Runs MEL text that must succeed and returns its result.
  static std::string melResult(const std::string& text);
  // The same, read as a number.
  static double melNumber(const std::string& text);
  // Runs MEL text or a MEL file as a top-level script: in an interactive session idle script
  // jobs run once it has finished. False after any error.
  static bool melScript(const std::string& text);
  static bool melFile(const std::string& file);

  std::string path(const std::string& name) const { return folder_ + "/" + name; }
  const std::string& folder() const { return folder_; }
  // The names in a folder (the temporary one by default), sorted.
  std::vector<std::string> folderEntries(const std::string& folder = std::string()) const;

 private:
  std::string folder_;
};

// The plug-in file the tests load.
const char* pluginPath();
// The name the host knows the loaded plug-in by.
const char* pluginName();
