#include "converter_session.h"

#include <vector>

#include "run/conversion.h"
#include "run/messages.h"

namespace zemra::app {
namespace {

// Keeps the wait cursor up while a conversion runs, and takes it down however the run ends.
class BusyWhile {
  public:
    explicit BusyWhile(OperatorFrontEnd& frontEnd) : frontEnd_(frontEnd) {
        frontEnd_.setBusy(true);
    }
    ~BusyWhile() { frontEnd_.setBusy(false); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

  private:
    OperatorFrontEnd& frontEnd_;
};

}  // namespace

void ConverterSession::readFile() {
    if (const auto chosen = frontEnd_.chooseInputFile()) {
        chooseInput(*chosen);
    }
}

void ConverterSession::chooseInput(const std::filesystem::path& path) {
    if (!input_.choose(fileSystem_, path)) {
        frontEnd_.showMessage(operatorText(MessageKind::FileMissing));
    }
}

void ConverterSession::convert() {
    if (!input_.hasChoice()) {
        frontEnd_.showMessage(kChooseInputFirst);
        return;
    }
    const LocalDateTime now = clock_();
    if (!isListedYear(now)) {
        frontEnd_.showMessage(kClockOutOfRange);
        return;
    }
    std::vector<MessageKind> messages;
    const MessageSink keep = [&messages](const RunMessage& message) {
        messages.push_back(message.kind);
    };
    bool failed = false;
    try {
        std::optional<Conversion> conversion = Conversion::open(
            fileSystem_,
            {.input = input_.take(), .settings = {.options = {variant_, reversePins_}, .at = now}},
            keep);
        if (conversion) {
            const BusyWhile busy(frontEnd_);
            conversion->run(keep);
        }
    } catch (const std::exception&) {
        // A dialog has no signal to stop a run, so nothing here is an interruption: the failures
        // that the run tells of are messages, and anything else would escape into the toolkit's
        // event loop.
        failed = true;
    }
    // The run has finished its files by now; the operator reads its messages in their order.
    for (const MessageKind message : messages) {
        frontEnd_.showMessage(operatorText(message));
    }
    if (failed) {
        frontEnd_.showMessage(kUnexpectedFailure);
    }
}

}  // namespace zemra::app
