// Feeds arbitrary text to the scene reader as a shot and the files it references: the input is
// cut at lines "//--file--" into shot.ma, r1.ma, r2.ma and r3.ma in a private folder, so that
// the files may reference each other (in loops, repeatedly, nested, missing) and carry any
// reference edits. Beyond the sanitizers' findings it checks that the shot opens or is refused
// naming itself and a line, that a refusal leaves the scene as it was, and that every message
// names one of the files.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/Scene.h"
#include "scene/SceneFile.h"

namespace {

const char* const kNames[] = {"shot.ma", "r1.ma", "r2.ma", "r3.ma"};

void check(bool condition) {
  if (!condition)
    std::abort();
}

// A plain array: it outlives every destructor, so the exit handler may still use it.
char gFolder[] = "/tmp/vxr_fuzz_refsXXXXXX";

void removeFolder() {
  for (const char* name : kNames)
    std::remove((std::string(gFolder) + "/" + name).c_str());
  ::rmdir(gFolder);
}

std::string folder() {
  static const bool made = [] {
    check(::mkdtemp(gFolder) != nullptr);
    std::atexit(removeFolder);
    return true;
  }();
  (void)made;
  return gFolder;
}

void write(const std::string& name, const std::string& text) {
  std::FILE* f = std::fopen((folder() + "/" + name).c_str(), "wb");
  check(f != nullptr);
  check(std::fwrite(text.data(), 1, text.size(), f) == text.size());
  std::fclose(f);
}

bool namesOurFile(const std::string& message) {
  for (const char* name : kNames) {
    std::string prefix = std::string(name) + ":";
    if (message.compare(0, prefix.size(), prefix) == 0)
      return true;
  }
  return message.compare(0, 14, "the reference ") == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string cut = "//--file--";
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    size_t end = i < 3 ? input.find(cut, start) : std::string::npos;
    write(kNames[i], start <= input.size() ? input.substr(start, end - start) : std::string());
    start = end == std::string::npos ? input.size() + 1 : end + cut.size();
  }
  minihost::Scene& scene = minihost::Scene::get();
  scene.newScene();
  minihost::NodeRef keeper = scene.createNode("transform", "keeper", minihost::NodeRef{}, nullptr);
  check(keeper.isSet());
  minihost::scenefile::SceneFileResult result =
      minihost::scenefile::readSceneFile(folder() + "/shot.ma", scene, true);
  if (!result.ok) {
    check(result.error.compare(0, 8, "shot.ma:") == 0);
    check(scene.isAlive(keeper));
  } else {
    check(!scene.isAlive(keeper));
  }
  for (const std::string& warning : result.warnings)
    check(namesOurFile(warning));
  return 0;
}
