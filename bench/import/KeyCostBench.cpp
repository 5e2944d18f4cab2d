// What one imported key costs: one camera track of 10,000 keys applied by the import script the
// scripted way (VXR_AnimationImportCmd -open, then VXRAnimImportById), counting the commands the
// script calls per key and the time per key. VXR_IMPORT_SCRIPT names another import script to
// measure (an earlier version, for a before-and-after comparison); by default the one the
// plug-in installs beside itself.

#include <benchmark/benchmark.h>

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ImportBenchSupport.h"
#include "anim_model/AnimationDocument.h"
#include "mel/host/MelHost.h"

namespace {

constexpr int kKeys = 10000;

std::string keyFile() {
  static const std::string file = "/tmp/vxr-key-cost-" + std::to_string(::getpid()) + ".vxranim";
  return file;
}

// A camera that dollies and turns a little every frame, so every key changes every value.
void writeKeyFile() {
  AnimationDocument document;
  auto* track = new VXRAnimation_Camera();
  track->setName(GString("|dolly|dollyShape"));
  for (int k = 0; k < kKeys; ++k) {
    auto* key = new CameraKey();
    key->frame = k + 1;
    const double a = 0.001 * k;
    key->projector.plane.setPlaneParameters(
        Vector3D(0.01 * k, 1, -1), Vector3D(std::sin(a), 0, -std::cos(a)), Vector3D(0, 1, 0));
    key->projector.window.size = Vector2D(0.036, 0.024);
    key->projector.eyeOffset = Vector3D(0, 0, 0.1);
    track->v_insert(key);
  }
  document.cameras.v_insert(track);
  writeBenchDocument(keyFile(), document);
}

std::string importScript() {
  if (const char* chosen = std::getenv("VXR_IMPORT_SCRIPT"))
    return chosen;
  return (std::filesystem::path(VXR_PLUGIN_PATH).parent_path().parent_path() / "scripts" /
          "VXRAnimImport.mel")
      .string();
}

void BM_ImportKeyCost(benchmark::State& state) {
  mel::MelHost& host = *mel::melHost();
  if (!runMel("source \"" + importScript() + "\"")) {
    state.SkipWithError("cannot source the import script");
    return;
  }
  double commands = 0;
  for (auto _ : state) {
    state.PauseTiming();
    runMel("file -f -new");
    std::string handle;
    runMel("VXR_AnimationImportCmd -open \"" + keyFile() + "\"", &handle);
    const std::uint64_t before = host.interp().commandCalls();
    state.ResumeTiming();
    if (!runMel("VXRAnimImportById(" + handle + ")"))
      state.SkipWithError("import failed");
    state.PauseTiming();
    commands = static_cast<double>(host.interp().commandCalls() - before);
    std::string count;
    runMel("keyframe -q -keyframeCount dolly.translateX", &count);
    if (std::atoi(count.c_str()) != kKeys)
      state.SkipWithError("not every key was imported");
    state.ResumeTiming();
  }
  state.counters["keys"] = kKeys;
  state.counters["commands/key"] = commands / kKeys;
  state.counters["per key"] = benchmark::Counter(
      kKeys, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ImportKeyCost)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return runImportBenchmarks(argc, argv, writeKeyFile, keyFile());
}
