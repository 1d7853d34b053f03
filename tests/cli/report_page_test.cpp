// zemra-convert --html: one self-contained page for the inputs of a call, all or nothing, that no
// name can break; and the JSON of names and paths as the reports write them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <regex>

#include "behaviour_name.h"
#include "board_generator.h"
#include "escaped_text.h"
#include "golden_boards.h"
#include "ic_map_plan.h"
#include "in_memory_conversion.h"
#include "json_text.h"
#include "page_data.h"
#include "page_values.h"
#include "platform/utf8_paths.h"
#include "process_runner.h"
#include "record_builder.h"
#include "report/check_list.h"
#include "report/pin_explanations.h"
#include "report/report_recorder.h"
#include "report_page.h"
#include "temp_folder.h"
#include "traced_boards.h"

namespace zemra {
namespace {

using testing::readFile;
using testing::writeFile;
using Result = testing::ProgramResult;

constexpr const char* kAt = "--at 2002-03-06T15:01:33 ";

// The text between the first `begin` and the `end` after it.
std::string between(const std::string& text, const std::string& begin, const std::string& end) {
    const std::size_t from = text.find(begin);
    if (from == std::string::npos) {
        return "";
    }
    const std::size_t start = from + begin.size();
    return text.substr(start, text.find(end, start) - start);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The rows of a steps table from a page's data, each whole: [offset, step, became, part name, LC,
// Actual-V, ...], from rows each written against the rows before it: a part name alone, or
// [part name, mask, value...] with a value for each bit of the mask.
cli::Json wholeRows(const cli::Json& coded) {
    const std::map<std::string, std::string> becameNames{
        {"p", "pin step"}, {"s", "step"}, {"*", "*"}, {"d", "dropped"}};
    const std::array<std::size_t, 15> rowColumns{5,  6,  7,  12, 11, 4,  8, 9,
                                                 10, 15, 16, 17, 18, 19, 20};
    cli::Json last =
        cli::Json::array({0, 0, 0, 0, "", "", "", "", 0, 0, 0, 0, "", 0, 0, 0, 0, 0, 0, 0, 0});
    std::int64_t ordinal = -1;
    std::int64_t step = 0;
    std::int64_t hiMove = 0;
    std::int64_t loMove = 0;
    std::string became = "s";
    cli::Json rows = cli::Json::array();
    for (const cli::Json& code : coded) {
        const bool alone = code.is_string();
        const cli::Json name = alone ? code : code[0];
        const std::uint32_t mask = alone ? 0 : code[1].get<std::uint32_t>();
        std::size_t at = 2;
        const auto next = [&](unsigned bit) { return (mask & (1U << bit)) != 0; };
        std::int64_t hi = last[13].get<std::int64_t>() + hiMove;
        std::int64_t lo = last[14].get<std::int64_t>() + loMove;
        std::int64_t steps = 1;
        hi = next(0) ? code[at++].get<std::int64_t>() : hi;
        lo = next(1) ? code[at++].get<std::int64_t>() : lo;
        became = next(2) ? code[at++].get<std::string>() : became;
        steps = next(3) ? code[at++].get<std::int64_t>() : steps;
        ordinal += next(4) ? code[at++].get<std::int64_t>() : 1;
        if (became == "d") {
            rows.push_back(cli::Json::array({ordinal * 64, nullptr, "dropped", name}));
            continue;
        }
        for (unsigned bit = 5; bit < 20; ++bit) {
            if (next(bit)) {
                last[rowColumns.at(bit - 5)] = code[at++];
            }
        }
        step += steps;
        hiMove = hi - last[13].get<std::int64_t>();
        loMove = lo - last[14].get<std::int64_t>();
        last[13] = hi;
        last[14] = lo;
        cli::Json row = last;
        row[0] = ordinal * 64;
        row[1] = step;
        row[2] = becameNames.at(became);
        row[3] = name;
        rows.push_back(std::move(row));
    }
    return rows;
}

// An IC of a page's data read whole: its fields by name, against the IC before it (`before`, null
// for the first), with its drawn pins' tester pins, sources and steps, and in "explained" each
// pin's agreement and every step that names it as [step, offset, kind, part name, Hi-P, Lo-P,
// tester pin given, role, device counted for], from the IC's codes of those steps and their rows.
cli::Json wholeIc(const cli::Json& values, const cli::Json& before, const cli::Json& rows,
                  bool mapped) {
    const std::array<std::string, 7> roles{"gave",       "laterDiodeStep", "jStepWins",
                                           "laterJPin",  "noCommonPin",    "nothingFound",
                                           "otherDevice"};
    const std::map<char, std::string> agreements{{'a', "agree"}, {'c', "conflict"}, {'-', ""}};
    cli::Json ic;
    ic["name"] = values[0];
    ic["lc"] = values[1] != 0 ? values[1] : before["lc"];
    ic["pinCount"] = values[2];
    const std::int64_t nextIcp =
        before.is_null() ? 1
                         : before["firstIcp"].get<std::int64_t>() + before["pinCount"].get<int>();
    ic["firstIcp"] = nextIcp + values[3].get<std::int64_t>();
    ic["pinsFromDiodeSteps"] = values[4];
    ic["pinsFromJSteps"] = values[5];
    ic["unresolvedCount"] = values[6];
    ic["mapped"] = mapped;
    const int pinCount = values[2].get<int>();
    ic["pinsNotDrawn"] = std::max(pinCount - cli::kMostDrawnPins, 0);
    const std::int64_t firstRow = (before.is_null() ? 0 : before["firstRow"].get<std::int64_t>()) +
                                  values[8].get<std::int64_t>();
    ic["firstRow"] = firstRow;
    ic["commonPin"] = values[13];
    ic["pairsJSteps"] = values[14].is_null() ? cli::Json() : cli::Json(values[14] == 1);
    cli::Json testerPins = cli::Json::array();
    std::int64_t testerPin = -1;
    const int drawn = std::clamp(pinCount, 0, cli::kMostDrawnPins);
    for (int pin = 0; pin < drawn; ++pin) {
        const auto at = static_cast<std::size_t>(pin);
        testerPin += 1 + (at < values[7].size() ? values[7][at].get<std::int64_t>() : 0);
        testerPins.push_back(testerPin);
    }
    cli::Json explained = cli::Json::array();
    std::string sources;
    cli::Json steps = cli::Json::array();
    const cli::Json& uses = values[10];
    for (std::size_t at = 0; at < uses.size();) {
        const std::size_t pin = explained.size();
        cli::Json pinSteps = cli::Json::array();
        const std::int64_t pinTesterPin = testerPins.at(pin).get<std::int64_t>();
        char source = 'n';
        cli::Json given = 0;
        bool gave = false;
        if (uses[at] == -1) {
            ++at;
        } else {
            for (bool last = false; !last;) {
                std::int64_t code = uses[at++].get<std::int64_t>();
                last = code % 2 == 1;
                code /= 2;
                const std::int64_t flags = code % 4;
                const bool jStep = (code / 4) % 2 == 1;
                const auto role = static_cast<std::size_t>((code / 8) % 8);
                const cli::Json& row = rows.at(static_cast<std::size_t>(firstRow + code / 64));
                cli::Json tester = role >= 4 ? 0 : pinTesterPin;
                cli::Json hi = row[13];
                cli::Json lo = row[14];
                if ((flags & 1) != 0) {
                    tester = uses[at++];
                }
                if ((flags & 2) != 0) {
                    hi = uses[at++];
                    lo = uses[at++];
                }
                cli::Json step = cli::Json::array({row[1], row[0], jStep ? "j" : "diode", row[3],
                                                   hi, lo, tester, roles.at(role)});
                if (role == 6) {
                    step.push_back(uses[at++]);
                }
                if (role == 0 && !gave) {
                    gave = true;
                    source = pinTesterPin == 0 ? 'n' : jStep ? 'j' : 'd';
                    given = row[1];
                }
                pinSteps.push_back(std::move(step));
            }
        }
        const std::string agreement =
            values[9] == 0 ? std::string() : agreements.at(values[9].get<std::string>().at(pin));
        explained.push_back({{"agreement", agreement}, {"steps", std::move(pinSteps)}});
        sources += source;
        steps.push_back(given);
    }
    ic["testerPins"] = std::move(testerPins);
    ic["sources"] = values[11] == 0 ? cli::Json(sources) : values[11];
    ic["steps"] = values[12] == 0 ? steps : values[12];
    ic["explained"] = std::move(explained);
    return ic;
}

// The data of every board of a page, each with the rows of its steps table and its ICs read
// whole, as {"boards": [...]}.
cli::Json pageData(const std::string& page) {
    const cli::Json counted = cli::Json::parse(
        between(page, "<script type=\"application/json\" id=\"zemra-data\">", "</script>"));
    cli::Json data;
    data["boards"] = cli::Json::array();
    for (int board = 1; board <= counted["boards"].get<int>(); ++board) {
        const std::string element =
            "<script type=\"application/json\" id=\"b" + std::to_string(board);
        cli::Json boardData = cli::Json::parse(between(page, element + "-data\">", "</script>"));
        if (boardData.contains("steps")) {
            boardData["steps"]["rows"] =
                wholeRows(cli::Json::parse(between(page, element + "-rows\">", "</script>")));
            const auto& mapped = boardData["mapped"];
            cli::Json ics = cli::Json::array();
            for (const cli::Json& values :
                 cli::Json::parse(between(page, element + "-ics\">", "</script>"))) {
                const bool hasMap =
                    std::find(mapped.begin(), mapped.end(), cli::Json(ics.size())) != mapped.end();
                ics.push_back(wholeIc(values, ics.empty() ? cli::Json() : ics.back(),
                                      boardData["steps"]["rows"], hasMap));
            }
            boardData["ics"] = std::move(ics);
        }
        data["boards"].push_back(std::move(boardData));
    }
    return data;
}

class ReportPage : public ::testing::Test {
  protected:
    Result run(const std::string& arguments) {
        return testing::runProgram(ZEMRA_CONVERT_PATH, kAt + arguments, folder.path());
    }

    testing::TempFolder folder;
};

TEST_F(ReportPage, RefersToNothingOutsideItself) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    const Result result = run("--html page.html -o . twoics.cmp");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::string page = readFile(folder / "page.html");
    const std::regex reference(R"((src|href|xlink:href|action)\s*=\s*["']?([^"'\s>]*))",
                               std::regex::icase);
    std::size_t references = 0;
    for (auto match = std::sregex_iterator(page.begin(), page.end(), reference);
         match != std::sregex_iterator(); ++match, ++references) {
        const std::string target = (*match)[2];
        EXPECT_TRUE(target.starts_with("#") || target.starts_with("data:")) << target;
    }
    EXPECT_GT(references, 0U);  // the checks link to their rows
    for (const char* outside : {"http:", "https:", "file:", "url(", "@import", "<link", "<iframe",
                                "<img", "<object", "<embed", "fetch(", "XMLHttpRequest"}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    }
    EXPECT_NE(page.find("default-src 'none'"), std::string::npos);
}

TEST_F(ReportPage, NoNameBreaksIt) {
    // ICs whose names hold markup, quotes, control bytes and bytes that are no UTF-8, and a
    // dropped record whose name would end a script element.
    const std::string ic = "A<i>";
    const std::string odd = "B\"'&\x01\x7F\xFF";
    std::vector<RecordBuilder> records{RecordBuilder().name("9</script>")};
    for (const std::string& device : {ic, odd}) {
        for (int pin = 1; pin <= 8; ++pin) {
            records.push_back(RecordBuilder()
                                  .name(device + "_" + std::to_string(pin))
                                  .typeCode(10)
                                  .pins(100 + pin, 1));
        }
    }
    writeFile(folder / "odd.cmp", testing::recordsOf(records));
    ASSERT_EQ(run("--html page.html -o . odd.cmp").exitStatus, 0);
    const std::string page = readFile(folder / "page.html");
    // The board's three data elements, the page's and its script.
    EXPECT_EQ(occurrences(page, "</script>"), 5U);
    EXPECT_EQ(occurrences(page, "<script"), 5U);
    EXPECT_EQ(occurrences(page, "<i>"), 0U);
    EXPECT_NE(page.find("data-ic=\"A&lt;i&gt;\""), std::string::npos);
    EXPECT_NE(page.find("data-ic=\"B&quot;&#39;&amp;\\u0001\\u007F\\u00FF\""), std::string::npos);
    EXPECT_NE(page.find("9&lt;/script&gt;"), std::string::npos);
    const cli::Json data = pageData(page);
    ASSERT_EQ(data["boards"][0]["ics"].size(), 2U);
    EXPECT_EQ(data["boards"][0]["ics"][0]["name"], cli::byteText(ic));
    EXPECT_EQ(data["boards"][0]["ics"][1]["name"], cli::byteText(odd));
    EXPECT_EQ(data["boards"][0]["steps"]["rows"][0][3], "9</script>");
}

#ifndef _WIN32
// The SHA-256 of `text` in Base64, as a policy's hash source gives it, worked out by OpenSSL.
std::string opensslHash(const testing::TempFolder& folder, const std::string& text) {
    writeFile(folder / "hashed", text);
    const Result hash = testing::runProgram(
        "/bin/sh", "-c 'openssl dgst -sha256 -binary hashed | openssl base64 -A'", folder.path());
    return hash.out;
}
#endif

TEST_F(ReportPage, PolicyAllowsItsOwnStyleAndScriptAndNothingElseInline) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    ASSERT_EQ(run("--html page.html -o . twoics.cmp").exitStatus, 0);
    const std::string page = readFile(folder / "page.html");
    const std::string policy =
        between(page, "http-equiv=\"Content-Security-Policy\" content=\"", "\"");
    EXPECT_EQ(policy.find("unsafe"), std::string::npos) << policy;
    EXPECT_EQ(occurrences(page, "<style>"), 1U);
    const std::string style = between(page, "<style>", "</style>");
    const std::string script = between(page, "</script>\n<script>", "</script>");
    ASSERT_FALSE(script.empty());
#ifndef _WIN32
    // Windows has no openssl to ask; its pages are compared byte for byte with these.
    EXPECT_EQ(policy, "default-src 'none'; style-src 'sha256-" + opensslHash(folder, style) +
                          "'; script-src 'sha256-" + opensslHash(folder, script) +
                          "'; img-src data:");
#endif
}

TEST_F(ReportPage, NamesCannotReorderWhatItShows) {
    const std::string name = "a\u202Eb\u2066c\u2028d";
    writeFile(folder.path() / platform::pathFromUtf8(name + ".cmp"), testing::twoIcBoard());
    const Result result = run("--html page.html -o . '" + name + ".cmp'");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::string outputs = platform::utf8Of(std::filesystem::path(".") / "a");
    EXPECT_EQ(result.out, outputs + "\\u202Eb\\u2066c\\u2028d\npage.html\n");
    const std::string page = readFile(folder / "page.html");
    EXPECT_NE(page.find("<h2>a\\u202Eb\\u2066c\\u2028d.cmp</h2>"), std::string::npos);
    for (const char* control : {"\u202E", "\u2066", "\u2028"}) {
        EXPECT_EQ(page.find(control), std::string::npos);
    }
}

// The page's path is printed on one line, as every other name, whatever its name holds.
TEST_F(ReportPage, ItsPathIsPrintedOnOneLine) {
    writeFile(folder.path() / "twoics.cmp", testing::twoIcBoard());
#ifdef _WIN32
    const std::string page = "p\u2028q.html";  // a Windows name holds no newline
    const std::string shown = "p\\u2028q.html";
#else
    const std::string page = "p\nq.html";
    const std::string shown = "p\\nq.html";
#endif
    const Result result = run("--html '" + page + "' -o . twoics.cmp");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_TRUE(result.out.ends_with("\n" + shown + "\n")) << result.out;
    EXPECT_TRUE(std::filesystem::exists(folder.path() / platform::pathFromUtf8(page)));
}

TEST_F(ReportPage, LeavesTheOutputsAsTheyAre) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    const Result plain = run("twoics.cmp");
    ASSERT_EQ(plain.exitStatus, 0);
    const std::vector<std::string> names{"twoics.dat", "twoics.icn", "twoics.icp", "twoics.scp"};
    std::vector<std::string> outputs;
    for (const std::string& name : names) {
        outputs.push_back(readFile(folder / "twoics" / name));
    }
    const Result paged = run("--html page.html twoics.cmp");
    ASSERT_EQ(paged.exitStatus, 0);
    EXPECT_EQ(paged.out, plain.out + "page.html\n");
    for (std::size_t output = 0; output < names.size(); ++output) {
        EXPECT_EQ(readFile(folder / "twoics" / names[output]), outputs[output]) << names[output];
    }
}

TEST_F(ReportPage, ShowsAnInputThatFailedWithItsFailure) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    const Result result = run("--html page.html twoics.cmp missing.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    const std::string page = readFile(folder / "page.html");
    EXPECT_NE(page.find("missing.cmp (not converted)"), std::string::npos);
    const cli::Json data = pageData(page);
    ASSERT_EQ(data["boards"].size(), 2U);
    EXPECT_EQ(data["boards"][1]["clean"], false);
    EXPECT_EQ(data["boards"][1]["summary"], nullptr);
    EXPECT_NE(data["boards"][1]["messages"][0].get<std::string>().find("파일이 존재하지 않습니다."),
              std::string::npos);
}

TEST_F(ReportPage, ThatCannotBeWrittenFailsTheRunAndLeavesNothing) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    std::filesystem::create_directory(folder / "taken.html");
    for (const std::string page : {"nowhere/page.html", "taken.html"}) {
        const Result result = run("--html " + page + " twoics.cmp");
        EXPECT_EQ(result.exitStatus, 1) << page;
        EXPECT_NE(result.err.find("zemra-convert: " + page + ": the page was not written ("),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(testing::entriesOf(folder.path()),
                  (std::vector<std::string>{"taken.html", "twoics", "twoics.cmp"}));
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder / "taken.html"));
}

TEST_F(ReportPage, ChecksAreThoseOfTheJsonReport) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    writeFile(folder / "backward.cmp", testing::backwardDiodeBoard() + "tail");
    std::filesystem::copy_file(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp",
                               folder / "BOARD7.cmp");
    const Result result =
        run("--kx740e --report=json --html page.html -o . twoics.cmp backward.cmp BOARD7.cmp");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const cli::Json data = pageData(readFile(folder / "page.html"));
    std::istringstream lines(result.out);
    std::string line;
    for (const cli::Json& board : data["boards"]) {
        ASSERT_TRUE(std::getline(lines, line));
        const cli::Json report = cli::Json::parse(line);
        EXPECT_EQ(board["input"], report["input"]);
        EXPECT_FALSE(report["checks"].empty());
        EXPECT_EQ(board["checks"], report["checks"]);
        EXPECT_EQ(board["checksNotListed"], report["checksNotListed"]);
    }
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "page.html");
}

// BOARD7-rev2: diode step U2_1 (step 2) gives U2 pin 1 tester pin 225, J step U2_12 (step 53)
// gives it 230. Each report names both steps and both tester pins.
struct ConflictReport {
    std::string behaviour;
    std::string arguments;
    std::string expected;  // a part of the output
    std::string counted;   // the one conflict of the board shows it once

    friend void PrintTo(const ConflictReport& report, std::ostream* out) {
        *out << report.behaviour;
    }
};

class ConflictingPinSource : public ReportPage,
                             public ::testing::WithParamInterface<ConflictReport> {};

TEST_P(ConflictingPinSource, IsReportedInEveryReport) {
    std::filesystem::copy_file(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7-rev2.cmp",
                               folder / "BOARD7-rev2.cmp");
    const Result result = run(GetParam().arguments + " -o . BOARD7-rev2.cmp");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::string output = GetParam().arguments.find("--html") != std::string::npos
                                   ? readFile(folder / "page.html")
                                   : result.out;
    EXPECT_NE(output.find(GetParam().expected), std::string::npos) << output.substr(0, 4000);
    EXPECT_EQ(occurrences(output, GetParam().counted), 1U);
}

INSTANTIATE_TEST_SUITE_P(
    Board7Rev2, ConflictingPinSource,
    ::testing::Values(
        ConflictReport{"Text", "--report",
                       "warning conflicting-pin-source at offset 3328, step 53: IC \"U2\" pin 1 "
                       "(ICP 1): diode step 2 \"U2_1\" gives tester pin 225, J step 53 \"U2_12\" "
                       "gives tester pin 230; the .icp has 230",
                       "conflicting-pin-source"},
        ConflictReport{"Json", "--report=json",
                       "{\"id\":\"conflicting-pin-source\",\"severity\":\"warning\",\"offset\":"
                       "3328,\"step\":53,",
                       "conflicting-pin-source"},
        ConflictReport{"Page", "--html page.html",
                       "data-pin=\"1\" data-tester-pin=\"230\" data-source=\"j\" "
                       "data-agreement=\"conflict\"",
                       "<b>conflicting-pin-source</b> · 1 found"}),
    testing::BehaviourName());

TEST_F(ReportPage, PinDataNamesEveryStepOfAPinAndWhetherItsSourcesAgree) {
    for (const char* board : {"BOARD7.cmp", "BOARD7-rev2.cmp"}) {
        std::filesystem::copy_file(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / board,
                                   folder / board);
    }
    const Result result = run("--html page.html -o . BOARD7-rev2.cmp BOARD7.cmp");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const cli::Json data = pageData(readFile(folder / "page.html"));
    const cli::Json& rev2Pin1 = data["boards"][0]["ics"][0]["explained"][0];
    EXPECT_EQ(data["boards"][0]["ics"][0]["name"], "U2");
    EXPECT_EQ(rev2Pin1["agreement"], "conflict");
    ASSERT_EQ(rev2Pin1["steps"].size(), 2U);
    // Step, offset, kind, part name, Hi-P, Lo-P, tester pin given, what it did for the pin.
    EXPECT_EQ(rev2Pin1["steps"][0][0], 2);
    EXPECT_EQ(rev2Pin1["steps"][0][2], "diode");
    EXPECT_EQ(rev2Pin1["steps"][0][6], 225);
    EXPECT_EQ(rev2Pin1["steps"][0][7], "jStepWins");
    EXPECT_EQ(rev2Pin1["steps"][1][0], 53);
    EXPECT_EQ(rev2Pin1["steps"][1][2], "j");
    EXPECT_EQ(rev2Pin1["steps"][1][6], 230);
    EXPECT_EQ(rev2Pin1["steps"][1][7], "gave");
    // On BOARD7 the same pin's diode and J steps agree, and the cell says so.
    EXPECT_EQ(data["boards"][1]["ics"][0]["explained"][0]["agreement"], "agree");
    const std::string page = readFile(folder / "page.html");
    EXPECT_NE(page.find("data-agreement=\"agree\""), std::string::npos);
    EXPECT_NE(page.find(">D=J</text>"), std::string::npos);
}

// An IC U1 without a step for its pin 7 (an error), after 60 "*" steps (infos).
std::string boardWithErrorAfterManyInfos() {
    std::vector<RecordBuilder> records(60, RecordBuilder().skip());
    for (const int pin : {1, 2, 3, 4, 5, 6, 8}) {
        records.push_back(RecordBuilder()
                              .name("U1_" + std::to_string(pin))
                              .typeCode(10)
                              .pins(100 + pin, 1)
                              .limits(5, 5));
    }
    records.push_back(RecordBuilder().name("U1_0").typeCode(1).pins(1, 2).limits(5, 5));
    return testing::recordsOf(records);
}

TEST_F(ReportPage, ChecksListErrorsFirstAndOpenGroupedByIdWithWhatToDo) {
    writeFile(folder / "board.cmp", boardWithErrorAfterManyInfos());
    const Result result = run("--html page.html -o . board.cmp");
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::string page = readFile(folder / "page.html");
    const std::string counts = between(page, "<table class=\"check-counts\">", "</table>");
    // Each count row leads to its group.
    EXPECT_LT(counts.find("href=\"#b1-check-unresolved-ic-pin\""),
              counts.find("href=\"#b1-check-skipped-step\""));
    const std::string checks = between(page, "<div class=\"checks\" id=\"b1-checks\">", "</div>");
    const std::size_t error = checks.find("<details class=\"check-group error\"");
    const std::size_t info = checks.find("<details class=\"check-group info\"");
    ASSERT_NE(error, std::string::npos);
    ASSERT_NE(info, std::string::npos);
    EXPECT_LT(error, info);
    // 61 checks: the error's group is open, the infos' folded, each with its count once.
    EXPECT_NE(checks.find("data-severity=\"error\" open><summary>"), std::string::npos);
    EXPECT_NE(checks.find("data-severity=\"info\"><summary>"), std::string::npos);
    EXPECT_NE(checks.find("<b>skipped-step</b> · 60 found</summary><p class=\"advice\">" +
                          std::string(adviceOf(CheckId::SkippedStep)) + "</p>"),
              std::string::npos);
    EXPECT_EQ(occurrences(checks, "<b>skipped-step</b>"), 1U);
    EXPECT_EQ(occurrences(checks, "<p class=\"advice\">"), 2U);
    // A check's step leads to its row.
    EXPECT_NE(checks.find("<a href=\"#b1-r64\">2</a>"), std::string::npos);
}

struct DataBoard {
    std::string behaviour;
    std::string bytes;
    DecodeOptions options;
};

std::string generatedBoard(std::uint64_t seed, std::size_t records) {
    const std::vector<std::byte> bytes = generateBoard(seed, records);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// An IC whose steps do every kind of thing for its pins: a later diode step for one, a diode step
// that misses the common pin, a J step that gives pins other than the diode steps' and one that
// gives none, and pins that no step names.
std::string boardOfEveryRole() {
    std::vector<RecordBuilder> records;
    for (int pin = 1; pin <= 4; ++pin) {
        records.push_back(
            RecordBuilder().name("U1_" + std::to_string(pin)).typeCode(10).pins(10 + pin, 1));
    }
    records.push_back(RecordBuilder().name("U1_2").typeCode(10).pins(50, 1));
    records.push_back(RecordBuilder().name("U1_3").typeCode(10).pins(60, 61));
    records.push_back(RecordBuilder().name("U1_34").typeCode(13).pins(13, 77));
    records.push_back(RecordBuilder().name("U1_99").typeCode(13).pins(90, 91));
    records.push_back(RecordBuilder().name("U1_8").typeCode(10).pins(18, 1));
    return testing::recordsOf(records);
}

std::vector<DataBoard> dataBoards() {
    const std::string board7 = readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp");
    const DecodeOptions kx740e{.variant = TesterVariant::Kx740e};
    const DecodeOptions reversed{.reversePins = true};
    return {{"everyRole", boardOfEveryRole(), {}},
            {"twoics", testing::twoIcBoard(), {}},
            {"backward", testing::backwardDiodeBoard(), {}},
            {"BOARD7", board7, {}},
            {"BOARD7Kx740e", board7, kx740e},
            {"BOARD7ReversePins", board7, reversed},
            {"generated", generatedBoard(7, 4000), {}},
            {"generatedKx740e", generatedBoard(8, 4000), kx740e}};
}

class PageData : public ::testing::TestWithParam<DataBoard> {};

// The rows and ICs that the page's script reads from the compact data are those of the report,
// value for value: every column of every row, and every drawn pin with its tester pin, its source,
// the step that gave it and every step that names it.
TEST_P(PageData, HoldsEveryRowAndEveryPinOfTheReport) {
    const DecodeOptions options = GetParam().options;
    ReportRecorder recorder({.options = options});
    const auto converted = testing::convertInMemory(GetParam().bytes, recorder, options);
    const BoardReport board = recorder.finish({.summary = converted.summary});
    const cli::Json data = pageData(cli::reportPage(board))["boards"][0];
    const cli::Json& rows = data["steps"]["rows"];
    ASSERT_EQ(rows.size(), board.stepRows.size());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const StepRow& row = board.stepRows[index];
        const StepFields& fields = row.fields;
        cli::Json expected = cli::Json::array(
            {row.offset, cli::Json(), cli::becameText(row), cli::byteText(fields.partsN.view())});
        if (row.kind != StepKind::Dropped) {
            expected[1] = fields.step;
            expected[2] = row.kind == StepKind::Skipped ? "*" : expected[2];
            for (const cli::Json& value :
                 {cli::byteText(row.kind == StepKind::Skipped ? "" : fields.lc.view()),
                  cli::Json(cli::valueText(fields.actualV)),
                  cli::Json(cli::valueText(fields.standV)), cli::byteText(fields.unit),
                  cli::Json(fields.upperLimit), cli::Json(fields.lowerLimit), cli::Json(fields.dly),
                  cli::Json(fields.mode), cli::Json(cli::listedType(row, options.variant)),
                  cli::Json(fields.hiP), cli::Json(fields.loP)}) {
                expected.push_back(value);
            }
            for (const int pin : fields.guardPins) {
                expected.push_back(pin);
            }
            expected.push_back(fields.skip ? 1 : 0);
        }
        ASSERT_EQ(rows[index], expected) << "row " << index;
    }
    const cli::Json& ics = data["ics"];
    ASSERT_EQ(ics.size(), board.icCount());
    const cli::IcMapPlan maps(board);
    for (std::size_t index = 0; index < ics.size(); ++index) {
        const cli::Json& ic = ics[index];
        const IcSummary& summary = converted.summary.ics[index];
        EXPECT_EQ(ic["name"], cli::byteText(summary.name.view()));
        EXPECT_EQ(ic["lc"], cli::byteText(summary.lc.view()));
        EXPECT_EQ(ic["firstIcp"], summary.firstIcp);
        EXPECT_EQ(ic["mapped"], maps.hasMap(index));
        const std::vector<cli::DrawnPin> pins =
            cli::drawnPinsOf(converted.summary.icPinTables[index], board.pinSteps);
        const std::vector<PinExplanation> explained =
            explainPins(board, index, static_cast<int>(pins.size()));
        ASSERT_EQ(ic["testerPins"].size(), pins.size()) << ic["name"];
        ASSERT_EQ(ic["explained"].size(), explained.size()) << ic["name"];
        for (std::size_t pin = 0; pin < pins.size(); ++pin) {
            EXPECT_EQ(ic["testerPins"][pin], pins[pin].testerPin);
            EXPECT_EQ(ic["sources"].get<std::string>().at(pin),
                      originText(pins[pin].origin).front());
            EXPECT_EQ(ic["steps"][pin], pins[pin].source ? pins[pin].source->step : 0);
            cli::Json steps = cli::Json::array();
            for (const PinStepUse& use : explained[pin].steps) {
                const StepRef& step = board.pinSteps.at(use.pinStep);
                cli::Json expected =
                    cli::Json::array({step.step, step.offset, use.jStep ? "j" : "diode",
                                      cli::byteText(step.partName.view()), use.hiPin, use.loPin,
                                      use.testerPin, roleText(use.role)});
                if (use.role == PinStepRole::OtherDevice) {
                    expected.push_back(cli::byteText(use.countedFor));
                }
                steps.push_back(std::move(expected));
            }
            EXPECT_EQ(ic["explained"][pin]["steps"], steps) << ic["name"] << " pin " << pin + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfBoard, PageData, ::testing::ValuesIn(dataBoards()),
                         testing::BehaviourName());

// More ICs than the page draws maps of, each with every pin resolved, then one with an
// unresolved pin whose map comes first: a page written as the board is converted must have kept
// its pins.
std::string boardOfMoreMapsThanDrawn() {
    std::vector<RecordBuilder> records;
    const std::vector<int> pins{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int ic = 1; ic <= cli::kMostPinsPerBoard / 10 + 2; ++ic) {
        const auto steps = testing::icWithDiodePins("U" + std::to_string(ic), pins);
        records.insert(records.end(), steps.begin(), steps.end());
    }
    const auto unresolved = testing::icWithDiodePins("X1", {1, 2, 3, 4, 5, 6, 7, 9});
    records.insert(records.end(), unresolved.begin(), unresolved.end());
    return testing::recordsOf(records);
}

// The page of a board written as it is converted, as --html writes it: its rows as they come and,
// with `icsAsTheyCome`, its ICs too, keeping only the pins of those it may draw.
std::string streamedPage(const DataBoard& data, bool icsAsTheyCome) {
    const DecodeOptions options = data.options;
    cli::PageText page;
    cli::ReportPageWriter writer(page, {{"board.cmp", "board"}}, "1.0");
    writer.beginBoard();
    ReportRecorder recorder({.options = options});
    recorder.streamRows([&](const StepRow& row) { writer.writeStepRow(row, options.variant); },
                        cli::kMostTableRows);
    std::size_t icsKept = 0;
    if (icsAsTheyCome) {
        recorder.streamIcs([&](const IcTrace& ic, const BoardReport& soFar) {
            const bool kept = writer.writeIc(ic, soFar);
            icsKept += kept ? 1 : 0;
            return kept;
        });
    }
    const auto converted = testing::convertInMemory(data.bytes, recorder, options);
    const BoardReport board = recorder.finish({.summary = converted.summary});
    EXPECT_EQ(board.outcome.summary->icPinTables.size(), icsAsTheyCome ? 0 : board.icCount());
    EXPECT_EQ(board.keptIcs.size(), icsKept);
    writer.endBoard(board);
    writer.finish();
    return page.text();
}

class StreamedPage : public ::testing::TestWithParam<DataBoard> {};

// A page that takes each IC as the run makes it, keeping the pins of only those it may draw, is
// the page of the board whose ICs were all kept to its end, byte for byte.
TEST_P(StreamedPage, IcsTakenAsTheyComeMakeTheSamePage) {
    EXPECT_EQ(streamedPage(GetParam(), true), streamedPage(GetParam(), false));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfBoard, StreamedPage, ::testing::ValuesIn([] {
        std::vector<DataBoard> boards = dataBoards();
        boards.push_back({"moreMapsThanDrawn", boardOfMoreMapsThanDrawn(), {}});
        return boards;
    }()),
    testing::BehaviourName());

// Rows that the coder cannot foresee: records left out between rows (as after
// BoardReport::kMostStepRows), a step number that jumps, dropped and "*" records between steps, and
// pins and columns that change; each comes back whole, with its offset and step.
TEST(StepRowCoder, RowsComeBackWholeAcrossGapsAndDroppedRecords) {
    const auto stepRow = [](std::uint64_t ordinal, StepKind kind, std::int64_t step,
                            const std::string& name, int hiP, int loP) {
        StepRow row{ordinal * kRecordSize, kind, kind == StepKind::Decoded, {}};
        row.fields.step = step;
        row.fields.partsN = PartsN(name);
        row.fields.lc = LcCode("A1");
        row.fields.hiP = hiP;
        row.fields.loP = loP;
        row.fields.actualV = 1.5F;
        row.fields.unit = "K ";
        return row;
    };
    std::vector<StepRow> rows{stepRow(3, StepKind::Decoded, 1, "U1_1", 10, 1),
                              stepRow(4, StepKind::Decoded, 2, "U1_2", 11, 1),
                              stepRow(5, StepKind::Decoded, 3, "U1_3", 12, 1),
                              stepRow(6, StepKind::Dropped, 0, "9X", 0, 0),
                              stepRow(7, StepKind::Decoded, 4, "U1_4", 13, 1),
                              stepRow(200005, StepKind::Decoded, 9, "U1_5", 40, 2),
                              stepRow(200006, StepKind::Skipped, 10, "", 0, 0),
                              stepRow(200007, StepKind::Decoded, 11, "R1", 41, 3)};
    rows[4].fields.guardPins = {7, 0, 0, 0, 9};
    rows[4].fields.skip = true;
    rows[5].fields.mode = 3;
    rows[5].fields.upperLimit = 5;
    std::string coded = "[";
    cli::StepRowCoder coder;
    for (const StepRow& row : rows) {
        coded += coded.size() > 1 ? "," : "";
        coder.append(row, TesterVariant::Kx740FeFr, coded);
    }
    const cli::Json whole = wholeRows(cli::Json::parse(coded + "]"));
    ASSERT_EQ(whole.size(), rows.size());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const StepRow& row = rows[index];
        EXPECT_EQ(whole[index][0], row.offset) << index;
        EXPECT_EQ(whole[index][2], row.kind == StepKind::Skipped ? "*" : cli::becameText(row));
        EXPECT_EQ(whole[index][3], std::string(row.fields.partsN.view()));
        if (row.kind == StepKind::Dropped) {
            EXPECT_EQ(whole[index].size(), 4U);
            continue;
        }
        EXPECT_EQ(whole[index][1], row.fields.step) << index;
        EXPECT_EQ(whole[index][4], row.kind == StepKind::Skipped ? "" : "A1") << index;
        EXPECT_EQ(whole[index][5], cli::valueText(row.fields.actualV)) << index;
        EXPECT_EQ(whole[index][8], row.fields.upperLimit) << index;
        EXPECT_EQ(whole[index][11], row.fields.mode) << index;
        EXPECT_EQ(whole[index][13], row.fields.hiP) << index;
        EXPECT_EQ(whole[index][14], row.fields.loP) << index;
        EXPECT_EQ(whole[index][15], row.fields.guardPins[0]) << index;
        EXPECT_EQ(whole[index][19], row.fields.guardPins[4]) << index;
        EXPECT_EQ(whole[index][20], row.fields.skip ? 1 : 0) << index;
    }
    // Foreseen rows are their names alone.
    EXPECT_NE(coded.find(",\"U1_3\","), std::string::npos) << coded;
}

TEST(JsonText, NamesKeepTheFormOfEveryEarlierReport) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string name{'U', static_cast<char>(byte)};
        EXPECT_EQ(cli::jsonText(cli::byteText(name)), "\"" + cli::textEscapedName(name) + "\"")
            << byte;
    }
}

TEST(JsonText, PathsAreAsciiWithUnicodeEscapes) {
    EXPECT_EQ(cli::jsonText(cli::pathText("a/\"b\"\\\t\x7F")), R"("a/\"b\"\\\u0009\u007F")");
    EXPECT_EQ(cli::jsonText(cli::pathText("보드 7\xF0\x9F\x94\x8C")),
              R"("\uBCF4\uB4DC 7\uD83D\uDD0C")");
    // Bytes that are no UTF-8: a lone continuation byte, an overlong form, a cut sequence.
    EXPECT_EQ(cli::jsonText(cli::pathText("\x80\xc0\xaf\xe4\xbd")),
              R"("\u0080\u00C0\u00AF\u00E4\u00BD")");
}

}  // namespace
}  // namespace zemra
