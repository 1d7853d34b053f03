// The page of --html as a browser draws it: headless Chromium runs its script and dumps the DOM,
// and the pins drawn for each board are exactly the pins of its .icp, each with the source that
// gave it, under every combination of the two options.
#include <gtest/gtest.h>

#include <cstdio>

#include "behaviour_name.h"
#include "board_generator.h"
#include "golden_boards.h"
#include "in_memory_conversion.h"
#include "process_runner.h"
#include "report/report_recorder.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using testing::readFile;
using testing::writeFile;

struct DrawnPinText {
    std::string ic;
    int pin = 0;
    int testerPin = 0;
    std::string source;

    friend bool operator==(const DrawnPinText&, const DrawnPinText&) = default;
    friend void PrintTo(const DrawnPinText& drawn, std::ostream* out) {
        *out << drawn.ic << " pin " << drawn.pin << " tester pin " << drawn.testerPin << " "
             << drawn.source;
    }
};

struct Board {
    std::string file;
    std::string bytes;
};

std::vector<Board> boards() {
    const auto generated = [](std::uint64_t seed, std::size_t records) {
        const std::vector<std::byte> bytes = generateBoard(seed, records);
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    return {{"twoics.cmp", testing::twoIcBoard()},
            {"backward.cmp", testing::backwardDiodeBoard()},
            {"BOARD7.cmp", readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp")},
            {"gen1.cmp", generated(1, 3000)},
            {"gen2.cmp", generated(2, 6000)}};
}

// The pins of a board as its pin files give them, at most BoardReport::kMostDrawnPins of each
// IC that gets a map, with the source that a traced run of the same board gives each.
std::vector<DrawnPinText> pinsOfTheFiles(const std::filesystem::path& base, const Board& board,
                                         DecodeOptions options) {
    std::vector<int> icpTesterPins{0};  // by ICP number
    for (const std::string& line : testing::linesOf(readFile(base.string() + ".icp"))) {
        int number = 0;
        int testerPin = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), "ICP / %d = %d 0", &number, &testerPin), 2) << line;
        icpTesterPins.push_back(testerPin);
    }
    ReportRecorder recorder({.options = options});
    const auto converted = testing::convertInMemory(board.bytes, recorder, options);
    const BoardReport report = recorder.finish({.summary = converted.summary});
    std::vector<DrawnPinText> pins;
    std::size_t ic = 0;
    for (const std::string& line : testing::linesOf(readFile(base.string() + ".icn"))) {
        std::istringstream fields(line);
        std::string number;
        std::string name;
        std::string lc;
        int pinCount = 0;
        int zero = 0;
        int zeroToo = 0;
        int firstIcp = 0;
        fields >> number >> name >> lc >> pinCount >> zero >> zeroToo >> firstIcp;
        // The ICs after the pins of a board are listed without a map.
        const int mapped =
            ic < report.mappedIcs ? std::min(pinCount, BoardReport::kMostDrawnPins) : 0;
        const std::vector<DrawnPin> drawn = report.drawnPins(ic++);
        for (int pin = 1; pin <= mapped; ++pin) {
            pins.push_back(
                {name, pin, icpTesterPins.at(static_cast<std::size_t>(firstIcp + pin - 1)),
                 std::string(originText(drawn.at(static_cast<std::size_t>(pin - 1)).origin))});
        }
    }
    return pins;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The value of the attribute `name` of the element that begins at `element`.
std::string attributeOf(const std::string& dom, std::size_t element, const std::string& name) {
    const std::size_t end = dom.find('>', element);
    const std::size_t at = dom.find(" " + name + "=\"", element);
    if (at == std::string::npos || at > end) {
        return "";
    }
    const std::size_t start = at + name.size() + 3;
    return dom.substr(start, dom.find('"', start) - start);
}

// The drawn pins in one part of a dumped DOM, in order.
std::vector<DrawnPinText> drawnPinsOf(const std::string& dom) {
    std::vector<DrawnPinText> pins;
    for (std::size_t pin = dom.find("<g class=\"pin\""); pin != std::string::npos;
         pin = dom.find("<g class=\"pin\"", pin + 1)) {
        pins.push_back({attributeOf(dom, pin, "data-ic"),
                        std::stoi(attributeOf(dom, pin, "data-pin")),
                        std::stoi(attributeOf(dom, pin, "data-tester-pin")),
                        attributeOf(dom, pin, "data-source")});
    }
    return pins;
}

std::string dumpedDom(const testing::TempFolder& folder, const std::string& page,
                      int windowWidth = 0) {
    const testing::ProgramResult chromium = testing::runProgram(
        "timeout",
        std::string("120 chromium --headless --no-sandbox --disable-gpu --disable-dev-shm-usage ") +
            (windowWidth > 0 ? "--window-size=" + std::to_string(windowWidth) + ",900 " : "") +
            "--disable-background-networking --disable-component-update --disable-sync "
            "--no-first-run --user-data-dir='" +
            (folder / "profile").string() + "' --dump-dom 'file://" + (folder / page).string() +
            "'",
        folder.path());
    EXPECT_EQ(chromium.exitStatus, 0) << chromium.err;
    return chromium.out;
}

struct Combination {
    std::string behaviour;
    std::string arguments;
    DecodeOptions options;
};

class PageInABrowser : public ::testing::TestWithParam<Combination> {};

TEST_P(PageInABrowser, DrawsThePinsOfThePinFilesWithTheirSources) {
    const Combination& combination = GetParam();
    const testing::TempFolder folder;
    std::string inputs;
    for (const Board& board : boards()) {
        writeFile(folder / board.file, board.bytes);
        inputs += " " + board.file;
    }
    const testing::ProgramResult converted = testing::runProgram(
        ZEMRA_CONVERT_PATH, combination.arguments + " --html page.html -o ." + inputs,
        folder.path());
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    const std::string dom = dumpedDom(folder, "page.html");
    // The script ran to its end.
    EXPECT_NE(dom.find("<html lang=\"en\" class=\"scripted\">"), std::string::npos);
    std::size_t section = dom.find("<section class=\"board");
    std::size_t drawn = 0;
    for (const Board& board : boards()) {
        ASSERT_NE(section, std::string::npos) << board.file;
        const std::size_t next = dom.find("<section class=\"board", section + 1);
        const std::string title = board.file.substr(0, board.file.find('.'));
        const auto expected = pinsOfTheFiles(folder / title / title, board, combination.options);
        EXPECT_EQ(drawnPinsOf(dom.substr(section, next - section)), expected) << board.file;
        drawn += expected.size();
        section = next;
    }
    EXPECT_GT(drawn, 100U);
}

// The page with a script of the test after its own, which the page's policy would refuse.
std::string driven(const std::string& page, const std::string& script) {
    const std::size_t policy = page.find("<meta http-equiv=\"Content-Security-Policy\"");
    const std::size_t policyEnd = page.find('>', policy) + 1;
    const std::size_t bodyEnd = page.rfind("</body>");
    EXPECT_NE(policy, std::string::npos);
    EXPECT_NE(bodyEnd, std::string::npos);
    return page.substr(0, policy) + page.substr(policyEnd, bodyEnd - policyEnd) + "<script>" +
           script + "</script>" + page.substr(bodyEnd);
}

TEST(PageInABrowser, PinChosenByMouseOrKeyboardListsTheStepsThatNameIt) {
    const testing::TempFolder folder;
    writeFile(folder / "BOARD7-rev2.cmp",
              readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7-rev2.cmp"));
    const testing::ProgramResult converted = testing::runProgram(
        ZEMRA_CONVERT_PATH, "--html page.html -o . BOARD7-rev2.cmp", folder.path());
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    writeFile(
        folder / "driven.html",
        driven(readFile(folder / "page.html"),
               "document.querySelector('g.pin[data-ic=\"U2\"][data-pin=\"1\"]')"
               ".dispatchEvent(new MouseEvent('click', {bubbles: true}));"
               "document.querySelector('g.pin[data-ic=\"IC1\"][data-pin=\"7\"]')"
               ".dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}));"
               "document.querySelector('g.pin[data-ic=\"U2\"][data-pin=\"1\"]')"
               ".dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowDown', bubbles: true}));"));
    const std::string dom = dumpedDom(folder, "driven.html");
    const std::size_t conflict = dom.find("<div class=\"pin-panel conflict\"");
    ASSERT_NE(conflict, std::string::npos) << dom.substr(0, 2000);
    const std::string panel = dom.substr(conflict, dom.find("</div>", conflict) - conflict);
    for (const char* part :
         {"U2 pin 1 (ICP 1): tester pin 230</h4>", "Diode and J steps give this pin different",
          "<td>diode step</td><td>U2_1</td>",
          "<td class=\"number\">225</td><td>not used: J step 53",
          "<tr class=\"used\"><td class=\"number\"><a href=\"#b1-r3328\">53</a></td><td>J "
          "step</td><td>U2_12</td>",
          "yes, this is the tester pin of the .icp"}) {
        EXPECT_NE(panel.find(part), std::string::npos) << part << "\n" << panel;
    }
    // The keyboard opened the panel of IC1 pin 7 in IC1's map.
    EXPECT_NE(dom.find("aria-label=\"Steps that name IC1 pin 7\""), std::string::npos);
    EXPECT_EQ(occurrences(dom, "aria-expanded=\"true\""), 2U);
    // Each map is one stop of the tab key, and the arrow down went from U2's pin 1 to its pin 17.
    const auto tabIndexOf = [&dom](const std::string& ic, int pin) {
        const std::size_t cell = dom.rfind(
            "<g ", dom.find("data-ic=\"" + ic + "\" data-pin=\"" + std::to_string(pin) + "\""));
        return attributeOf(dom, cell, "tabindex");
    };
    EXPECT_EQ(tabIndexOf("U2", 1), "-1");
    EXPECT_EQ(tabIndexOf("U2", 17), "0");
    EXPECT_EQ(tabIndexOf("IC1", 1), "0");
    EXPECT_EQ(tabIndexOf("IC1", 7), "-1");
}

TEST(PageInABrowser, PinPanelSaysInWordsWhyAStepDidNotCount) {
    const testing::TempFolder folder;
    writeFile(folder / "BOARD7.cmp",
              readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp"));
    const testing::ProgramResult converted = testing::runProgram(
        ZEMRA_CONVERT_PATH, "--kx740e --html page.html -o . BOARD7.cmp", folder.path());
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    // Under KX740E the diode steps IC1_n are listed as U1_n, the J steps IC1_nm as JIC1_nm.
    writeFile(folder / "driven.html",
              driven(readFile(folder / "page.html"),
                     "document.querySelector('g.pin[data-ic=\"U1\"][data-pin=\"7\"]')"
                     ".dispatchEvent(new MouseEvent('click', {bubbles: true}));"));
    const std::string dom = dumpedDom(folder, "driven.html");
    const std::size_t at = dom.find("<div class=\"pin-panel\"");
    ASSERT_NE(at, std::string::npos);
    const std::string panel = dom.substr(at, dom.find("</div>", at) - at);
    EXPECT_NE(panel.find("U1 pin 7 (ICP 31): tester pin 0</h4><p>Unresolved"), std::string::npos)
        << panel;
    EXPECT_NE(panel.find("<td>J step</td><td>JIC1_67</td><td class=\"number\">610</td><td "
                         "class=\"number\">407</td><td class=\"number\">none</td><td>ignored: "
                         "it counts for device \"JIC1\", not for IC \"U1\": under KX740E"),
              std::string::npos)
        << panel;
}

TEST(PageInABrowser, CountRowOfACheckShowsOnlyItsChecks) {
    const testing::TempFolder folder;
    writeFile(folder / "BOARD7.cmp",
              readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp"));
    const testing::ProgramResult converted =
        testing::runProgram(ZEMRA_CONVERT_PATH, "--html page.html -o . BOARD7.cmp", folder.path());
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    writeFile(folder / "driven.html",
              driven(readFile(folder / "page.html"),
                     "document.querySelector('a[data-check=\"unknown-code\"]').click();"));
    const std::string dom = dumpedDom(folder, "driven.html");
    for (const auto& [group, severity] :
         {std::pair{"dropped-record", "warning"}, std::pair{"duplicate-part-name", "warning"},
          std::pair{"skipped-step", "info"}}) {
        EXPECT_NE(dom.find("id=\"b1-check-" + std::string(group) + "\" data-check=\"" + group +
                           "\" data-severity=\"" + severity + "\" open=\"\" hidden=\"\""),
                  std::string::npos)
            << group;
    }
    EXPECT_NE(dom.find("id=\"b1-check-unknown-code\" data-check=\"unknown-code\" "
                       "data-severity=\"warning\" open=\"\">"),
              std::string::npos);
    EXPECT_NE(dom.find("<button type=\"button\" data-show-all=\"b1-checks\">"), std::string::npos);
}

// The print style applied on screen, in a window as wide as an A4 landscape page within its
// margins (277 mm at 96 pixels to the inch): what paper would show, measured by a script.
TEST(PageInABrowser, PrintShowsEverySectionAndEveryColumnWithinTheWidthOfA4Landscape) {
    const testing::TempFolder folder;
    const std::vector<std::byte> bytes = generateBoard(5, 5000);
    writeFile(folder / "gen.cmp",
              std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    writeFile(folder / "BOARD7.cmp",
              readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp"));
    const testing::ProgramResult converted = testing::runProgram(
        ZEMRA_CONVERT_PATH, "--html page.html -o . gen.cmp BOARD7.cmp", folder.path());
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    std::string page = readFile(folder / "page.html");
    const std::size_t print = page.find("@media print {");
    ASSERT_NE(print, std::string::npos);
    page.replace(print, 14, "@media all {");
    writeFile(
        folder / "printed.html",
        driven(page,
               "var width = document.documentElement.clientWidth, facts = [];"
               "document.querySelectorAll('table.steps').forEach(function (table) {"
               "  facts.push('steps ' + (table.getBoundingClientRect().right <= width));"
               "  facts.push('last column ' + (table.tHead.rows[0].lastElementChild"
               "    .getBoundingClientRect().right <= width)); });"
               "facts.push('folded ' + document.querySelectorAll('details:not([open])').length);"
               "document.querySelectorAll('details table').forEach(function (table) {"
               "  if (!table.checkVisibility()) { facts.push('hidden table'); } });"
               "document.querySelectorAll('.hint, .controls, button').forEach(function (shown) {"
               "  if (getComputedStyle(shown).display !== 'none') { facts.push('interface'); } });"
               "facts.push('subtitle ' + getComputedStyle(document.querySelector('header.page p'))"
               "  .color);"
               "var measured = document.createElement('pre');"
               "measured.id = 'measured'; measured.textContent = facts.join(';');"
               "document.body.appendChild(measured);"));
    const std::string dom = dumpedDom(folder, "printed.html", 1047);
    const std::size_t measured = dom.find("<pre id=\"measured\">");
    ASSERT_NE(measured, std::string::npos);
    const std::string facts =
        dom.substr(measured + 19, dom.find("</pre>", measured) - measured - 19);
    EXPECT_EQ(facts,
              "steps true;last column true;steps true;last column true;folded 4;"
              "subtitle rgb(29, 36, 48)");
}

// The example tester folder carried to the board's revision with --html, its page printed (the
// print style on screen, as wide as A4 landscape): headings in order, the tuning table named and
// with column headers, each of its links a stop of the keyboard that leads to the row of its step,
// its headings sort it, and it fits the paper.
TEST(PageInABrowser, TuningSectionIsReadInOrderReachedByKeyboardAndPrinted) {
    const testing::TempFolder folder;
    const std::filesystem::path examples(ZEMRA_EXAMPLES_DIR);
    for (const char* board : {"BOARD7.cmp", "BOARD7-rev2.cmp"}) {
        std::filesystem::copy_file(examples / board, folder / board);
    }
    std::filesystem::copy(examples / "tester", folder / "tester",
                          std::filesystem::copy_options::recursive);
    const testing::ProgramResult converted = testing::runProgram(
        ZEMRA_CONVERT_PATH,
        "--tuned tester/BOARD7 --base BOARD7.cmp --html page.html -o . BOARD7-rev2.cmp",
        folder.path());
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    std::string page = readFile(folder / "page.html");
    page.replace(page.find("@media print {"), 14, "@media all {");
    writeFile(
        folder / "driven.html",
        driven(page,
               "var facts = [], last = 0, ordered = true, width = "
               "document.documentElement.clientWidth;"
               "document.querySelectorAll('h1, h2, h3, h4, h5, h6').forEach(function (h) {"
               "  var level = Number(h.tagName.charAt(1));"
               "  if (level > last + 1) { ordered = false; } last = level; });"
               "facts.push('headings in order ' + ordered);"
               "var table = document.getElementById('b1-tuning');"
               "facts.push('named ' + document.getElementById("
               "  table.getAttribute('aria-labelledby')).textContent);"
               "facts.push('headers ' + table.querySelectorAll('thead th[scope=col]').length +"
               "  ' of ' + table.rows[0].cells.length);"
               "var links = table.querySelectorAll('tbody a'), reached = 0;"
               "links.forEach(function (link) {"
               "  link.focus();"
               "  var row = document.getElementById(link.getAttribute('href').slice(1));"
               "  if (document.activeElement === link && row &&"
               "      row.cells[1].textContent === link.textContent &&"
               "      row.cells[2].textContent === link.closest('tr').cells[1].textContent) {"
               "    reached++; } });"
               "facts.push('links ' + links.length + ', reached ' + reached);"
               "facts.push('printed ' + (table.checkVisibility() && table.tHead.rows[0]"
               "  .lastElementChild.getBoundingClientRect().right <= width));"
               "table.rows[0].cells[2].click();"
               "facts.push('sorted ' + table.rows[0].cells[2].getAttribute('aria-sort') + ' ' +"
               "  Array.prototype.map.call(table.tBodies[0].rows, function (row) {"
               "    return row.cells[2].textContent; }).join(','));"
               "var measured = document.createElement('pre');"
               "measured.id = 'measured'; measured.textContent = facts.join(';');"
               "document.body.appendChild(measured);"));
    const std::string dom = dumpedDom(folder, "driven.html", 1047);
    const std::size_t measured = dom.find("<pre id=\"measured\">");
    ASSERT_NE(measured, std::string::npos);
    EXPECT_EQ(dom.substr(measured + 19, dom.find("</pre>", measured) - measured - 19),
              "headings in order true;named Tuning carried from the tester;headers 9 of 9;"
              "links 4, reached 4;printed true;sorted ascending 1,19,19,67,");
}

INSTANTIATE_TEST_SUITE_P(
    EveryOptionCombination, PageInABrowser,
    ::testing::Values(Combination{"KX740FeFr", "", {}},
                      Combination{"KX740E", "--kx740e", {.variant = TesterVariant::Kx740e}},
                      Combination{"ReversePins", "--reverse-pins", {.reversePins = true}},
                      Combination{"KX740EReversePins",
                                  "--kx740e --reverse-pins",
                                  {.variant = TesterVariant::Kx740e, .reversePins = true}}),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
