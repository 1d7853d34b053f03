// zemra-convert.exe as a Windows user meets it: in a console window, and with the wildcards that
// cmd.exe leaves to the program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "behaviour_name.h"
#include "golden_boards.h"
#include "platform/utf16.h"
#include "platform/utf8_paths.h"
#include "process_runner.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using platform::pathFromUtf8;
using testing::TempFolder;
using testing::writeFile;

struct ConsoleRun {
    DWORD exitCode = 0;
    std::string screen;  // what the console showed, as UTF-8 text with escape sequences
};

// Runs zemra-convert.exe in `folder` in a pseudo console, with the console as its standard
// streams, as in a cmd.exe window.
ConsoleRun runInConsole(const std::string& arguments, const std::filesystem::path& folder) {
    HANDLE consoleInput = nullptr;
    HANDLE keyboard = nullptr;
    HANDLE screenOutput = nullptr;
    HANDLE consoleOutput = nullptr;
    CreatePipe(&consoleInput, &keyboard, nullptr, 0);
    CreatePipe(&screenOutput, &consoleOutput, nullptr, 0);
    HPCON console = nullptr;
    ConsoleRun run;
    if (CreatePseudoConsole(COORD{200, 25}, consoleInput, consoleOutput, 0, &console) != S_OK) {
        ADD_FAILURE() << "no pseudo console";
        return run;
    }
    CloseHandle(consoleInput);
    CloseHandle(consoleOutput);
    std::thread reader([&run, screenOutput] {
        char buffer[4096];
        DWORD count = 0;
        while (ReadFile(screenOutput, buffer, sizeof(buffer), &count, nullptr) && count > 0) {
            run.screen.append(buffer, count);
        }
    });

    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<std::byte> storage(size);
    const auto attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
    InitializeProcThreadAttributeList(attributes, 1, 0, &size);
    UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE, console,
                              sizeof(console), nullptr, nullptr);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof(startup);
    startup.lpAttributeList = attributes;
    std::wstring commandLine = L"\"" ZEMRA_CONSOLE_SHIM_PATH L"\" \"" ZEMRA_CONVERT_PATH L"\" " +
                               platform::utf16FromUtf8(arguments);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                       EXTENDED_STARTUPINFO_PRESENT, nullptr, folder.c_str(), &startup.StartupInfo,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "zemra-convert.exe did not start";
    }
    // Closing the console ends its output, and so the reader.
    ClosePseudoConsole(console);
    reader.join();
    CloseHandle(screenOutput);
    CloseHandle(keyboard);
    DeleteProcThreadAttributeList(attributes);
    return run;
}

TEST(WindowsConsole, ShowsKoreanMessagesAndNamesAsKorean) {
    const TempFolder folder;
    writeFile(folder.path() / pathFromUtf8("보드.cmp"), "");
    const ConsoleRun run = runInConsole("-o . 보드.cmp 없음.cmp", folder.path());
    EXPECT_EQ(run.exitCode, 1u);
    for (const char* line : {".\\보드", "zemra-convert: 보드.cmp: 변환을 마쳤습니다",
                             "zemra-convert: 없음.cmp: 파일이 존재하지 않습니다."}) {
        EXPECT_NE(run.screen.find(line), std::string::npos) << line << " in\n" << run.screen;
    }
}

struct StopEvent {
    const char* behaviour;
    DWORD event;

    friend void PrintTo(const StopEvent& stop, std::ostream* out) { *out << stop.behaviour; }
};

class ConsoleStops : public ::testing::TestWithParam<StopEvent> {};

// The system tells a console program that its window is closing, or the user logging off, or the
// machine shutting down, by running the program's handlers on a thread of the system's routine for
// that, and ends the program a few seconds later. The run stops, removes its temporaries and keeps
// the older set meanwhile.
TEST_P(ConsoleStops, RemoveTheTemporariesAndKeepTheOlderSet) {
    const TempFolder folder;
    // An .icp of 23 MB: long enough to stop the run while it is written.
    writeFile(folder.path() / "slow.cmp", testing::longIcpBoard(999999));
    const std::filesystem::path outputs = folder.path() / "slow";
    std::filesystem::create_directories(outputs);
    writeFile(outputs / "slow.icp", "older pins");
    testing::StartedProgram run(ZEMRA_CONVERT_PATH, "-o . slow.cmp", folder.path());
    bool writing = false;
    for (int attempt = 0; attempt < 30000 && !writing; ++attempt) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(outputs, error)) {
            writing = writing || (entry.path().filename().string().starts_with(".zt-") &&
                                  entry.file_size(error) > 1000000);
        }
        Sleep(1);
    }
    ASSERT_TRUE(writing);
    // The system's routine lies at the same address in every process.
    const auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CtrlRoutine")));
    ASSERT_NE(routine, nullptr);
    const HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, run.id());
    const HANDLE thread = CreateRemoteThread(process, nullptr, 0, routine,
                                             reinterpret_cast<void*>(GetParam().event), 0, nullptr);
    EXPECT_NE(thread, nullptr);
    const testing::ProgramResult result = run.wait();
    CloseHandle(thread);
    CloseHandle(process);
    EXPECT_EQ(result.exitStatus, 130) << result.err;
    EXPECT_EQ(testing::entriesOf(outputs), (std::vector<std::string>{"slow.icp"}));
    EXPECT_TRUE(testing::readFile(outputs / "slow.icp") == "older pins");
}

INSTANTIATE_TEST_SUITE_P(Stops, ConsoleStops,
                         ::testing::Values(StopEvent{"ClosingTheConsoleWindow", CTRL_CLOSE_EVENT},
                                           StopEvent{"LoggingOff", CTRL_LOGOFF_EVENT},
                                           StopEvent{"ShuttingDown", CTRL_SHUTDOWN_EVENT}),
                         testing::BehaviourName());

struct WildcardCase {
    const char* behaviour;
    const char* arguments;
    int exitStatus;
    const char* out;
    const char* err;

    friend void PrintTo(const WildcardCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class Wildcards : public ::testing::TestWithParam<WildcardCase> {
  protected:
    void SetUp() override {
        for (const char* name : {"a.cmp", "B.CMP", "보드.cmp", "c.cmp.bak", "board.cmpx",
                                 "in/x1.cmp", "in/x2.cmp", "in/y.cmp"}) {
            std::filesystem::create_directories((folder.path() / pathFromUtf8(name)).parent_path());
            writeFile(folder.path() / pathFromUtf8(name), "");
        }
        std::filesystem::create_directories(folder.path() / "sub.cmp");
        std::filesystem::create_directories(folder.path() / "out");
    }

    TempFolder folder;
};

TEST_P(Wildcards, ExpandLikeCmdUsersExpect) {
    const WildcardCase& wildcards = GetParam();
    const testing::ProgramResult result =
        testing::runProgram(ZEMRA_CONVERT_PATH, wildcards.arguments, folder.path());
    EXPECT_EQ(result.exitStatus, wildcards.exitStatus);
    EXPECT_EQ(result.out, wildcards.out);
    EXPECT_EQ(result.err, wildcards.err);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, Wildcards,
    ::testing::Values(WildcardCase{"StarMatchesTheFilesOfTheFolderInNameOrderIgnoringCase",
                                   "-o out *.cmp", 0, "out\\a\nout\\B\nout\\보드\n",
                                   "zemra-convert: a.cmp: 변환을 마쳤습니다\n"
                                   "zemra-convert: B.CMP: 변환을 마쳤습니다\n"
                                   "zemra-convert: 보드.cmp: 변환을 마쳤습니다\n"},
                      WildcardCase{"QuestionMarkMatchesOneCharacterAndTheFolderIsKept",
                                   "-o out in/x?.cmp", 0, "out\\x1\nout\\x2\n",
                                   "zemra-convert: in\\x1.cmp: 변환을 마쳤습니다\n"
                                   "zemra-convert: in\\x2.cmp: 변환을 마쳤습니다\n"},
                      WildcardCase{
                          "PatternWithoutMatchIsReportedAndTheOtherFilesConvert",
                          "-o out *.xyz a.cmp", 1, "out\\a\n",
                          "zemra-convert: *.xyz: 파일이 존재하지 않습니다. (no such file)\n"
                          "zemra-convert: a.cmp: 변환을 마쳤습니다\n"},
                      WildcardCase{"OptionValuesAreNotExpanded", "-o o* a.cmp", 1, "",
                                   "zemra-convert: -o o* does not exist\n"}),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
