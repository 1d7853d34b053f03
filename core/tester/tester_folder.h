#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "decode/listing_columns.h"
#include "decode/run_counters.h"
#include "files/file_system.h"
#include "tester/pin_files_reader.h"

namespace zemra {

// A converted program as it lies on the tester: the steps of its listing, the ICs of its pin
// files and its settings, in the model that a conversion writes them from.
struct TesterFolder {
    std::filesystem::path folder;
    std::string title;  // of the four files, TITLE.dat and the rest
    TesterVariant variant = TesterVariant::Kx740FeFr;
    std::vector<ListedColumns> steps;
    std::vector<ListedIc> ics;
    RunCounters settings;
};

// Where the four files of a tester folder lie: FOLDER/NAME.dat and the rest, where NAME is the
// folder's own name, or, for a path to a .dat file, its folder and its title.
struct TesterFiles {
    std::filesystem::path folder;
    std::filesystem::path title;

    // The file with `extension`: ".dat", ".icn", ".icp" or ".scp".
    std::filesystem::path of(std::string_view extension) const;
};

TesterFiles testerFilesOf(const std::filesystem::path& path);

// One file of a tester folder, open for reading, with its name for messages.
struct TesterFile {
    std::unique_ptr<ByteSource> bytes;
    std::string name;
};

// Opens the file of a tester folder with `extension`, anew each time; what cannot be opened
// throws.
using TesterFileOpener = std::function<TesterFile(std::string_view extension)>;

// Whether `path` names a tester folder rather than a component file: a folder, or a .dat file.
bool namesTesterFolder(FileSystem& fileSystem, const std::filesystem::path& path);

// Reads the four files of a tester folder: FOLDER/NAME.dat and the rest, where NAME is the
// folder's own name, or, for a path to a .dat file, its folder and its title. Throws FileError
// when a file cannot be read and TesterFileRefused when one is not as a conversion writes it.
TesterFolder readTesterFolder(FileSystem& fileSystem, const std::filesystem::path& path);

}  // namespace zemra
