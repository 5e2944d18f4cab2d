// A document of 100 camera tracks and 100 light tracks of 10,000 keys each, written to a file
// and read back through the file streams; beside it, a raw read of the same file with fread.
// Throughput is bytes of file per second. The read benchmark also reports the heap the loaded
// document holds (from the allocator's own statistics, so block overheads and the collections'
// entry arrays count) against the file size.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "anim_model/AnimationDocument.h"
#include "anim_model/AnimationFileHeader.h"
#include "boundary/base/ifpstream.h"
#include "boundary/base/ofpstream.h"

namespace {

constexpr int kTracks = 100;
constexpr int kKeysPerTrack = 10000;

std::unique_ptr<AnimationDocument> makeDocument() {
  auto document = std::make_unique<AnimationDocument>();
  for (int t = 0; t < kTracks; ++t) {
    auto* camera = new VXRAnimation_Camera;
    camera->setName(("|camera" + std::to_string(t) + "|cameraShape" + std::to_string(t)).c_str());
    camera->setLimit(kKeysPerTrack);
    auto* light = new VXRAnimation_Light;
    light->setName(("|light" + std::to_string(t) + "|lightShape" + std::to_string(t)).c_str());
    light->setLimit(kKeysPerTrack);
    for (int k = 0; k < kKeysPerTrack; ++k) {
      auto* cameraKey = new CameraKey;
      cameraKey->projector.plane.origin = Vector3D(t, k * 0.01, -1.0);
      cameraKey->frame = k;
      camera->v_insert(cameraKey);
      auto* lightKey = new LightKey;
      lightKey->position = Vector3D(t, 5.0, k * 0.01);
      lightKey->frame = k;
      light->v_insert(lightKey);
    }
    document->cameras.v_insert(camera);
    document->lights.v_insert(light);
  }
  return document;
}

const AnimationDocument& sampleDocument() {
  static std::unique_ptr<AnimationDocument> document = makeDocument();
  return *document;
}

std::string benchFilePath() {
  return (std::filesystem::temp_directory_path() / "vxr_anim_model_bench.vxranim").string();
}

bool writeDocument(const AnimationDocument& document, const std::string& path, bool sync) {
  ofpstream out(path.c_str(), GIO::IOWrite, GFileIO::IOCreateAlways, GFileIO::IOShareNone);
  out.setSyncOnClose(sync);
  AnimationFileHeader header;
  header.upAxisIsZ = false;
  header.write(out, document.cameras);
  header.writeLights(out, document.lights);
  return out.close();
}

// The file that the read benchmarks read, written once.
const std::string& sampleFile() {
  static const std::string path = [] {
    std::string p = benchFilePath();
    if (!writeDocument(sampleDocument(), p, false))
      std::fprintf(stderr, "cannot write %s\n", p.c_str());
    return p;
  }();
  return path;
}

std::int64_t fileSize(const std::string& path) {
  std::error_code error;
  auto size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<std::int64_t>(size);
}

std::size_t heapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void writeBenchmark(benchmark::State& state, bool sync) {
  const AnimationDocument& document = sampleDocument();
  const std::string path = benchFilePath() + ".out";
  for (auto _ : state) {
    if (!writeDocument(document, path, sync)) {
      state.SkipWithError("write failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * fileSize(path));
  std::filesystem::remove(path);
}

void BM_WriteDocument(benchmark::State& state) {
  writeBenchmark(state, false);
}
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same, with the data put on disk before the file replaces its target (the default of the
// file stream, what an export does).
void BM_WriteDocumentSynced(benchmark::State& state) {
  writeBenchmark(state, true);
}
BENCHMARK(BM_WriteDocumentSynced)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadDocument(benchmark::State& state) {
  const std::string& path = sampleFile();
  const std::int64_t size = fileSize(path);
  std::size_t documentHeap = 0;
  for (auto _ : state) {
    const std::size_t before = heapInUse();
    auto document = std::make_unique<AnimationDocument>();
    ifpstream in(path.c_str(), GIO::IORead, GFileIO::IOOpenExisting, GFileIO::IOShareRead);
    if (!document->read(in)) {
      state.SkipWithError("read refused the file");
      break;
    }
    benchmark::DoNotOptimize(document->lights.count);
    state.PauseTiming();
    documentHeap = heapInUse() - before;
    document.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["fileMB"] = static_cast<double>(size) / 1e6;
  state.counters["documentMB"] = static_cast<double>(documentHeap) / 1e6;
  state.counters["memoryPerFileByte"] =
      size > 0 ? static_cast<double>(documentHeap) / static_cast<double>(size) : 0.0;
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor for reading: the same file's bytes through fread, into one reused buffer.
void BM_RawReadFile(benchmark::State& state) {
  const std::string& path = sampleFile();
  std::vector<char> buffer(1 << 20);
  std::int64_t total = 0;
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
      state.SkipWithError("cannot open the file");
      break;
    }
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
      total += static_cast<std::int64_t>(n);
      benchmark::DoNotOptimize(buffer.data());
    }
    std::fclose(file);
  }
  state.SetBytesProcessed(total);
}
BENCHMARK(BM_RawReadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
