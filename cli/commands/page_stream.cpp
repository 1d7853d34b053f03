#include "page_stream.h"

#include "escaped_text.h"
#include "page_file.h"

namespace zemra::cli {

PageStream::PageStream(std::filesystem::path page, std::span<const std::filesystem::path> runFiles,
                       FileSystem& fileSystem)
    : page_(std::move(page)), fileSystem_(fileSystem) {
    try {
        checkPageReplaceable(fileSystem_, page_, runFiles);
        removeLeftovers(fileSystem_, page_.parent_path(), RunFileKind::Temporary);
        file_.emplace(fileSystem_, page_);
    } catch (const FileError& error) {
        fail(reasonText(error));
    } catch (const std::exception& error) {
        fail(error.what());
    }
    buffer_.reserve(kChunk * 2);
}

void PageStream::fail(std::string reason) {
    if (!failure_) {
        failure_ = std::move(reason);
    }
    file_.reset();
    buffer_.clear();
    buffer_.shrink_to_fit();
}

void PageStream::writeBuffer() {
    if (failure_) {
        buffer_.clear();
        return;
    }
    try {
        file_->file().write(std::span<const char>(buffer_.data(), buffer_.size()));
        buffer_.clear();
    } catch (const FileError& error) {
        fail(reasonText(error));
    } catch (const std::exception& error) {
        fail(error.what());
    }
}

bool PageStream::finish(std::ostream& out, std::ostream& err) {
    writeBuffer();
    if (!failure_) {
        try {
            file_->finish();
            file_->moveIntoPlace();
            fileSystem_.syncFolder(page_.parent_path());
        } catch (const FileError& error) {
            fail(reasonText(error));
        }
    }
    if (failure_) {
        err << "zemra-convert: " << consoleEscapedName(page_) << ": the page was not written ("
            << *failure_ << ")\n";
        return false;
    }
    out << consoleEscapedName(page_) << '\n';
    return true;
}

}  // namespace zemra::cli
