#include "board_generator.h"

#include <algorithm>
#include <array>
#include <deque>
#include <random>
#include <string>

#include "record_builder.h"

namespace zemra {
namespace {

struct Ic {
    std::string name;
    std::string lc;
    int commonTester = 0;
    std::vector<int> testers;  // tester pin of IC pin 1, 2, ...
    std::vector<RecordBuilder> steps;
    std::size_t next = 0;
};

class Generator {
  public:
    Generator(std::uint64_t seed, std::size_t recordCount)
        : random_(seed), recordCount_(recordCount) {}

    std::vector<std::byte> run() {
        planIcs();
        while (written_ < recordCount_) {
            const int pick = uniform(0, 99);
            if (pick < 35 && emitIcSteps()) {
                continue;
            }
            if (pick < 60) {
                emitResistor();
            } else if (pick < 72) {
                emitCapacitor();
            } else if (pick < 76) {
                emitInductor();
            } else if (pick < 82) {
                emitVoltageStep();
            } else if (pick < 88) {
                emitSemiconductor();
            } else if (pick < 94) {
                emitConnector();
            } else {
                emitOddRecord();
            }
        }
        return std::move(file_);
    }

  private:
    int uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool chance(int percent) { return uniform(0, 99) < percent; }
    template <class Item, std::size_t N>
    const Item& oneOf(const std::array<Item, N>& items) {
        return items[static_cast<std::size_t>(uniform(0, static_cast<int>(N) - 1))];
    }

    std::string lc() {
        return {static_cast<char>('A' + uniform(0, 7)), static_cast<char>('1' + uniform(0, 8))};
    }
    int testerPin() { return uniform(1, 1023); }

    void emit(const RecordBuilder& record) {
        if (written_ < recordCount_) {
            record.appendTo(file_);
            ++written_;
        }
    }

    RecordBuilder part(const std::string& name, std::int8_t type) {
        RecordBuilder record;
        record.name(name).lc(lc()).typeCode(type).pins(testerPin(), testerPin());
        if (chance(20)) {
            record.guards({testerPin(), chance(30) ? testerPin() : 0, 0, 0, 0});
        }
        if (chance(3)) {
            record.skip();
        }
        return record;
    }

    void emitResistor() {
        static constexpr std::array<int, 4> kTolerances{1, 2, 5, 10};
        const int tolerance = oneOf(kTolerances);
        const auto range = static_cast<std::uint8_t>(0x10 + uniform(1, 9));
        const auto value = static_cast<std::int16_t>(uniform(100, 9999));
        RecordBuilder record =
            part("R" + std::to_string(++counter_), oneOf(std::array<std::int8_t, 3>{1, 2, 3}));
        record.actual(value, range).standard(value, range);
        if (chance(85)) {
            record.limits(static_cast<std::int8_t>(tolerance), static_cast<std::int8_t>(tolerance));
        } else {
            record.limits(static_cast<std::int8_t>(-tolerance), static_cast<std::int8_t>(tolerance),
                          chance(50) ? 0x71 : 0x00, chance(50) ? 0x71 : 0x00);
        }
        emit(record);
    }

    void emitCapacitor() {
        const auto range = static_cast<std::uint8_t>(0x20 + uniform(1, 10));
        const auto value = static_cast<std::int16_t>(uniform(10, 4700));
        const std::string name = (chance(90) ? "C" : "X") + std::to_string(++counter_);
        RecordBuilder record = part(name, oneOf(std::array<std::int8_t, 3>{4, 7, 5}));
        record.actual(value, range)
            .standard(chance(80) ? value : static_cast<std::int16_t>(value * 10),
                      chance(80) ? range : static_cast<std::uint8_t>(range - 1))
            .limits(chance(80) ? 20 : -20, 20, 0x71, chance(85) ? 0x71 : 0x00);
        emit(record);
    }

    void emitInductor() {
        const auto range = static_cast<std::uint8_t>(0x30 + uniform(1, 9));
        const auto value = static_cast<std::int16_t>(uniform(10, 999));
        RecordBuilder record = part("L" + std::to_string(++counter_), chance(50) ? 8 : 9);
        record.actual(value, range).standard(chance(70) ? value : 0, range).limits(10, 10);
        emit(record);
    }

    void emitVoltageStep() {
        static constexpr std::array<const char*, 4> kNames{"TP", "VCC", "LSI", "REG"};
        const auto volts = static_cast<std::int16_t>(uniform(300, 12000));
        RecordBuilder record = part(oneOf(kNames) + std::to_string(++counter_),
                                    oneOf(std::array<std::int8_t, 3>{6, 12, 0}));
        record.actual(volts, 0x40)
            .standard(volts, static_cast<std::uint8_t>(0x40 + uniform(0, 2)))
            .mode(static_cast<char>('1' + uniform(0, 6)))
            .delay(static_cast<std::int8_t>(uniform(-2, 20)))
            .limits(chance(90) ? 10 : -10, 10, 0x71, chance(90) ? 0x71 : 0x00);
        emit(record);
    }

    void emitSemiconductor() {
        static constexpr std::array<const char*, 5> kDiodeNames{"D", "ZD", "LED", "CR", "DB"};
        static constexpr std::array<const char*, 3> kTransistorNames{"Q", "TR", "VT"};
        const bool transistor = chance(40);
        const std::string name =
            std::string(transistor ? oneOf(kTransistorNames) : oneOf(kDiodeNames)) +
            std::to_string(++counter_) + (chance(20) ? "-BE" : "");
        RecordBuilder record =
            part(name, transistor ? 15 : oneOf(std::array<std::int8_t, 2>{10, 11}));
        record.actual(700, 0x40)
            .standard(static_cast<std::int16_t>(uniform(550, 750)), 0x40)
            .mode(static_cast<char>('1' + uniform(0, 5)))
            .limits(20, 20);
        emit(record);
    }

    void emitConnector() {
        static constexpr std::array<const char*, 4> kNames{"CN", "SW", "J", "JP"};
        RecordBuilder record = part(oneOf(kNames) + std::to_string(++counter_) +
                                        (chance(50) ? "-" + std::to_string(uniform(1, 40)) : ""),
                                    chance(60) ? 13 : 14);
        record.limits(0, 0, chance(50) ? 0x71 : 0x00, 0x71);
        emit(record);
    }

    // Records a real file carries now and then: skipped steps without a name, records without a
    // name that the converter drops, names with odd spacing.
    void emitOddRecord() {
        RecordBuilder record;
        switch (uniform(0, 3)) {
            case 0:
                record.skip().pins(testerPin(), testerPin());
                break;
            case 1:
                record.name(std::to_string(uniform(1, 99)) + "R").pins(testerPin(), testerPin());
                break;
            case 2:
                record = part("R " + std::to_string(++counter_) + " -", 1);
                record.actual(470, 0x15).standard(4700, 0x14).limits(5, 5);
                break;
            default:
                record = part("TP" + std::to_string(++counter_), 0);
                record.lc(chance(50) ? "#" : "");
                break;
        }
        emit(record);
    }

    void planIcs() {
        groundTester_ = testerPin();
        static constexpr std::array<int, 8> kPinCounts{8, 14, 16, 20, 24, 28, 40, 48};
        const std::size_t icCount = std::max<std::size_t>(1, recordCount_ / 120);
        for (std::size_t index = 0; index < icCount; ++index) {
            Ic ic;
            ic.name = (chance(80) ? "U" : "IC") + std::to_string(index + 1);
            ic.lc = lc();
            const int pinCount = oneOf(kPinCounts);
            // Most ICs share the board's ground net.
            ic.commonTester = chance(85) ? groundTester_ : testerPin();
            for (int pin = 1; pin <= pinCount; ++pin) {
                ic.testers.push_back(testerPin());
            }
            planIcSteps(ic);
            if (!ic.steps.empty()) {
                pending_.push_back(ics_.size());
            }
            ics_.push_back(std::move(ic));
        }
    }

    std::string pinName(const Ic& ic, const std::string& pin) {
        static constexpr std::array<char, 3> kSeparators{'-', '_', ' '};
        return ic.name + oneOf(kSeparators) + pin;
    }

    void planIcSteps(Ic& ic) {
        const int pinCount = static_cast<int>(ic.testers.size());
        const int groundPin = pinCount / 2;
        for (int pin = 1; pin <= pinCount; ++pin) {
            if (pin == groundPin) {
                continue;
            }
            RecordBuilder step;
            const int tester = ic.testers[static_cast<std::size_t>(pin - 1)];
            const bool reversed = chance(10);
            step.name(pinName(ic, std::to_string(pin)))
                .lc(ic.lc)
                .typeCode(chance(70) ? 10 : 11)
                .pins(reversed ? ic.commonTester : tester, reversed ? tester : ic.commonTester)
                .actual(700, 0x40)
                .standard(static_cast<std::int16_t>(uniform(450, 750)), 0x40)
                .mode('2')
                .limits(30, 30);
            ic.steps.push_back(step);
        }
        for (int pin = 1; pin < pinCount; pin += chance(70) ? 1 : 2) {
            RecordBuilder step;
            step.name(pinName(ic, std::to_string(pin) + std::to_string(pin + 1)))
                .lc(ic.lc)
                .typeCode(chance(60) ? 13 : 14)
                .pins(ic.testers[static_cast<std::size_t>(pin - 1)],
                      ic.testers[static_cast<std::size_t>(pin)])
                .limits(0, 0, 0x00, 0x71);
            ic.steps.push_back(step);
        }
        for (int extra = uniform(0, 3); extra > 0; --extra) {
            RecordBuilder step;
            const int pin = uniform(1, pinCount);
            step.name(pinName(ic, std::to_string(pin)))
                .lc(ic.lc)
                .typeCode(12)
                .pins(ic.testers[static_cast<std::size_t>(pin - 1)], ic.commonTester)
                .actual(static_cast<std::int16_t>(uniform(100, 5000)), 0x40)
                .standard(static_cast<std::int16_t>(uniform(100, 5000)), 0x40)
                .limits(10, 10);
            ic.steps.push_back(step);
        }
    }

    // A few steps of one of the first three ICs that still have some: ICs are tested in runs
    // between other parts.
    bool emitIcSteps() {
        if (pending_.empty()) {
            return false;
        }
        const auto choice = static_cast<std::size_t>(
            uniform(0, std::min(2, static_cast<int>(pending_.size()) - 1)));
        Ic& ic = ics_[pending_[choice]];
        for (int count = uniform(3, 12); count > 0 && ic.next < ic.steps.size(); --count) {
            emit(ic.steps[ic.next++]);
        }
        if (ic.next == ic.steps.size()) {
            pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(choice));
        }
        return true;
    }

    std::mt19937_64 random_;
    std::size_t recordCount_;
    std::size_t written_ = 0;
    int counter_ = 0;
    int groundTester_ = 0;
    std::vector<Ic> ics_;
    std::deque<std::size_t> pending_;  // the ICs with steps left, in order
    std::vector<std::byte> file_;
};

}  // namespace

std::vector<std::byte> generateBoard(std::uint64_t seed, std::size_t recordCount) {
    return Generator(seed, recordCount).run();
}

}  // namespace zemra
