#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "anim_model/AnimationDocument.h"

// The plug-in loaded into the stand-in host with its script interpreter, a new scene per test
// and a temporary folder that is removed afterwards.
class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs MEL text as a top-level script; false after any error.
  static bool mel(const std::string& text);
  // Runs a MEL file as a top-level script; false after any error.
  static bool melFile(const std::string& file);
  // The result of one MEL command, as text.
  static std::string melResult(const std::string& command);
  static double melNumber(const std::string& command);

  struct ExportRun {
    bool succeeded = false;
    std::string output;  // what the export wrote to standard output
  };
  // Exports the whole scene (or the selection) through the "file" command.
  static ExportRun exportTo(const std::string& path, bool selectedOnly = false);
  // Exports to a file in the temporary folder and reads it back; fails the test when the export
  // or the reading fails.
  std::unique_ptr<AnimationDocument> exportAndRead(bool selectedOnly = false);

  // Render globals set for an animated export of frames start..end by step.
  static void setRenderRange(double start, double end, double step);

  std::string path(const std::string& name) const { return folder_ + "/" + name; }
  std::vector<std::string> folderEntries() const;

 private:
  std::string folder_;
};

// The document in the file at `path`, or null when it cannot be opened or read.
std::unique_ptr<AnimationDocument> readDocument(const std::string& path);
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

std::vector<std::string> cameraNames(const AnimationDocument& document);
std::vector<std::string> lightNames(const AnimationDocument& document);
// The track of that name, or null.
const VXRAnimation_Camera* cameraTrack(const AnimationDocument& document, const std::string& name);
const VXRAnimation_Light* lightTrack(const AnimationDocument& document, const std::string& name);
std::vector<int> keyFrames(const VXRAnimation_Camera& track);
std::vector<int> keyFrames(const VXRAnimation_Light& track);

// Everything written to a file descriptor (standard output by default; the descriptor, so C
// and C++ output alike) while an object of this class lives.
class OutputCapture {
 public:
  explicit OutputCapture(int fd = 1);
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;
  // Ends the capture and returns what was written.
  std::string finish();

 private:
  int fd_;
  int saved_ = -1;
  std::string file_;
};
