// The import of a large animation file, end to end: the reader and the import script it runs at
// once, as a batch session runs it.

#include <benchmark/benchmark.h>

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <unistd.h>
#include <cstdio>
#include <string>

#include "ImportBenchSupport.h"
#include "anim_model/AnimationDocument.h"
#include "mel/host/MelHost.h"

namespace {

constexpr int kTracks = 100;
constexpr int kKeys = 1000;

std::string benchFile() {
  static const std::string file =
      "/tmp/vxr-import-bench-" + std::to_string(::getpid()) + ".vxranim";
  return file;
}

void writeBenchFile() {
  AnimationDocument document;
  for (int t = 0; t < kTracks; ++t) {
    auto* track = new VXRAnimation_Camera();
    track->setName(
        GString(("|cam" + std::to_string(t) + "|cam" + std::to_string(t) + "Shape").c_str()));
    for (int k = 0; k < kKeys; ++k) {
      auto* key = new CameraKey();
      key->frame = k + 1;
      key->projector.plane.setPlaneParameters(Vector3D(t, 0.01 * k, -1), Vector3D(0, 0, -1),
                                              Vector3D(0, 1, 0));
      key->projector.window.size = Vector2D(0.036, 0.024);
      key->projector.eyeOffset = Vector3D(0, 0, 0.1);
      track->v_insert(key);
    }
    document.cameras.v_insert(track);
  }
  writeBenchDocument(benchFile(), document);
}

void BM_ImportWholeFile(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    runMel("file -f -new");
    state.ResumeTiming();
    if (!runMel("file -import \"" + benchFile() + "\""))
      state.SkipWithError("import failed");
  }
  state.counters["keys"] = kTracks * kKeys;
  state.counters["keys/s"] =
      benchmark::Counter(kTracks * kKeys, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ImportWholeFile)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// One "-gettime" query on track `range(0)`: the cost must not grow with the track's index.
void BM_CommandPerCall(benchmark::State& state) {
  std::string handle;
  runMel("VXR_AnimationImportCmd -open \"" + benchFile() + "\"", &handle);
  const std::string query = "VXR_AnimationImportCmd -id " + handle + " -cameraid " +
                            std::to_string(state.range(0)) + " -keyframe 500 -gettime";
  for (auto _ : state) {
    std::string frame;
    runMel(query, &frame);
    benchmark::DoNotOptimize(frame);
  }
  runMel("VXR_AnimationImportCmd -id " + handle + " -close");
}
BENCHMARK(BM_CommandPerCall)->Arg(0)->Arg(kTracks - 1)->Unit(benchmark::kMicrosecond);

// A file of `tracks` camera tracks of `keys` keys each; the first track named `firstName`.
std::string writeTracksFile(int tracks, int keys, const std::string& firstName) {
  const std::string file = "/tmp/vxr-import-bench-" + std::to_string(::getpid()) + "-" +
                           std::to_string(tracks) + "-" + std::to_string(firstName.size()) +
                           ".vxranim";
  AnimationDocument document;
  for (int t = 0; t < tracks; ++t) {
    auto* track = new VXRAnimation_Camera();
    const std::string name = t == 0 && !firstName.empty() ? firstName
                                                          : "|cam" + std::to_string(t) + "|cam" +
                                                                std::to_string(t) + "Shape";
    track->setName(GString(name.data(), name.size()));
    for (int k = 0; k < keys; ++k) {
      auto* key = new CameraKey();
      key->frame = k + 1;
      key->projector.plane.setPlaneParameters(Vector3D(t, 0.01 * k, -1), Vector3D(0, 0, -1),
                                              Vector3D(0, 1, 0));
      key->projector.window.size = Vector2D(0.036, 0.024);
      key->projector.eyeOffset = Vector3D(0, 0, 0.1);
      track->v_insert(key);
    }
    document.cameras.v_insert(track);
  }
  ofpstream out(file.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  AnimationFileHeader header;
  header.upAxisIsZ = false;
  header.write(out, document.cameras);
  header.writeLights(out, document.lights);
  out.close();
  return file;
}

void importInto(benchmark::State& state, const std::string& file) {
  for (auto _ : state) {
    state.PauseTiming();
    runMel("file -f -new");
    state.ResumeTiming();
    if (!runMel("file -import \"" + file + "\""))
      state.SkipWithError("import failed");
  }
  std::remove(file.c_str());
}

// `range(0)` tracks of 2 keys: the time per track must stay flat from 100 to 10,000 tracks
// (every lookup by name and every time change would otherwise grow with the scene).
void BM_ImportManyTracks(benchmark::State& state) {
  const int tracks = static_cast<int>(state.range(0));
  importInto(state, writeTracksFile(tracks, 2, std::string()));
  state.counters["tracks"] = tracks;
  state.counters["per track"] = benchmark::Counter(
      tracks, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ImportManyTracks)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// 100 tracks, the first named with `range(0)` bytes, all valid in a node name or (`range(1)` 1)
// none: names over 20,000 characters are skipped without being looked up, shorter ones cost
// their length once, also when every character has to be replaced.
void BM_ImportLongTrackName(benchmark::State& state) {
  const std::size_t length = static_cast<std::size_t>(state.range(0));
  const char fill = state.range(1) != 0 ? '"' : 'n';
  importInto(state, writeTracksFile(100, 2, "|" + std::string(length, fill) + "|s"));
  state.counters["name bytes"] = static_cast<double>(length);
}
BENCHMARK(BM_ImportLongTrackName)
    ->Args({1000, 0})
    ->Args({19000, 0})
    ->Args({5000, 1})
    ->Args({19000, 1})
    ->Args({100000, 0})
    ->Args({1 << 20, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return runImportBenchmarks(argc, argv, writeBenchFile, benchFile());
}
