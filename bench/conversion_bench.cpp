// Throughput of whole conversions in memory: record decoding, listing, passes and pin files.
#include <benchmark/benchmark.h>

#include "benchmark_boards.h"
#include "board_generator.h"
#include "pin_step_board.h"
#include "run/convert_board.h"
#include "tester/listing_reader.h"
#include "tester/pin_files_reader.h"

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
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// Reading a conversion's four files back, from memory: to cost no more than converting the board
// (BM_ConvertGeneratedBoard of as many records).
void BM_ReadTesterFilesBack(benchmark::State& state) {
    const auto board = generateBoard(7, static_cast<std::size_t>(state.range(0)));
    MemorySource input(board);
    MemorySink listing;
    MemorySink icn;
    MemorySink icp;
    MemorySink scp;
    convertBoard(input, {"BENCH", {}, {}}, {listing, icn, icp, scp});
    const auto bytesOf = [](const MemorySink& sink) {
        return std::as_bytes(std::span(sink.text()));
    };
    for (auto _ : state) {
        MemorySource listingInput(bytesOf(listing));
        ListingReader reader(listingInput, "BENCH.dat");
        std::int64_t steps = 0;
        while (const ListedColumns* step = reader.next()) {
            steps += step->skip;
        }
        MemorySource icnInput(bytesOf(icn));
        std::vector<ListedIc> ics = readIcnFile(icnInput, "BENCH.icn");
        MemorySource icpInput(bytesOf(icp));
        readIcpFile(icpInput, "BENCH.icp", ics);
        MemorySource scpInput(bytesOf(scp));
        benchmark::DoNotOptimize(readSettingsFile(scpInput, "BENCH.scp"));
        benchmark::DoNotOptimize(steps);
        benchmark::DoNotOptimize(ics.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadTesterFilesBack)
    ->Arg(1'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
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
