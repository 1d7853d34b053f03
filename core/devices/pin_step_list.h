#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "decode/pin_step.h"

namespace zemra {

// A diode or J step of a device as the IC passes read it; the device is the one being walked.
struct DeviceStep {
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
    TypeCode typeCode{};
    PinStepOrdinal pinStep = 0;  // which pin step of the run it is

    friend bool operator==(const DeviceStep&, const DeviceStep&) = default;
};

class DeviceSteps;
class DeviceStepIterator;

// The pin steps of a run (pinSteps), held as the passes after the record loop read them. Of
// every pin step they read only its device: the order in which the devices first appear, the LC
// of each device's first step and how many steps each has. Only diode and J steps are read in
// full, and only those of ICs; which devices are ICs is known only at the end, so every diode
// and J step is kept, in 12 bytes, linked to the next kept step of its device, so that the
// steps of one device are walked in step order without a search. The lists built after the
// record loop refer to these entries instead of copying them.
class PinStepList {
  public:
    // Room for this many kept steps is taken at once; room that no step fills costs no memory.
    explicit PinStepList(std::size_t expectedSteps = 0);

    // Appends the next pin step of the run. Its tester pins are 12-bit numbers, as records hold
    // them. A run keeps fewer than 2^32 diode and J steps (a file of over 256 GB): the next one
    // throws std::length_error.
    void append(const PinStep& step);

    // Pin steps appended so far: the ordinal of the next one.
    PinStepOrdinal size() const { return size_; }
    // Every device once, in the order of its first pin step.
    const std::vector<NameId>& devices() const { return devicesInOrder_; }
    LcCode firstLcOf(NameId device) const { return devices_[device].firstLc; }
    std::uint32_t stepCountOf(NameId device) const {
        return device < devices_.size() ? devices_[device].stepCount : 0;
    }
    // The device's diode steps (isDiodeStep) or J steps (isJStep), in step order.
    DeviceSteps stepsOf(NameId device, bool (*kind)(TypeCode)) const;

  private:
    friend class DeviceStepIterator;
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

    struct Device {
        LcCode firstLc;
        std::uint32_t stepCount = 0;  // stops rising at its highest value
        std::uint32_t firstKept = kNone;
        std::uint32_t lastKept = kNone;
    };
    // A kept step: its tester pins (12 bits each) and type code packed into one word.
    struct KeptStep {
        std::uint32_t next = kNone;  // the device's next kept step
        std::int32_t pinNumber = 0;
        std::uint32_t pinsAndType = 0;
    };
    // The ordinal of the kept step at `kept`, where pin steps that are not kept last came between
    // two kept ones: a kept step's ordinal is that of the last mark at or before it plus its
    // distance from that mark. Boards whose pin steps are mostly diode and J steps need few.
    struct OrdinalMark {
        std::uint32_t kept = 0;
        PinStepOrdinal ordinal = 0;
    };

    DeviceStep stepAt(std::uint32_t kept) const;
    TypeCode typeAt(std::uint32_t kept) const;

    std::vector<Device> devices_;  // by name
    std::vector<NameId> devicesInOrder_;
    std::vector<KeptStep> kept_;
    std::vector<OrdinalMark> marks_;
    PinStepOrdinal size_ = 0;
};

// Walks the kept steps of one device, passing over those of the other kind.
class DeviceStepIterator {
  public:
    using value_type = DeviceStep;
    using difference_type = std::ptrdiff_t;

    DeviceStepIterator() = default;
    DeviceStepIterator(const PinStepList* list, std::uint32_t kept, bool (*kind)(TypeCode))
        : list_(list), kept_(kept), kind_(kind) {
        skipOtherKind();
    }
    DeviceStep operator*() const { return list_->stepAt(kept_); }
    DeviceStepIterator& operator++() {
        kept_ = list_->kept_[kept_].next;
        skipOtherKind();
        return *this;
    }
    DeviceStepIterator operator++(int) {
        DeviceStepIterator before = *this;
        ++*this;
        return before;
    }
    friend bool operator==(const DeviceStepIterator& iterator, std::default_sentinel_t) {
        return iterator.atEnd();
    }
    friend bool operator==(const DeviceStepIterator&, const DeviceStepIterator&) = default;

  private:
    bool atEnd() const { return kept_ == PinStepList::kNone; }
    void skipOtherKind() {
        while (kept_ != PinStepList::kNone && !kind_(list_->typeAt(kept_))) {
            kept_ = list_->kept_[kept_].next;
        }
    }

    const PinStepList* list_ = nullptr;
    std::uint32_t kept_ = PinStepList::kNone;
    bool (*kind_)(TypeCode) = nullptr;
};

// The diode or J steps of one device, in step order.
class DeviceSteps {
  public:
    DeviceSteps(const PinStepList& list, std::uint32_t first, bool (*kind)(TypeCode))
        : list_(&list), first_(first), kind_(kind) {}

    DeviceStepIterator begin() const { return {list_, first_, kind_}; }
    std::default_sentinel_t end() const { return {}; }
    bool empty() const { return begin() == end(); }

  private:
    const PinStepList* list_;
    std::uint32_t first_;
    bool (*kind_)(TypeCode);
};

}  // namespace zemra
