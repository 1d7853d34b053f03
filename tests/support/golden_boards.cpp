#include "golden_boards.h"

#include "record_builder.h"

namespace zemra::testing {
namespace {

constexpr int kGround = 100;

RecordBuilder diodeStep(const std::string& name, const char* lc, int testerPin) {
    RecordBuilder step;
    step.name(name).lc(lc).typeCode(10).pins(testerPin, kGround).mode('2');
    step.actual(700, 0x40).standard(650, 0x40).limits(30, 30);
    return step;
}

RecordBuilder jStep(const std::string& name, const char* lc, std::int8_t code, int hi, int lo) {
    RecordBuilder step;
    step.name(name).lc(lc).typeCode(code).pins(hi, lo).limits(0, 0, 0x00, 0x71);
    return step;
}

// The diode step written the other way round, with its Hi pin on the ground.
RecordBuilder backwardDiodeStep(const std::string& name, const char* lc, int testerPin) {
    RecordBuilder step = diodeStep(name, lc, testerPin);
    step.pins(kGround, testerPin);
    return step;
}

std::string bytesOf(const std::vector<RecordBuilder>& records) {
    std::string bytes;
    for (const RecordBuilder& record : records) {
        bytes.append(reinterpret_cast<const char*>(record.bytes().data()), record.bytes().size());
    }
    return bytes;
}

RecordBuilder resistor() {
    RecordBuilder step;
    step.name("R1").lc("A1").typeCode(1).pins(1, 2).actual(470, 0x15).standard(4700, 0x14);
    step.limits(5, 5);
    return step;
}

}  // namespace

std::string twoIcBoard() {
    std::vector<RecordBuilder> records;
    records.push_back(resistor());
    for (const int pin : {1, 2, 3, 4, 5, 6, 8}) {
        records.push_back(diodeStep("U1-" + std::to_string(pin), "D1", 20 + pin));
    }
    records.push_back(RecordBuilder()
                          .name("C1")
                          .lc("B2")
                          .typeCode(4)
                          .pins(3, 4)
                          .guards({5, 0, 0, 0, 300})
                          .actual(100, 0x26)
                          .standard(100, 0x26)
                          .limits(20, 20));
    for (const int pin : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12}) {
        records.push_back(diodeStep("U2 " + std::to_string(pin), "E2", 40 + pin));
    }
    records.push_back(diodeStep("U2-3", "E2", 99));
    records.push_back(RecordBuilder().skip().pins(7, 8));
    records.push_back(jStep("U1-1112", "D1", 13, 31, 32));
    records.push_back(jStep("U1-1213", "D1", 13, 32, 33));
    records.push_back(jStep("U1-1314", "D1", 14, 33, 34));
    records.push_back(jStep("U2-1213", "E2", 13, 52, 53));
    records.push_back(jStep("U2-1516", "E2", 14, 55, 56));
    records.push_back(RecordBuilder()
                          .name("U1_14")
                          .lc("D1")
                          .typeCode(12)
                          .pins(34, kGround)
                          .actual(3300, 0x40)
                          .standard(3300, 0x40)
                          .mode('5')
                          .delay(2)
                          .limits(10, 10));
    records.push_back(diodeStep("D5", "C3", 61).typeCode(11));
    records.push_back(RecordBuilder().name("9X").pins(1, 1));
    return bytesOf(records);
}

std::string backwardDiodeBoard() {
    std::vector<RecordBuilder> records{resistor()};
    for (const int pin : {1, 2, 3, 4, 5, 6, 8}) {
        records.push_back(backwardDiodeStep("U3-" + std::to_string(pin), "B1", 60 + pin));
    }
    records.push_back(jStep("U3-67", "B1", 13, 66, 67));
    for (const int pin : {1, 2, 3, 5, 6, 7, 8, 9}) {
        records.push_back(backwardDiodeStep("IC5-" + std::to_string(pin), "C2", 80 + pin));
    }
    records.push_back(jStep("IC5-34", "C2", 13, 83, 84));
    return bytesOf(records);
}

std::string longIcpBoard(int highestPin) {
    std::vector<RecordBuilder> records{
        RecordBuilder().name("U1_" + std::to_string(highestPin)).typeCode(10).pins(5, 1)};
    for (int pin = 1; pin < 8; ++pin) {
        records.push_back(
            RecordBuilder().name("U1_" + std::to_string(pin)).typeCode(10).pins(6 + pin, 1));
    }
    return bytesOf(records);
}

}  // namespace zemra::testing
