// Every input of the fuzzing corpus, the fuzzer's findings and crafted cases, converted again on
// every build: none may crash, hang or trip the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_one_input.h"
#include "fuzz_tester_files.h"

namespace zemra {
namespace {

TEST(FuzzCorpus, EveryInputConverts) {
    const std::filesystem::path corpus = ZEMRA_FUZZ_CORPUS;
    std::size_t inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        fuzzOneInput(bytes);
        ++inputs;
    }
    EXPECT_GT(inputs, 10U);
}

TEST(FuzzCorpus, EveryTesterFileIsReadOrRefused) {
    const std::filesystem::path corpus = ZEMRA_TESTER_CORPUS;
    std::size_t inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        fuzzTesterFiles(bytes);
        ++inputs;
    }
    EXPECT_GT(inputs, 10U);
}

}  // namespace
}  // namespace zemra
