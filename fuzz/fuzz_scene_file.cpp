// Feeds arbitrary text to the scene file reader as a file to open. Beyond the sanitizers'
// findings it checks that a refused file names itself and a line, and that it leaves the scene
// as it was: a node made before the attempt is still there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/Scene.h"
#include "scene/SceneFile.h"

namespace {
void check(bool condition) {
  if (!condition)
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  minihost::Scene& scene = minihost::Scene::get();
  scene.newScene();
  minihost::NodeRef keeper = scene.createNode("transform", "keeper", minihost::NodeRef{}, nullptr);
  check(keeper.isSet());
  const std::string text(reinterpret_cast<const char*>(data), size);
  minihost::scenefile::SceneFileResult result =
      minihost::scenefile::readSceneText(text, "fuzz.ma", scene, true);
  if (!result.ok) {
    check(result.error.compare(0, 8, "fuzz.ma:") == 0);
    check(scene.isAlive(keeper));
  } else {
    check(!scene.isAlive(keeper));
    // Reading what the file built evaluates its rigs (constraints, blends, driven keys), now
    // and at another time: wiring of any shape must neither hang nor crash.
    const double elsewhere = 12345.0;
    for (minihost::NodeRef ref : scene.nodes()) {
      scene.worldMatrix(ref);
      const minihost::Node* n = scene.node(ref);
      for (int a = 0; n && a < static_cast<int>(n->type->attributes.size()); ++a) {
        double value = 0.0;
        scene.getNumber(ref, a, value);
        scene.getNumber(ref, a, value, &elsewhere);
      }
    }
  }
  for (const std::string& warning : result.warnings)
    check(warning.compare(0, 8, "fuzz.ma:") == 0);
  return 0;
}
