// The bundled example board is what the board generator makes of seed 7 with 300 records, so that
// it can be made again whenever the generator changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "temp_folder.h"

namespace zemra {
namespace {

TEST(ExampleBoard, IsRemadeByTheGeneratorFromSevenAnd300) {
    const testing::TempFolder folder;
    const std::string command =
        "'" ZEMRA_GENERATE_BOARD_PATH "' 7 300 '" + (folder / "BOARD7.cmp").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(testing::readFile(folder / "BOARD7.cmp"),
              testing::readFile(ZEMRA_EXAMPLES_DIR "/BOARD7.cmp"));
}

}  // namespace
}  // namespace zemra
