// zemra-convert against what a hostile or unlucky user gives it: every case leaves the input as
// it was and an older output set either wholly replaced or wholly intact, and says why.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "behaviour_name.h"
#include "board_generator.h"
#include "golden_boards.h"
#include "in_memory_conversion.h"
#include "process_runner.h"
#include "record_builder.h"
#include "temp_folder.h"

namespace zemra {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

using Result = testing::ProgramResult;

std::string boardBytes(std::uint64_t seed, std::size_t records) {
    const auto board = generateBoard(seed, records);
    return {reinterpret_cast<const char*>(board.data()), board.size()};
}

class ZemraConvertFaults : public ::testing::Test {
  protected:
    // `timeout` keeps a faulty build from waiting forever on a FIFO.
    Result run(const std::string& arguments) {
        return testing::runProgram("/usr/bin/timeout", "60 '" ZEMRA_CONVERT_PATH "' " + arguments,
                                   folder.path());
    }

    // The four outputs of `title` in `outputs`, with their bytes.
    static std::map<std::string, std::string> setIn(const fs::path& outputs,
                                                    const std::string& title) {
        std::map<std::string, std::string> set;
        for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
            const fs::path path = outputs / (title + extension);
            set[extension] = fs::exists(path) ? readFile(path) : "missing";
        }
        return set;
    }

    // Runs zemra-convert with its standard output sent where the shell redirection `to` says.
    Result runWithOutput(const std::string& arguments, const std::string& to) {
        return testing::runProgram(
            "/bin/sh", "-c '\"$0\" \"$@\" " + to + "' '" ZEMRA_CONVERT_PATH "' " + arguments,
            folder.path());
    }

    static std::vector<std::string> leftovers(const fs::path& outputs) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(outputs)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(".z")) {
                names.push_back(name);
            }
        }
        return names;
    }

    TempFolder folder;
};

TEST_F(ZemraConvertFaults, UnreadableInputFailsAndKeepsTheOlderSet) {
    // /proc/self/mem opens like a file and fails at the first read.
    fs::create_directories(folder / "mem");
    writeFile(folder / "mem" / "mem.dat", "older listing");
    const Result result = run("-o . /proc/self/mem");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "zemra-convert: /proc/self/mem: 파일을 읽을 수 없습니다. "
              "(Input/output error)\n");
    EXPECT_EQ(testing::entriesOf(folder / "mem"), (std::vector<std::string>{"mem.dat"}));
    EXPECT_EQ(readFile(folder / "mem" / "mem.dat"), "older listing");
}

struct RefusedInput {
    const char* behaviour;
    const char* reason;
};

TEST_F(ZemraConvertFaults, InputsThatAreNoFilesAreRefusedBeforeAnyRead) {
    ASSERT_EQ(mkfifo((folder / "pipe.cmp").c_str(), 0600), 0);
    fs::create_directory(folder / "folder.cmp");
    for (const auto& [input, reason] :
         std::vector<std::pair<std::string, std::string>>{{"pipe.cmp", "is not a regular file"},
                                                          {"folder.cmp", "is a folder, not a file"},
                                                          {"/dev/null", "is not a regular file"},
                                                          {"missing.cmp", "no such file"}}) {
        const Result result = run(input);
        EXPECT_EQ(result.exitStatus, 1) << input;
        EXPECT_EQ(result.err,
                  "zemra-convert: " + input + ": 파일이 존재하지 않습니다. (" + reason + ")\n");
        EXPECT_EQ(result.out, "") << input;
    }
    EXPECT_EQ(testing::entriesOf(folder.path()),
              (std::vector<std::string>{"folder.cmp", "pipe.cmp"}));
}

TEST_F(ZemraConvertFaults, OutputFolderThatIsNoFolderIsAnError) {
    writeFile(folder / "a.cmp", "");
    writeFile(folder / "file.txt", "x");
    Result result = run("-o file.txt a.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "zemra-convert: -o file.txt is not a folder\n");
    result = run("-o nowhere a.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "zemra-convert: -o nowhere does not exist\n");
    EXPECT_EQ(testing::entriesOf(folder.path()), (std::vector<std::string>{"a.cmp", "file.txt"}));
}

TEST_F(ZemraConvertFaults, SecondInputOfTheSameOutputSetIsNotConverted) {
    fs::create_directories(folder / "a");
    fs::create_directories(folder / "b");
    fs::create_directories(folder / "out");
    writeFile(folder / "a" / "X.cmp", boardBytes(1, 200));
    writeFile(folder / "b" / "X.cmp", boardBytes(2, 200));
    const Result alone = run("--at 2002-03-06T15:01:33 -o out a/X.cmp");
    ASSERT_EQ(alone.exitStatus, 0);
    const auto outputsOfA = setIn(folder / "out" / "X", "X");

    const Result both = run("--at 2002-03-06T15:01:33 -o out a/X.cmp b/X.cmp a/X.cmp");
    EXPECT_EQ(both.exitStatus, 1);
    EXPECT_EQ(both.out, "out/X\n");
    EXPECT_NE(both.err.find("zemra-convert: b/X.cmp: not converted: its outputs"),
              std::string::npos)
        << both.err;
    EXPECT_NE(both.err.find("would replace those of a/X.cmp"), std::string::npos) << both.err;
    EXPECT_EQ(setIn(folder / "out" / "X", "X"), outputsOfA);
}

TEST_F(ZemraConvertFaults, SameInputGivenTwiceIsConvertedOnce) {
    writeFile(folder / "a.cmp", boardBytes(1, 50));
    const Result result = run("a.cmp ./a.cmp .//a.cmp '" + (folder / "a.cmp").string() + "'");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, (folder / "a").string() + "\n");
    EXPECT_EQ(result.err, "zemra-convert: a.cmp: 변환을 마쳤습니다\n");
}

TEST_F(ZemraConvertFaults, EveryNameOfAnInputIsConvertedIntoAFolderOfItsOwn) {
    fs::create_directories(folder / "b");
    writeFile(folder / "a.cmp", boardBytes(1, 50));
    fs::create_hard_link(folder / "a.cmp", folder / "H.cmp");
    fs::create_hard_link(folder / "a.cmp", folder / "b" / "a.cmp");
    fs::create_symlink("a.cmp", folder / "S.cmp");
    const Result result = run("--at 2002-03-06T15:01:33 a.cmp H.cmp S.cmp b/a.cmp");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    const fs::path at = folder.path();
    EXPECT_EQ(result.out, (at / "a").string() + "\n" + (at / "H").string() + "\n" +
                              (at / "S").string() + "\n" + (at / "b" / "a").string() + "\n");
    const std::string listing = readFile(at / "a" / "a.icp");
    for (const char* title : {"H", "S"}) {
        EXPECT_EQ(readFile(at / title / (std::string(title) + ".icp")), listing) << title;
    }
    EXPECT_EQ(readFile(at / "b" / "a" / "a.dat"), readFile(at / "a" / "a.dat"));
}

TEST_F(ZemraConvertFaults, LongestTitleThatFitsConverts) {
    const std::string title(251, 'L');
    writeFile(folder / (title + ".cmp"), boardBytes(1, 50));
    const Result result = run(title + ".cmp");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(setIn(folder / title, title).count(".dat"), 1U);
    EXPECT_NE(readFile(folder / title / (title + ".scp")), "missing");
    EXPECT_TRUE(leftovers(folder / title).empty());
}

// A small file system of its own, which only root can mount.
class SmallDisk {
  public:
    explicit SmallDisk(const fs::path& at) : at_(at) {
        fs::create_directories(at);
        mounted_ = mount("zemra-test", at.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            umount(at_.c_str());
        }
    }
    bool mounted() const { return mounted_; }

  private:
    fs::path at_;
    bool mounted_ = false;
};

TEST_F(ZemraConvertFaults, FullDiskKeepsTheOlderSetAndStopsAtTheFirstFailedWrite) {
    const SmallDisk disk(folder / "disk");
    if (!disk.mounted()) {
        GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    writeFile(folder / "old.cmp", boardBytes(1, 300));
    writeFile(folder / "big.cmp", boardBytes(2, 20000));
    ASSERT_EQ(run("-o disk old.cmp").exitStatus, 0);
    fs::rename(folder / "disk" / "old", folder / "disk" / "B");
    for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
        fs::rename(folder / "disk" / "B" / (std::string("old") + extension),
                   folder / "disk" / "B" / (std::string("B") + extension));
    }
    const auto older = setIn(folder / "disk" / "B", "B");
    fs::copy_file(folder / "big.cmp", folder / "B.cmp");
    Result result = run("-o disk B.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "zemra-convert: B.cmp: DAT 파일이 생성되지 않습니다. (No space left on device)\n");
    EXPECT_EQ(setIn(folder / "disk" / "B", "B"), older);
    EXPECT_TRUE(leftovers(folder / "disk" / "B").empty());

    // Eight records naming IC pin 99999999: an .icp of two thousand million bytes, which must
    // stop at the first write that fails rather than format them all.
    fs::remove_all(folder / "disk" / "B");
    std::vector<RecordBuilder> records{RecordBuilder().name("U1_99999999").typeCode(10).pins(5, 1)};
    for (int pin = 1; pin < 8; ++pin) {
        records.push_back(
            RecordBuilder().name("U1_" + std::to_string(pin)).typeCode(10).pins(6 + pin, 1));
    }
    writeFile(folder / "huge.cmp", testing::recordsOf(records));
    result = run("-o disk huge.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err,
              "zemra-convert: huge.cmp: ICP 파일이 생성되지 않습니다. (No space left on device)\n");
    EXPECT_TRUE(testing::entriesOf(folder / "disk" / "huge").empty());
}

constexpr const char* kOutputFull =
    "zemra-convert: cannot write to standard output: No space left on device\n";

TEST_F(ZemraConvertFaults, FullStandardOutputFailsEveryKindOfOutput) {
    writeFile(folder / "B.cmp", boardBytes(1, 300));
    for (const char* arguments : {"--dump B.cmp", "--report=json -o . B.cmp", "--report -o . B.cmp",
                                  "-o . B.cmp", "--help", "--version"}) {
        const Result result = runWithOutput(arguments, ">/dev/full");
        EXPECT_EQ(result.exitStatus, 1) << arguments;
        EXPECT_TRUE(result.err.ends_with(kOutputFull)) << arguments << ": " << result.err;
    }
}

TEST_F(ZemraConvertFaults, ClosedStandardOutputFailsAndLeavesTheOutputsWhole) {
    writeFile(folder / "a.cmp", boardBytes(1, 300));
    writeFile(folder / "b.cmp", boardBytes(2, 300));
    ASSERT_EQ(run("--at 2002-03-06T15:01:33 -o . a.cmp b.cmp").exitStatus, 0);
    const auto outputsOfA = setIn(folder / "a", "a");
    const auto outputsOfB = setIn(folder / "b", "b");
    const Result result = runWithOutput("--at 2002-03-06T15:01:33 -o . a.cmp b.cmp", ">&-");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(result.err.ends_with(
        "zemra-convert: cannot write to standard output: Bad file descriptor\n"))
        << result.err;
    EXPECT_EQ(setIn(folder / "a", "a"), outputsOfA);
    EXPECT_EQ(setIn(folder / "b", "b"), outputsOfB);
}

TEST_F(ZemraConvertFaults, DumpOntoAFullDiskFails) {
    const SmallDisk disk(folder / "disk");
    if (!disk.mounted()) {
        GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    writeFile(folder / "big.cmp", boardBytes(2, 2000));
    const Result result = runWithOutput("--dump big.cmp", ">disk/big.csv");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, kOutputFull);
}

// The workbook and the library's working files are made on the disk it goes to, never in the
// folder for temporary files. The library says its own words on a failure first.
TEST_F(ZemraConvertFaults, WorkbookOntoAFullDiskLeavesNothingBehind) {
    const SmallDisk disk(folder / "disk");
    if (!disk.mounted()) {
        GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    fs::create_directory(folder / "tmp");
    writeFile(folder / "big.cmp", boardBytes(2, 20000));
    Result result = testing::runProgram(
        "/usr/bin/env", "TMPDIR=tmp '" ZEMRA_CONVERT_PATH "' --dump=xlsx -o disk big.cmp",
        folder.path());
    EXPECT_EQ(result.exitStatus, 1);
    const std::string lastLine =
        result.err.substr(result.err.rfind('\n', result.err.size() - 2) + 1);
    EXPECT_TRUE(lastLine.starts_with("zemra-convert: big.cmp: the workbook was not written: "))
        << result.err;
    EXPECT_TRUE(lastLine.ends_with("No space left on device)\n") ||
                lastLine.ends_with(": No space left on device\n"))
        << result.err;
    EXPECT_TRUE(testing::entriesOf(folder / "disk").empty());
    EXPECT_TRUE(testing::entriesOf(folder / "tmp").empty());

    result = testing::runProgram("/usr/bin/env",
                                 "TMPDIR=tmp '" ZEMRA_CONVERT_PATH "' --dump=xlsx -o . big.cmp",
                                 folder.path());
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "./big.xlsx\n");
    EXPECT_TRUE(testing::entriesOf(folder / "tmp").empty());
}

TEST_F(ZemraConvertFaults, ClosedPipeFailsWhereItsSignalIsIgnored) {
    writeFile(folder / "big.cmp", boardBytes(2, 5000));
    const Result result = testing::runProgram(
        "/bin/sh",
        "-c 'trap \"\" PIPE; { \"$0\" \"$@\"; echo $? >status; } | :' '" ZEMRA_CONVERT_PATH
        "' --dump big.cmp",
        folder.path());
    EXPECT_EQ(readFile(folder / "status"), "1\n");
    EXPECT_EQ(result.err, "zemra-convert: cannot write to standard output: Broken pipe\n");
}

// A newline in a name would split its line in two; every name the program prints is escaped.
TEST_F(ZemraConvertFaults, NamesWithControlCharactersTakeOneLineEach) {
    for (const char* name : {"a\nb.cmp", "t\tab\x1b.cmp", "back\\slash.cmp"}) {
        writeFile(folder / name, boardBytes(1, 20));
    }
    Result result = run("-o . 'a\nb.cmp' 't\tab\x1b.cmp' 'back\\slash.cmp' 'gone\r.cmp'");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "./a\\nb\n./t\\tab\\x1b\n./back\\\\slash\n");
    EXPECT_EQ(result.err,
              "zemra-convert: a\\nb.cmp: 변환을 마쳤습니다\n"
              "zemra-convert: t\\tab\\x1b.cmp: 변환을 마쳤습니다\n"
              "zemra-convert: back\\\\slash.cmp: 변환을 마쳤습니다\n"
              "zemra-convert: gone\\r.cmp: 파일이 존재하지 않습니다. (no such file)\n");
    EXPECT_TRUE(fs::exists(folder / "a\nb" / "a\nb.dat"));

    result = run("--report -o . 'a\nb.cmp'");
    EXPECT_TRUE(result.out.starts_with("a\\nb.cmp: 20 records, ")) << result.out;
    EXPECT_NE(result.out.find("; outputs in ./a\\nb\n"), std::string::npos) << result.out;
}

// Whether `folder` holds a temporary file of a run.
bool holdsATemporary(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().filename().string().starts_with(".zt")) {
            return true;
        }
    }
    return false;
}

// The processor time that process `pid` has spent in its own code, in ticks of a hundredth of a
// second.
long processorTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // After the name, which may hold blanks, in parentheses: utime is the 12th field.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int index = 0; index < 12 && fields >> field; ++index) {
    }
    return field.empty() ? 0 : std::stol(field);
}

// Runs zemra-convert with `arguments` in `folder`, sends it `signal` once `started` says so (or
// after ten seconds), and returns its exit status.
int interruptedRun(const fs::path& folder, const std::vector<std::string>& arguments, int signal,
                   const std::function<bool(pid_t)>& started) {
    std::vector<char*> argv{const_cast<char*>(ZEMRA_CONVERT_PATH)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) == 0) {
            execv(ZEMRA_CONVERT_PATH, argv.data());
        }
        _exit(127);
    }
    for (int attempt = 0; attempt < 2000 && !started(child); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(child, signal);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sends `signal` once the conversion of `input` has begun writing its outputs.
int interruptedRun(const fs::path& folder, const std::string& input, int signal) {
    const fs::path outputs = folder / fs::path(input).stem();
    return interruptedRun(folder, {"-o", ".", input}, signal,
                          [&outputs](pid_t) { return holdsATemporary(outputs); });
}

TEST_F(ZemraConvertFaults, InterruptRemovesTheTemporariesAndKeepsTheOlderSet) {
    // An .icp of two thousand million bytes: long enough to interrupt.
    writeFile(folder / "slow.cmp", testing::longIcpBoard(99999999));
    fs::create_directories(folder / "slow");
    writeFile(folder / "slow" / "slow.icp", "older pins");
    for (const auto& [signal, status] :
         {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}}) {
        EXPECT_EQ(interruptedRun(folder.path(), "slow.cmp", signal), status);
        EXPECT_EQ(testing::entriesOf(folder / "slow"), (std::vector<std::string>{"slow.icp"}));
        EXPECT_EQ(readFile(folder / "slow" / "slow.icp"), "older pins");
    }
}

// Stopped while it writes a page or a workbook, or while it compares, a run leaves the files it
// would have replaced as they were, and no temporary.
TEST_F(ZemraConvertFaults, InterruptedPageWorkbookAndDiffLeaveTheOlderFiles) {
    writeFile(folder / "slow.cmp", testing::longIcpBoard(99999999));
    writeFile(folder / "small.cmp", boardBytes(1, 20));
    // The older page and workbook, of a small board.
    ASSERT_EQ(run("--html page.html -o . small.cmp").exitStatus, 0);
    fs::create_directories(folder / "book");
    fs::copy_file(folder / "small.cmp", folder / "book" / "big.cmp");
    ASSERT_EQ(run("--dump=xlsx -o book book/big.cmp").exitStatus, 0);
    const std::string page = readFile(folder / "page.html");
    const std::string book = readFile(folder / "book" / "big.xlsx");
    writeFile(folder / "book" / "big.cmp", boardBytes(2, 400000));

    EXPECT_EQ(interruptedRun(folder.path(), {"--html", "page.html", "-o", ".", "slow.cmp"}, SIGINT,
                             [this](pid_t) { return holdsATemporary(folder.path()); }),
              130);
    EXPECT_EQ(readFile(folder / "page.html"), page);
    EXPECT_FALSE(holdsATemporary(folder.path()));
    EXPECT_FALSE(holdsATemporary(folder / "slow"));

    EXPECT_EQ(interruptedRun(folder.path(), {"--dump=xlsx", "-o", "book", "book/big.cmp"}, SIGTERM,
                             [this](pid_t) { return holdsATemporary(folder / "book"); }),
              143);
    EXPECT_EQ(testing::entriesOf(folder / "book"),
              (std::vector<std::string>{"big.cmp", "big.xlsx"}));
    EXPECT_EQ(readFile(folder / "book" / "big.xlsx"), book);

    // A comparison writes nothing until it has read both revisions: it is stopped once it has
    // spent a fifth of a second of processor time on them.
    EXPECT_EQ(
        interruptedRun(folder.path(), {"--diff", "--html", "diff.html", "slow.cmp", "small.cmp"},
                       SIGINT, [](pid_t child) { return processorTicks(child) >= 20; }),
        130);
    EXPECT_FALSE(fs::exists(folder / "diff.html"));
    EXPECT_FALSE(holdsATemporary(folder.path()));
}

struct ClockCase {
    const char* behaviour;
    const char* clock;      // as faketime takes it
    const char* arguments;  // after the program
    int exitStatus;
    const char* err;

    friend void PrintTo(const ClockCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class SystemClock : public ZemraConvertFaults, public ::testing::WithParamInterface<ClockCase> {};

// The clock is set back or forward for the program alone with faketime (Debian: faketime).
TEST_P(SystemClock, OutsideTheListedYearsIsRefusedUnlessAtIsGiven) {
    if (std::system("command -v faketime >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "faketime is missing";
    }
    writeFile(folder / "y.cmp", boardBytes(1, 20));
    // faketime preloads its library, which a sanitized build must be told to accept.
    const Result result = testing::runProgram(
        "/bin/sh",
        std::string("-c 'ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0\" "
                    "NO_FAKE_STAT=1 exec faketime \"$0\" \"$@\"' '") +
            GetParam().clock + "' '" ZEMRA_CONVERT_PATH "' " + GetParam().arguments,
        folder.path());
    EXPECT_EQ(result.exitStatus, GetParam().exitStatus) << result.err;
    EXPECT_EQ(result.err, GetParam().err);
    EXPECT_EQ(fs::exists(folder / "y"), GetParam().exitStatus == 0);
}

INSTANTIATE_TEST_SUITE_P(
    ZemraConvertFaults, SystemClock,
    ::testing::Values(
        ClockCase{"After2099", "2101-03-04 10:00:00", "y.cmp", 1,
                  "zemra-convert: the system clock says 2101, and a listing shows the years 2000 "
                  "to 2099 only: give the time with --at\n"},
        ClockCase{"Before2000", "1999-12-31 23:59:00", "y.cmp", 1,
                  "zemra-convert: the system clock says 1999, and a listing shows the years 2000 "
                  "to 2099 only: give the time with --at\n"},
        ClockCase{"GivenTimeStandsForTheClock", "2101-03-04 10:00:00",
                  "--at 2002-03-06T15:01:33 y.cmp", 0, "zemra-convert: y.cmp: 변환을 마쳤습니다\n"},
        ClockCase{"LastListedYear", "2099-12-31 10:00:00", "y.cmp", 0,
                  "zemra-convert: y.cmp: 변환을 마쳤습니다\n"}),
    testing::BehaviourName());

// How a shell starts a run that must outlive its terminal or a Ctrl+C, and the signal that the
// run then ignores.
struct IgnoredSignalCase {
    const char* behaviour;
    const char* launch;  // words before the program in a shell's command line
    int signal;

    friend void PrintTo(const IgnoredSignalCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class IgnoredSignals : public ZemraConvertFaults,
                       public ::testing::WithParamInterface<IgnoredSignalCase> {};

// The run is started in the background of a shell, as a script or `nohup ... &` starts it; the
// signal comes while it writes, and SIGTERM afterwards stops it as ever.
TEST_P(IgnoredSignals, StayIgnoredAndTheRunGoesOn) {
    writeFile(folder / "slow.cmp", testing::longIcpBoard(99999999));
    fs::create_directories(folder / "slow");
    writeFile(folder / "slow" / "slow.icp", "older pins");
    testing::StartedProgram shell("/bin/sh",
                                  std::string("-c '") + GetParam().launch +
                                      " \"$0\" -o . slow.cmp 2>err & echo $! >pid; wait $!; echo "
                                      "$? >status' '" ZEMRA_CONVERT_PATH "'",
                                  folder.path());
    bool writing = false;
    for (int attempt = 0; attempt < 2000 && !writing; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        writing = fs::exists(folder / "pid") && !leftovers(folder / "slow").empty();
    }
    ASSERT_TRUE(writing);
    const auto run = static_cast<pid_t>(std::stoi(readFile(folder / "pid")));
    kill(run, GetParam().signal);
    // A run that took the signal would stop at its next write, within milliseconds.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(fs::exists(folder / "status"));
    kill(run, SIGTERM);
    shell.wait();
    EXPECT_EQ(readFile(folder / "status"), "143\n") << readFile(folder / "err");
    EXPECT_EQ(testing::entriesOf(folder / "slow"), (std::vector<std::string>{"slow.icp"}));
    EXPECT_EQ(readFile(folder / "slow" / "slow.icp"), "older pins");
}

INSTANTIATE_TEST_SUITE_P(ZemraConvertFaults, IgnoredSignals,
                         ::testing::Values(IgnoredSignalCase{"HangupUnderNohup", "nohup", SIGHUP},
                                           IgnoredSignalCase{"InterruptOfABackgroundJob", "",
                                                             SIGINT},
                                           IgnoredSignalCase{"QuitOfABackgroundJob", "", SIGQUIT}),
                         testing::BehaviourName());

}  // namespace
}  // namespace zemra
