#include "recording_file_system.h"

#include <fstream>

#include "files/run_file_names.h"

namespace zemra::testing {
namespace {

class RecordingWritableFile : public WritableFile {
  public:
    RecordingWritableFile(std::unique_ptr<WritableFile> inner, std::filesystem::path path,
                          RecordingFileSystem& owner)
        : inner_(std::move(inner)), path_(std::move(path)), owner_(owner) {}

    void write(std::span<const char> bytes) override {
        inner_->write(bytes);
        owner_.record({FileStep::Kind::Write, path_, {}, std::string(bytes.data(), bytes.size())});
    }
    void finish() override { inner_->finish(); }

  private:
    std::unique_ptr<WritableFile> inner_;
    std::filesystem::path path_;
    RecordingFileSystem& owner_;
};

// The name a file of this run has after a power cut: one of an earlier start of the machine.
std::filesystem::path afterTheCut(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    for (const RunFileKind kind : {RunFileKind::Temporary, RunFileKind::Backup}) {
        if (const auto owner = ownerOfRunFile(kind, name); owner && *owner == thisRun()) {
            RunFileOwner earlier = *owner;
            earlier.boot ^= 1U;
            return path.parent_path() /
                   runFileName(kind, earlier,
                               std::stoull(name.substr(name.rfind('-') + 1), nullptr, 16));
        }
    }
    return path;
}

}  // namespace

std::unique_ptr<WritableFile> RecordingFileSystem::createNew(const std::filesystem::path& path) {
    auto file = inner().createNew(path);
    record({FileStep::Kind::Create, path, {}, {}});
    return std::make_unique<RecordingWritableFile>(std::move(file), path, *this);
}

void RecordingFileSystem::rename(const std::filesystem::path& from,
                                 const std::filesystem::path& to) {
    inner().rename(from, to);
    record({FileStep::Kind::Move, from, to, {}});
}

void RecordingFileSystem::link(const std::filesystem::path& existing,
                               const std::filesystem::path& alias) {
    inner().link(existing, alias);
    record({FileStep::Kind::Link, existing, alias, {}});
}

void RecordingFileSystem::remove(const std::filesystem::path& path) noexcept {
    inner().remove(path);
    record({FileStep::Kind::Remove, path, {}, {}});
}

bool RecordingFileSystem::removeUnlocked(const std::filesystem::path& path) noexcept {
    const bool removed = inner().removeUnlocked(path);
    if (removed) {
        record({FileStep::Kind::Remove, path, {}, {}});
    }
    return removed;
}

void RecordingFileSystem::createFolder(const std::filesystem::path& path) {
    inner().createFolder(path);
    record({FileStep::Kind::CreateFolder, path, {}, {}});
}

void replaySteps(const std::vector<FileStep>& steps, std::size_t count) {
    for (std::size_t index = 0; index < count; ++index) {
        const FileStep& step = steps[index];
        const std::filesystem::path path = afterTheCut(step.path);
        switch (step.kind) {
            case FileStep::Kind::Create:
                std::ofstream(path, std::ios::binary).flush();
                break;
            case FileStep::Kind::Write:
                std::ofstream(path, std::ios::binary | std::ios::app) << step.bytes;
                break;
            case FileStep::Kind::Move:
                std::filesystem::rename(path, afterTheCut(step.to));
                break;
            case FileStep::Kind::Link:
                std::filesystem::create_hard_link(path, afterTheCut(step.to));
                break;
            case FileStep::Kind::Remove:
                std::filesystem::remove(path);
                break;
            case FileStep::Kind::CreateFolder:
                std::filesystem::create_directories(path);
                break;
        }
    }
}

}  // namespace zemra::testing
