// Throughput of whole conversions: record decoding, listing, passes and pin files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <span>

#include "board_generator.h"
#include "pin_step_board.h"
#include "run/conversion.h"

namespace zemra {
namespace {

// Outputs go through the file path of a run, into the null device.
std::size_t convert(const std::vector<std::byte>& board) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> sink(std::fopen("/dev/null", "wb"),
                                                               &std::fclose);
    TextOutput listing = TextOutput::toFile(sink.get());
    TextOutput icn = TextOutput::toFile(sink.get());
    TextOutput icp = TextOutput::toFile(sink.get());
    TextOutput scp = TextOutput::toFile(sink.get());
    Conversion conversion({}, {listing, icn, icp, scp});
    conversion.writeListingHeader("BENCH", {});
    for (std::size_t offset = 0; offset + kRecordSize <= board.size(); offset += kRecordSize) {
        conversion.convertRecord(
            std::span<const std::byte, kRecordSize>(board.data() + offset, kRecordSize));
    }
    conversion.runPasses();
    conversion.writeSettingsFile();
    return conversion.lists().icJPins.size() + static_cast<std::size_t>(listing.flush()) +
           static_cast<std::size_t>(icp.flush());
}

void BM_ConvertGeneratedBoard(benchmark::State& state) {
    const auto board = generateBoard(7, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert(board));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ConvertGeneratedBoard)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

// 100,000 pin steps over 20,000 devices: the passes must stay linear in both.
void BM_ConvertPinStepBoard(benchmark::State& state) {
    const auto board = makePinStepBoard(static_cast<std::size_t>(state.range(0)),
                                        static_cast<std::size_t>(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert(board));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ConvertPinStepBoard)
    ->Args({10'000, 2'000})
    ->Args({100'000, 20'000})
    ->Args({200'000, 40'000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zemra

BENCHMARK_MAIN();
