// The import of a large animation file, end to end: the reader, the idle script job and the
// import script issuing one command per key, as a batch session runs it.

#include <benchmark/benchmark.h>

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <unistd.h>
#include <cstdio>
#include <string>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/GIO.h"
#include "boundary/base/ofpstream.h"
#include "mel/MelHost.h"

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
  ofpstream out(benchFile().c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  AnimationFileHeader header;
  header.upAxisIsZ = false;
  header.write(out, document.cameras);
  header.writeLights(out, document.lights);
  out.close();
}

bool run(const std::string& text, std::string* result = nullptr) {
  MString value;
  const bool ok = MGlobal::executeCommand(MString(text.c_str()), value, false, false);
  if (result != nullptr)
    *result = value.asChar();
  return ok;
}

void BM_ImportWholeFile(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    run("file -f -new");
    state.ResumeTiming();
    if (!run("file -import \"" + benchFile() + "\""))
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
  run("VXR_AnimationImportCmd -open \"" + benchFile() + "\"", &handle);
  const std::string query = "VXR_AnimationImportCmd -id " + handle + " -cameraid " +
                            std::to_string(state.range(0)) + " -keyframe 500 -gettime";
  for (auto _ : state) {
    std::string frame;
    run(query, &frame);
    benchmark::DoNotOptimize(frame);
  }
  run("VXR_AnimationImportCmd -id " + handle + " -close");
}
BENCHMARK(BM_CommandPerCall)->Arg(0)->Arg(kTracks - 1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  mel::MelHost& host = mel::initMinihostMel();
  std::string name, error;
  if (!host.loadPlugin(VXR_PLUGIN_PATH, name, error)) {
    std::fprintf(stderr, "cannot load the plug-in: %s\n", error.c_str());
    return 1;
  }
  writeBenchFile();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  mel::shutdownMinihostMel();
  std::remove(benchFile().c_str());
  return 0;
}
