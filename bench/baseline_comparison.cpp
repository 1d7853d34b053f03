// zemra-convert against the printf-only baseline, side by side in one run, on the two benchmark
// boards: the project's generated board and the IC-dense board. For each, the time ratio, how the
// time grows with ten times the records, and zemra's peak memory against the input's size; then a
// crafted board that would cost the square of its size if handled naively.
//
// zemra-bench-baseline ZEMRA_CONVERT PRINTF_BASELINE GENERATE_BOARD [RECORDS] [WORK_FOLDER]
//
// The work folder is in memory by default (/dev/shm), so that what is measured is the work of
// the converters and not the speed of a disk. Boards are written a piece at a time, and the
// generated board by GENERATE_BOARD in a process of its own, so that this one stays small while
// it starts the converters.
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

#include "benchmark_boards.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRepeats = 5;
// The IC-dense board of the figures, and ten times its ICs.
constexpr std::size_t kDenseDevices = 71'429;
constexpr std::size_t kDuplicateCopies = 16'000;

struct Measurement {
    double seconds = 1e30;
    double cpuSeconds = 1e30;
    long peakKilobytes = 0;

    // The best time of several runs, and the most memory.
    void keepBest(const Measurement& one) {
        seconds = std::min(seconds, one.seconds);
        cpuSeconds = std::min(cpuSeconds, one.cpuSeconds);
        peakKilobytes = std::max(peakKilobytes, one.peakKilobytes);
    }
    double peakMegabytes() const { return static_cast<double>(peakKilobytes) * 1024.0 / 1e6; }
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

// Writes a board a piece at a time.
void writeBoard(const fs::path& path, void (*make)(std::size_t, const zemra::RecordPieces&),
                std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    make(size, [&out](const std::vector<std::byte>& records) {
        out.write(reinterpret_cast<const char*>(records.data()),
                  static_cast<std::streamsize>(records.size()));
    });
}

// The same board ten times over.
void writeTenTimes(const fs::path& board, const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    std::vector<char> piece(std::size_t{1} << 20U);
    for (int copy = 0; copy < 10; ++copy) {
        std::ifstream in(board, std::ios::binary);
        while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) ||
               in.gcount() > 0) {
            out.write(piece.data(), in.gcount());
        }
    }
}

bool verdict(bool holds, const std::string& goal) {
    std::cout << (holds ? "  ok    " : "  MISSED ") << goal << '\n';
    return holds;
}

// A benchmark board, a board of ten times its records of the same make-up, and what they cost.
struct Board {
    std::string name;
    fs::path one;
    fs::path ten;
    double ratioGoal;
    Measurement zemra{};
    Measurement baseline{};
    Measurement zemraTenTimes{};

    // Shows the figures and whether they meet their goals.
    bool report() const {
        const double inputMegabytes = static_cast<double>(fs::file_size(one)) / 1e6;
        const double ratio = zemra.seconds / baseline.seconds;
        const double growth = zemraTenTimes.seconds / zemra.seconds;
        std::printf("%s (%.1f MB)\n", name.c_str(), inputMegabytes);
        std::printf("  printf-only baseline   %7.3f s   (%.3f s of CPU)\n", baseline.seconds,
                    baseline.cpuSeconds);
        std::printf("  zemra-convert          %7.3f s   %.2f x the baseline (%.3f s of CPU)\n",
                    zemra.seconds, ratio, zemra.cpuSeconds);
        std::printf("  ten times the records  %7.3f s   %.2f x the time (%.3f s of CPU)\n",
                    zemraTenTimes.seconds, growth, zemraTenTimes.cpuSeconds);
        std::printf("  zemra peak RSS         %7.1f MB  (%.2f x the input; ten times: %.1f MB)\n",
                    zemra.peakMegabytes(), zemra.peakMegabytes() / inputMegabytes,
                    zemraTenTimes.peakMegabytes());
        char goal[64];
        std::snprintf(goal, sizeof goal, "at most %.2f x the baseline's time", ratioGoal);
        bool all = verdict(ratio <= ratioGoal, goal);
        all = verdict(growth <= 11.0, "ten times the records in at most 11 x the time") && all;
        all = verdict(zemra.peakMegabytes() <= inputMegabytes / 2,
                      "peak RSS at most half the input's size") &&
              all;
        return all;
    }
};

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

    // The generated board's ten times is the same board ten times over. A board generated ten
    // times as large differs in make-up as well (which of its ICs reach the pin files depends on
    // its last diode steps), so it is timed, but not held to the ratio. The IC-dense board's ten
    // times has ten times the ICs, each made up alike.
    Board generated{"generated board of " + std::to_string(records) + " records",
                    work / "board.cmp", work / "board10.cmp", 0.5};
    measure({generator, "7", std::to_string(records), generated.one.string()});
    writeTenTimes(generated.one, generated.ten);
    Board dense{"IC-dense board of " + std::to_string(kDenseDevices) + " ICs", work / "dense.cmp",
                work / "dense10.cmp", 0.6};
    writeBoard(dense.one, zemra::makeIcDenseBoard, kDenseDevices);
    writeBoard(dense.ten, zemra::makeIcDenseBoard, kDenseDevices * 10);
    const fs::path crafted = work / "crafted.cmp";
    writeBoard(crafted, zemra::makeDuplicateBoard, kDuplicateCopies);

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

    // Alternated, so that all runs meet the same states of the machine.
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        for (Board* board : {&generated, &dense}) {
            board->zemra.keepBest(convert(board->one));
            board->baseline.keepBest(
                measure({baseline, board->one.string(), (work / "baseline.dat").string()}));
            fs::remove(work / "baseline.dat");
            board->zemraTenTimes.keepBest(convert(board->ten));
        }
    }
    fs::remove(generated.ten);
    fs::remove(dense.ten);
    const double boardOutputBytes = (convert(generated.one), outputBytes());
    const fs::path generated10 = work / "generated10.cmp";
    measure({generator, "7", std::to_string(records * 10), generated10.string()});
    const Measurement generatedTenTimes = convert(generated10);
    const double generatedOutputBytes = outputBytes();
    fs::remove(generated10);
    Measurement duplicates;
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        duplicates.keepBest(convert(crafted));
    }

    std::printf("outputs in %s\n", work.c_str());
    bool all = generated.report();
    std::printf(
        "  a generated board of ten times the records: %.3f s, %.2f x the time (%.3f s of "
        "CPU), for %.2f x the output bytes\n",
        generatedTenTimes.seconds, generatedTenTimes.seconds / generated.zemra.seconds,
        generatedTenTimes.cpuSeconds, generatedOutputBytes / boardOutputBytes);
    all = dense.report() && all;
    std::printf("%zu identical diode and J steps: %.3f s, %.1f MB\n", kDuplicateCopies,
                duplicates.seconds, duplicates.peakMegabytes());
    all = verdict(duplicates.seconds < 5.0 && duplicates.peakKilobytes < 200 * 1000,
                  "the crafted board in under 5 s and 200 MB") &&
          all;
    fs::remove_all(work);
    return all ? 0 : 1;
}
