// What one element of a scene file costs as the file grows, for the shapes whose cost once grew
// with the square of the count: nodes of one name under different parents (beside unique names),
// shapes parented by "|group|name" paths, plug-in node types named by requires -nodeType, an
// anim curve's keys written in falling time order, references saved unloaded that all name one
// file (with edits and placeholder connections), and a camera under a chain of transforms
// (opened, then its paths and world matrix asked). Each runs at 2,000 and 8,000 elements;
// the time per element (the inverse of items_per_second) should stay about the same.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/Scene.h"
#include "scene/SceneFile.h"

namespace {

const char kHeader[] = "//Maya ASCII 2020 scene\n";

std::string sameNames(int n, bool unique) {
  std::string text = kHeader;
  for (int i = 0; i < n; ++i) {
    const std::string group = "grp" + std::to_string(i);
    text += "createNode transform -n \"" + group + "\";\n";
    text += "createNode transform -n \"" + (unique ? "geo" + std::to_string(i) : "geo") +
            "\" -p \"" + group + "\";\n";
  }
  return text;
}

std::string pathParents(int n) {
  std::string text = kHeader;
  for (int i = 0; i < n; ++i) {
    const std::string group = "g" + std::to_string(i);
    text += "createNode transform -n \"" + group + "\";\n";
    text += "createNode transform -n \"a\" -p \"" + group + "\";\n";
    text += "createNode mesh -n \"aShape\" -p \"|" + group + "|a\";\n";
  }
  return text;
}

std::string pluginTypes(int n) {
  std::string text = kHeader;
  for (int i = 0; i < n; ++i)
    text += "requires -nodeType \"plugType" + std::to_string(i) + "\" \"plug\" \"1\";\n";
  for (int i = 0; i < n; ++i)
    text += "createNode plugType" + std::to_string(i) + " -n \"p" + std::to_string(i) + "\";\n";
  return text;
}

std::string fallingKeys(int n) {
  std::string text = kHeader;
  text += "createNode animCurveTL -n \"c\";\n";
  for (int i = n; i-- > 0;)
    text += "setAttr \".ktv[" + std::to_string(n - 1 - i) + "]\" " + std::to_string(i) + " 1;\n";
  return text;
}

std::string deepChain(int n) {
  std::string text = kHeader;
  text += "createNode transform -n \"l0\";\n";
  for (int i = 1; i < n; ++i)
    text += "createNode transform -n \"l" + std::to_string(i) + "\" -p \"l" +
            std::to_string(i - 1) + "\";\n";
  text += "createNode camera -n \"camShape\" -p \"l" + std::to_string(n - 1) + "\";\n";
  return text;
}

// References saved unloaded, all of one file, each reference node with its edits and a shot
// connection waiting on its placeholder list: each is numbered among the copies of its file.
std::string deferredCopies(int n) {
  std::string text = kHeader;
  for (int i = 0; i < n; ++i) {
    const std::string ns = "a" + std::to_string(i);
    text += "file -r -ns \"" + ns + "\" -dr 1 -rfn \"" + ns + "RN\" \"asset.ma\";\n";
  }
  text += "createNode transform -n \"shot\";\n";
  for (int i = 0; i < n; ++i) {
    const std::string node = "a" + std::to_string(i) + "RN";
    text += "createNode reference -n \"" + node + "\";\n";
    text += "\tsetAttr \".ed\" -type \"dataReferenceEdits\" \"" + node + "\" \"" + node + "\" 0;\n";
  }
  for (int i = 0; i < n; ++i)
    text += "connectAttr \"shot.tx\" \"a" + std::to_string(i) + "RN.phl[1]\";\n";
  return text;
}

void open(benchmark::State& state, const std::string& text) {
  minihost::Scene& scene = minihost::Scene::get();
  for (auto _ : state) {
    minihost::scenefile::SceneFileResult r =
        minihost::scenefile::readSceneText(text, "bench.ma", scene, true);
    if (!r.ok)
      state.SkipWithError(r.error.c_str());
    benchmark::DoNotOptimize(r.ok);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SameNamedChildren(benchmark::State& state) {
  open(state, sameNames(static_cast<int>(state.range(0)), false));
}
void BM_UniqueNamedChildren(benchmark::State& state) {
  open(state, sameNames(static_cast<int>(state.range(0)), true));
}
void BM_ParentedByPath(benchmark::State& state) {
  open(state, pathParents(static_cast<int>(state.range(0))));
}
void BM_PluginNodeTypes(benchmark::State& state) {
  open(state, pluginTypes(static_cast<int>(state.range(0))));
}
void BM_KeysInFallingOrder(benchmark::State& state) {
  open(state, fallingKeys(static_cast<int>(state.range(0))));
}
void BM_DeferredCopiesOfOneFile(benchmark::State& state) {
  open(state, deferredCopies(static_cast<int>(state.range(0))));
}

// The open of the chain, then per level asked once: the camera's full and partial path and its
// world matrix after each change of the top's translation.
void BM_CameraUnderDeepChain(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string text = deepChain(n);
  minihost::Scene& scene = minihost::Scene::get();
  for (auto _ : state) {
    minihost::scenefile::SceneFileResult r =
        minihost::scenefile::readSceneText(text, "bench.ma", scene, true);
    if (!r.ok)
      state.SkipWithError(r.error.c_str());
    minihost::NodeRef cam = scene.findNode("camShape");
    minihost::NodeRef top = scene.findNode("l0");
    const int tx = scene.findAttribute(top, "tx");
    for (int i = 0; i < 100; ++i) {
      scene.setNumber(top, tx, i);
      benchmark::DoNotOptimize(scene.worldMatrix(cam));
    }
    benchmark::DoNotOptimize(scene.fullPathName(cam).size());
    benchmark::DoNotOptimize(scene.partialPathName(cam).size());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(BM_SameNamedChildren)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UniqueNamedChildren)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParentedByPath)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PluginNodeTypes)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeysInFallingOrder)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeferredCopiesOfOneFile)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CameraUnderDeepChain)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
