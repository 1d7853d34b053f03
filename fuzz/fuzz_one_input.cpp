#include "fuzz_one_input.h"

#include "run/convert_board.h"

namespace zemra {

void fuzzOneInput(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return;
    }
    const DecodeOptions options{
        (data[0] & 1U) != 0 ? TesterVariant::Kx740e : TesterVariant::Kx740FeFr,
        (data[0] & 2U) != 0};
    MemorySource input(std::as_bytes(data.subspan(1)));
    // A record may name IC pin 99999999: the .icp file then has that many lines, all formatted.
    DiscardingSink listing;
    DiscardingSink icn;
    DiscardingSink icp;
    DiscardingSink scp;
    convertBoard(input, {"FUZZ", options, {}}, {listing, icn, icp, scp});
}

}  // namespace zemra
