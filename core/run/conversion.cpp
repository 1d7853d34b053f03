#include "run/conversion.h"

#include <array>

#include "platform/utf8_paths.h"
#include "run/convert_board.h"
#include "run/folder_wait.h"
#include "run/output_set.h"

namespace zemra {
namespace {

// The folder `<parent>/<title>`, made when it is not there yet. The outputs go to the parent
// itself when that folder cannot be made (a file of that name is in the way, say), and when the
// title names the parent or its parent.
std::filesystem::path makeOutputFolder(FileSystem& fileSystem, const std::filesystem::path& parent,
                                       const std::string& title) {
    if (title.empty() || title == "." || title == "..") {
        return parent;
    }
    const std::filesystem::path folder = parent / platform::pathFromUtf8(title);
    try {
        fileSystem.createFolder(folder);
        return folder;
    } catch (const FileError&) {
        return parent;
    }
}

// A traced run: the same conversion, taking the fingerprints of the bytes it reads and writes.
ConversionSummary convertFingerprinted(ByteSource& records, const BoardSettings& settings,
                                       OutputSet& outputs,
                                       std::optional<RunFingerprints>& fingerprints) {
    FingerprintingSource input(records);
    std::array<FingerprintingSink, kOutputCount> sinks{
        FingerprintingSink(outputs.sink(OutputKind::Dat)),
        FingerprintingSink(outputs.sink(OutputKind::Icn)),
        FingerprintingSink(outputs.sink(OutputKind::Icp)),
        FingerprintingSink(outputs.sink(OutputKind::Scp))};
    ConversionSummary summary =
        convertBoard(input, settings, {sinks[0], sinks[1], sinks[2], sinks[3]});
    fingerprints = RunFingerprints{input.finish(), {}};
    for (std::size_t output = 0; output < kOutputCount; ++output) {
        fingerprints->outputs[output] = sinks[output].finish();
    }
    return summary;
}

}  // namespace

std::optional<Conversion> Conversion::open(FileSystem& fileSystem, ConversionRequest request,
                                           const MessageSink& report) {
    try {
        request.input.open(fileSystem);
    } catch (const FileError& error) {
        report({MessageKind::FileMissing, error});
        return std::nullopt;
    }
    std::string title = request.input.title();
    return Conversion(fileSystem, std::move(request), std::move(title));
}

const std::filesystem::path& Conversion::outputFolder() {
    if (!outputFolder_) {
        const std::filesystem::path parent =
            request_.outputParent ? *request_.outputParent : folderOfInput(request_.input.path());
        outputFolder_ = makeOutputFolder(fileSystem_, parent, title_);
    }
    return *outputFolder_;
}

std::filesystem::path Conversion::outputBase() {
    return outputFolder() / platform::pathFromUtf8(title_);
}

RunOutcome Conversion::run(const MessageSink& report) {
    RunOutcome outcome{.outputFolder = outputFolder()};
    std::optional<RunFingerprints> fingerprints;
    OutputSet outputs(fileSystem_, outcome.outputFolder, title_, request_.input.path(),
                      request_.folderWait.value_or(folderWait()));
    try {
        outputs.open();
        const BoardSettings settings{.title = title_,
                                     .options = request_.settings.options,
                                     .at = request_.settings.at,
                                     .observer = request_.observer,
                                     .carry = request_.carry};
        if (request_.observer != nullptr) {
            outcome.summary =
                convertFingerprinted(request_.input.records(), settings, outputs, fingerprints);
        } else {
            outcome.summary =
                convertBoard(request_.input.records(), settings,
                             {outputs.sink(OutputKind::Dat), outputs.sink(OutputKind::Icn),
                              outputs.sink(OutputKind::Icp), outputs.sink(OutputKind::Scp)});
        }
        outputs.commit();
        outcome.committed = true;
        outcome.fingerprints = fingerprints;
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

}  // namespace zemra
