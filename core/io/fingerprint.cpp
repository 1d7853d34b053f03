#include "io/fingerprint.h"

#include <array>

namespace zemra {

std::string Fingerprint::sha256Hex() const {
    constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                        '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string text;
    for (const std::uint8_t byte : sha256) {
        text += kHex[byte >> 4U];
        text += kHex[byte & 0x0FU];
    }
    return text;
}

}  // namespace zemra
