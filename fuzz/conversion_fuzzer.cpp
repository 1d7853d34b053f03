// libFuzzer harness over a whole conversion: any byte sequence is a component file.
#include <cstddef>
#include <cstdint>

#include "fuzz_one_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zemra::fuzzOneInput({data, size});
    return 0;
}
