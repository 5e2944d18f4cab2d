#include "ExportHarness.h"

#include <fcntl.h>
#include <ftw.h>
#include <stdlib.h>
#include <unistd.h>


#include <cstdio>
#include <fstream>
#include <sstream>

#include "boundary/base/GIO.h"
#include "boundary/base/ifpstream.h"
#include "mel/MelHost.h"
#include "tests/support/FolderEntries.h"

namespace {

int removeEntry(const char* entry, const struct stat*, int, struct FTW*) {
  return ::remove(entry);
}

// Quotes text as a MEL string literal.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      out += '\\';
    out += c;
  }
  return out + "\"";
}

class PluginEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    mel::initMinihostMel();
    ASSERT_TRUE(mel::melHost()->runTopLevelText("loadPlugin " + quoted(VXR_PLUGIN_PATH) + ";"));
  }
  void TearDown() override { mel::shutdownMinihostMel(); }
};

const ::testing::Environment* const kPlugin =
    ::testing::AddGlobalTestEnvironment(new PluginEnvironment);

template <class List, class Track>
std::vector<std::string> trackNames(const List& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.trackCount(); ++i) {
    const Track* track = list.track(i);
    names.push_back(track ? std::string(track->name.c_str()) : std::string("<null>"));
  }
  return names;
}

template <class List, class Track>
const Track* findTrack(const List& list, const std::string& name) {
  for (int i = 0; i < list.trackCount(); ++i) {
    const Track* track = list.track(i);
    if (track && name == track->name.c_str())
      return track;
  }
  return nullptr;
}

template <class Track>
std::vector<int> framesOf(const Track& track) {
  std::vector<int> frames;
  for (int i = 0; i < track.keyCount(); ++i)
    frames.push_back(track.key(i)->frame);
  return frames;
}

}  // namespace

void ExportTest::SetUp() {
  // Units and the up axis are preferences that a new scene keeps: every test starts from the
  // host's defaults.
  ASSERT_TRUE(mel("file -f -new; upAxis -ax y; currentUnit -angle deg; currentUnit -time film;"));
  char pattern[] = "/tmp/vxr_export_test.XXXXXX";
  const char* made = ::mkdtemp(pattern);
  ASSERT_NE(made, nullptr);
  folder_ = made;
}

void ExportTest::TearDown() {
  if (!folder_.empty())
    ::nftw(folder_.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

bool ExportTest::mel(const std::string& text) {
  return mel::melHost()->runTopLevelText(text);
}

bool ExportTest::melFile(const std::string& file) {
  return mel::melHost()->runTopLevelFile(file);
}

std::string ExportTest::melResult(const std::string& command) {
  std::string result;
  EXPECT_TRUE(mel::melHost()->executeCommand(command, &result, false, false)) << command;
  return result;
}

double ExportTest::melNumber(const std::string& command) {
  const std::string text = melResult(command);
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  EXPECT_NE(end, text.c_str()) << command << " gave \"" << text << "\"";
  return value;
}

ExportTest::ExportRun ExportTest::exportTo(const std::string& target, bool selectedOnly) {
  ExportRun run;
  OutputCapture capture;
  run.succeeded = mel(std::string("file ") + (selectedOnly ? "-exportSelected" : "-exportAll") +
                      " -type \"VXR Animation\" " + quoted(target) + ";");
  run.output = capture.finish();
  return run;
}

std::unique_ptr<AnimationDocument> ExportTest::exportAndRead(bool selectedOnly) {
  const std::string target = path("scene.vxranim");
  const ExportRun run = exportTo(target, selectedOnly);
  EXPECT_TRUE(run.succeeded) << run.output;
  std::unique_ptr<AnimationDocument> document = readDocument(target);
  EXPECT_NE(document, nullptr) << "the exported file does not read back";
  return document;
}

void ExportTest::setRenderRange(double start, double end, double step) {
  std::ostringstream text;
  text.precision(17);
  text << "setAttr defaultRenderGlobals.animation 1;"
       << "setAttr defaultRenderGlobals.animationRange 0;"
       << "setAttr defaultRenderGlobals.startFrame " << start << ";"
       << "setAttr defaultRenderGlobals.endFrame " << end << ";"
       << "setAttr defaultRenderGlobals.byFrameStep " << step << ";";
  ASSERT_TRUE(mel(text.str())) << text.str();
}

std::vector<std::string> ExportTest::folderEntries() const {
  return entriesOf(folder_);
}

std::unique_ptr<AnimationDocument> readDocument(const std::string& path) {
  ifpstream in(path.c_str(), GIO::IORead, GFileIO::IOOpenExisting, GFileIO::IOShareRead);
  if (in.fail())
    return nullptr;
  auto document = std::make_unique<AnimationDocument>();
  if (!document->read(in))
    return nullptr;
  return document;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::vector<std::string> cameraNames(const AnimationDocument& document) {
  return trackNames<VXRAnimation_CameraList, VXRAnimation_Camera>(document.cameras);
}

std::vector<std::string> lightNames(const AnimationDocument& document) {
  return trackNames<VXRAnimation_LightList, VXRAnimation_Light>(document.lights);
}

const VXRAnimation_Camera* cameraTrack(const AnimationDocument& document, const std::string& name) {
  return findTrack<VXRAnimation_CameraList, VXRAnimation_Camera>(document.cameras, name);
}

const VXRAnimation_Light* lightTrack(const AnimationDocument& document, const std::string& name) {
  return findTrack<VXRAnimation_LightList, VXRAnimation_Light>(document.lights, name);
}

std::vector<int> keyFrames(const VXRAnimation_Camera& track) {
  return framesOf(track);
}

std::vector<int> keyFrames(const VXRAnimation_Light& track) {
  return framesOf(track);
}

OutputCapture::OutputCapture(int fd) : fd_(fd) {
  char pattern[] = "/tmp/vxr_export_output.XXXXXX";
  const int file = ::mkstemp(pattern);
  if (file < 0)
    return;
  file_ = pattern;
  std::fflush(nullptr);
  saved_ = ::dup(fd_);
  ::dup2(file, fd_);
  ::close(file);
}

OutputCapture::~OutputCapture() {
  finish();
}

std::string OutputCapture::finish() {
  if (saved_ < 0)
    return std::string();
  std::fflush(nullptr);
  ::dup2(saved_, fd_);
  ::close(saved_);
  saved_ = -1;
  const std::string text = readBytes(file_);
  ::remove(file_.c_str());
  return text;
}
