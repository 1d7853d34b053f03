#include "run/convert_file.h"

#include "platform/utf8_paths.h"
#include "run/convert_board.h"
#include "run/output_set.h"

namespace zemra {
namespace {

// Names the input in a failure of its reads.
class InputSource : public ByteSource {
  public:
    explicit InputSource(ReadableFile& file) : file_(file) {}

    struct Failure {
        FileError error;
    };

    std::size_t read(std::span<std::byte> buffer) override {
        try {
            return file_.read(buffer);
        } catch (const FileError& error) {
            throw Failure{error};
        }
    }
    std::uint64_t expectedSize() const override { return file_.expectedSize(); }

  private:
    ReadableFile& file_;
};

}  // namespace

std::string fileTitle(const std::filesystem::path& path) {
    const std::string bytes = platform::utf8Of(path.filename());
    const auto dot = bytes.rfind('.');
    return dot == std::string::npos ? bytes : bytes.substr(0, dot);
}

InputFile InputFile::open(FileSystem& fileSystem, const std::filesystem::path& path) {
    return InputFile(path, fileSystem.openForReading(path));
}

std::filesystem::path makeOutputFolder(FileSystem& fileSystem,
                                       const std::filesystem::path& outputParent,
                                       const std::string& title) {
    // A title that names the parent itself or its parent gets no folder of its own.
    if (title.empty() || title == "." || title == "..") {
        return outputParent;
    }
    const std::filesystem::path folder = outputParent / platform::pathFromUtf8(title);
    return fileSystem.createFolder(folder) ? folder : outputParent;
}

RunOutcome convertInput(FileSystem& fileSystem, InputFile& input, const std::string& title,
                        const std::filesystem::path& outputFolder,
                        const ConversionSettings& settings, const MessageSink& report) {
    RunOutcome outcome;
    outcome.outputFolder = outputFolder;
    OutputSet outputs(fileSystem, outputFolder, title, input.path());
    const std::vector<OutputFailure> failures = outputs.open();
    for (const OutputFailure& failure : failures) {
        report({notCreatedMessage(failure.kind), failure.error});
    }
    if (!failures.empty()) {
        return outcome;
    }
    try {
        InputSource source(input.records());
        ConversionSummary summary =
            convertBoard(source, {title, settings.options, settings.at},
                         {outputs.sink(OutputKind::Dat), outputs.sink(OutputKind::Icn),
                          outputs.sink(OutputKind::Icp), outputs.sink(OutputKind::Scp)});
        outcome.summary = std::move(summary);
        outputs.commit();
        outcome.committed = true;
    } catch (const InputSource::Failure& failure) {
        report({MessageKind::FileUnreadable, failure.error});
        return outcome;
    } catch (const OutputFailure& failure) {
        report({notCreatedMessage(failure.kind), failure.error});
        return outcome;
    }
    report({MessageKind::Converted, std::nullopt});
    return outcome;
}

RunOutcome convertFile(FileSystem& fileSystem, const std::filesystem::path& input,
                       const std::optional<std::filesystem::path>& outputParent,
                       const ConversionSettings& settings, const MessageSink& report) {
    std::optional<InputFile> opened;
    try {
        opened.emplace(InputFile::open(fileSystem, input));
    } catch (const FileError& error) {
        report({MessageKind::FileMissing, error});
        return {};
    }
    std::error_code error;
    const std::filesystem::path parent =
        outputParent ? *outputParent : std::filesystem::absolute(input, error).parent_path();
    const std::string title = fileTitle(input);
    return convertInput(fileSystem, *opened, title, makeOutputFolder(fileSystem, parent, title),
                        settings, report);
}

}  // namespace zemra
