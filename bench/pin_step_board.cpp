#include "pin_step_board.h"

#include <string>

#include "record_builder.h"

namespace zemra {

std::vector<std::byte> makePinStepBoard(std::size_t pinSteps, std::size_t devices) {
    constexpr int kGround = 4000;
    const std::size_t ics = devices / 10;
    const std::size_t smallSteps = (devices - ics) * 2;
    const std::size_t stepsPerIc = (pinSteps - smallSteps) / ics;
    std::vector<std::byte> board;
    board.reserve(pinSteps * 64);
    std::size_t written = 0;
    for (std::size_t ic = 0; ic < ics; ++ic) {
        const std::string name = "U" + std::to_string(ic + 1) + "-";
        const int pins = static_cast<int>(stepsPerIc * 2 / 3);
        for (int pin = 1; pin <= pins; ++pin) {
            RecordBuilder()
                .name(name + std::to_string(pin))
                .lc("A1")
                .typeCode(10)
                .pins(static_cast<int>(ic % 40) * 100 + pin, kGround)
                .appendTo(board);
            ++written;
        }
        for (int pin = 1; written < (ic + 1) * stepsPerIc; ++pin) {
            const int tester = static_cast<int>(ic % 40) * 100 + pin;
            RecordBuilder()
                .name(name + std::to_string(pin) + std::to_string(pin + 1))
                .lc("A1")
                .typeCode(13)
                .pins(tester, tester + 1)
                .appendTo(board);
            ++written;
        }
    }
    for (std::size_t device = 0; written < pinSteps; ++device) {
        RecordBuilder()
            .name("U" + std::to_string(ics + device + 1) + "_" + std::to_string(written % 2 + 1))
            .lc("B2")
            .typeCode(12)
            .pins(1, 2)
            .appendTo(board);
        ++written;
    }
    return board;
}

}  // namespace zemra
