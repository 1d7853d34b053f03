#include "page_ic_data.h"

#include <algorithm>

#include "page_data.h"
#include "report/pin_explanations.h"

namespace zemra::cli {
namespace {

constexpr unsigned kTesterPinFollows = 1U;
constexpr unsigned kPinsFollow = 2U;

char agreementLetter(PinAgreement agreement) {
    switch (agreement) {
        case PinAgreement::Agree:
            return 'a';
        case PinAgreement::Conflict:
            return 'c';
        case PinAgreement::OneKind:
            break;
    }
    return '-';
}

char sourceLetter(PinOrigin origin) {
    return originText(origin).front();
}

// The tester pin that a step of `role` is foreseen to give a pin whose tester pin is `testerPin`.
int foreseenTesterPin(PinStepRole role, int testerPin) {
    return role == PinStepRole::NoCommonPin || role == PinStepRole::NothingFound ||
                   role == PinStepRole::OtherDevice
               ? 0
               : testerPin;
}

// The source and step of a pin that the steps that name it tell (IcDataCoder).
std::pair<char, std::int64_t> toldSource(const BoardReport& board, const PinExplanation& pin) {
    for (const PinStepUse& use : pin.steps) {
        if (use.role == PinStepRole::Gave) {
            return {pin.testerPin == 0 ? 'n'
                    : use.jStep        ? 'j'
                                       : 'd',
                    board.pinSteps.at(use.pinStep).step};
        }
    }
    return {'n', 0};
}

}  // namespace

std::int64_t useCode(std::uint32_t row, int role, bool jStep, unsigned flags, bool last) {
    return (((static_cast<std::int64_t>(row) * 8 + role) * 2 + (jStep ? 1 : 0)) * 4 + flags) * 2 +
           (last ? 1 : 0);
}

void IcDataCoder::append(const IcTrace& trace, const BoardReport& board, std::string& page) {
    const IcSummary& ic = trace.ic;
    const std::vector<DrawnPin> pins = drawnPinsOf(trace.table, board.pinSteps);
    const std::vector<PinExplanation> explained =
        explainPins(trace, board.misnamedJSteps, static_cast<int>(pins.size()));
    std::uint32_t firstRow = 0;
    bool any = false;
    for (const PinExplanation& pin : explained) {
        for (const PinStepUse& use : pin.steps) {
            const std::uint32_t row = board.rowOf(use.pinStep);
            firstRow = any ? std::min(firstRow, row) : row;
            any = true;
        }
    }
    page += '[';
    appendBytesJson(ic.name.view(), page);
    page += ',';
    if (ic.lc.view() == lc_) {
        page += '0';
    } else {
        appendBytesJson(ic.lc.view(), page);
        lc_ = ic.lc.view();
    }
    page += ',';
    appendNumberJson(ic.pinCount, page);
    page += ',';
    appendNumberJson(ic.firstIcp - nextIcp_, page);
    nextIcp_ = ic.firstIcp + ic.pinCount;
    for (const std::int64_t number :
         {std::int64_t{ic.pinsFromDiodeSteps}, std::int64_t{ic.pinsFromJSteps},
          std::int64_t{ic.unresolvedCount}}) {
        page += ',';
        appendNumberJson(number, page);
    }
    page += ",[";
    std::size_t written = page.size();
    int testerPin = -1;
    for (const DrawnPin& pin : pins) {
        if (pin.pin > 1) {
            page += ',';
        }
        appendNumberJson(std::int64_t{pin.testerPin} - testerPin - 1, page);
        if (pin.testerPin != testerPin + 1) {
            written = page.size();
        }
        testerPin = pin.testerPin;
    }
    page.resize(written);
    page += "],";
    appendNumberJson(std::int64_t{firstRow} - firstRow_, page);
    firstRow_ = firstRow;
    page += ',';
    std::string agreements;
    std::string sources;
    bool sourcesTold = true;
    for (std::size_t pin = 0; pin < explained.size(); ++pin) {
        agreements += agreementLetter(explained[pin].agreement);
        const auto [source, step] = toldSource(board, explained[pin]);
        sourcesTold = sourcesTold && pin < pins.size() &&
                      source == sourceLetter(pins[pin].origin) &&
                      step == (pins[pin].source ? pins[pin].source->step : 0);
    }
    sourcesTold = sourcesTold && explained.size() == pins.size();
    if (agreements.find_first_not_of('-') == std::string::npos) {
        page += '0';
    } else {
        appendBytesJson(agreements, page);
    }
    page += ",[";
    bool firstUse = true;
    for (std::size_t drawn = 0; drawn < explained.size(); ++drawn) {
        const PinExplanation& pin = explained[drawn];
        const int pinTesterPin = drawn < pins.size() ? pins[drawn].testerPin : 0;
        if (!firstUse) {
            page += ',';
        }
        firstUse = false;
        if (pin.steps.empty()) {
            page += "-1";
            continue;
        }
        for (std::size_t at = 0; at < pin.steps.size(); ++at) {
            const PinStepUse& use = pin.steps[at];
            const StepRef step = board.pinSteps.at(use.pinStep);
            const unsigned flags =
                (use.testerPin != foreseenTesterPin(use.role, pinTesterPin) ? kTesterPinFollows
                                                                            : 0U) |
                (use.hiPin != step.hiP || use.loPin != step.loP ? kPinsFollow : 0U);
            if (at > 0) {
                page += ',';
            }
            appendNumberJson(
                useCode(board.rowOf(use.pinStep) - firstRow, static_cast<int>(use.role), use.jStep,
                        flags, at + 1 == pin.steps.size()),
                page);
            if ((flags & kTesterPinFollows) != 0) {
                page += ',';
                appendNumberJson(use.testerPin, page);
            }
            if ((flags & kPinsFollow) != 0) {
                page += ',';
                appendNumberJson(use.hiPin, page);
                page += ',';
                appendNumberJson(use.loPin, page);
            }
            if (use.role == PinStepRole::OtherDevice) {
                page += ',';
                appendBytesJson(use.countedFor, page);
            }
        }
    }
    page += "],";
    if (sourcesTold) {
        page += "0,0";
    } else {
        for (const DrawnPin& pin : pins) {
            sources += sourceLetter(pin.origin);
        }
        appendBytesJson(sources, page);
        page += ",[";
        for (const DrawnPin& pin : pins) {
            if (pin.pin > 1) {
                page += ',';
            }
            appendNumberJson(pin.source ? pin.source->step : 0, page);
        }
        page += ']';
    }
    if (trace.sources != nullptr) {
        page += ',';
        appendNumberJson(trace.sources->commonPin, page);
        page += trace.sources->pairsJSteps ? ",1]" : ",0]";
    } else {
        page += ",null,null]";
    }
}

}  // namespace zemra::cli
