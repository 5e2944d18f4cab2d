// 1,000 transforms each parent-constrained to its own keyed target, every world matrix read at
// each of 1,000 frames (one evaluation = one constrained transform at one frame), beside the
// same number of transforms keyed directly.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/RigNodeTypes.h"
#include "engine/Scene.h"

namespace {

using minihost::NodeRef;
using minihost::Scene;
using minihost::TangentType;

constexpr int kTransforms = 1000;
constexpr int kFrames = 1000;
constexpr double kTicksPerFrame = 250.0;

void link(Scene& s, NodeRef src, const std::string& sa, NodeRef dst, const std::string& da) {
  s.connect(src, s.findAttribute(src, sa), dst, s.findAttribute(dst, da), true, nullptr);
}

void key(Scene& s, NodeRef node, const char* attr, double last) {
  int a = s.findAttribute(node, attr);
  s.setKey(node, a, kTicksPerFrame, 0.0, TangentType::kClamped, TangentType::kClamped, nullptr);
  s.setKey(node, a, kFrames * kTicksPerFrame, last, TangentType::kClamped, TangentType::kClamped,
           nullptr);
}

// Targets keyed in translate x and rotate y; with `constrained`, a second transform per target
// follows it through a parentConstraint wired as the host's command wires it.
std::vector<NodeRef> buildScene(bool constrained) {
  Scene& s = Scene::get();
  s.newScene();
  std::vector<NodeRef> read;
  for (int i = 0; i < kTransforms; ++i) {
    std::string n = std::to_string(i);
    NodeRef target = s.createNode("transform", "target" + n, NodeRef{}, nullptr);
    key(s, target, "tx", 100.0 + i);
    key(s, target, "ry", 3.0);
    if (!constrained) {
      read.push_back(target);
      continue;
    }
    NodeRef cam = s.createNode("transform", "cam" + n, NodeRef{}, nullptr);
    NodeRef con = s.createNode("parentConstraint", "cam" + n + "_parentConstraint1", cam, nullptr);
    const char* targetAttrs[][2] = {{"t", "tt"},   {"rp", "trp"}, {"rpt", "trt"}, {"r", "tr"},
                                    {"ro", "tro"}, {"s", "ts"},   {"pm", "tpm"}};
    for (const auto& a : targetAttrs)
      link(s, target, a[0], con, minihost::elementName("tg", 0, a[1]));
    link(s, con, "w0", con, minihost::elementName("tg", 0, "tw"));
    link(s, cam, "pim", con, "cpim");
    link(s, cam, "rp", con, "crp");
    link(s, cam, "rpt", con, "crt");
    link(s, cam, "ro", con, "cro");
    link(s, con, "ct", cam, "t");
    link(s, con, "cr", cam, "r");
    read.push_back(cam);
  }
  return read;
}

void runFrames(benchmark::State& state, bool constrained) {
  std::vector<NodeRef> read = buildScene(constrained);
  Scene& s = Scene::get();
  for (auto _ : state) {
    double sum = 0.0;
    for (int f = 1; f <= kFrames; ++f) {
      s.setCurrentTicks(f * kTicksPerFrame);
      for (NodeRef r : read)
        sum += s.worldMatrix(r)[3][0];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kTransforms * kFrames);
}

void BM_ParentConstrained(benchmark::State& state) {
  runFrames(state, true);
}
void BM_KeyedDirectly(benchmark::State& state) {
  runFrames(state, false);
}

BENCHMARK(BM_ParentConstrained)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_KeyedDirectly)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
