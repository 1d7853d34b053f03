#include <windows.h>

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

}  // namespace

ProgramResult runProgram(const std::filesystem::path& program, const std::string& arguments,
                         const std::filesystem::path& folder) {
    const std::filesystem::path programPath = std::filesystem::absolute(program);
    std::wstring commandLine = quoted(programPath.native());
    for (const std::string& word : splitWords(arguments)) {
        commandLine += L" " + quoted(platform::utf16FromUtf8(word));
    }

    ProgramResult result;
    {
        // The caught output lies outside `folder`, so the program never sees it among its files.
        const TempFolder capture;
        const HANDLE out = createCaptureFile(capture / "out");
        const HANDLE err = createCaptureFile(capture / "err");
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out;
        startup.hStdError = err;
        PROCESS_INFORMATION process{};
        if (CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                           nullptr, folder.c_str(), &startup, &process)) {
            WaitForSingleObject(process.hProcess, INFINITE);
            DWORD exitCode = 0;
            GetExitCodeProcess(process.hProcess, &exitCode);
            result.exitStatus = static_cast<int>(exitCode);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(out);
        CloseHandle(err);
        result.out = readFile(capture / "out");
        result.err = readFile(capture / "err");
    }
    return result;
}

}  // namespace zemra::testing
