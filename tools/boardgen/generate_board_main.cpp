// zemra-generate-board SEED RECORDS OUT.cmp: writes a synthetic component file.
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string_view>

#include "board_generator.h"

namespace {

template <class Number>
bool parseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 0;
    std::size_t records = 0;
    if (argc != 4 || !parseNumber(argv[1], seed) || !parseNumber(argv[2], records)) {
        std::cerr << "usage: zemra-generate-board SEED RECORDS OUT.cmp\n";
        return 2;
    }
    const auto board = zemra::generateBoard(seed, records);
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(board.data()),
              static_cast<std::streamsize>(board.size()));
    if (!out.flush()) {
        std::cerr << "zemra-generate-board: cannot write " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
