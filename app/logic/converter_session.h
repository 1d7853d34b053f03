#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "decode/step_fields.h"
#include "files/file_system.h"
#include "input_selection.h"
#include "operator_front_end.h"
#include "run/local_date_time.h"

namespace zemra::app {

// Shown for a Convert before any component file was chosen.
inline constexpr std::string_view kChooseInputFirst = "먼저 CMP 파일을 선택하십시오.";
// Shown for a Convert while the system clock lies outside the years a listing can show, which
// would stamp the listing with a wrong year.
inline constexpr std::string_view kClockOutOfRange =
    "시스템 날짜가 2000년부터 2099년 사이가 아닙니다. 날짜를 확인하십시오.";

// Shown when a command fails in a way that no other message tells (out of memory, say), in place
// of the system's own words, which are not the operator's language.
inline constexpr std::string_view kUnexpectedFailure = "예기치 않은 오류가 발생했습니다.";

// The local date and time a conversion stamps into its listing.
using LocalClock = std::function<LocalDateTime()>;

// What the operator does in the main dialog, whatever toolkit draws it: the tester variant and
// the reverse-pins option, the chosen input, Read file and Convert with their messages. Its files
// are those of `fileSystem`.
class ConverterSession {
  public:
    ConverterSession(OperatorFrontEnd& frontEnd, FileSystem& fileSystem,
                     LocalClock clock = currentLocalDateTime)
        : frontEnd_(frontEnd), fileSystem_(fileSystem), clock_(std::move(clock)) {}

    TesterVariant variant() const { return variant_; }
    bool reversePins() const { return reversePins_; }
    // The marks of the two variant boxes, which act as a pair.
    bool kx740eChecked() const { return variant_ == TesterVariant::Kx740e; }
    bool kx740FeFrChecked() const { return variant_ == TesterVariant::Kx740FeFr; }

    void selectKx740e() { variant_ = TesterVariant::Kx740e; }
    void selectKx740FeFr() { variant_ = TesterVariant::Kx740FeFr; }
    void toggleReversePins() { reversePins_ = !reversePins_; }

    // Read file: the open-file dialog, then the chosen file as by chooseInput(). A cancelled
    // dialog leaves the earlier choice in force.
    void readFile();
    // Makes `path` the chosen input, as a file picked in the open-file dialog, given on the
    // command line or dropped onto the dialog is: one that cannot be opened is reported and
    // stays the choice all the same, so that Convert tries it again.
    void chooseInput(const std::filesystem::path& path);
    // Convert: the run's messages in their order, "변환을 마쳤습니다" last when all four outputs
    // are in place. Without a choice it asks for one; after a run it converts the same file again.
    // A clock outside the years a listing shows is refused, and the choice stays for the next try.
    // A run that fails unexpectedly shows its messages so far, then kUnexpectedFailure; its
    // outputs are left as a failed run leaves them.
    void convert();

    bool hasChoice() const { return input_.hasChoice(); }
    std::string title() const { return input_.title(); }

  private:
    OperatorFrontEnd& frontEnd_;
    FileSystem& fileSystem_;
    LocalClock clock_;
    InputSelection input_;
    TesterVariant variant_ = TesterVariant::Kx740FeFr;
    bool reversePins_ = false;
};

}  // namespace zemra::app
