#pragma once
// The plug-in loaded into the stand-in host with its script interpreter, a fresh scene and an
// empty temporary folder per test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

class RobustnessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs MEL text with standard error captured; true when it succeeded.
  static bool mel(const std::string& text, std::string* result = nullptr,
                  std::string* errors = nullptr);

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

// The bytes of a valid animation file with `cameras` camera tracks and `lights` light tracks of
// `keys` keys each.
std::string validAnimationFile(int cameras, int lights, int keys);

std::string readBytes(const std::string& file);
void writeBytes(const std::string& file, const std::string& bytes);
