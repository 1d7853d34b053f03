#pragma once

#include <chrono>
#include <filesystem>
#include <memory>

#include "files/file_system.h"

namespace zemra {

// How long a run waits for another run to let go of the output folder they share before it
// fails: the whole seconds that the environment variable ZEMRA_FOLDER_WAIT holds, 30 without it.
std::chrono::milliseconds folderWait();

// The lock of `folder`, once no other run holds it, as FileSystem::tryLockFolder() takes it:
// nullptr when another run still holds it after `wait`; throws FileError where the folder cannot
// be locked.
std::unique_ptr<FolderLock> lockFolderWithin(FileSystem& fileSystem,
                                             const std::filesystem::path& folder,
                                             std::chrono::milliseconds wait);

// The lock of the folder that a run writes into, taken within `wait`, or none where the folder
// cannot be locked (a file system without locks): the run then goes on without it rather than
// refuse to write. Throws FileError (FolderBusy) when another run still holds it.
std::unique_ptr<FolderLock> lockOutputFolder(FileSystem& fileSystem,
                                             const std::filesystem::path& folder,
                                             std::chrono::milliseconds wait);

}  // namespace zemra
