#include "faulty_file_system.h"

#include <filesystem>

namespace zemra::testing {
namespace {

FileError systemError(FileOperation operation, const std::filesystem::path& path, std::errc error) {
    return FileError(operation, path, std::make_error_code(error));
}

class FaultyReadableFile : public ReadableFile {
  public:
    FaultyReadableFile(std::unique_ptr<ReadableFile> inner, std::filesystem::path path,
                       const Faults& faults)
        : inner_(std::move(inner)), path_(std::move(path)), faults_(faults) {}

    std::size_t read(std::span<std::byte> buffer) override {
        if (faults_.readFailsAfter) {
            if (delivered_ >= *faults_.readFailsAfter) {
                throw systemError(FileOperation::Read, path_, std::errc::io_error);
            }
            buffer = buffer.first(std::min<std::size_t>(
                buffer.size(), static_cast<std::size_t>(*faults_.readFailsAfter - delivered_)));
        }
        const std::size_t count = inner_->read(buffer);
        delivered_ += count;
        if (faults_.inputShrinks && delivered_ == count) {
            std::filesystem::resize_file(path_, std::filesystem::file_size(path_) / 2);
        }
        return count;
    }
    std::uint64_t expectedSize() const override { return inner_->expectedSize(); }

  private:
    std::unique_ptr<ReadableFile> inner_;
    std::filesystem::path path_;
    const Faults& faults_;
    std::uint64_t delivered_ = 0;
};

}  // namespace

class FaultyWritableFile : public WritableFile {
  public:
    FaultyWritableFile(std::unique_ptr<WritableFile> inner, std::filesystem::path path, int index,
                       FaultyFileSystem& owner)
        : inner_(std::move(inner)), path_(std::move(path)), index_(index), owner_(owner) {}

    void write(std::span<const char> bytes) override {
        if (owner_.writeFailed_) {
            ++owner_.writesAfterFailure_;
        }
        const Faults& faults = owner_.faults_;
        if (faults.writeFailsIn == index_) {
            if (written_ + bytes.size() > faults.writeFailsAfter) {
                owner_.writeFailed_ = true;
                throw systemError(FileOperation::Write, path_, std::errc::no_space_on_device);
            }
        }
        written_ += bytes.size();
        inner_->write(bytes);
    }

    void finish() override {
        if (owner_.faults_.finishFailsIn == index_) {
            throw systemError(FileOperation::Finish, path_, std::errc::io_error);
        }
        inner_->finish();
    }

  private:
    std::unique_ptr<WritableFile> inner_;
    std::filesystem::path path_;
    int index_;
    FaultyFileSystem& owner_;
    std::uint64_t written_ = 0;
};

// The input is the first file a run opens; the files it reads after it (an older workbook that it
// recognises, say) read as they are.
std::unique_ptr<ReadableFile> FaultyFileSystem::openForReading(const std::filesystem::path& path) {
    static const Faults kNone;
    return std::make_unique<FaultyReadableFile>(inner().openForReading(path), path,
                                                opened_++ == 0 ? faults_ : kNone);
}

std::unique_ptr<WritableFile> FaultyFileSystem::createNew(const std::filesystem::path& path) {
    return std::make_unique<FaultyWritableFile>(inner().createNew(path), path, created_++, *this);
}

void FaultyFileSystem::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (faults_.renameFailsInto == to.filename().string() && !renameFailed_) {
        renameFailed_ = true;
        throw systemError(FileOperation::Move, to, std::errc::io_error);
    }
    if (faults_.beforeMove) {
        faults_.beforeMove(to);
    }
    inner().rename(from, to);
}

void FaultyFileSystem::link(const std::filesystem::path& existing,
                            const std::filesystem::path& alias) {
    if (faults_.noSecondNames) {
        throw systemError(FileOperation::Link, existing, std::errc::operation_not_permitted);
    }
    inner().link(existing, alias);
}

std::unique_ptr<FolderLock> FaultyFileSystem::tryLockFolder(const std::filesystem::path& folder) {
    if (faults_.noLocks) {
        throw systemError(FileOperation::Lock, folder, std::errc::no_lock_available);
    }
    return inner().tryLockFolder(folder);
}

}  // namespace zemra::testing
