#include "converter_session.h"

#include <vector>

#include "run/convert_file.h"
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
    if (!input_.choose(path)) {
        frontEnd_.showMessage(operatorText(MessageKind::FileMissing));
    }
}

void ConverterSession::convert() {
    if (!input_.hasChoice()) {
        frontEnd_.showMessage(kChooseInputFirst);
        return;
    }
    std::optional<InputFile> input = input_.takeInput();
    if (!input) {
        frontEnd_.showMessage(operatorText(MessageKind::FileMissing));
        return;
    }
    const ConversionSettings settings{{variant_, reversePins_}, currentLocalDateTime()};
    std::vector<MessageKind> messages;
    {
        const BusyWhile busy(frontEnd_);
        FileSystem& fileSystem = systemFileSystem();
        convertInput(fileSystem, *input, input_.title(),
                     makeOutputFolder(fileSystem, input_.outputParent(), input_.title()), settings,
                     [&messages](const RunMessage& message) { messages.push_back(message.kind); });
    }
    // The run has finished its files by now; the operator reads its messages in their order.
    for (const MessageKind message : messages) {
        frontEnd_.showMessage(operatorText(message));
    }
}

}  // namespace zemra::app
