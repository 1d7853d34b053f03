// The pin map of each IC: an SVG cell per pin, coloured by where its tester pin came from.
#include <algorithm>

#include "html_text.h"
#include "page_sections.h"
#include "pin_cells.h"
#include "report/pin_explanations.h"

namespace zemra::cli {
namespace {

// ICs without a map listed in a table; the others are counted.
constexpr std::size_t kMostIcsListed = 2000;

std::string_view stepKindName(PinOrigin origin) {
    return origin == PinOrigin::Diode ? "diode step " : "J step ";
}

// What a pin's cell says of the agreement of its diode and J steps.
std::string_view agreementNote(PinAgreement agreement) {
    switch (agreement) {
        case PinAgreement::Agree:
            return "; its diode and J steps agree";
        case PinAgreement::Conflict:
            return "; its diode and J steps give different tester pins";
        case PinAgreement::OneKind:
            break;
    }
    return "";
}

void appendPinTitle(const IcSummary& ic, const DrawnPin& pin, PinAgreement agreement,
                    std::string& page) {
    page += "<title>";
    appendHtmlBytes(page, ic.name);
    page += " pin " + std::to_string(pin.pin) + " (ICP " +
            std::to_string(ic.firstIcp + pin.pin - 1) + "): tester pin " +
            std::to_string(pin.testerPin);
    if (!pin.source) {
        page += ", from no step";
    } else {
        page += " from ";
        page += stepKindName(pin.origin);
        page += std::to_string(pin.source->step) + " ";
        appendHtmlBytes(page, pin.source->partName);
    }
    page += agreementNote(agreement);
    page += "</title>";
}

void appendPin(const IcSummary& ic, const DrawnPin& pin, PinAgreement agreement,
               std::string& page) {
    const int column = (pin.pin - 1) % kCellsPerRow;
    const int row = (pin.pin - 1) / kCellsPerRow;
    page += "<g class=\"pin\" data-ic=\"";
    appendHtmlBytes(page, ic.name);
    page += "\" data-pin=\"" + std::to_string(pin.pin) + "\" data-tester-pin=\"" +
            std::to_string(pin.testerPin) + "\" data-source=\"" +
            std::string(originText(pin.origin)) + "\" data-agreement=\"" +
            std::string(agreement == PinAgreement::Agree      ? "agree"
                        : agreement == PinAgreement::Conflict ? "conflict"
                                                              : "") +
            "\" transform=\"translate(" + std::to_string(column * (kCellWidth + kCellGap)) + " " +
            std::to_string(row * (kCellHeight + kCellGap)) + ")\">";
    appendPinTitle(ic, pin, agreement, page);
    page += "<rect width=\"" + std::to_string(kCellWidth) + "\" height=\"" +
            std::to_string(kCellHeight) + "\" rx=\"3\"/><text class=\"p\" x=\"3\" y=\"10\">" +
            std::to_string(pin.pin) + "</text>";
    if (agreement != PinAgreement::OneKind) {
        page += "<text class=\"a\" x=\"" + std::to_string(kCellWidth - 3) + "\" y=\"10\">" +
                (agreement == PinAgreement::Agree ? "D=J" : "D≠J") + "</text>";
    }
    page += "<text class=\"t\" x=\"" + std::to_string(kCellWidth / 2) + "\" y=\"27\">" +
            std::to_string(pin.testerPin) + "</text></g>";
}

void appendCaption(const IcSummary& ic, std::string& page) {
    page += "<figcaption><b>";
    appendHtmlBytes(page, ic.name);
    page += "</b> LC ";
    appendHtmlBytes(page, ic.lc);
    page += " · " + std::to_string(ic.pinCount) + " pins, ICP " + std::to_string(ic.firstIcp) +
            "–" + std::to_string(ic.firstIcp + ic.pinCount - 1) + " · " +
            std::to_string(ic.pinsFromDiodeSteps + ic.pinsFromJSteps) + " resolved (" +
            std::to_string(ic.pinsFromDiodeSteps) + " from diode steps, " +
            std::to_string(ic.pinsFromJSteps) + " from J steps), " +
            std::to_string(ic.unresolvedCount) + " unresolved</figcaption>";
}

void appendIcMap(const BoardReport& board, const IcMapPlan& maps, std::size_t index,
                 const std::string& id, std::string& page) {
    const IcSummary& ic = board.outcome.summary->ics[index];
    const std::vector<DrawnPin> pins = maps.drawnPins(index);
    const auto drawn = static_cast<int>(pins.size());
    const std::vector<PinExplanation> explained = explainPins(board, index, drawn);
    const int columns = std::clamp(drawn, 1, kCellsPerRow);
    const int rows = std::max((drawn + kCellsPerRow - 1) / kCellsPerRow, 1);
    const int width = columns * (kCellWidth + kCellGap) - kCellGap;
    const int height = rows * (kCellHeight + kCellGap) - kCellGap;
    page +=
        "<figure class=\"ic\" id=\"" + id + "-ic-" + std::to_string(index + 1) + "\" data-ic=\"";
    appendHtmlBytes(page, ic.name);
    page += "\">";
    appendCaption(ic, page);
    page += "<svg class=\"pins\" width=\"" + std::to_string(width) + "\" height=\"" +
            std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) + " " +
            std::to_string(height) + "\" role=\"group\" aria-label=\"Pin map of ";
    appendHtmlBytes(page, ic.name);
    page += "\">";
    for (const DrawnPin& pin : pins) {
        const auto place = static_cast<std::size_t>(pin.pin - 1);
        appendPin(ic, pin,
                  place < explained.size() ? explained[place].agreement : PinAgreement::OneKind,
                  page);
    }
    page += "</svg>";
    if (const std::int64_t rest = maps.pinsNotDrawn(index); rest > 0) {
        page += "<p class=\"note\">Pins " + std::to_string(drawn + 1) + " to " +
                std::to_string(ic.pinCount) + " (" + std::to_string(rest) +
                " pins) are not drawn: a map shows the first " + std::to_string(kMostDrawnPins) +
                " pins of an IC. The .icp has a line for every pin.</p>";
    }
    page += "</figure>";
}

// The ICs after those whose maps reach the pins of a board, one row each, up to a bound: the
// script draws their maps when asked for.
void appendIcsWithoutMap(const BoardReport& board, const IcMapPlan& maps, const std::string& id,
                         std::string& page) {
    const std::size_t unmapped = board.icCount() - maps.mappedIcs().size();
    if (unmapped == 0) {
        return;
    }
    const std::size_t listed = std::min(unmapped, kMostIcsListed);
    page += "<p class=\"note\">The maps above draw " + std::to_string(kMostPinsPerBoard) +
            " pins at most, those of ICs with " + "an error or a warning first; the other " +
            std::to_string(unmapped) +
            " ICs are drawn when asked for<span class=\"hint\"> (ICs named, or a link to " +
            "#ic=NAME)</span>.";
    if (listed < unmapped) {
        page += " The first " + std::to_string(listed) + " of them are listed below; the .icn " +
                "and the page's data name them all.";
    }
    page +=
        "</p><details><summary>ICs without a map</summary><div class=\"wide\"><table "
        "class=\"ics sortable\"><thead><tr><th>IC</th><th>LC</th><th>Pins</th><th>First "
        "ICP</th><th>From diode steps</th><th>From J steps</th><th>Unresolved</th></tr>"
        "</thead><tbody>";
    std::size_t shown = 0;
    for (std::size_t index = 0; index < board.icCount() && shown < listed; ++index) {
        if (maps.hasMap(index)) {
            continue;
        }
        ++shown;
        const IcSummary& ic = board.outcome.summary->ics[index];
        page += "<tr><td>";
        appendIcLink(board, id, index, page);
        page += "</td><td>";
        appendHtmlBytes(page, ic.lc);
        page += "</td>";
        for (const std::int64_t number :
             {std::int64_t{ic.pinCount}, ic.firstIcp, std::int64_t{ic.pinsFromDiodeSteps},
              std::int64_t{ic.pinsFromJSteps}, std::int64_t{ic.unresolvedCount}}) {
            page += "<td class=\"number\">" + std::to_string(number) + "</td>";
        }
        page += "</tr>";
    }
    page += "</tbody></table></div></details>";
}

}  // namespace

// "#b1-ic=NAME": the script draws the map of that IC and brings it into view. Each byte of the
// name is the character of that code, as the page's data gives it, in UTF-8 and escaped.
void appendIcLink(const BoardReport& board, const std::string& id, std::size_t ic,
                  std::string& page) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    const std::string_view name = board.outcome.summary->ics.at(ic).name.view();
    page += "<a href=\"#" + id + "-ic=";
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        const bool letter = (byte | 0x20U) >= 'a' && (byte | 0x20U) <= 'z';
        if (letter || (byte >= '0' && byte <= '9') ||
            std::string_view("-._~").find(character) != std::string_view::npos) {
            page += character;
            continue;
        }
        const auto escape = [&page, kHex](unsigned value) {
            page += '%';
            page += kHex[value >> 4U];
            page += kHex[value & 0xFU];
        };
        if (byte < 0x80U) {
            escape(byte);
        } else {
            escape(0xC0U | (byte >> 6U));
            escape(0x80U | (byte & 0x3FU));
        }
    }
    page += "\">";
    appendHtmlBytes(page, name);
    page += "</a>";
}

void appendIcMaps(const BoardReport& board, const IcMapPlan& maps, const std::string& id,
                  PageOutput& stream) {
    std::string& page = stream.text();
    if (!board.outcome.summary) {
        return;
    }
    page += "<h3 id=\"" + id + "-ics-heading\">IC pin maps</h3>";
    if (board.icCount() == 0) {
        page += "<p>No IC reached the pin files.</p>";
        return;
    }
    page +=
        "<p class=\"legend\"><span class=\"swatch diode\"></span> tester pin from a diode step "
        "<span class=\"swatch j\"></span> from a J step <span class=\"swatch none\"></span> "
        "no tester pin (0). Each cell shows the IC pin (small) and its tester pin; D=J: its "
        "diode and J steps agree, D≠J: they give different tester pins.<span class=\"hint\"> "
        "Hover over a cell to see the step that gave it; choose it (a click, or Enter; the arrow "
        "keys move between cells) to see every step that names the pin.</span></p>";
    page +=
        "<p class=\"controls\" hidden><label>ICs named <input type=\"search\" data-ic-filter=\"" +
        id + "\"></label> <span role=\"status\" class=\"found\"></span></p>";
    page += "<div class=\"maps\" id=\"" + id + "-maps\">";
    for (const std::size_t index : maps.mappedIcs()) {
        appendIcMap(board, maps, index, id, page);
        stream.flush();
    }
    page += "</div>";
    appendIcsWithoutMap(board, maps, id, page);
}

}  // namespace zemra::cli
