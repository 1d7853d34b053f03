// Throughput of whole conversions in memory: record decoding, listing, passes and pin files.
#include <benchmark/benchmark.h>

#include "benchmark_boards.h"
#include "board_generator.h"
#include "pin_step_board.h"
#include "run/convert_board.h"

namespace zemra {
namespace {

std::size_t convert(const std::vector<std::byte>& board) {
    MemorySource input(board);
    DiscardingSink listing;
    DiscardingSink icn;
    DiscardingSink icp;
    DiscardingSink scp;
    return convertBoard(input, {"BENCH", {}, {}}, {listing, icn, icp, scp}).ics.size();
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

// A board dense in ICs, whose passes carry as much work as its listing.
void BM_ConvertIcDenseBoard(benchmark::State& state) {
    std::vector<std::byte> board;
    makeIcDenseBoard(static_cast<std::size_t>(state.range(0)),
                     [&board](const std::vector<std::byte>& records) {
                         board.insert(board.end(), records.begin(), records.end());
                     });
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert(board));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(board.size() / 64));
}
BENCHMARK(BM_ConvertIcDenseBoard)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

// Pin steps over many devices: the passes must stay linear in both.
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
