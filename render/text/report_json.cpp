#include "report_json.h"

#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

Json pathOrNull(const std::filesystem::path& path) {
    return path.empty() ? Json() : pathText(platform::utf8Of(path));
}

void writeIcs(const ConversionSummary& summary, std::ostream& out) {
    out << '[';
    const char* separator = "";
    for (const IcSummary& ic : summary.ics) {
        out << separator;
        separator = ",";
        JsonObjectWriter object(out);
        object.field("name", byteText(ic.name));
        object.field("lc", byteText(ic.lc));
        object.field("pinCount", ic.pinCount);
        object.field("firstIcp", ic.firstIcp);
        object.field("pinsFromDiodeSteps", ic.pinsFromDiodeSteps);
        object.field("pinsFromJSteps", ic.pinsFromJSteps);
        // A pin count can run into millions: the pins are written as they are counted out.
        std::ostream& pins = object.openField("unresolvedPins");
        const char* pinSeparator = "";
        pins << '[';
        ic.forEachUnresolvedPin([&](int pin) {
            pins << pinSeparator << pin;
            pinSeparator = ",";
            return true;
        });
        pins << ']';
        object.close();
    }
    out << ']';
}

}  // namespace

Json checkJson(const Check& check) {
    Json json;
    json["id"] = checkIdText(check.id);
    json["severity"] = severityText(severityOf(check.id));
    json["offset"] = check.offset ? Json(*check.offset) : Json();
    json["step"] = check.step ? Json(*check.step) : Json();
    json["message"] = byteText(check.sentence);
    return json;
}

Json checksJson(const CheckList& checks) {
    Json json = Json::array();
    for (const Check& check : checks.listed()) {
        json.push_back(checkJson(check));
    }
    return json;
}

Json checksNotListedJson(const CheckList& checks) {
    Json json = Json::object();
    for (const CheckId id : kCheckIds) {
        if (checks.notListed(id) > 0) {
            json[std::string(checkIdText(id))] = checks.notListed(id);
        }
    }
    return json;
}

void writeJsonReport(const BoardReport& board, std::ostream& out) {
    const std::optional<ConversionSummary>& summary = board.outcome.summary;
    const auto count = [&summary](std::uint64_t ConversionSummary::*field) {
        return summary ? Json((*summary).*field) : Json();
    };
    JsonObjectWriter object(out);
    object.field("input", pathText(board.input));
    object.field("outputFolder", pathOrNull(board.outcome.outputFolder));
    object.field("clean", board.outcome.committed);
    object.field("records", count(&ConversionSummary::records));
    object.field("ignoredBytes", count(&ConversionSummary::ignoredBytes));
    object.field("steps", count(&ConversionSummary::steps));
    object.field("skippedSteps", count(&ConversionSummary::skippedSteps));
    object.field("droppedRecords", count(&ConversionSummary::droppedRecords));
    object.field("ignoredJPins", count(&ConversionSummary::ignoredJPins));
    if (summary) {
        writeIcs(*summary, object.openField("ics"));
        object.field("checks", checksJson(board.checks));
        object.field("checksNotListed", checksNotListedJson(board.checks));
    } else {
        object.field("ics", Json());
        object.field("checks", Json());
        object.field("checksNotListed", Json());
    }
    object.close();
    out << '\n';
}

}  // namespace zemra::cli
