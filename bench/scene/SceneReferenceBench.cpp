// Opening shots as studios save them, with the scene reader:
//  - BM_TenReferencesOfOneAsset: a shot referencing one ~10 MB asset ten times under ten
//    namespaces (an inline mesh and keyed props), each copy with placeholder connections and
//    reference edits. The asset is read once; what grows is the content built ten times.
//  - BM_RealShapedShot: a shot of tens of thousands of small nodes, one setAttr per attribute,
//    a "rename -uid" line per node, anim curves, and a reference whose node carries thousands
//    of edits, as 3-4 MB studio files are.
// Reported: MB of file text built per second (the asset counts once per reference), and the
// peak resident memory the open adds over that text.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/Scene.h"
#include "scene/SceneFile.h"

namespace {

constexpr int kCopies = 10;

std::string folder() {
  static const std::string made = [] {
    char name[] = "/tmp/vxr_scene_ref_benchXXXXXX";
    return std::string(::mkdtemp(name) ? name : "/tmp");
  }();
  return made;
}

long long fileSize(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f)
    return -1;
  std::fseek(f, 0, SEEK_END);
  long long n = std::ftell(f);
  std::fclose(f);
  return n;
}

void uid(std::FILE* f, int n) {
  std::fprintf(f, "\trename -uid \"%08X-4A2B-11EE-8C90-%012X\";\n", n, n * 7919);
}

// About 10 MB: a 340 x 340-quad mesh and 4,000 keyed props under one group.
void writeAsset(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  std::fputs(
      "//Maya ASCII 2024 scene\nrequires maya \"2024\";\n"
      "currentUnit -l centimeter -a degree -t film;\n",
      f);
  std::fputs(
      "createNode transform -n \"set\";\ncreateNode transform -n \"ground\" -p \"set\";\n"
      "createNode mesh -n \"groundShape\" -p \"ground\";\n",
      f);
  const int grid = 340, side = grid + 1, horizontal = grid * side;
  std::fprintf(f, "\tsetAttr -s %d \".vt\";\n", side * side);
  for (int z = 0; z < side; ++z) {
    std::fprintf(f, "\tsetAttr \".vt[%d:%d]\"", z * side, z * side + side - 1);
    for (int x = 0; x < side; ++x)
      std::fprintf(f, " %d 0 %d", x, -z);
    std::fputs(";\n", f);
  }
  const int edges = horizontal + side * grid;
  std::fprintf(f, "\tsetAttr -s %d \".ed[0:%d]\"", edges, edges - 1);
  for (int z = 0; z < side; ++z)
    for (int x = 0; x < grid; ++x)
      std::fprintf(f, " %d %d 0", z * side + x, z * side + x + 1);
  for (int z = 0; z < grid; ++z)
    for (int x = 0; x < side; ++x)
      std::fprintf(f, " %d %d 0", z * side + x, (z + 1) * side + x);
  std::fputs(";\n", f);
  std::fprintf(f, "\tsetAttr -s %d \".fc[0:%d]\" -type \"polyFaces\"\n", grid * grid,
               grid * grid - 1);
  for (int z = 0; z < grid; ++z)
    for (int x = 0; x < grid; ++x) {
      int bottom = z * grid + x, top = (z + 1) * grid + x;
      int left = horizontal + z * side + x;
      std::fprintf(f, "\t\tf 4 %d %d %d %d\n", bottom, left + 1, -top - 1, -left - 1);
    }
  std::fputs(";\n", f);
  for (int c = 0; c < 4000; ++c) {
    std::fprintf(f, "createNode transform -n \"prop%d\" -p \"set\";\n", c);
    uid(f, c);
    std::fprintf(f, "\tsetAttr \".t\" -type \"double3\" %d 0 %d ;\n", c % 50, c / 50);
    std::fprintf(f, "createNode animCurveTA -n \"prop%d_rotateY\";\n", c);
    std::fputs("\tsetAttr \".tan\" 18;\n\tsetAttr -s 8 \".ktv[0:7]\" ", f);
    for (int k = 0; k < 8; ++k)
      std::fprintf(f, " %d %.3f", k * 10 + 1, k * 12.5);
    std::fputs(";\n", f);
  }
  for (int c = 0; c < 4000; ++c)
    std::fprintf(f, "connectAttr \"prop%d_rotateY.o\" \"prop%d.ry\";\n", c, c);
  std::fclose(f);
}

void writeTenCopyShot(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  std::fputs("//Maya ASCII 2024 scene\n", f);
  for (int i = 0; i < kCopies; ++i)
    std::fprintf(f, "file -rdi 1 -ns \"set%d\" -rfn \"set%dRN\" -typ \"mayaAscii\" \"asset.ma\";\n",
                 i, i);
  for (int i = 0; i < kCopies; ++i)
    std::fprintf(
        f, "file -r -ns \"set%d\" -dr 1 -rfn \"set%dRN\" -typ \"mayaAscii\" \"asset.ma\";\n", i, i);
  std::fputs("requires maya \"2024\";\ncurrentUnit -l centimeter -a degree -t film;\n", f);
  for (int i = 0; i < kCopies; ++i) {
    std::fprintf(f, "createNode reference -n \"set%dRN\";\n", i);
    std::fprintf(f, "\tsetAttr \".ed\" -type \"dataReferenceEdits\" \"set%dRN\" \"set%dRN\" 2\n", i,
                 i);
    std::fprintf(f, "\t\t2 \"|set%d:set\" \"translateX\" \" %d\"\n", i, i * 100);
    std::fprintf(f,
                 "\t\t5 4 \"set%dRN\" \"|set%d:set.translateZ\" \"set%dRN.placeHolderList[1]\" "
                 "\"\";\n",
                 i, i, i);
    std::fprintf(f, "createNode animCurveTL -n \"set%d_translateZ\";\n", i);
    std::fputs("\tsetAttr -s 2 \".ktv[0:1]\"  1 0 100 50;\n", f);
  }
  for (int i = 0; i < kCopies; ++i)
    std::fprintf(f, "connectAttr \"set%d_translateZ.o\" \"set%dRN.phl[1]\";\n", i, i);
  std::fclose(f);
}

// A referenced character of 2,000 controls, and a shot of 30,000 nodes around it.
void writeRealShaped(const std::string& rigPath, const std::string& shotPath) {
  std::FILE* f = std::fopen(rigPath.c_str(), "w");
  std::fputs("//Maya ASCII 2024 scene\nrequires maya \"2024\";\n", f);
  std::fputs("createNode transform -n \"rig\";\n", f);
  for (int c = 0; c < 2000; ++c) {
    std::fprintf(f, "createNode transform -n \"ctl%d\" -p \"rig\";\n", c);
    uid(f, c);
    std::fputs("\tsetAttr -k off \".v\";\n\tsetAttr \".ro\" 2;\n", f);
  }
  std::fclose(f);
  f = std::fopen(shotPath.c_str(), "w");
  std::fputs(
      "//Maya ASCII 2024 scene\n"
      "file -rdi 1 -ns \"hero\" -rfn \"heroRN\" -op \"v=0;\" -typ \"mayaAscii\" \"rig.ma\";\n"
      "file -r -ns \"hero\" -dr 1 -rfn \"heroRN\" -op \"v=0;\" -typ \"mayaAscii\" "
      "\"rig.ma\";\nrequires maya \"2024\";\n"
      "currentUnit -l centimeter -a degree -t film;\n",
      f);
  std::fputs("createNode reference -n \"heroRN\";\n\tsetAttr -s 2000 \".phl\";\n", f);
  std::fputs(
      "\tsetAttr \".ed\" -type \"dataReferenceEdits\" \n\t\t\"heroRN\"\n\t\t\"heroRN\" 4000\n", f);
  for (int c = 0; c < 2000; ++c) {
    std::fprintf(f,
                 "\t\t2 \"|hero:rig|hero:ctl%d\" \"translate\" \" -type \\\"double3\\\" %d 0 1\"\n",
                 c, c % 9);
    std::fprintf(f,
                 "\t\t5 4 \"heroRN\" \"|hero:rig|hero:ctl%d.rotateX\" "
                 "\"heroRN.placeHolderList[%d]\" \"\"\n",
                 c, c + 1);
  }
  std::fputs(";\n", f);
  for (int n = 0; n < 10000; ++n) {
    std::fprintf(f, "createNode transform -n \"grp%d\";\n", n);
    uid(f, 100000 + n);
    std::fprintf(f, "\tsetAttr \".tx\" %d;\n\tsetAttr \".ty\" %d.5;\n\tsetAttr \".tz\" -%d;\n",
                 n % 100, n % 13, n % 17);
    std::fprintf(f, "\tsetAttr \".rx\" %d;\n\tsetAttr \".sx\" 1;\n\tsetAttr \".sy\" 1;\n", n % 90);
    std::fprintf(f, "createNode transform -n \"loc%d\" -p \"grp%d\";\n", n, n);
    uid(f, 200000 + n);
    std::fputs("\tsetAttr \".v\" no;\n", f);
    std::fprintf(f, "createNode locator -n \"loc%dShape\" -p \"loc%d\";\n", n, n);
    uid(f, 300000 + n);
    std::fputs("\tsetAttr -k off \".v\";\n", f);
  }
  for (int c = 0; c < 2000; ++c) {
    std::fprintf(f, "createNode animCurveTA -n \"ctl%d_rotateX\";\n", c);
    uid(f, 400000 + c);
    std::fputs("\tsetAttr \".tan\" 18;\n\tsetAttr -s 4 \".ktv[0:3]\"  1 0 10 15 20 -15 30 0;\n", f);
  }
  for (int c = 0; c < 2000; ++c)
    std::fprintf(f, "connectAttr \"ctl%d_rotateX.o\" \"heroRN.phl[%d]\";\n", c, c + 1);
  std::fclose(f);
}

long statusKilobytes(const char* key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, std::string(key).size(), key) == 0)
      return std::strtol(line.c_str() + std::string(key).size(), nullptr, 10);
  }
  return -1;
}

void resetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

void openRepeatedly(benchmark::State& state, const std::string& path, double contentBytes) {
  minihost::Scene& scene = minihost::Scene::get();
  double worstRatio = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    scene.newScene();
    const long before = statusKilobytes("VmRSS:");
    resetPeak();
    state.ResumeTiming();
    minihost::scenefile::SceneFileResult r = minihost::scenefile::readSceneFile(path, scene, true);
    state.PauseTiming();
    if (!r.ok || !r.warnings.empty()) {
      state.SkipWithError((r.ok ? r.warnings[0] : r.error).c_str());
      break;
    }
    const double added = static_cast<double>(statusKilobytes("VmHWM:") - before) * 1024.0;
    worstRatio = std::max(worstRatio, added / contentBytes);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * contentBytes));
  state.counters["content_MB"] = contentBytes / 1e6;
  state.counters["peak_over_content"] = worstRatio;
}

void BM_TenReferencesOfOneAsset(benchmark::State& state) {
  static const bool written = [] {
    writeAsset(folder() + "/asset.ma");
    writeTenCopyShot(folder() + "/shot.ma");
    return true;
  }();
  (void)written;
  const double content = static_cast<double>(fileSize(folder() + "/shot.ma")) +
                         kCopies * static_cast<double>(fileSize(folder() + "/asset.ma"));
  state.counters["asset_MB"] = static_cast<double>(fileSize(folder() + "/asset.ma")) / 1e6;
  openRepeatedly(state, folder() + "/shot.ma", content);
}
BENCHMARK(BM_TenReferencesOfOneAsset)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RealShapedShot(benchmark::State& state) {
  static const bool written = [] {
    writeRealShaped(folder() + "/rig.ma", folder() + "/real.ma");
    return true;
  }();
  (void)written;
  const double content = static_cast<double>(fileSize(folder() + "/real.ma")) +
                         static_cast<double>(fileSize(folder() + "/rig.ma"));
  openRepeatedly(state, folder() + "/real.ma", content);
}
BENCHMARK(BM_RealShapedShot)->Unit(benchmark::kMillisecond)->Iterations(5);

struct Cleanup {
  ~Cleanup() {
    for (const char* name : {"asset.ma", "shot.ma", "rig.ma", "real.ma"})
      std::remove((folder() + "/" + name).c_str());
    ::rmdir(folder().c_str());
  }
} cleanup;

}  // namespace

BENCHMARK_MAIN();
