#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "platform/utf16.h"
#include "process_runner.h"
#include "temp_folder.h"

namespace zemra::testing {
namespace {

std::vector<std::string> splitWords(const std::string& arguments) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char character : arguments) {
        if (character == '\'') {
            quoted = !quoted;
            inWord = true;
        } else if (character == ' ' && !quoted) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += character;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

// Quoted so that the program's CommandLineToArgvW gives the word back unchanged: backslashes
// are literal except before a quote.
std::wstring quoted(const std::wstring& word) {
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t character : word) {
        if (character == L'\\') {
            ++backslashes;
        } else {
            text.append(character == L'"' ? backslashes + 1 : 0, L'\\');
            backslashes = 0;
        }
        text += character;
    }
    text.append(backslashes, L'\\');
    return text + L"\"";
}

HANDLE createCaptureFile(const std::filesystem::path& path) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The test's own environment with `additions`, as CreateProcessW takes one.
std::wstring environmentWith(const std::vector<std::string>& additions) {
    std::wstring block;
    const LPWCH own = GetEnvironmentStringsW();
    for (const wchar_t* variable = own; *variable != L'\0'; variable += wcslen(variable) + 1) {
        block.append(variable).push_back(L'\0');
    }
    FreeEnvironmentStringsW(own);
    for (const std::string& variable : additions) {
        block.append(platform::utf16FromUtf8(variable)).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

}  // namespace

struct StartedProgram::Process {
    PROCESS_INFORMATION information{};
    // The caught output lies outside the program's folder, so it never sees it among its files.
    TempFolder capture;
};

StartedProgram::StartedProgram(const std::filesystem::path& program, const std::string& arguments,
                               const std::filesystem::path& folder,
                               const std::vector<std::string>& environment)
    : process_(std::make_unique<Process>()) {
    const std::filesystem::path programPath = std::filesystem::absolute(program);
    std::wstring commandLine = quoted(programPath.native());
    for (const std::string& word : splitWords(arguments)) {
        commandLine += L" " + quoted(platform::utf16FromUtf8(word));
    }
    std::wstring block = environmentWith(environment);
    const HANDLE out = createCaptureFile(process_->capture / "out");
    const HANDLE err = createCaptureFile(process_->capture / "err");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                   CREATE_UNICODE_ENVIRONMENT, block.data(), folder.c_str(), &startup,
                   &process_->information);
    CloseHandle(out);
    CloseHandle(err);
}

StartedProgram::~StartedProgram() {
    if (process_->information.hProcess != nullptr) {
        wait();
    }
}

unsigned long StartedProgram::id() const {
    return process_->information.dwProcessId;
}

void StartedProgram::kill() {
    TerminateProcess(process_->information.hProcess, 1);
}

ProgramResult StartedProgram::wait() {
    ProgramResult result;
    if (process_->information.hProcess != nullptr) {
        WaitForSingleObject(process_->information.hProcess, INFINITE);
        DWORD exitCode = 0;
        GetExitCodeProcess(process_->information.hProcess, &exitCode);
        result.exitStatus = static_cast<int>(exitCode);
        CloseHandle(process_->information.hThread);
        CloseHandle(process_->information.hProcess);
        process_->information = {};
    }
    result.out = readFile(process_->capture / "out");
    result.err = readFile(process_->capture / "err");
    return result;
}

ProgramResult runProgram(const std::filesystem::path& program, const std::string& arguments,
                         const std::filesystem::path& folder) {
    return StartedProgram(program, arguments, folder).wait();
}

}  // namespace zemra::testing
