// The page of --html as a browser draws it: headless Chromium runs its script and dumps the DOM,
// and the pins drawn for each board are exactly the pins of its .icp, each with the source that
// gave it, under every combination of the two options.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "behaviour_name.h"
#include "board_generator.h"
#include "golden_boards.h"
#include "ic_map_plan.h"
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

// The pins of each IC of a board as its pin files give them, at most cli::kMostDrawnPins
// of each, in .icn order, with the source that the traced run `report` gives each.
std::vector<std::vector<DrawnPinText>> pinsByIcOfTheFiles(const std::filesystem::path& base,
                                                          const BoardReport& report) {
    std::vector<int> icpTesterPins{0};  // by ICP number
    for (const std::string& line : testing::linesOf(readFile(base.string() + ".icp"))) {
        int number = 0;
        int testerPin = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), "ICP / %d = %d 0", &number, &testerPin), 2) << line;
        icpTesterPins.push_back(testerPin);
    }
    std::vector<std::vector<DrawnPinText>> pinsByIc;  // in .icn order
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
        const std::vector<cli::DrawnPin> drawn =
            cli::drawnPinsOf(report.traceOf(pinsByIc.size()).value().table, report.pinSteps);
        auto& pins = pinsByIc.emplace_back();
        for (int pin = 1; pin <= std::min(pinCount, cli::kMostDrawnPins); ++pin) {
            pins.push_back(
                {name, pin, icpTesterPins.at(static_cast<std::size_t>(firstIcp + pin - 1)),
                 std::string(originText(drawn.at(static_cast<std::size_t>(pin - 1)).origin))});
        }
    }
    return pinsByIc;
}

BoardReport reportOf(const Board& board, DecodeOptions options) {
    ReportRecorder recorder({.options = options});
    const auto converted = testing::convertInMemory(board.bytes, recorder, options);
    return recorder.finish({.summary = converted.summary});
}

// The pins that the page draws for a board: those of the ICs with a map, in the report's order
// (ICs with an error or a warning first).
std::vector<DrawnPinText> pinsOfTheFiles(const std::filesystem::path& base, const Board& board,
                                         DecodeOptions options) {
    const BoardReport report = reportOf(board, options);
    const auto pinsByIc = pinsByIcOfTheFiles(base, report);
    std::vector<DrawnPinText> pins;
    const cli::IcMapPlan maps(report);
    for (const std::size_t ic : maps.mappedIcs()) {
        pins.insert(pins.end(), pinsByIc.at(ic).begin(), pinsByIc.at(ic).end());
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
                      int windowWidth = 0, const std::string& flags = "") {
    const testing::ProgramResult chromium = testing::runProgram(
        "timeout",
        std::string("120 chromium --headless --no-sandbox --disable-gpu --disable-dev-shm-usage ") +
            (windowWidth > 0 ? "--window-size=" + std::to_string(windowWidth) + ",900 " : "") +
            "--disable-background-networking --disable-component-update --disable-sync "
            "--no-first-run " +
            flags + " --user-data-dir='" + (folder / "profile").string() + "' --dump-dom 'file://" +
            (folder / page).string() + "'",
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
               "document.querySelectorAll('.hint, .controls, button:not(.sort)').forEach(function "
               "(shown) {"
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
               "table.rows[0].cells[2].querySelector('button').click();"
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

// Converts `inputs` (files of `folder`) with `arguments` into page.html and returns the page.
std::string pageOf(const testing::TempFolder& folder, const std::string& arguments,
                   const std::string& inputs) {
    const testing::ProgramResult converted = testing::runProgram(
        ZEMRA_CONVERT_PATH, arguments + " --html page.html -o . " + inputs, folder.path());
    EXPECT_EQ(converted.exitStatus, 0) << converted.err;
    return readFile(folder / "page.html");
}

// What `script` leaves in `facts` (an array), once the page has run its own script; `address`
// may add a fragment to the page's name.
std::string factsOf(const testing::TempFolder& folder, const std::string& page,
                    const std::string& script, const std::string& fragment = "",
                    const std::string& flags = "") {
    writeFile(folder / "driven.html",
              driven(page, "var facts = [];" + script +
                               "var measured = document.createElement('pre');"
                               "measured.id = 'measured'; measured.textContent = facts.join(';');"
                               "document.body.appendChild(measured);"));
    const std::string dom = dumpedDom(folder, "driven.html" + fragment, 1280, flags);
    const std::size_t measured = dom.find("<pre id=\"measured\">");
    EXPECT_NE(measured, std::string::npos) << dom.substr(0, 500);
    if (measured == std::string::npos) {
        return "";
    }
    return dom.substr(measured + 19, dom.find("</pre>", measured) - measured - 19);
}

// Small helpers of the scripts below: the steps table of the first board.
const char* const kStepsHelpers =
    "function heading(text) { return Array.prototype.filter.call("
    "  document.querySelectorAll('#b1-steps th button'),"
    "  function (button) { return button.textContent === text; })[0]; }"
    "function column(index, count) { var values = [];"
    "  Array.prototype.slice.call(document.querySelectorAll('#b1-steps tbody tr'), 0, count)"
    "    .forEach(function (row) { values.push(row.cells[index].textContent); });"
    "  return values.join(' '); }"
    "function type(filter, text) { var input = document.querySelector("
    "  'input[data-table=\"b1-steps\"][data-steps-filter=\"' + filter + '\"]');"
    "  input.value = text; input.dispatchEvent(new Event('input')); }"
    "function status() { return document.getElementById('b1-steps-status').textContent; }";

struct TableCase {
    std::string behaviour;
    std::string script;
    std::string facts;
};

class StepsTableInABrowser : public ::testing::TestWithParam<TableCase> {};

TEST_P(StepsTableInABrowser, AnswersAsAnEngineerExpects) {
    const testing::TempFolder folder;
    writeFile(folder / "BOARD7.cmp",
              readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp"));
    const std::string page = pageOf(folder, "", "BOARD7.cmp");
    EXPECT_EQ(factsOf(folder, page, std::string(kStepsHelpers) + GetParam().script),
              GetParam().facts);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepsTableInABrowser,
    ::testing::Values(
        TableCase{"HeadingsAreButtonsThatSayTheOrder",
                  "facts.push(document.querySelectorAll('#b1-steps th > button').length);"
                  "heading('Step').click();"
                  "facts.push(heading('Step').parentNode.getAttribute('aria-sort'));"
                  "heading('Step').click();"
                  "facts.push(heading('Step').parentNode.getAttribute('aria-sort'));"
                  "facts.push(column(1, 3)); facts.push(status());",
                  "21;ascending;descending;297 296 295;"
                  "Sorted by Step, descending; 300 rows"},
        TableCase{"PartNamesSortInNaturalOrder",
                  "heading('Part name').click();"
                  "var names = column(2, 200).split(' ').filter(function (name) {"
                  "  return /^C\\d+$/.test(name); });"
                  "facts.push(names.slice(0, 6).join(' '));",
                  "C7 C10 C12 C24 C32 C34"},
        TableCase{"PartNameFilterTakesTheWholeName",
                  "type('part', 'U2_1'); facts.push(status()); facts.push(column(2, 5));"
                  "type('part', 'u2_12'); facts.push(column(2, 5));",
                  "1 of 300 rows;U2_1;U2_12"},
        TableCase{"TesterPinFilterMatchesAnyPinColumn",
                  "type('pin', '225'); facts.push(status());"
                  "document.querySelectorAll('#b1-steps tbody tr').forEach(function (row) {"
                  "  facts.push(Array.prototype.slice.call(row.cells, 12, 19).some("
                  "    function (cell) { return cell.textContent === '225'; })); });",
                  "2 of 300 rows;true;true"},
        TableCase{"HeadingRowStaysInViewWhenTheTableScrolls",
                  "var frame = document.querySelector('#b1-steps').parentNode;"
                  "frame.scrollTop = 2000;"
                  "facts.push(frame.scrollTop > 0);"
                  "facts.push(Math.round(heading('Offset').parentNode.getBoundingClientRect().top -"
                  "  frame.getBoundingClientRect().top) <= 1);",
                  "true;true"}),
    testing::BehaviourName());

// Every row of a board is drawn when the table is scrolled to its end, not only the first ones.
TEST(PageInABrowser, StepsTableReachesEveryRecordOfTheBoard) {
    const testing::TempFolder folder;
    const std::vector<std::byte> bytes = generateBoard(5, 5000);
    writeFile(folder / "gen.cmp",
              std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    const std::string page = pageOf(folder, "", "gen.cmp");
    EXPECT_EQ(factsOf(folder, page,
                      "var more = document.querySelector('#b1-steps').parentNode"
                      "  .querySelector('button.more');"
                      "facts.push(document.querySelectorAll('#b1-steps tbody tr').length);"
                      "while (!more.hidden) { more.click(); }"
                      "var rows = document.querySelectorAll('#b1-steps tbody tr');"
                      "facts.push(rows.length); facts.push(rows[rows.length - 1].id);"),
              "200;5000;b1-r319936");
}

// ICs of 500 pins, more than the maps of a page draw, each after a resistor: the last IC gets no
// map, and the steps table's script draws only its first 200 rows at first.
Board manyPinBoard() {
    std::vector<RecordBuilder> records;
    for (int ic = 1; ic <= cli::kMostPinsPerBoard / 500 + 1; ++ic) {
        records.push_back(RecordBuilder().name("R" + std::to_string(ic)).typeCode(1).pins(1, 2));
        for (const int pin : {1, 2, 3, 4, 5, 6, 7, 500}) {
            records.push_back(RecordBuilder()
                                  .name("U" + std::to_string(ic) + "_" + std::to_string(pin))
                                  .typeCode(10)
                                  .pins(100 + pin % 1000, 1));
        }
    }
    return {"big.cmp", testing::recordsOf(records)};
}

struct LinkCase {
    std::string behaviour;
    std::string fragment;  // %STEP%, %OFFSET% and %IC% name the step, record and IC below
    std::string facts;
};

// The page of the board of many pins, and the first IC that it draws no map of at first.
class ManyPinPageInABrowser : public ::testing::Test {
  protected:
    void SetUp() override {
        writeFile(folder / board.file, board.bytes);
        page = pageOf(folder, "", board.file);
        const cli::IcMapPlan maps(report);
        while (unmapped < report.icCount() && maps.hasMap(unmapped)) {
            ++unmapped;
        }
        ASSERT_LT(unmapped, report.icCount());
        name = report.outcome.summary->ics[unmapped].name.view();
    }

    const testing::TempFolder folder;
    const Board board = manyPinBoard();
    const BoardReport report = reportOf(board, {});
    std::string page;
    std::size_t unmapped = 0;
    std::string name;
};

class LinkInABrowser : public ManyPinPageInABrowser,
                       public ::testing::WithParamInterface<LinkCase> {};

// Each link draws what it names and brings it into view: a step that the script has not drawn
// yet, an IC without a map.
TEST_P(LinkInABrowser, OpensWithWhatItNamesInView) {
    const StepRow& late = report.stepRows.at(300);
    std::string fragment = GetParam().fragment;
    for (const auto& [mark, value] :
         {std::pair<std::string, std::string>{"%STEP%", std::to_string(late.fields.step)},
          {"%OFFSET%", std::to_string(late.offset)},
          {"%IC%", name}}) {
        if (const std::size_t at = fragment.find(mark); at != std::string::npos) {
            fragment.replace(at, mark.size(), value);
        }
    }
    const std::string facts =
        factsOf(folder, page,
                "var target = document.querySelector('.target');"
                "var box = target.getBoundingClientRect();"
                "facts.push(target.tagName === 'TR' ? target.cells[1].textContent :"
                "  target.getAttribute('data-ic'));"
                "facts.push(box.top >= 0 && box.top < innerHeight);"
                "facts.push(document.activeElement === target);",
                fragment);
    std::string expected = GetParam().facts;
    for (const auto& [mark, value] :
         {std::pair<std::string, std::string>{"%STEP%", std::to_string(late.fields.step)},
          {"%IC%", name}}) {
        if (const std::size_t at = expected.find(mark); at != std::string::npos) {
            expected.replace(at, mark.size(), value);
        }
    }
    EXPECT_EQ(facts, expected);
    if (GetParam().fragment.find("ic=") != std::string::npos) {
        // The map drawn on demand shows the pins of the pin files.
        const std::string dom = dumpedDom(folder, "driven.html" + fragment);
        const std::size_t figure = dom.find("<figure class=\"ic target\"");
        ASSERT_NE(figure, std::string::npos);
        EXPECT_EQ(drawnPinsOf(dom.substr(figure, dom.find("</figure>", figure) - figure)),
                  pinsByIcOfTheFiles(folder / "big" / "big", report).at(unmapped));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkInABrowser,
    ::testing::Values(LinkCase{"StepNumber", "#step=%STEP%", "%STEP%;true;true"},
                      LinkCase{"StepOfTheBoard", "#b1-step=%STEP%", "%STEP%;true;true"},
                      LinkCase{"RecordOffset", "#b1-r%OFFSET%", "%STEP%;true;true"},
                      LinkCase{"IcWithoutAMap", "#ic=%IC%", "%IC%;true;true"}),
    testing::BehaviourName());

TEST_F(ManyPinPageInABrowser, IcsNamedDrawsTheMapOfAnIcThatHadNone) {
    EXPECT_EQ(
        factsOf(folder, page,
                "var input = document.querySelector('input[data-ic-filter=\"b1\"]');"
                "facts.push(document.querySelectorAll('figure[data-ic=\"" +
                    name +
                    "\"]').length);"
                    "input.value = '" +
                    name +
                    "'; input.dispatchEvent(new Event('input'));"
                    "var shown = document.querySelectorAll('figure[data-ic=\"" +
                    name +
                    "\"]:not([hidden]) g.pin');"
                    "facts.push(shown.length);"
                    "facts.push(input.parentNode.parentNode.querySelector('.found')"
                    "  .textContent);"),
        "0;" +
            std::to_string(
                cli::drawnPinsOf(report.traceOf(unmapped).value().table, report.pinSteps).size()) +
            ";1 IC so named.");
}

// A check on an IC links to it: the unresolved pin 7 of U1 under KX740E.
TEST(PageInABrowser, CheckOnAnIcLinksToItsMap) {
    const testing::TempFolder folder;
    writeFile(folder / "BOARD7.cmp",
              readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp"));
    const std::string page = pageOf(folder, "--kx740e", "BOARD7.cmp");
    EXPECT_NE(page.find("IC <a href=\"#b1-ic=U1\">U1</a>"), std::string::npos);
    // The link changes the fragment; the page answers once the browser reports the change.
    writeFile(folder / "driven.html",
              driven(page,
                     "window.addEventListener('hashchange', function () {"
                     "  var target = document.querySelector('figure.ic.target');"
                     "  var done = document.createElement('p'); done.id = 'done';"
                     "  done.textContent = target ? target.getAttribute('data-ic') : 'none';"
                     "  document.body.appendChild(done); });"
                     "document.querySelector('a[href=\"#b1-ic=U1\"]').click();"));
    const std::string dom = dumpedDom(folder, "driven.html", 1280, "--virtual-time-budget=2000");
    EXPECT_NE(dom.find("<p id=\"done\">U1</p>"), std::string::npos);
}

// axe-core: the one of the package kept with the tests, or the one that ZEMRA_AXE_CORE names.
std::filesystem::path axeCore() {
    if (const char* named = std::getenv("ZEMRA_AXE_CORE")) {
        return named;
    }
    return ZEMRA_AXE_CORE_PATH;
}

struct AxeCase {
    std::string behaviour;
    std::string files;      // examples or generated boards (gen.cmp)
    std::string arguments;  // before the page and the inputs
};

class PageForAxe : public ::testing::TestWithParam<AxeCase> {};

// axe-core's rules on the page as the script leaves it, with a pin panel open: no violation.
TEST_P(PageForAxe, BreaksNoAccessibilityRule) {
    const std::filesystem::path axe = axeCore();
    ASSERT_TRUE(std::filesystem::is_regular_file(axe)) << axe;
    const testing::TempFolder folder;
    std::istringstream files(GetParam().files);
    for (std::string file; files >> file;) {
        if (file == "many.cmp") {
            writeFile(folder / file, manyPinBoard().bytes);
        } else if (file == "gen.cmp") {
            const std::vector<std::byte> bytes = generateBoard(5, 5000);
            writeFile(folder / file,
                      std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        } else {
            writeFile(folder / file, readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / file));
        }
    }
    const testing::ProgramResult converted = testing::runProgram(
        ZEMRA_CONVERT_PATH, GetParam().arguments + " --html page.html " + GetParam().files,
        folder.path());
    ASSERT_LE(converted.exitStatus, 1) << converted.err;
    writeFile(
        folder / "driven.html",
        driven(readFile(folder / "page.html"),
               readFile(axe) +
                   "</script><script>"
                   "var cell = document.querySelector('g.pin');"
                   "if (cell) { cell.dispatchEvent(new MouseEvent('click', {bubbles: true})); }"
                   "axe.run(document, {resultTypes: ['violations']}).then(function (found) {"
                   "  var measured = document.createElement('pre'); measured.id = 'measured';"
                   "  measured.textContent = 'checked ' + found.violations.map(function (rule) {"
                   "    return rule.id + ' ' + rule.nodes.length + ' ' +"
                   "      rule.nodes[0].target.join(' '); }).join('; ');"
                   "  document.body.appendChild(measured); });"));
    const std::string dom = dumpedDom(folder, "driven.html", 1280, "--virtual-time-budget=60000");
    const std::size_t measured = dom.find("<pre id=\"measured\">");
    ASSERT_NE(measured, std::string::npos) << "axe did not finish";
    EXPECT_EQ(dom.substr(measured + 19, dom.find("</pre>", measured) - measured - 19), "checked ");
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfPage, PageForAxe,
                         ::testing::Values(AxeCase{"ExampleBoard", "BOARD7.cmp", "-o ."},
                                           AxeCase{"TwoBoardsUnderKX740E",
                                                   "gen.cmp BOARD7-rev2.cmp", "--kx740e -o ."},
                                           AxeCase{"IcsWithoutAMap", "many.cmp", "-o ."},
                                           AxeCase{"Diff", "BOARD7.cmp BOARD7-rev2.cmp", "--diff"}),
                         testing::BehaviourName());

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
