// kw-bench: ci
// Queue use of the byte buffer: append n bytes one at a time, then consume
// them one at a time from the front. The cost per byte should not depend on
// n (compare the bytes_per_second of the 64 KiB and the 1 MiB runs).
#include <benchmark/benchmark.h>

#include "core/cmcBuff.h"

static void BM_AppendThenPop(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    cmcBuff buff;
    for (int i = 0; i < n; ++i) buff.PushByte(static_cast<std::uint8_t>(i));
    int sum = 0;
    for (int i = 0; i < n; ++i) sum += buff.PopFront();
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * n);
}
BENCHMARK(BM_AppendThenPop)->Arg(64 << 10)->Arg(1 << 20);

// A link pump: a few bytes in, a few bytes out, the queue staying short.
static void BM_Interleaved(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    cmcBuff buff;
    int sum = 0;
    for (int i = 0; i < n; i += 4) {
      for (int k = 0; k < 4; ++k) buff.PushByte(static_cast<std::uint8_t>(i + k));
      for (int k = 0; k < 4; ++k) sum += buff.PopFront();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * n);
}
BENCHMARK(BM_Interleaved)->Arg(64 << 10)->Arg(1 << 20);

BENCHMARK_MAIN();
