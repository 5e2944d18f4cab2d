// Opening a generated scene file with the scene reader: a 1,000 x 1,000-quad inline mesh
// (1 M polygons, written as the host writes meshes: points, edges, edge-based faces) and 10,000
// anim curves of 24 keys, each driving a channel of its own transform. Beside it a raw read of
// the same file in the reader's chunk size. Reported: bytes of file text per second, and the
// peak resident memory the open adds, as a multiple of the file's size.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Scene.h"
#include "scene/SceneFile.h"

namespace {

constexpr int kGrid = 1000;  // quads per side
constexpr int kCurves = 10000;
constexpr int kKeys = 24;

// Writes the scene; returns its size in bytes.
long long writeScene(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f)
    return -1;
  std::fputs(
      "//Maya ASCII 2024 scene\nrequires maya \"2024\";\n"
      "currentUnit -l centimeter -a degree -t film;\n",
      f);
  std::fputs(
      "createNode transform -n \"ground\";\ncreateNode mesh -n \"groundShape\" -p \"ground\";\n",
      f);
  const int side = kGrid + 1;
  std::fprintf(f, "\tsetAttr -s %d \".vt[0:%d]\"", side * side, side * side - 1);
  for (int z = 0; z < side; ++z) {
    for (int x = 0; x < side; ++x)
      std::fprintf(f, " %d 0 %d", x, -z);
    std::fputs("\n\t\t", f);
  }
  std::fputs(";\n", f);
  // Edges: per row of vertices the horizontal ones, then per row of quads the vertical ones.
  const int horizontal = kGrid * side;
  const int edges = horizontal + side * kGrid;
  std::fprintf(f, "\tsetAttr -s %d \".ed[0:%d]\"", edges, edges - 1);
  for (int z = 0; z < side; ++z) {
    for (int x = 0; x < kGrid; ++x)
      std::fprintf(f, " %d %d 0", z * side + x, z * side + x + 1);
    std::fputs("\n\t\t", f);
  }
  for (int z = 0; z < kGrid; ++z) {
    for (int x = 0; x < side; ++x)
      std::fprintf(f, " %d %d 0", z * side + x, (z + 1) * side + x);
    std::fputs("\n\t\t", f);
  }
  std::fputs(";\n", f);
  std::fprintf(f, "\tsetAttr -s %d \".fc[0:%d]\" -type \"polyFaces\"\n", kGrid * kGrid,
               kGrid * kGrid - 1);
  for (int z = 0; z < kGrid; ++z) {
    for (int x = 0; x < kGrid; ++x) {
      int bottom = z * kGrid + x, top = (z + 1) * kGrid + x;
      int left = horizontal + z * side + x, right = left + 1;
      std::fprintf(f, "\t\tf 4 %d %d %d %d\n", bottom, right, -top - 1, -left - 1);
    }
  }
  std::fputs(";\n", f);
  for (int c = 0; c < kCurves; ++c) {
    std::fprintf(f, "createNode transform -n \"prop%d\";\n", c);
    std::fprintf(f, "createNode animCurveTL -n \"prop%d_translateX\";\n\tsetAttr \".tan\" 18;\n",
                 c);
    std::fprintf(f, "\tsetAttr -s %d \".ktv[0:%d]\" ", kKeys, kKeys - 1);
    for (int k = 0; k < kKeys; ++k)
      std::fprintf(f, " %d %.4f", k * 5 + 1, (c % 7) * 0.5 + k * 0.25);
    std::fputs(";\n", f);
  }
  for (int c = 0; c < kCurves; ++c)
    std::fprintf(f, "connectAttr \"prop%d_translateX.o\" \"prop%d.tx\";\n", c, c);
  long long size = std::ftell(f);
  std::fclose(f);
  return size;
}

const std::string& scenePath(long long* size = nullptr) {
  static long long bytes = 0;
  static const std::string path = [] {
    std::string p = "/tmp/vxr_scene_open_bench_" + std::to_string(::getpid()) + ".ma";
    bytes = writeScene(p);
    return p;
  }();
  if (size)
    *size = bytes;
  return path;
}

struct Cleanup {
  ~Cleanup() { std::remove(scenePath().c_str()); }
} cleanup;

// Peak resident set in kB since the last reset.
long peakKilobytes() {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, 6, "VmHWM:") == 0)
      return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

long residentKilobytes() {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, 6, "VmRSS:") == 0)
      return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

void resetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_RawRead(benchmark::State& state) {
  long long size = 0;
  const std::string& path = scenePath(&size);
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    size_t total = 0;
    for (size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0;)
      total += got;
    std::fclose(f);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

void BM_OpenScene(benchmark::State& state) {
  long long size = 0;
  const std::string& path = scenePath(&size);
  minihost::Scene& scene = minihost::Scene::get();
  double worstRatio = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    scene.newScene();
    const long before = residentKilobytes();
    resetPeak();
    state.ResumeTiming();
    minihost::scenefile::SceneFileResult r = minihost::scenefile::readSceneFile(path, scene, true);
    state.PauseTiming();
    if (!r.ok) {
      state.SkipWithError(r.error.c_str());
      break;
    }
    const double added = static_cast<double>(peakKilobytes() - before) * 1024.0;
    worstRatio = std::max(worstRatio, added / static_cast<double>(size));
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
  state.counters["peak_over_file"] = worstRatio;
}
BENCHMARK(BM_OpenScene)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
