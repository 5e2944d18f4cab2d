// Per-call cost of the interpreter: a 1 M iteration MEL loop that calls a procedure and a
// host command each time round, and the pieces of it on their own.

#include <benchmark/benchmark.h>

#include <string>

#include "mel/host/MelHost.h"

namespace {

mel::MelHost& host() {
  static mel::MelHost& h = []() -> mel::MelHost& {
    mel::MelHost& m = mel::initMinihostMel();
    m.interp().setOutput([](const std::string&) {});
    m.runTopLevelText(
        "file -f -new; createNode transform -n benchNode;"
        "global proc int addOne(int $x) { return $x + 1; }");
    return m;
  }();
  return h;
}

void runLoop(benchmark::State& state, const std::string& body) {
  mel::MelHost& h = host();
  const int iterations = static_cast<int>(state.range(0));
  std::string text =
      "int $acc = 0; for ($i = 0; $i < " + std::to_string(iterations) + "; $i++) { " + body + " }";
  for (auto _ : state) {
    if (!h.runTopLevelText(text)) {
      state.SkipWithError("script failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * iterations);
}

void BM_LoopProcAndHostCommand(benchmark::State& state) {
  runLoop(state, "$acc = addOne($acc); setAttr benchNode.tx $i;");
}
BENCHMARK(BM_LoopProcAndHostCommand)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LoopProcOnly(benchmark::State& state) {
  runLoop(state, "$acc = addOne($acc);");
}
BENCHMARK(BM_LoopProcOnly)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LoopHostCommandOnly(benchmark::State& state) {
  runLoop(state, "$acc = `getAttr benchNode.tx`;");
}
BENCHMARK(BM_LoopHostCommandOnly)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LoopEmpty(benchmark::State& state) {
  runLoop(state, "$acc += 1;");
}
BENCHMARK(BM_LoopEmpty)->Arg(1000000)->Unit(benchmark::kMillisecond);

// One import-script line parsed and run from text each time, as executeCommand does.
void BM_ExecuteCommandText(benchmark::State& state) {
  mel::MelHost& h = host();
  for (auto _ : state) {
    std::string result;
    h.executeCommand("getAttr benchNode.tx;", &result, false, false);
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExecuteCommandText);

}  // namespace

BENCHMARK_MAIN();
