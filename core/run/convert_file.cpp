#include "run/convert_file.h"

#include <array>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/platform.h"
#include "run/conversion.h"
#include "run/messages.h"
#include "run/pending_output.h"

namespace zemra {
namespace {

constexpr std::size_t kRecordsPerRead = 1024;

struct OutputKind {
    const char* extension;
    const char* notCreated;
};

// In the order the outputs are opened.
constexpr std::array<OutputKind, 4> kOutputKinds{{
    {".dat", kMessageDatNotCreated},
    {".icn", kMessageIcnNotCreated},
    {".icp", kMessageIcpNotCreated},
    {".scp", kMessageScpNotCreated},
}};

std::filesystem::path makeOutputFolder(const std::filesystem::path& parent,
                                       const std::string& title) {
    // A title that names the parent itself or its parent gets no folder of its own.
    if (title.empty() || title == "." || title == "..") {
        return parent;
    }
    const std::filesystem::path folder = parent / platform::pathFromUtf8(title);
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    return std::filesystem::is_directory(folder, error) ? folder : parent;
}

// Hands every whole record of the input to the conversion; a trailing partial record and
// anything after a read error are ignored.
void convertRecords(std::istream& records, Conversion& conversion) {
    std::vector<std::byte> buffer(kRecordsPerRead * kRecordSize);
    std::size_t held = 0;
    while (records) {
        records.read(reinterpret_cast<char*>(buffer.data() + held),
                     static_cast<std::streamsize>(buffer.size() - held));
        held += static_cast<std::size_t>(records.gcount());
        std::size_t offset = 0;
        for (; offset + kRecordSize <= held; offset += kRecordSize) {
            conversion.convertRecord(
                std::span<const std::byte, kRecordSize>(buffer.data() + offset, kRecordSize));
        }
        std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(offset),
                  buffer.begin() + static_cast<std::ptrdiff_t>(held), buffer.begin());
        held -= offset;
    }
}

}  // namespace

std::string fileTitle(const std::filesystem::path& path) {
    const std::string name = platform::utf8Of(path.filename());
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::optional<InputFile> InputFile::open(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return std::nullopt;
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream.is_open()) {
        return std::nullopt;
    }
    return InputFile(path, std::move(stream));
}

RunReport runConversion(InputFile& input, const std::string& title,
                        const std::filesystem::path& outputParent,
                        const ConversionSettings& settings, const MessageSink& report) {
    RunReport result;
    result.outputFolder = makeOutputFolder(outputParent, title);
    result.clean = true;

    std::array<std::unique_ptr<PendingOutput>, kOutputKinds.size()> outputs;
    for (std::size_t index = 0; index < kOutputKinds.size(); ++index) {
        const auto target =
            result.outputFolder / platform::pathFromUtf8(title + kOutputKinds[index].extension);
        outputs[index] = std::make_unique<PendingOutput>(target, input.path());
        if (!outputs[index]->isOpen()) {
            report(kOutputKinds[index].notCreated);
            result.clean = false;
        }
    }

    Conversion conversion(
        {settings.variantCode, settings.reversePins},
        {outputs[0]->text(), outputs[1]->text(), outputs[2]->text(), outputs[3]->text()});
    conversion.writeListingHeader(title, settings.at);
    convertRecords(input.records(), conversion);
    conversion.runPasses();
    conversion.writeSettingsFile();

    for (std::size_t index = 0; index < kOutputKinds.size(); ++index) {
        if (outputs[index]->isOpen() && !outputs[index]->commit()) {
            report(kOutputKinds[index].notCreated);
            result.clean = false;
        }
    }
    report(kMessageConverted);
    return result;
}

RunReport convertFile(const std::filesystem::path& input,
                      const std::optional<std::filesystem::path>& outputParent,
                      const ConversionSettings& settings, const MessageSink& report) {
    auto opened = InputFile::open(input);
    if (!opened) {
        report(kMessageFileMissing);
        return {};
    }
    const std::filesystem::path parent =
        outputParent ? *outputParent : std::filesystem::absolute(input).parent_path();
    return runConversion(*opened, fileTitle(input), parent, settings, report);
}

}  // namespace zemra
