// Appending to a collection: 10 million entries, with the smallest growth step and the default.
#include <benchmark/benchmark.h>

#include <vector>

#include "boundary/base/GCollection.h"

namespace {

constexpr int kAppends = 10 * 1000 * 1000;

void BM_CollectionAppend(benchmark::State& state) {
  int delta = static_cast<int>(state.range(0));
  static int target;
  for (auto _ : state) {
    GCollection c(0, delta);
    for (int i = 0; i < kAppends; ++i)
      c.v_insert(&target);
    benchmark::DoNotOptimize(c.items);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kAppends);
}

void BM_VectorPushBackBaseline(benchmark::State& state) {
  static int target;
  for (auto _ : state) {
    std::vector<void*> v;
    for (int i = 0; i < kAppends; ++i)
      v.push_back(&target);
    benchmark::DoNotOptimize(v.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kAppends);
}

}  // namespace

BENCHMARK(BM_CollectionAppend)->Arg(1)->Arg(8)->ArgName("delta")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorPushBackBaseline)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
