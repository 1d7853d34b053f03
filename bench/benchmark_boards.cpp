#include "benchmark_boards.h"

#include <string>

#include "record_builder.h"

namespace zemra {
namespace {

constexpr std::size_t kRecordsPerPiece = 16384;
constexpr int kGround = 1;
// Every record of these boards has limits of 5% as read and mode "2".
constexpr std::int8_t kLimit = 5;

RecordBuilder step(const std::string& name, std::int8_t typeCode, int hiPin, int loPin) {
    RecordBuilder record;
    record.name(name).lc("A1").typeCode(typeCode).pins(hiPin, loPin).limits(kLimit, kLimit);
    record.mode('2');
    return record;
}

RecordBuilder diodeStep(const std::string& name, int hiPin) {
    RecordBuilder record = step(name, 10, hiPin, kGround);
    record.standard(700, 0x40).actual(650, 0x40);
    return record;
}

class Pieces {
  public:
    explicit Pieces(const RecordPieces& take) : take_(take) {}
    ~Pieces() { flush(); }
    Pieces(const Pieces&) = delete;
    Pieces& operator=(const Pieces&) = delete;

    void add(const RecordBuilder& record) {
        record.appendTo(piece_);
        if (piece_.size() >= kRecordsPerPiece * record.bytes().size()) {
            flush();
        }
    }

  private:
    void flush() {
        if (!piece_.empty()) {
            take_(piece_);
            piece_.clear();
        }
    }

    const RecordPieces& take_;
    std::vector<std::byte> piece_;
};

}  // namespace

void makeIcDenseBoard(std::size_t devices, const RecordPieces& take) {
    Pieces pieces(take);
    for (std::size_t device = 1; device <= devices; ++device) {
        const int base = 2 + static_cast<int>((device * 13) % 4000);
        const std::string name = "U" + std::to_string(device);
        for (int pin = 1; pin <= 10; ++pin) {
            pieces.add(diodeStep(name + "_" + std::to_string(pin), base + pin % 90));
        }
        for (const int pin : {1, 3, 5, 7}) {
            pieces.add(step(name + "_" + std::to_string(pin) + std::to_string(pin + 1), 13,
                            base + pin % 90, base + (pin + 1) % 90));
        }
        for (std::size_t resistor = 0; resistor < 2; ++resistor) {
            RecordBuilder record =
                step("R" + std::to_string(device * 2 + resistor), 1, base, base + 1);
            record.standard(4700, 0x14).actual(470, 0x15);
            pieces.add(record);
        }
    }
}

void makeDuplicateBoard(std::size_t copies, const RecordPieces& take) {
    Pieces pieces(take);
    for (int pin = 3; pin <= 10; ++pin) {
        pieces.add(diodeStep("U1_" + std::to_string(pin), 100 + pin));
    }
    for (std::size_t copy = 0; copy < copies; ++copy) {
        pieces.add(diodeStep("U1_2", 102));
    }
    for (std::size_t copy = 0; copy < copies; ++copy) {
        pieces.add(step("U1_23", 13, 102, 103));
    }
}

}  // namespace zemra
