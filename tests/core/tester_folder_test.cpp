// Reading a tester folder back: what a conversion wrote gives back its steps, IC pins and
// settings exactly, tuned values are read as the listing shows them, and anything else is refused
// with its line and column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_generator.h"
#include "decode/listing_lines.h"
#include "decode/record_reader.h"
#include "decode/step_sequence.h"
#include "diff/listed_step.h"
#include "in_memory_conversion.h"
#include "temp_folder.h"
#include "tester/listing_read_ahead.h"
#include "tester/listing_reader.h"
#include "tester/pin_files_reader.h"
#include "tester/tester_file_refused.h"
#include "tester/tester_folder.h"

namespace zemra {
namespace {

class IgnoreRecords : public RecordObserver {
  public:
    void observe(const RecordTrace&) override {}
};

std::vector<ListedColumns> readListing(const std::string& text, TesterVariant* variant = nullptr) {
    MemorySource input(std::as_bytes(std::span(text)));
    ListingReader reader(input, "BOARD.dat");
    if (variant != nullptr) {
        *variant = reader.variant();
    }
    std::vector<ListedColumns> steps;
    while (const ListedColumns* step = reader.next()) {
        steps.push_back(*step);
    }
    return steps;
}

std::vector<ListedIc> readPinFiles(const std::string& icn, const std::string& icp) {
    MemorySource icnInput(std::as_bytes(std::span(icn)));
    std::vector<ListedIc> ics = readIcnFile(icnInput, "BOARD.icn");
    MemorySource icpInput(std::as_bytes(std::span(icp)));
    readIcpFile(icpInput, "BOARD.icp", ics);
    return ics;
}

RunCounters readSettings(const std::string& scp) {
    MemorySource input(std::as_bytes(std::span(scp)));
    return readSettingsFile(input, "BOARD.scp");
}

std::string withLineFeeds(std::string text) {
    std::string lines;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!(text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
            lines += text[at];
        }
    }
    return lines;
}

// The model a conversion writes from, worked out without its outputs.
struct Expected {
    std::vector<ListedColumns> steps;
    std::vector<ListedIc> ics;
    RunCounters settings;
};

Expected expectedOf(const std::string& board, DecodeOptions options,
                    const testing::ConvertedBoard& converted) {
    Expected expected;
    {
        MemorySource input(std::as_bytes(std::span(board)));
        StepCursor cursor(input, options);
        while (ListedStep* step = cursor.next()) {
            listColumns(*step, options.variant);
            expected.steps.push_back(step->columns);
        }
    }
    {
        MemorySource input(std::as_bytes(std::span(board)));
        RecordReader records(input);
        StepSequence sequence(options);
        while (const auto bytes = records.next()) {
            sequence.decode(decodeRecord(*bytes));
        }
        expected.settings = sequence.counters();
    }
    for (std::size_t index = 0; index < converted.summary.ics.size(); ++index) {
        const IcSummary& summary = converted.summary.ics[index];
        ListedIc ic{std::string(summary.name.view()), summary.lc, summary.pinCount, {}};
        for (int pin = 1; pin <= summary.pinCount; ++pin) {
            ic.testerPins.push_back(converted.summary.icPinTables[index].testerPinOf(pin));
        }
        expected.ics.push_back(std::move(ic));
    }
    return expected;
}

struct RoundTrip {
    std::uint64_t seed;
    std::size_t records;
};

class GeneratedBoardRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(GeneratedBoardRoundTrip, GivesBackStepsPinsAndSettingsExactly) {
    const std::vector<std::byte> generated = generateBoard(GetParam().seed, GetParam().records);
    const std::string board(reinterpret_cast<const char*>(generated.data()), generated.size());
    for (const TesterVariant variant : {TesterVariant::Kx740FeFr, TesterVariant::Kx740e}) {
        for (const bool reversePins : {false, true}) {
            const DecodeOptions options{variant, reversePins};
            IgnoreRecords observer;
            const testing::ConvertedBoard converted =
                testing::convertInMemory(board, observer, options);
            const Expected expected = expectedOf(board, options, converted);
            for (const bool lineFeeds : {false, true}) {
                SCOPED_TRACE(::testing::Message()
                             << "KX740E " << (variant == TesterVariant::Kx740e) << ", reverse "
                             << reversePins << ", LF " << lineFeeds);
                const auto ends = [&](const std::string& text) {
                    return lineFeeds ? withLineFeeds(text) : text;
                };
                TesterVariant read = TesterVariant::Kx740FeFr;
                EXPECT_EQ(readListing(ends(converted.listing), &read), expected.steps);
                EXPECT_EQ(read, variant);
                EXPECT_EQ(readPinFiles(ends(converted.icn), ends(converted.icp)), expected.ics);
                const RunCounters settings = readSettings(ends(converted.scp));
                EXPECT_EQ(settings.maxPin, expected.settings.maxPin);
                EXPECT_EQ(settings.maxLcLetter, expected.settings.maxLcLetter);
                EXPECT_EQ(settings.maxLcDigit, expected.settings.maxLcDigit);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Boards, GeneratedBoardRoundTrip,
                         ::testing::Values(RoundTrip{1, 0}, RoundTrip{1, 300}, RoundTrip{7, 2000},
                                           RoundTrip{11, 5000}, RoundTrip{42, 12000}),
                         [](const auto& test) {
                             return "Seed" + std::to_string(test.param.seed) + "Records" +
                                    std::to_string(test.param.records);
                         });

// A folder is read by its own name, and a .dat path names its folder and title.
TEST(TesterFolder, IsReadByItsFolderOrItsListing) {
    const std::vector<std::byte> generated = generateBoard(3, 800);
    const std::string board(reinterpret_cast<const char*>(generated.data()), generated.size());
    const DecodeOptions options{TesterVariant::Kx740e, true};
    IgnoreRecords observer;
    const testing::ConvertedBoard converted = testing::convertInMemory(board, observer, options);
    const Expected expected = expectedOf(board, options, converted);
    const testing::TempFolder temp;
    const std::filesystem::path folder = temp / "BOARD";
    std::filesystem::create_directory(folder);
    testing::writeFile(folder / "BOARD.dat", converted.listing);
    testing::writeFile(folder / "BOARD.icn", converted.icn);
    testing::writeFile(folder / "BOARD.icp", converted.icp);
    testing::writeFile(folder / "BOARD.scp", converted.scp);
    for (const std::filesystem::path& path :
         {folder, folder / "", folder / "BOARD.dat", folder / "BOARD.DAT"}) {
        SCOPED_TRACE(path.string());
        EXPECT_TRUE(namesTesterFolder(systemFileSystem(), path));
        const TesterFolder tester = readTesterFolder(systemFileSystem(), path);
        EXPECT_EQ(tester.title, "BOARD");
        EXPECT_EQ(tester.variant, TesterVariant::Kx740e);
        EXPECT_EQ(tester.steps, expected.steps);
        EXPECT_EQ(tester.ics, expected.ics);
        EXPECT_EQ(tester.settings.maxPin, expected.settings.maxPin);
    }
    EXPECT_FALSE(namesTesterFolder(systemFileSystem(), temp / "BOARD.cmp"));
    std::filesystem::remove(folder / "BOARD.icp");
    EXPECT_THROW(readTesterFolder(systemFileSystem(), folder), FileError);
}

const std::string kHeader =
    "! File Name: BOARD.dat Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE\r\n"
    "! Board Name: BOARD       Time: 03-06-2002 15:01:33\r\n"
    "!\r\n"
    "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip Type\r\n"
    "!       Meas-V   Stand-V  +Lm%  -Lm%  DLY  MODE  AVGE  RPT   SMP  OFFSET  DEV%\r\n";
const std::string kLine1 =
    "   1 R12             4.70K    A1   12   34     0     0     0     0     0     0 R\r\n";
const std::string kLine2 =
    "            0.0      4.70K     5    5    0     0     0     0     0   0.0   0.0\r\n";

std::string writtenBack(const std::vector<ListedColumns>& steps) {
    MemorySink sink;
    TextWriter writer(sink);
    for (const ListedColumns& step : steps) {
        writeListedStep(step, writer);
    }
    writer.flush();
    return sink.text();
}

class TunedListing : public ::testing::TestWithParam<std::string> {};

// A tuned line 2 is read as it shows and written back byte for byte.
TEST_P(TunedListing, ReadsAndWritesBackTheSameLines) {
    const std::string steps = kLine1 + GetParam() + "\r\n";
    EXPECT_EQ(writtenBack(readListing(kHeader + steps)), steps);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TunedListing,
    ::testing::Values(
        "            1.5      4.70K     5    5    0     0     0     0     0   0.0   0.0",
        "            0.0      4.75K    10    7  250     3    10     2     5  -1.5  12.0",
        " 123456789012.3   -123.45K    -10   120  -1000     12999999-99999    42  99.9-999.9",
        "            0.0   123456.78K     5    5    0     0     0     0     0   0.0   0.0",
        "            0.0      4.70K     5    5    0     0999999999999999999 999.9 999.9"));

TEST(TunedListing, ReadsTunedValuesOfTheMeasureColumns) {
    const std::vector<ListedColumns> steps = readListing(
        kHeader + kLine1 +
        "            1.5      4.75K    10    7  250     3    10     2     5  -1.5  12.0\r\n");
    ASSERT_EQ(steps.size(), 1U);
    const ListedColumns& step = steps.front();
    EXPECT_EQ(step.measV, (ListedDecimal{15, false}));
    EXPECT_EQ(step.standV, (ListedDecimal{475, false}));
    EXPECT_EQ(step.upperLimit, 10);
    EXPECT_EQ(step.lowerLimit, 7);
    EXPECT_EQ(step.dly, 250);
    EXPECT_EQ(step.mode, 3);
    EXPECT_EQ(step.avge, 10);
    EXPECT_EQ(step.rpt, 2);
    EXPECT_EQ(step.smp, 5);
    EXPECT_EQ(step.offset, (ListedDecimal{15, true}));
    EXPECT_EQ(step.devPercent, (ListedDecimal{120, false}));
}

struct Refusal {
    const char* behaviour;
    std::string listing;
    std::uint64_t line;
    std::size_t column;
    const char* expected;  // the start of what was expected
};

class RefusedListing : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedListing, NamesLineColumnAndWhatWasExpected) {
    try {
        readListing(GetParam().listing);
        FAIL() << "accepted";
    } catch (const TesterFileRefused& refused) {
        EXPECT_EQ(refused.file(), "BOARD.dat");
        EXPECT_EQ(refused.line(), GetParam().line);
        EXPECT_EQ(refused.column(), GetParam().column);
        EXPECT_TRUE(refused.expected().starts_with(GetParam().expected)) << refused.expected();
    }
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedListing,
    ::testing::Values(
        Refusal{"EmptyFile", "", 1, 1, "the listing's first line"},
        Refusal{"LineLongerThanAnyListingLine", std::string(70000, '!'), 1, 65537, "a line end"},
        Refusal{"NotAListing", "ICP /    1 =   12 0\r\n", 1, 1, "\"! File Name:"},
        Refusal{"UnknownHeadings", replaced(kHeader, "Skip Type", "Skip Kind") + kLine1 + kLine2, 4,
                79, "the column headings"},
        Refusal{"StepOutOfOrder", kHeader + replaced(kLine1, "   1 R12", "   2 R12") + kLine2, 6, 1,
                "step number 1"},
        Refusal{"StepWithOneLine", kHeader + kLine1, 7, 1, "line 2 of step 1"},
        Refusal{"ValueNoNumber", kHeader + replaced(kLine1, "   12   34", "   1x   34") + kLine2, 6,
                34, "Hi-P, a whole number"},
        Refusal{"MisalignedValue", kHeader + replaced(kLine1, "   12   34", "  12    34") + kLine2,
                6, 34, "Hi-P"},
        Refusal{"LeadingZero", kHeader + replaced(kLine1, "   12   34", "   12 0034") + kLine2, 6,
                39, "Lo-P"},
        Refusal{"DecimalWithOneDecimal", kHeader + replaced(kLine1, "  4.70K", "   4.7K") + kLine2,
                6, 19, "Actual-V"},
        Refusal{"UnitsDiffer", kHeader + kLine1 + replaced(kLine2, "4.70K", "4.70M"), 7, 26,
                "the unit of line 1"},
        Refusal{"UnknownUnit", kHeader + replaced(kLine1, "4.70K ", "4.70X ") + kLine2, 6, 26,
                "a unit"},
        Refusal{"LineTooShort", kHeader + kLine1 + "            0.0      4.70K     5\r\n", 7, 33,
                "\"   \" before -Lm%"},
        Refusal{"TypeInKx740e", replaced(kHeader, "Skip Type", "Skip") + kLine1 + kLine2, 6, 79,
                "the end of the line"},
        Refusal{"NumberTooLarge",
                kHeader + replaced(kLine1, "   12   34", " 99999999999   34") + kLine2, 6, 34,
                "Hi-P"}),
    [](const auto& test) { return std::string(test.param.behaviour); });

struct PinFileRefusal {
    const char* behaviour;
    std::string icn;
    std::string icp;
    std::string file;
    std::uint64_t line;
    std::size_t column;
};

class RefusedPinFiles : public ::testing::TestWithParam<PinFileRefusal> {};

TEST_P(RefusedPinFiles, NameFileLineAndColumn) {
    try {
        readPinFiles(GetParam().icn, GetParam().icp);
        FAIL() << "accepted";
    } catch (const TesterFileRefused& refused) {
        EXPECT_EQ(refused.file(), GetParam().file);
        EXPECT_EQ(refused.line(), GetParam().line);
        EXPECT_EQ(refused.column(), GetParam().column);
    }
}

const std::string kIcn = " 1    U1  A1    2   0      0      1   0  30  30   0   0   0   0\r\n";
const std::string kIcp = "ICP /    1 =   12 0\r\nICP /    2 =    0 0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedPinFiles,
    ::testing::Values(
        PinFileRefusal{"IcNumberOutOfOrder", replaced(kIcn, " 1 ", " 2 "), kIcp, "BOARD.icn", 1, 1},
        PinFileRefusal{"FirstIcpWrong", replaced(kIcn, "      1   0", "      2   0"), kIcp,
                       "BOARD.icn", 1, 32},
        PinFileRefusal{"TooFewPins", kIcn, "ICP /    1 =   12 0\r\n", "BOARD.icp", 2, 1},
        PinFileRefusal{"TooManyPins", kIcn, kIcp + "ICP /    3 =    0 0\r\n", "BOARD.icp", 3, 1},
        PinFileRefusal{"IcpNumberWrong", kIcn, replaced(kIcp, "ICP /    2", "ICP /    3"),
                       "BOARD.icp", 2, 7},
        PinFileRefusal{"TesterPinNoNumber", kIcn, replaced(kIcp, "=   12", "=   1a"), "BOARD.icp",
                       1, 14}),
    [](const auto& test) { return std::string(test.param.behaviour); });

TEST(SettingsFile, FixedLinesMustBeAsWritten) {
    const std::string scp =
        "SCP /10 = 17\r\nSCP /13 = 187\r\nSCP /16 = 2\r\nSCP /20 = 8\r\nSCP /28 = 3\r\n"
        "SCP /29 = 3\r\n";
    const RunCounters counters = readSettings(scp);
    EXPECT_EQ(counters.maxPin, 187);
    EXPECT_EQ(counters.maxLcLetter, 'C');
    EXPECT_EQ(counters.maxLcDigit, '3');
    try {
        readSettings(replaced(scp, "SCP /16 = 2", "SCP /16 = 3"));
        FAIL() << "accepted";
    } catch (const TesterFileRefused& refused) {
        EXPECT_EQ(refused.line(), 3U);
        EXPECT_EQ(refused.column(), 11U);
    }
}

}  // namespace
}  // namespace zemra

namespace zemra {
namespace {

// The steps a listing gives, and the refusal that ends them, if any.
struct StepsRead {
    std::vector<ListedColumns> steps;
    std::string refusal;
};

template <class Reader>
StepsRead readAll(Reader& reader) {
    StepsRead read;
    try {
        while (const ListedColumns* step = reader.next()) {
            read.steps.push_back(*step);
        }
    } catch (const TesterFileRefused& refused) {
        read.refusal = refused.what();
    }
    return read;
}

// Read ahead on a thread of its own, over several batches, a listing gives the reader's steps,
// and its refusal where the step that failed would have come; left early, it stops reading.
TEST(ListingReadAhead, GivesTheStepsAndTheRefusalOfItsReader) {
    const std::vector<std::byte> generated = generateBoard(7, 10000);
    const std::string listing =
        testing::convertInMemory(
            std::string(reinterpret_cast<const char*>(generated.data()), generated.size()))
            .listing;
    // Without its last line, the last step has one line.
    const std::string cut = listing.substr(0, listing.rfind("\r\n", listing.size() - 3) + 2);
    for (const bool refused : {false, true}) {
        const std::string& text = refused ? cut : listing;
        MemorySource plainInput(std::as_bytes(std::span(text)));
        ListingReader plain(plainInput, "BOARD.dat");
        const StepsRead expected = readAll(plain);
        ASSERT_GT(expected.steps.size(), 9000U);
        ASSERT_EQ(expected.refusal.empty(), !refused);
        MemorySource input(std::as_bytes(std::span(text)));
        ListingReader reader(input, "BOARD.dat");
        ListingReadAhead ahead(reader);
        const StepsRead read = readAll(ahead);
        EXPECT_EQ(read.steps, expected.steps);
        EXPECT_EQ(read.refusal, expected.refusal);
    }
    MemorySource input(std::as_bytes(std::span(listing)));
    ListingReader reader(input, "BOARD.dat");
    ListingReadAhead ahead(reader);
    EXPECT_NE(ahead.next(), nullptr);
}

}  // namespace
}  // namespace zemra
