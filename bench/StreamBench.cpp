// Throughput of the persistent streams on a primitive-heavy record stream (the mix a mesh record
// has: DWords, floats and doubles), side by side with memcpy and fwrite of the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "boundary/base/Streams.h"

namespace {

constexpr int kRecords = 256 * 1024;
constexpr std::size_t kRecordBytes = 4 + 3 * 4 + 3 * 4 + 4 + 2 * 4 + 3 * 8;  // 64

// One corner of a polygon record: index, point, normal, corner count, uv, face normal.
void writeRecord(opstream& out, std::uint32_t i) {
  float f = static_cast<float>(i);
  double d = static_cast<double>(i);
  out.writeDWord(i);
  out << f << f + 1.0f << f + 2.0f;
  out << 0.0f << 1.0f << 0.0f;
  out.writeDWord(4);
  out << 0.25f << 0.75f;
  out << d << d * 0.5 << -d;
}

std::uint64_t readRecord(ipstream& in) {
  float f[8];
  double d[3];
  std::uint64_t sum = in.readDWord();
  in >> f[0] >> f[1] >> f[2] >> f[3] >> f[4] >> f[5];
  sum += in.readDWord();
  in >> f[6] >> f[7] >> d[0] >> d[1] >> d[2];
  return sum + static_cast<std::uint64_t>(f[0] + f[7] + d[2]);
}

const std::vector<char>& recordBytes() {
  static const std::vector<char> bytes = [] {
    ompstream out;
    for (int i = 0; i < kRecords; ++i)
      writeRecord(out, static_cast<std::uint32_t>(i));
    return std::vector<char>(out.data(), out.data() + out.size());
  }();
  return bytes;
}

std::string benchFile() {
  return "/tmp/vxr_stream_bench_" + std::to_string(::getpid());
}

void setBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords *
                          static_cast<std::int64_t>(kRecordBytes));
}

void BM_MemoryWrite(benchmark::State& state) {
  for (auto _ : state) {
    ompstream out;
    for (int i = 0; i < kRecords; ++i)
      writeRecord(out, static_cast<std::uint32_t>(i));
    benchmark::DoNotOptimize(out.data());
  }
  setBytes(state);
}

void BM_MemcpyBaseline(benchmark::State& state) {
  const std::vector<char>& source = recordBytes();
  for (auto _ : state) {
    std::vector<char> copy(source.size());
    std::memcpy(copy.data(), source.data(), source.size());
    benchmark::DoNotOptimize(copy.data());
  }
  setBytes(state);
}

void BM_MemoryRead(benchmark::State& state) {
  const std::vector<char>& source = recordBytes();
  for (auto _ : state) {
    impstream in(source.data(), static_cast<long>(source.size()));
    std::uint64_t sum = 0;
    for (int i = 0; i < kRecords; ++i)
      sum += readRecord(in);
    benchmark::DoNotOptimize(sum);
    if (!in.good())
      state.SkipWithError("read failed");
  }
  setBytes(state);
}

void BM_FileWrite(benchmark::State& state) {
  std::string path = benchFile();
  bool sync = state.range(0) != 0;
  for (auto _ : state) {
    ofpstream out(path.c_str());
    out.setSyncOnClose(sync);
    for (int i = 0; i < kRecords; ++i)
      writeRecord(out, static_cast<std::uint32_t>(i));
    if (!out.close())
      state.SkipWithError("write failed");
  }
  ::unlink(path.c_str());
  setBytes(state);
}

void BM_FwriteBaseline(benchmark::State& state) {
  const std::vector<char>& source = recordBytes();
  std::string path = benchFile();
  bool sync = state.range(0) != 0;
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(source.data(), 1, source.size(), f) != source.size()) {
      state.SkipWithError("fwrite failed");
    }
    if (f != nullptr) {
      std::fflush(f);
      if (sync)
        ::fsync(::fileno(f));
      std::fclose(f);
    }
  }
  ::unlink(path.c_str());
  setBytes(state);
}

void BM_FileRead(benchmark::State& state) {
  std::string path = benchFile();
  {
    ofpstream out(path.c_str());
    out.writeBytes(recordBytes().data(), recordBytes().size());
    out.close();
  }
  for (auto _ : state) {
    ifpstream in(path.c_str());
    std::uint64_t sum = 0;
    for (int i = 0; i < kRecords; ++i)
      sum += readRecord(in);
    benchmark::DoNotOptimize(sum);
    if (!in.good())
      state.SkipWithError("read failed");
  }
  ::unlink(path.c_str());
  setBytes(state);
}

void BM_FreadBaseline(benchmark::State& state) {
  std::string path = benchFile();
  {
    ofpstream out(path.c_str());
    out.writeBytes(recordBytes().data(), recordBytes().size());
    out.close();
  }
  std::vector<char> into(recordBytes().size());
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr || std::fread(into.data(), 1, into.size(), f) != into.size()) {
      state.SkipWithError("fread failed");
    }
    if (f != nullptr)
      std::fclose(f);
    benchmark::DoNotOptimize(into.data());
  }
  ::unlink(path.c_str());
  setBytes(state);
}

}  // namespace

BENCHMARK(BM_MemoryWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileWrite)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("sync")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FwriteBaseline)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("sync")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FileRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FreadBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
