// kw-bench: link=radioemu
// Full revision-3 clone runs against the emulated radio at 38400 baud, set
// up as the clone manager does for transfer type 3 (no echo on either side),
// the radio's memory all 0xFF. One iteration a case; each paced case takes
// about 54 s, so this is not run by the test suite.
//
// Paced (the radio takes and sends at baud / 10 bytes a second, the port's
// line model on): wall_per_limit = wall time / (every byte at its line rate +
// the prescribed waits: the 200 ms start delay and two 100 ms settles).
// Goal: at most 1.05.
//
// Unpaced (both off): cpu_per_wire = CPU time of the engine's thread / the
// time the same bytes need on the line. Goal: at most 0.02. Wall time is
// printed too; it is capped near 25 KB/s for reads by the engine's one
// 256-byte read a tick.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <string>
#include <vector>

#include "RadioEmulator.h"
#include "clone/CloneConfig.h"
#include "clone/cmcCloneDrv.h"
#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"

namespace {

constexpr int kModelWord = 0x3484;
constexpr int kTransType = 3;  // 9600 for the speed change, no echo
constexpr int kIdentifySpeed = 9600;
constexpr int kRunSpeed = 38400;
constexpr double kPrescribedWaits = 0.2 + 2 * 0.1;

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void Configure(cmcCloneDrv& engine, clonecfg::Mode mode) {
  clonecfg::ApplyEngineConfig(engine,
                              clonecfg::MakeEngineConfig(mode, 1, kTransType, true, kModelWord, 0));
  engine.SetModel(kModelWord, 0);
  engine.SetImageSize(MemMapRevisionOf(3).MemMapImageSize());
}

void RunClone(benchmark::State& state, bool write, bool paced) {
  radioemu::RadioEmulator radio(3);
  radio.SetMemory(std::vector<std::uint8_t>(static_cast<size_t>(radioemu::kMemorySize), 0xFF));
  radio.SetIdentifySpeed(kIdentifySpeed);
  radio.SetCableEcho(false);
  radio.SetPacing(paced);
  if (!radio.Start()) {
    state.SkipWithError("no pty");
    return;
  }
  const std::string path = radio.SlavePath();
  cmcEeprom image;
  image.SetSize(MemMapRevisionOf(3).MemMapImageSize());
  image.Fill(0xFF);

  for (auto _ : state) {
    cmcCloneDrv engine;
    engine.Port().SetPathResolver([path](int) { return path; });
    engine.Port().SetLineModel(paced);
    Configure(engine, write ? clonecfg::kWrite : clonecfg::kRead);
    radio.ClearWireLog();
    const std::int64_t sentBefore = radio.BytesSent();

    QEventLoop loop;
    int code = -1;
    auto done = [&](dst_CDrv_Result& r) {
      code = r.code;
      loop.quit();
    };
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    const int started = write
                            ? engine.StartWrite(image, MemMapRevisionOf(3).MemMapBlockList(), done)
                            : engine.StartRead(MemMapRevisionOf(3).MemMapRangeList(), done);
    if (started != 1) {
      state.SkipWithError("the engine did not start");
      break;
    }
    loop.exec();
    const double cpu = ThreadCpuSeconds() - cpuStart;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    if (code != kCloneOk) {
      state.SkipWithError(("clone run ended with code " + std::to_string(code)).c_str());
      break;
    }

    double wire = 0;
    for (const radioemu::WireSegment& seg : radio.WireLog())
      wire += static_cast<double>(seg.bytes.size()) * 10.0 / seg.speed;
    wire += static_cast<double>(radio.BytesSent() - sentBefore) * 10.0 / kRunSpeed;
    const double limit = wire + kPrescribedWaits;
    state.counters["wall_s"] = wall;
    state.counters["wire_s"] = wire;
    state.counters["limit_s"] = limit;
    state.counters["cpu_s"] = cpu;
    state.counters["wall_per_limit"] = wall / limit;
    state.counters["cpu_per_wire"] = cpu / wire;
    state.counters["frames"] = engine.FrameCount();
    state.counters["bytes_moved"] =
        static_cast<double>(engine.BytesMoved());  // frames of both sides
  }
  radio.Stop();
}

void BM_ReadPaced(benchmark::State& state) { RunClone(state, false, true); }
void BM_WritePaced(benchmark::State& state) { RunClone(state, true, true); }
void BM_ReadUnpaced(benchmark::State& state) { RunClone(state, false, false); }
void BM_WriteUnpaced(benchmark::State& state) { RunClone(state, true, false); }

BENCHMARK(BM_ReadPaced)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_WritePaced)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReadUnpaced)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_WriteUnpaced)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
