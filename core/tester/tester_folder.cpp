#include "tester/tester_folder.h"

#include "platform/utf8_paths.h"
#include "run/input_file.h"
#include "tester/listing_reader.h"

namespace zemra {
namespace {

bool isListing(const std::filesystem::path& path) {
    std::string extension = platform::utf8Of(path.extension());
    for (char& byte : extension) {
        byte = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
    }
    return extension == ".dat";
}

}  // namespace

bool namesTesterFolder(FileSystem& fileSystem, const std::filesystem::path& path) {
    return isListing(path) || fileSystem.kindOf(path) == PathKind::Folder;
}

std::filesystem::path TesterFiles::of(std::string_view extension) const {
    std::filesystem::path file = folder / title;
    file += extension;
    return file;
}

TesterFiles testerFilesOf(const std::filesystem::path& path) {
    if (isListing(path)) {
        return {folderOfInput(path), path.stem()};
    }
    std::filesystem::path named = std::filesystem::absolute(path).lexically_normal();
    if (!named.has_filename()) {
        named = named.parent_path();
    }
    return {path, named.filename()};
}

TesterFolder readTesterFolder(FileSystem& fileSystem, const std::filesystem::path& path) {
    const TesterFiles files = testerFilesOf(path);
    TesterFolder tester;
    tester.folder = files.folder;
    tester.title = platform::utf8Of(files.title);
    const auto fileOf = [&](std::string_view extension) { return files.of(extension); };
    const auto nameOf = [&](std::string_view extension) {
        return platform::utf8Of(fileOf(extension));
    };
    {
        const std::unique_ptr<ReadableFile> listing = fileSystem.openForReading(fileOf(".dat"));
        ListingReader reader(*listing, nameOf(".dat"));
        tester.variant = reader.variant();
        while (const ListedColumns* step = reader.next()) {
            tester.steps.push_back(*step);
        }
    }
    {
        const std::unique_ptr<ReadableFile> icn = fileSystem.openForReading(fileOf(".icn"));
        tester.ics = readIcnFile(*icn, nameOf(".icn"));
    }
    {
        const std::unique_ptr<ReadableFile> icp = fileSystem.openForReading(fileOf(".icp"));
        readIcpFile(*icp, nameOf(".icp"), tester.ics);
    }
    const std::unique_ptr<ReadableFile> scp = fileSystem.openForReading(fileOf(".scp"));
    tester.settings = readSettingsFile(*scp, nameOf(".scp"));
    return tester;
}

}  // namespace zemra
