#include "page_file.h"

#include <memory>
#include <random>
#include <span>

#include "platform/utf8_paths.h"
#include "report_page.h"
#include "text/hex_text.h"

namespace zemra::cli {
namespace {

constexpr int kNameTries = 16;

// A new file beside `page` under a name no other run takes: a dot, the page's name and eight
// random hex digits.
std::filesystem::path createTemporary(const std::filesystem::path& page, FileSystem& fileSystem,
                                      std::unique_ptr<WritableFile>& file) {
    std::random_device random;
    for (int attempt = 1;; ++attempt) {
        std::string name = "." + platform::utf8Of(page.filename()) + ".";
        for (std::uint32_t bits = random(), byte = 0; byte < 4; ++byte, bits >>= 8U) {
            appendHexByte(name, bits, HexCase::Lower);
        }
        const std::filesystem::path temporary = page.parent_path() / platform::pathFromUtf8(name);
        try {
            file = fileSystem.createNew(temporary);
            return temporary;
        } catch (const FileError& error) {
            if (error.error() != std::errc::file_exists || attempt == kNameTries) {
                throw;
            }
        }
    }
}

void removeTemporary(FileSystem& fileSystem, const std::filesystem::path& temporary) {
    if (!temporary.empty()) {
        fileSystem.remove(temporary);
    }
}

}  // namespace

bool writeReportPage(const std::filesystem::path& page, const std::vector<BoardReport>& boards,
                     FileSystem& fileSystem, std::ostream& out, std::ostream& err) {
    return writePage(
        page, [&boards] { return reportPage(boards); }, fileSystem, out, err);
}

bool writePage(const std::filesystem::path& page, const std::function<std::string()>& makePage,
               FileSystem& fileSystem, std::ostream& out, std::ostream& err) {
    std::filesystem::path temporary;
    try {
        const std::string text = makePage();
        std::unique_ptr<WritableFile> file;
        temporary = createTemporary(page, fileSystem, file);
        file->write(std::span<const char>(text.data(), text.size()));
        file->finish();
        fileSystem.rename(temporary, page);
    } catch (const Interrupted&) {
        removeTemporary(fileSystem, temporary);
        throw;
    } catch (const FileError& error) {
        removeTemporary(fileSystem, temporary);
        err << "zemra-convert: " << platform::utf8Of(page) << ": the page was not written ("
            << reasonText(error) << ")\n";
        return false;
    } catch (const std::exception& error) {
        // Out of memory for a page of very many boards, say.
        removeTemporary(fileSystem, temporary);
        err << "zemra-convert: " << platform::utf8Of(page) << ": the page was not written ("
            << error.what() << ")\n";
        return false;
    }
    out << platform::utf8Of(page) << '\n';
    return true;
}

}  // namespace zemra::cli
