#include "run/convert_file.h"

#include "platform/utf8_paths.h"
#include "run/convert_board.h"
#include "run/output_set.h"

namespace zemra {

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
    try {
        fileSystem.createFolder(folder);
        return folder;
    } catch (const FileError&) {
        return outputParent;
    }
}

RunOutcome convertInput(FileSystem& fileSystem, InputFile& input, const std::string& title,
                        const std::filesystem::path& outputFolder,
                        const ConversionSettings& settings, const MessageSink& report) {
    RunOutcome outcome;
    outcome.outputFolder = outputFolder;
    OutputSet outputs(fileSystem, outputFolder, title, input.path());
    try {
        outputs.open();
        ConversionSummary summary =
            convertBoard(input.records(), {title, settings.options, settings.at},
                         {outputs.sink(OutputKind::Dat), outputs.sink(OutputKind::Icn),
                          outputs.sink(OutputKind::Icp), outputs.sink(OutputKind::Scp)});
        outcome.summary = std::move(summary);
        outputs.commit();
        outcome.committed = true;
    } catch (const OutputSetFailure& failure) {
        for (const OutputError& error : failure.errors()) {
            report({notCreatedMessage(error.kind()), error});
        }
        return outcome;
    } catch (const FileError& error) {
        // The outputs fail as OutputSetFailure, so this is the input.
        report({MessageKind::FileUnreadable, error});
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
