// zemra-convert against the printf-only baseline on the same generated board, in one run: the
// time ratio, how the time grows with ten times the records, zemra's peak memory against the
// input's size, and a crafted board that would cost the square of its size if handled naively.
//
// zemra-bench-baseline ZEMRA_CONVERT PRINTF_BASELINE GENERATE_BOARD [RECORDS] [WORK_FOLDER]
//
// The work folder is in memory by default (/dev/shm), so that what is measured is the work of
// the converters and not the speed of a disk. Boards are made by GENERATE_BOARD in a process of
// their own, so that this one stays small while it starts the converters.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "record_builder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRepeats = 5;

struct Measurement {
    double seconds = 0.0;
    double cpuSeconds = 0.0;
    long peakKilobytes = 0;
};

double secondsOf(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs a program to its end; its output goes nowhere.
Measurement measure(const std::vector<std::string>& command) {
    std::vector<char*> arguments;
    for (const std::string& argument : command) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, arguments[0], &actions, nullptr, arguments.data(), environ) != 0) {
        std::cerr << "cannot start " << command[0] << '\n';
        std::exit(2);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << command[0] << " failed\n";
        std::exit(2);
    }
    return {std::chrono::duration<double>(end - start).count(),
            secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime), usage.ru_maxrss};
}

void writeBoard(const fs::path& path, const std::vector<std::byte>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// One IC U1 with a diode pin 10, then `copies` identical diode steps U1_2 at tester pins 102/1
// and as many identical J steps U1_23 at 102/103.
std::vector<std::byte> duplicateBoard(int copies) {
    std::vector<std::byte> bytes;
    zemra::RecordBuilder().name("U1_10").lc("A1").typeCode(10).pins(110, 1).appendTo(bytes);
    for (int copy = 0; copy < copies; ++copy) {
        zemra::RecordBuilder().name("U1_2").lc("A1").typeCode(10).pins(102, 1).appendTo(bytes);
    }
    for (int copy = 0; copy < copies; ++copy) {
        zemra::RecordBuilder().name("U1_23").lc("A1").typeCode(13).pins(102, 103).appendTo(bytes);
    }
    return bytes;
}

bool verdict(bool holds, const std::string& goal) {
    std::cout << (holds ? "  ok    " : "  MISSED ") << goal << '\n';
    return holds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: zemra-bench-baseline ZEMRA_CONVERT PRINTF_BASELINE GENERATE_BOARD "
                     "[RECORDS] [WORK_FOLDER]\n";
        return 2;
    }
    const std::string zemra = argv[1];
    const std::string baseline = argv[2];
    const std::string generator = argv[3];
    const std::size_t records = argc > 4 ? std::stoul(argv[4]) : 1'000'000;
    const fs::path memory = "/dev/shm";
    const fs::path work = argc > 5                   ? fs::path(argv[5])
                          : fs::is_directory(memory) ? memory / "zemra-bench"
                                                     : fs::temp_directory_path() / "zemra-bench";
    fs::create_directories(work);

    const fs::path board = work / "board.cmp";
    const fs::path board10 = work / "board10.cmp";
    const fs::path crafted = work / "crafted.cmp";
    measure({generator, "7", std::to_string(records), board.string()});
    // The same board ten times over: ten times the records of the same make-up. A board
    // generated ten times as large differs in make-up as well (which of its ICs reach the pin
    // files depends on its last diode steps), so it is timed, but not held to the ratio.
    {
        // A piece at a time: this process stays small, since the converters it starts share its
        // memory until they begin.
        std::ofstream out(board10, std::ios::binary);
        std::vector<char> piece(1 << 20);
        for (int copy = 0; copy < 10; ++copy) {
            std::ifstream in(board, std::ios::binary);
            while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) ||
                   in.gcount() > 0) {
                out.write(piece.data(), in.gcount());
            }
        }
    }
    const fs::path generated10 = work / "generated10.cmp";
    measure({generator, "7", std::to_string(records * 10), generated10.string()});
    writeBoard(crafted, duplicateBoard(16'000));
    const auto at = std::string("--at=2002-03-06T15:01:33");
    // Every run writes into an empty folder, so that none pays for removing the set of the run
    // before it, and no more than one set fills the work folder.
    const fs::path outputs = work / "out";
    const auto convert = [&](const fs::path& input) {
        fs::remove_all(outputs);
        fs::create_directories(outputs);
        return measure({zemra, at, "-o", outputs.string(), input.string()});
    };
    const auto outputBytes = [&] {
        std::uintmax_t total = 0;
        for (const auto& entry : fs::recursive_directory_iterator(outputs)) {
            total += entry.is_regular_file() ? entry.file_size() : 0;
        }
        return static_cast<double>(total);
    };
    const auto keepBest = [](Measurement& best, const Measurement& one) {
        best.seconds = std::min(best.seconds, one.seconds);
        best.cpuSeconds = std::min(best.cpuSeconds, one.cpuSeconds);
        best.peakKilobytes = std::max(best.peakKilobytes, one.peakKilobytes);
    };

    // Alternated, so that all three meet the same states of the machine.
    Measurement ours{1e30, 1e30, 0};
    Measurement theirs{1e30, 1e30, 0};
    Measurement tenTimes{1e30, 1e30, 0};
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        keepBest(ours, convert(board));
        keepBest(theirs, measure({baseline, board.string(), (work / "baseline.dat").string()}));
        fs::remove(work / "baseline.dat");
        keepBest(tenTimes, convert(board10));
    }
    fs::remove(board10);
    const double boardOutputBytes = (convert(board), outputBytes());
    const Measurement generatedTenTimes = convert(generated10);
    const double generatedOutputBytes = outputBytes();
    fs::remove(generated10);
    Measurement duplicates{1e30, 1e30, 0};
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        keepBest(duplicates, convert(crafted));
    }

    const double inputMegabytes = static_cast<double>(fs::file_size(board)) / 1e6;
    const double ratio = ours.seconds / theirs.seconds;
    const double growth = tenTimes.seconds / ours.seconds;
    const double peakMegabytes = static_cast<double>(ours.peakKilobytes) * 1024.0 / 1e6;
    std::printf("board of %zu records (%.1f MB), outputs in %s\n", records, inputMegabytes,
                work.c_str());
    std::printf("  printf-only baseline   %7.3f s\n", theirs.seconds);
    std::printf("  zemra-convert          %7.3f s   %.2f x the baseline (%.3f s of CPU)\n",
                ours.seconds, ratio, ours.cpuSeconds);
    std::printf("  the board ten times    %7.3f s   %.2f x the time (%.3f s of CPU)\n",
                tenTimes.seconds, growth, tenTimes.cpuSeconds);
    std::printf(
        "  a generated board of ten times the records: %.3f s, %.2f x the time (%.3f s of "
        "CPU), for %.2f x the output bytes\n",
        generatedTenTimes.seconds, generatedTenTimes.seconds / ours.seconds,
        generatedTenTimes.cpuSeconds, generatedOutputBytes / boardOutputBytes);
    std::printf("  zemra peak RSS         %7.1f MB  (input %.1f MB)\n", peakMegabytes,
                inputMegabytes);
    std::printf("  16,000 identical diode and J steps: %.3f s, %.1f MB\n", duplicates.seconds,
                static_cast<double>(duplicates.peakKilobytes) * 1024.0 / 1e6);
    bool all = true;
    all = verdict(ratio <= 0.75, "at most 0.75 x the baseline's time") && all;
    all = verdict(growth <= 11.0, "ten times the records in at most 11 x the time") && all;
    all = verdict(peakMegabytes <= inputMegabytes, "peak RSS at most the input's size") && all;
    all = verdict(duplicates.seconds < 5.0 && duplicates.peakKilobytes < 200 * 1000,
                  "the crafted board in under 5 s and 200 MB") &&
          all;
    fs::remove_all(work);
    return all ? 0 : 1;
}
