#include "page_file.h"

#include <span>
#include <vector>

#include "files/whole_file.h"
#include "page_shell.h"
#include "platform/utf8_paths.h"
#include "report_page.h"

namespace zemra::cli {
namespace {

constexpr std::size_t kReadChunk = 1 << 16;

// Whether `file` holds a whole page that zemra-convert wrote.
bool isPage(ReadableFile& file) {
    std::string bytes;
    std::vector<std::byte> buffer(kReadChunk);
    while (const std::size_t count = file.read(buffer)) {
        bytes.append(reinterpret_cast<const char*>(buffer.data()), count);
    }
    return isPageOfOurs(bytes);
}

}  // namespace

bool writeReportPage(const std::filesystem::path& page, const std::vector<BoardReport>& boards,
                     std::span<const std::filesystem::path> runFiles, FileSystem& fileSystem,
                     std::ostream& out, std::ostream& err) {
    return writePage(
        page, [&boards] { return reportPage(boards); }, runFiles, fileSystem, out, err);
}

bool writePage(const std::filesystem::path& page, const std::function<std::string()>& makePage,
               std::span<const std::filesystem::path> runFiles, FileSystem& fileSystem,
               std::ostream& out, std::ostream& err) {
    try {
        const std::string text = makePage();
        checkReplaceable(fileSystem, page, runFiles, isPage);
        removeLeftovers(fileSystem, page.parent_path(), RunFileKind::Temporary);
        writeWholeFile(fileSystem, page, std::span<const char>(text.data(), text.size()));
    } catch (const Interrupted&) {
        throw;
    } catch (const FileError& error) {
        err << "zemra-convert: " << platform::utf8Of(page) << ": the page was not written ("
            << reasonText(error) << ")\n";
        return false;
    } catch (const std::exception& error) {
        // Out of memory for a page of very many boards, say.
        err << "zemra-convert: " << platform::utf8Of(page) << ": the page was not written ("
            << error.what() << ")\n";
        return false;
    }
    out << platform::utf8Of(page) << '\n';
    return true;
}

}  // namespace zemra::cli
