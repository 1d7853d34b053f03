// libFuzzer harness over the reading of a tester folder's files: any byte sequence is a listing,
// a pair of pin files or a settings file.
#include <cstddef>
#include <cstdint>

#include "fuzz_tester_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zemra::fuzzTesterFiles({data, size});
    return 0;
}
