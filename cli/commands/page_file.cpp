#include "page_file.h"

#include <algorithm>
#include <span>
#include <vector>

#include "escaped_text.h"
#include "files/whole_file.h"
#include "page_shell.h"
#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

constexpr std::size_t kReadChunk = 1 << 16;

// Whether `file` holds a whole page that zemra-convert wrote. A file of any size is read in
// chunks, and one that does not begin as such a page is not read further.
bool isPage(ReadableFile& file) {
    const std::size_t kept = std::max(kPageDataStart.size(), kPageEnd.size());
    std::string head;
    std::string window;  // the last bytes read, enough to hold the data's start or the end
    bool hasData = false;
    std::vector<std::byte> buffer(kReadChunk);
    while (const std::size_t count = file.read(buffer)) {
        const std::string_view bytes(reinterpret_cast<const char*>(buffer.data()), count);
        if (head.size() < kPageHead.size()) {
            head.append(bytes.substr(0, kPageHead.size() - head.size()));
            if (!kPageHead.starts_with(head)) {
                return false;
            }
        }
        window.append(bytes);
        hasData = hasData || window.find(kPageDataStart) != std::string::npos;
        if (window.size() > kept) {
            window.erase(0, window.size() - kept);
        }
    }
    return head == kPageHead && hasData && window.ends_with(kPageEnd);
}

}  // namespace

void checkPageReplaceable(FileSystem& fileSystem, const std::filesystem::path& page,
                          std::span<const std::filesystem::path> runFiles) {
    checkReplaceable(fileSystem, page, runFiles, isPage);
}

bool writePage(const std::filesystem::path& page, const std::function<std::string()>& makePage,
               std::span<const std::filesystem::path> runFiles, FileSystem& fileSystem,
               std::ostream& out, std::ostream& err) {
    try {
        const std::string text = makePage();
        checkPageReplaceable(fileSystem, page, runFiles);
        removeLeftovers(fileSystem, page.parent_path(), RunFileKind::Temporary);
        writeWholeFile(fileSystem, page, std::span<const char>(text.data(), text.size()));
    } catch (const FileError& error) {
        err << "zemra-convert: " << consoleEscapedName(page) << ": the page was not written ("
            << reasonText(error) << ")\n";
        return false;
    } catch (const std::exception& error) {
        // Out of memory for a page of very many boards, say.
        err << "zemra-convert: " << consoleEscapedName(page) << ": the page was not written ("
            << error.what() << ")\n";
        return false;
    }
    out << consoleEscapedName(page) << '\n';
    return true;
}

}  // namespace zemra::cli
