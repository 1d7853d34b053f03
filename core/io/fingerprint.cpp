#include "io/fingerprint.h"

#include "text/hex_text.h"

namespace zemra {

std::string Fingerprint::sha256Hex() const {
    std::string text;
    for (const std::uint8_t byte : sha256) {
        appendHexByte(text, byte, HexCase::Lower);
    }
    return text;
}

}  // namespace zemra
