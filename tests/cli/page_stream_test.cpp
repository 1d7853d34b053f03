// A page written as it is made: whole once finished, and nothing at all, not even its temporary,
// when any write, the flush to disk or the move fails on the way.
#include <gtest/gtest.h>

#include <sstream>

#include "behaviour_name.h"
#include "faulty_file_system.h"
#include "page_stream.h"
#include "process_runner.h"
#include "temp_folder.h"

namespace zemra {
namespace {

// More than one chunk of the stream, so that it is written in several writes.
std::string pageText() {
    std::string text = "<!DOCTYPE html>\n";
    for (int line = 0; text.size() < (std::size_t{3} << 20U); ++line) {
        text += "<p>line " + std::to_string(line) + "</p>\n";
    }
    return text;
}

// Appends `text` in pieces, flushing after each, as the page's writer does.
void appendInPieces(cli::PageStream& stream, const std::string& text) {
    constexpr std::size_t kPiece = 4096;
    for (std::size_t at = 0; at < text.size(); at += kPiece) {
        stream.text() += text.substr(at, kPiece);
        stream.flush();
    }
}

TEST(PageStream, WritesThePageWholeInSeveralWrites) {
    const testing::TempFolder folder;
    testing::FaultyFileSystem fileSystem({});
    const std::string text = pageText();
    cli::PageStream stream(folder / "page.html", {}, fileSystem);
    appendInPieces(stream, text);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_TRUE(stream.finish(out, err)) << err.str();
    EXPECT_EQ(testing::readFile(folder / "page.html"), text);
    EXPECT_EQ(testing::entriesOf(folder.path()), std::vector<std::string>{"page.html"});
    EXPECT_NE(out.str().find("page.html\n"), std::string::npos);
}

struct StreamFault {
    std::string behaviour;
    testing::Faults faults;
};

class PageStreamFault : public ::testing::TestWithParam<StreamFault> {};

TEST_P(PageStreamFault, LeavesNoPageAndSaysWhy) {
    const testing::TempFolder folder;
    testing::FaultyFileSystem fileSystem(GetParam().faults);
    cli::PageStream stream(folder / "page.html", {}, fileSystem);
    appendInPieces(stream, pageText());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_FALSE(stream.finish(out, err));
    EXPECT_NE(err.str().find(": the page was not written ("), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(testing::entriesOf(folder.path()).empty());
    EXPECT_EQ(fileSystem.writesAfterFailure(), 0);
}

testing::Faults writeFailing(std::uint64_t after) {
    testing::Faults faults;
    faults.writeFailsIn = 0;  // the page is the first file created
    faults.writeFailsAfter = after;
    return faults;
}

testing::Faults finishFailing() {
    testing::Faults faults;
    faults.finishFailsIn = 0;
    return faults;
}

INSTANTIATE_TEST_SUITE_P(Faults, PageStreamFault,
                         ::testing::Values(StreamFault{"FirstWrite", writeFailing(0)},
                                           StreamFault{"WriteAfterTheFirstChunk",
                                                       writeFailing(std::uint64_t{3} << 19U)},
                                           StreamFault{"FlushToDisk", finishFailing()}),
                         testing::BehaviourName());

}  // namespace
}  // namespace zemra
