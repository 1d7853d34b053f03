#include "diff/ic_pin_changes.h"

#include <string_view>
#include <unordered_map>

namespace zemra {
namespace {

using IcPlaces = std::unordered_map<std::string_view, std::size_t>;

IcPlaces placesOf(const RevisionFingerprint& revision) {
    IcPlaces places;
    places.reserve(revision.summary.ics.size());
    for (std::size_t index = 0; index < revision.summary.ics.size(); ++index) {
        places.emplace(revision.summary.ics[index].name.view(), index);
    }
    return places;
}

// The slot of `pin` in the pins found from `found` on, which it passes by; none when the table
// has none or the pin lies beyond its pin count.
const PinSlot* slotAt(const IcPinTable& table, std::vector<PinSlot>::const_iterator& found,
                      int pin) {
    while (found != table.foundPins.end() && found->pin < pin) {
        ++found;
    }
    if (found == table.foundPins.end() || found->pin != pin || pin > table.pinCount) {
        return nullptr;
    }
    return &*found;
}

std::int64_t sourceOf(const PinSlot* slot, const PinStepNumbers& pinSteps) {
    return slot == nullptr ? 0 : pinSteps.numberOf(slot->pinStep);
}

// The next pin after `pin` that either table found, 0 when there is none.
int nextFoundPin(const IcPinTable& table, std::vector<PinSlot>::const_iterator found, int pin) {
    while (found != table.foundPins.end() && found->pin <= pin) {
        ++found;
    }
    return found == table.foundPins.end() ? 0 : found->pin;
}

void comparePins(const IcChange& ic, const RevisionFingerprint& before,
                 const RevisionFingerprint& after, DiffReceiver& receiver, DiffCounts& counts) {
    auto oldFound = ic.before->foundPins.cbegin();
    auto newFound = ic.after->foundPins.cbegin();
    for (int pin = 0;;) {
        const int oldNext = nextFoundPin(*ic.before, oldFound, pin);
        const int newNext = nextFoundPin(*ic.after, newFound, pin);
        if (oldNext == 0 && newNext == 0) {
            return;
        }
        pin = oldNext == 0 ? newNext : newNext == 0 ? oldNext : std::min(oldNext, newNext);
        IcChange change = ic;
        change.kind = IcChangeKind::Pin;
        change.pin = pin;
        const PinSlot* oldSlot = slotAt(*ic.before, oldFound, pin);
        const PinSlot* newSlot = slotAt(*ic.after, newFound, pin);
        change.oldTesterPin = oldSlot == nullptr ? 0 : oldSlot->testerPin;
        change.newTesterPin = newSlot == nullptr ? 0 : newSlot->testerPin;
        if (change.oldTesterPin != change.newTesterPin) {
            change.oldSourceStep = sourceOf(oldSlot, before.pinSteps);
            change.newSourceStep = sourceOf(newSlot, after.pinSteps);
            ++counts.icPins;
            receiver.takeIc(change);
        }
    }
}

}  // namespace

void compareIcPins(const RevisionFingerprint& before, const RevisionFingerprint& after,
                   DiffReceiver& receiver, DiffCounts& counts) {
    const IcPlaces oldPlaces = placesOf(before);
    const IcPlaces newPlaces = placesOf(after);
    // Each IC's tables are unpacked in turn into these.
    IcPinTable oldTable;
    IcPinTable newTable;
    for (std::size_t index = 0; index < before.summary.ics.size(); ++index) {
        const IcSummary& ic = before.summary.ics[index];
        if (!newPlaces.contains(ic.name.view())) {
            ++counts.icsRemoved;
            before.icPinTables.unpack(index, oldTable);
            receiver.takeIc({.kind = IcChangeKind::Removed,
                             .name = ic.name.view(),
                             .oldPinCount = ic.pinCount,
                             .before = &oldTable});
        }
    }
    for (std::size_t index = 0; index < after.summary.ics.size(); ++index) {
        const IcSummary& ic = after.summary.ics[index];
        const auto old = oldPlaces.find(ic.name.view());
        if (old == oldPlaces.end()) {
            ++counts.icsAdded;
            after.icPinTables.unpack(index, newTable);
            receiver.takeIc({.kind = IcChangeKind::Added,
                             .name = ic.name.view(),
                             .newPinCount = ic.pinCount,
                             .after = &newTable});
            continue;
        }
        before.icPinTables.unpack(old->second, oldTable);
        after.icPinTables.unpack(index, newTable);
        const IcChange both{.kind = IcChangeKind::PinCount,
                            .name = ic.name.view(),
                            .oldPinCount = before.summary.ics[old->second].pinCount,
                            .newPinCount = ic.pinCount,
                            .before = &oldTable,
                            .after = &newTable};
        if (both.oldPinCount != both.newPinCount) {
            ++counts.icPinCounts;
            receiver.takeIc(both);
        }
        comparePins(both, before, after, receiver, counts);
    }
}

}  // namespace zemra
