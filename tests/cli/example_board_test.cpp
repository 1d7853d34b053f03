// The bundled example board is what the board generator makes of seed 7 with 300 records, so that
// it can be made again whenever the generator changes.
#include <gtest/gtest.h>

#include "process_runner.h"
#include "temp_folder.h"

namespace zemra {
namespace {

TEST(ExampleBoard, IsRemadeByTheGeneratorFromSevenAnd300) {
    const testing::TempFolder folder;
    ASSERT_EQ(testing::runProgram(ZEMRA_GENERATE_BOARD_PATH, "7 300 BOARD7.cmp", folder.path())
                  .exitStatus,
              0);
    EXPECT_EQ(testing::readFile(folder / "BOARD7.cmp"),
              testing::readFile(ZEMRA_EXAMPLES_DIR "/BOARD7.cmp"));
}

}  // namespace
}  // namespace zemra
