#include "run/folder_wait.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <thread>

namespace zemra {
namespace {

constexpr std::chrono::seconds kDefaultWait{30};
// A day: more than any conversion takes, and far from an overflow of the clock.
constexpr std::chrono::seconds kLongestWait{24 * 60 * 60};
// How often a run waiting for the folder looks again whether it is free.
constexpr std::chrono::milliseconds kLockPoll{20};

}  // namespace

std::chrono::milliseconds folderWait() {
    const char* value = std::getenv("ZEMRA_FOLDER_WAIT");
    if (value == nullptr) {
        return kDefaultWait;
    }
    const std::string_view text(value);
    unsigned seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() ||
        std::chrono::seconds(seconds) > kLongestWait) {
        return kDefaultWait;
    }
    return std::chrono::seconds(seconds);
}

std::unique_ptr<FolderLock> lockFolderWithin(FileSystem& fileSystem,
                                             const std::filesystem::path& folder,
                                             std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (std::unique_ptr<FolderLock> lock = fileSystem.tryLockFolder(folder)) {
            return lock;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return nullptr;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kLockPoll, deadline - now));
    }
}

std::unique_ptr<FolderLock> lockOutputFolder(FileSystem& fileSystem,
                                             const std::filesystem::path& folder,
                                             std::chrono::milliseconds wait) {
    std::unique_ptr<FolderLock> lock;
    try {
        lock = lockFolderWithin(fileSystem, folder, wait);
    } catch (const FileError&) {
        return nullptr;
    }
    if (!lock) {
        throw FileError(FileOperation::Lock, folder, FailureReason::FolderBusy);
    }
    return lock;
}

}  // namespace zemra
