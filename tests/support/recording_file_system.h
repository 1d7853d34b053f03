#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "files/forwarding_file_system.h"

namespace zemra::testing {

// One operation that changes what a folder holds.
struct FileStep {
    enum class Kind { Create, Write, Move, Link, Remove, CreateFolder };
    Kind kind;
    std::filesystem::path path;
    std::filesystem::path to;  // Move and Link: the new name
    std::string bytes;         // Write
};

// The system's file operations, each one that changes a folder recorded in order, so that what a
// run did can be replayed up to any step: the state a power cut after that step leaves.
class RecordingFileSystem : public ForwardingFileSystem {
  public:
    RecordingFileSystem() : ForwardingFileSystem(systemFileSystem()) {}

    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override;
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void link(const std::filesystem::path& existing, const std::filesystem::path& alias) override;
    void remove(const std::filesystem::path& path) noexcept override;
    bool removeUnlocked(const std::filesystem::path& path) noexcept override;
    void createFolder(const std::filesystem::path& path) override;

    const std::vector<FileStep>& steps() const { return steps_; }
    void record(FileStep step) { steps_.push_back(std::move(step)); }

  private:
    std::vector<FileStep> steps_;
};

// Does the first `count` of `steps` again with plain file operations: no locks, nothing synced,
// as the disk holds them after a power cut. The names of files of this run become those of the
// same run in an earlier start of the machine, which a power cut makes it.
void replaySteps(const std::vector<FileStep>& steps, std::size_t count);

}  // namespace zemra::testing
