#include "platform.h"

// <windows.h> first: the other Windows headers build on it.
#include <windows.h>

#include <shlwapi.h>

#include <algorithm>
#include <memory>

#include "platform/command_line.h"
#include "platform/utf16.h"

namespace zemra::cli {
namespace {

struct SearchClose {
    void operator()(HANDLE search) const { FindClose(search); }
};

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode) != 0;
}

// The error of the Win32 call that failed last.
std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

std::error_code writeToConsole(HANDLE console, std::string_view text) {
    const std::wstring wide = platform::utf16FromUtf8(text);
    std::size_t start = 0;
    while (start < wide.size()) {
        DWORD written = 0;
        const auto count = static_cast<DWORD>(std::min<std::size_t>(wide.size() - start, 8192));
        if (!WriteConsoleW(console, wide.data() + start, count, &written, nullptr)) {
            return lastError();
        }
        if (written == 0) {
            return std::make_error_code(std::errc::io_error);
        }
        start += written;
    }
    return {};
}

std::error_code writeBytes(HANDLE handle, std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        DWORD written = 0;
        const auto count = static_cast<DWORD>(std::min<std::size_t>(text.size() - start, 1 << 20));
        if (!WriteFile(handle, text.data() + start, count, &written, nullptr)) {
            return lastError();
        }
        if (written == 0) {
            return std::make_error_code(std::errc::io_error);
        }
        start += written;
    }
    return {};
}

bool hasWildcard(const std::wstring& name) {
    return name.find_first_of(L"*?") != std::wstring::npos;
}

// Case-insensitive, as the file system compares names; names that differ only in case keep a
// fixed order.
bool isBefore(const std::wstring& left, const std::wstring& right) {
    const int order = CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE);
    return order != CSTR_EQUAL ? order == CSTR_LESS_THAN : left < right;
}

// The names of the files, not folders, in the pattern's folder that its last part matches.
// The match is checked against the long name again: the system also matches short 8.3 names,
// so "*.cmp" would find "board.cmpx" through "BOARD~1.CMP".
std::vector<std::wstring> matchingFiles(const std::filesystem::path& pattern) {
    const std::wstring namePattern = pattern.filename().native();
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE first = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                          FindExSearchNameMatch, nullptr, 0);
    if (first == INVALID_HANDLE_VALUE) {
        return names;
    }
    const std::unique_ptr<void, SearchClose> search(first);
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            PathMatchSpecW(found.cFileName, namePattern.c_str())) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), isBefore);
    return names;
}

}  // namespace

// The UTF-16 command line, not argv, which would lose every character outside the ANSI code page.
std::vector<std::string> commandLineArguments(int, char**) {
    std::vector<std::string> utf8Arguments;
    for (const std::wstring& argument : platform::commandLineArguments()) {
        utf8Arguments.push_back(platform::utf8FromUtf16(argument));
    }
    return utf8Arguments;
}

std::error_code writeText(Stream stream, std::string_view text) {
    const HANDLE handle =
        GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    // Started without the stream, or with it closed, as a POSIX program whose descriptor is closed.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return {ERROR_INVALID_HANDLE, std::system_category()};
    }
    return isConsole(handle) ? writeToConsole(handle, text) : writeBytes(handle, text);
}

// writeText() holds nothing back.
std::error_code finishText(Stream /*stream*/) {
    return {};
}

// Files are reached by handles, which never take the place of a closed standard stream.
void holdStandardStreams() {}

// cmd.exe hands wildcards to the program unexpanded.
std::vector<std::filesystem::path> expandWildcards(
    const std::vector<std::filesystem::path>& inputs) {
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::path& input : inputs) {
        const std::vector<std::wstring> names = hasWildcard(input.filename().native())
                                                    ? matchingFiles(input)
                                                    : std::vector<std::wstring>{};
        if (names.empty()) {
            files.push_back(input);
        }
        for (const std::wstring& name : names) {
            files.push_back(input.parent_path() / name);
        }
    }
    return files;
}

bool NameOrder::operator()(const std::filesystem::path& left,
                           const std::filesystem::path& right) const {
    return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_LESS_THAN;
}

}  // namespace zemra::cli
