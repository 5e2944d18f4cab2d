// 1,000 transforms each parent-constrained to its own keyed target, every world matrix read at
// each of 1,000 frames (one evaluation = one constrained transform at one frame), beside the
// same number of transforms keyed directly.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/NurbsCurve.h"
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

// One periodic cubic curve (8 spans) under a transform; 1,000 transforms ride it, each through
// its own motionPath (fraction mode, follow) wired as the path animation command wires it, with
// uValue keyed from 0 to 1.
std::vector<NodeRef> buildPathScene() {
  Scene& s = Scene::get();
  s.newScene();
  NodeRef track = s.createNode("transform", "track", NodeRef{}, nullptr);
  NodeRef shape = s.createNode("nurbsCurve", "trackShape", track, nullptr);
  std::vector<double> knots, cvs;
  for (int k = -2; k <= 10; ++k)
    knots.push_back(k);
  for (int i = 0; i < 11; ++i) {
    const double a = (i % 8) * 3.14159265358979323846 / 4.0;
    cvs.insert(cvs.end(), {100.0 * std::cos(a), 10.0 * (i % 2), -100.0 * std::sin(a), 1.0});
  }
  std::string problem;
  s.node(shape)->rareParts().curveGeometry =
      minihost::NurbsCurve::make(3, 8, minihost::NurbsCurve::kPeriodic, false, knots, cvs, problem);
  std::vector<NodeRef> read;
  for (int i = 0; i < kTransforms; ++i) {
    std::string n = std::to_string(i);
    NodeRef rider = s.createNode("transform", "rider" + n, NodeRef{}, nullptr);
    NodeRef path = s.createNode("motionPath", "motionPath" + n, NodeRef{}, nullptr);
    link(s, shape, "ws", path, "gp");
    s.setNumber(path, s.findAttribute(path, "fm"), 1.0);
    s.setNumber(path, s.findAttribute(path, "f"), 1.0);
    key(s, path, "u", 1.0);
    const char* axes[3][3] = {{"tmrx", "xc", "tx"}, {"tmry", "yc", "ty"}, {"tmrz", "zc", "tz"}};
    for (auto& axis : axes) {
      NodeRef add = s.createNode("addDoubleLinear", "add" + n + axis[2], NodeRef{}, nullptr);
      link(s, rider, axis[0], add, "i1");
      link(s, path, axis[1], add, "i2");
      link(s, add, "o", rider, axis[2]);
    }
    link(s, path, "r", rider, "r");
    read.push_back(rider);
  }
  return read;
}

enum class Rig { kKeyed, kConstrained, kPath };

void runFrames(benchmark::State& state, Rig rig) {
  std::vector<NodeRef> read =
      rig == Rig::kPath ? buildPathScene() : buildScene(rig == Rig::kConstrained);
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
  runFrames(state, Rig::kConstrained);
}
void BM_KeyedDirectly(benchmark::State& state) {
  runFrames(state, Rig::kKeyed);
}
void BM_OnMotionPath(benchmark::State& state) {
  runFrames(state, Rig::kPath);
}

BENCHMARK(BM_ParentConstrained)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_KeyedDirectly)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OnMotionPath)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
