#include "devices/pin_step_list.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace zemra {
namespace {

constexpr unsigned kPinBits = 12;
constexpr std::uint32_t kPinMask = (1U << kPinBits) - 1;

std::uint32_t packPinsAndType(const PinStep& step) {
    return (static_cast<std::uint32_t>(step.hiPin) & kPinMask) |
           ((static_cast<std::uint32_t>(step.loPin) & kPinMask) << kPinBits) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(step.typeCode)) << 2 * kPinBits);
}

bool isDiodeOrJStep(TypeCode code) {
    return isDiodeStep(code) || isJStep(code);
}

}  // namespace

PinStepList::PinStepList(std::size_t expectedSteps) {
    kept_.reserve(expectedSteps);
}

void PinStepList::append(const PinStep& step) {
    if (step.name >= devices_.size()) {
        devices_.resize(std::size_t{step.name} + 1);
    }
    Device& device = devices_[step.name];
    if (device.stepCount == 0) {
        device.firstLc = step.lc;
        devicesInOrder_.push_back(step.name);
    }
    if (device.stepCount != std::numeric_limits<std::uint32_t>::max()) {
        ++device.stepCount;
    }
    const PinStepOrdinal ordinal = size_++;
    if (!isDiodeOrJStep(step.typeCode)) {
        return;
    }
    if (kept_.size() >= kNone) {
        throw std::length_error("more diode and J steps than one run can keep");
    }
    const auto index = static_cast<std::uint32_t>(kept_.size());
    const PinStepOrdinal expected =
        marks_.empty() ? index : marks_.back().ordinal + (index - marks_.back().kept);
    if (ordinal != expected) {
        marks_.push_back({index, ordinal});
    }
    kept_.push_back({kNone, step.pinNumber, packPinsAndType(step)});
    if (device.lastKept == kNone) {
        device.firstKept = index;
    } else {
        kept_[device.lastKept].next = index;
    }
    device.lastKept = index;
}

DeviceSteps PinStepList::stepsOf(NameId device, bool (*kind)(TypeCode)) const {
    return {*this, device < devices_.size() ? devices_[device].firstKept : kNone, kind};
}

DeviceStep PinStepList::stepAt(std::uint32_t kept) const {
    const KeptStep& step = kept_[kept];
    PinStepOrdinal ordinal = kept;
    const auto mark = std::upper_bound(
        marks_.begin(), marks_.end(), kept,
        [](std::uint32_t index, const OrdinalMark& later) { return index < later.kept; });
    if (mark != marks_.begin()) {
        ordinal = std::prev(mark)->ordinal + (kept - std::prev(mark)->kept);
    }
    return {.hiPin = static_cast<int>(step.pinsAndType & kPinMask),
            .loPin = static_cast<int>((step.pinsAndType >> kPinBits) & kPinMask),
            .pinNumber = step.pinNumber,
            .typeCode = typeAt(kept),
            .pinStep = ordinal};
}

TypeCode PinStepList::typeAt(std::uint32_t kept) const {
    return static_cast<TypeCode>(static_cast<std::int8_t>(
        static_cast<std::uint8_t>(kept_[kept].pinsAndType >> 2 * kPinBits)));
}

}  // namespace zemra
