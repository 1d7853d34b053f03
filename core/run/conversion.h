#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "decode/step_fields.h"
#include "files/file_system.h"
#include "io/fingerprint.h"
#include "run/conversion_summary.h"
#include "run/input_file.h"
#include "run/local_date_time.h"
#include "run/messages.h"
#include "run/output_set.h"
#include "run/record_observer.h"
#include "tuning/carried_step.h"

namespace zemra {

struct ConversionSettings {
    DecodeOptions options = {};
    LocalDateTime at = {};  // the local time stamped into the listing
};

// What to convert, how, and where the outputs go. Every field but the input has a default and
// callers name the fields they set, so that a field added later leaves them as they are.
struct ConversionRequest {
    InputFile input;
    // The folder in which the output folder is made; the input's own folder when there is none.
    std::optional<std::filesystem::path> outputParent = std::nullopt;
    ConversionSettings settings = {};
    // Sees every record when given (a traced run, for reports): the summary then keeps each IC's
    // pin table and every ignored J pin, and the outcome the fingerprints of the input and the
    // outputs. None costs nothing.
    RecordObserver* observer = nullptr;
    // How long to wait for another run to let go of the output folder; folderWait() when none.
    std::optional<std::chrono::milliseconds> folderWait = std::nullopt;
    // Decides which steps take tuned columns in place of converted ones, when given.
    StepCarry* carry = nullptr;
};

// Receives each message of a run, in order, for the operator.
using MessageSink = std::function<void(const RunMessage& message)>;

// The bytes a traced run read and wrote: its input, and its outputs in OutputKind order.
struct RunFingerprints {
    Fingerprint input;
    std::array<Fingerprint, kOutputCount> outputs;
};

struct RunOutcome {
    std::filesystem::path outputFolder = {};  // where the outputs go; empty if the input failed
    bool committed = false;                   // all four outputs are in place
    // When the whole input was read and converted.
    std::optional<ConversionSummary> summary = std::nullopt;
    // Of a traced run whose outputs are in place.
    std::optional<RunFingerprints> fingerprints = std::nullopt;
};

// One conversion of a component file into an output folder named after it, the way every front
// end converts: open() opens the input, and run() converts it, moves the four outputs into place
// and says how it went. In between, the caller may ask where the outputs will go.
class Conversion {
  public:
    // Opens the input unless it is open already and works out its title. Nothing, after
    // "파일이 존재하지 않습니다.", when the input cannot be opened.
    static std::optional<Conversion> open(FileSystem& fileSystem, ConversionRequest request,
                                          const MessageSink& report);

    const std::string& title() const { return title_; }
    // The folder `<outputParent>/<title>`, or outputParent itself when that folder cannot be
    // made. It is made when first asked for, so that a conversion dropped before leaves nothing.
    const std::filesystem::path& outputFolder();
    // The output folder and the title, which with each output's extension name the outputs.
    std::filesystem::path outputBase();

    // Reads the input to its end into the four outputs and moves them into place together:
    // every message in order, "변환을 마쳤습니다" last once all four are in place. Throws
    // Interrupted, after removing its temporary files, when the file system says so. Once only.
    RunOutcome run(const MessageSink& report);

  private:
    Conversion(FileSystem& fileSystem, ConversionRequest request, std::string title)
        : fileSystem_(fileSystem), request_(std::move(request)), title_(std::move(title)) {}

    FileSystem& fileSystem_;
    ConversionRequest request_;
    std::string title_;
    std::optional<std::filesystem::path> outputFolder_;
};

}  // namespace zemra
