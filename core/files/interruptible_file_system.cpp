#include "files/interruptible_file_system.h"

namespace zemra {
namespace {

void stopIfSignalled(const std::atomic<int>& signal) {
    if (const int number = signal.load(); number != 0) {
        throw Interrupted(number);
    }
}

class InterruptibleReadableFile : public ReadableFile {
  public:
    InterruptibleReadableFile(std::unique_ptr<ReadableFile> inner, const std::atomic<int>& signal)
        : inner_(std::move(inner)), signal_(signal) {}

    std::size_t read(std::span<std::byte> buffer) override {
        stopIfSignalled(signal_);
        return inner_->read(buffer);
    }
    std::uint64_t expectedSize() const override { return inner_->expectedSize(); }

  private:
    std::unique_ptr<ReadableFile> inner_;
    const std::atomic<int>& signal_;
};

class InterruptibleWritableFile : public WritableFile {
  public:
    InterruptibleWritableFile(std::unique_ptr<WritableFile> inner, const std::atomic<int>& signal)
        : inner_(std::move(inner)), signal_(signal) {}

    void write(std::span<const char> bytes) override {
        stopIfSignalled(signal_);
        inner_->write(bytes);
    }
    void finish() override {
        stopIfSignalled(signal_);
        inner_->finish();
    }

  private:
    std::unique_ptr<WritableFile> inner_;
    const std::atomic<int>& signal_;
};

}  // namespace

std::unique_ptr<ReadableFile> InterruptibleFileSystem::openForReading(
    const std::filesystem::path& path) {
    stopIfSignalled(signal_);
    return std::make_unique<InterruptibleReadableFile>(inner().openForReading(path), signal_);
}

std::unique_ptr<WritableFile> InterruptibleFileSystem::createNew(
    const std::filesystem::path& path) {
    stopIfSignalled(signal_);
    return std::make_unique<InterruptibleWritableFile>(inner().createNew(path), signal_);
}

std::unique_ptr<FolderLock> InterruptibleFileSystem::tryLockFolder(
    const std::filesystem::path& folder) {
    stopIfSignalled(signal_);
    return inner().tryLockFolder(folder);
}

}  // namespace zemra
