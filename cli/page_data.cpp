#include "page_data.h"

#include "decode/component_record.h"
#include "decode/listing_columns.h"
#include "page_values.h"
#include "platform/utf8_paths.h"
#include "report/pin_explanations.h"
#include "report_json.h"

namespace zemra::cli {
namespace {

Json fingerprintJson(const Fingerprint& fingerprint) {
    Json json;
    json["size"] = fingerprint.size;
    json["sha256"] = fingerprint.sha256Hex();
    return json;
}

Json filesJson(const BoardReport& board) {
    Json json;
    const auto& fingerprints = board.outcome.fingerprints;
    json["input"] = fingerprints ? fingerprintJson(fingerprints->input) : Json();
    Json outputs = Json::array();
    if (fingerprints) {
        for (std::size_t output = 0; output < kOutputCount; ++output) {
            Json file = fingerprintJson(fingerprints->outputs[output]);
            file["name"] =
                pathText(board.title + std::string(extensionOf(static_cast<OutputKind>(output))));
            outputs.push_back(std::move(file));
        }
    }
    json["outputs"] = std::move(outputs);
    return json;
}

// What a step did for a pin, as a letter: upper case for a J step.
char roleLetter(const PinStepUse& use) {
    char letter = 'n';
    switch (use.role) {
        case PinStepRole::Gave:
            letter = 'g';
            break;
        case PinStepRole::LaterDiodeStep:
            letter = 'd';
            break;
        case PinStepRole::JStepWins:
            letter = 'w';
            break;
        case PinStepRole::LaterJPin:
            letter = 'l';
            break;
        case PinStepRole::NoCommonPin:
            letter = 'c';
            break;
        case PinStepRole::NothingFound:
            letter = 'n';
            break;
        case PinStepRole::OtherDevice:
            letter = 'o';
            break;
    }
    return use.jStep ? static_cast<char>(letter - 'a' + 'A') : letter;
}

char agreementLetter(PinAgreement agreement) {
    switch (agreement) {
        case PinAgreement::Agree:
            return 'a';
        case PinAgreement::Conflict:
            return 'c';
        case PinAgreement::OneKind:
            break;
    }
    return '-';
}

// Per drawn pin, whether its diode and J steps agree (a letter each in "agreements": a, c or -)
// and every step that names it ("uses", a list per pin): five values a step, its row among the
// steps table's rows counted from "firstRow", a letter for what it did for the pin (roleLetter()),
// the tester pin it gave (0 for none), its Hi-P and its Lo-P; and for a step that counts for
// another device, that device. Step number, offset and part name are the row's.
void addExplanations(const BoardReport& board, std::size_t index, Json& json) {
    const auto drawn = static_cast<int>(board.pinsOf(index).size());
    const std::vector<PinExplanation> explained = explainPins(board, index, drawn);
    std::uint32_t firstRow = 0;
    bool any = false;
    for (const PinExplanation& pin : explained) {
        for (const PinStepUse& use : pin.steps) {
            const std::uint32_t row = board.pinStepRows.at(use.pinStep);
            firstRow = any ? std::min(firstRow, row) : row;
            any = true;
        }
    }
    std::string agreements;
    Json uses = Json::array();
    for (const PinExplanation& pin : explained) {
        agreements += agreementLetter(pin.agreement);
        Json steps = Json::array();
        for (const PinStepUse& use : pin.steps) {
            steps.push_back(board.pinStepRows.at(use.pinStep) - firstRow);
            steps.push_back(std::string(1, roleLetter(use)));
            steps.push_back(use.testerPin);
            steps.push_back(use.hiPin);
            steps.push_back(use.loPin);
            if (use.role == PinStepRole::OtherDevice) {
                steps.push_back(byteText(use.countedFor));
            }
        }
        uses.push_back(std::move(steps));
    }
    json["firstRow"] = firstRow;
    json["agreements"] = agreements;
    json["uses"] = std::move(uses);
}

Json icJson(const BoardReport& board, std::size_t index) {
    const ConversionSummary& summary = *board.outcome.summary;
    const IcSummary& ic = summary.ics[index];
    Json json;
    json["name"] = byteText(ic.name);
    json["lc"] = byteText(ic.lc);
    json["pinCount"] = ic.pinCount;
    json["firstIcp"] = ic.firstIcp;
    json["pinsFromDiodeSteps"] = ic.pinsFromDiodeSteps;
    json["pinsFromJSteps"] = ic.pinsFromJSteps;
    json["unresolvedCount"] = ic.unresolvedCount;
    json["mapped"] = board.hasMap(index);
    json["pinsNotDrawn"] = std::max<std::int64_t>(ic.pinCount - BoardReport::kMostDrawnPins, 0);
    Json testerPins = Json::array();
    Json steps = Json::array();
    std::string sources;
    for (const DrawnPin& pin : board.pinsOf(index)) {
        testerPins.push_back(pin.testerPin);
        sources += originText(pin.origin).front();
        steps.push_back(pin.source != nullptr ? pin.source->step : 0);
    }
    json["testerPins"] = std::move(testerPins);
    json["sources"] = sources;
    json["steps"] = std::move(steps);
    addExplanations(board, index, json);
    if (index < summary.icPinSources.size()) {
        json["commonPin"] = summary.icPinSources[index].commonPin;
        json["pairsJSteps"] = summary.icPinSources[index].pairsJSteps;
    }
    return json;
}

// The fields of an IC of icJson(), in the order of the array that the page's data holds for it.
constexpr std::array<const char*, 17> kIcColumns{"name",
                                                 "lc",
                                                 "pinCount",
                                                 "firstIcp",
                                                 "pinsFromDiodeSteps",
                                                 "pinsFromJSteps",
                                                 "unresolvedCount",
                                                 "mapped",
                                                 "pinsNotDrawn",
                                                 "testerPins",
                                                 "sources",
                                                 "steps",
                                                 "firstRow",
                                                 "agreements",
                                                 "uses",
                                                 "commonPin",
                                                 "pairsJSteps"};

// An IC as the page's data holds it: the values of icJson() in kIcColumns' order, null for a
// field it lacks.
Json icRow(const BoardReport& board, std::size_t index) {
    Json ic = icJson(board, index);
    Json row = Json::array();
    for (const char* const name : kIcColumns) {
        row.push_back(ic.contains(name) ? std::move(ic[name]) : Json());
    }
    return row;
}

// The listing columns of a row of the steps table, after its offset, step and what it became, in
// the order StepRowCoder writes them.
constexpr std::array<ColumnId, 18> kRowColumns{
    ColumnId::PartName,  ColumnId::Lc,         ColumnId::ActualV,    ColumnId::StandV,
    ColumnId::Unit,      ColumnId::UpperLimit, ColumnId::LowerLimit, ColumnId::Dly,
    ColumnId::Mode,      ColumnId::Type,       ColumnId::HiP,        ColumnId::LoP,
    ColumnId::GuardPin1, ColumnId::GuardPin2,  ColumnId::GuardPin3,  ColumnId::GuardPin4,
    ColumnId::GuardPin5, ColumnId::Skip};

Json stepColumnNames() {
    Json names = Json::array({"offset", listingColumn(ColumnId::Step).jsonName, "became"});
    for (const ColumnId id : kRowColumns) {
        names.push_back(listingColumn(id).jsonName);
    }
    return names;
}

}  // namespace

void appendScriptJson(const Json& value, std::string& page) {
    // "<" never occurs in the data as itself, so that no name can end the element.
    for (const char character : jsonText(value)) {
        if (character == '<') {
            page += "\\u003C";
        } else {
            page += character;
        }
    }
}

namespace {

// Raw bytes as a JSON string inside a script element, as appendScriptJson(byteText(bytes)).
void appendBytesJson(std::string_view bytes, std::string& page) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    page += '"';
    for (const char character : bytes) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte < 0x20U || byte >= 0x7FU || character == '<') {
            page += "\\u00";
            page += kHex[byte >> 4U];
            page += kHex[byte & 0xFU];
        } else {
            if (character == '"' || character == '\\') {
                page += '\\';
            }
            page += character;
        }
    }
    page += '"';
}

}  // namespace

void StepRowCoder::append(const StepRow& row, TesterVariant variant, std::string& page) {
    const StepFields& fields = row.fields;
    const std::uint64_t ordinal = row.offset / kRecordSize;
    page += '[';
    page += std::to_string(ordinal - ordinal_);
    ordinal_ = ordinal;
    if (row.kind == StepKind::Dropped) {
        page += ",null,\"d\",";
        appendBytesJson(fields.partsN.view(), page);
        page += ']';
        return;
    }
    page += ',';
    page += std::to_string(fields.step - step_);
    step_ = fields.step;
    page += row.kind == StepKind::Skipped ? ",\"*\"," : row.pinStep ? ",\"p\"," : ",\"s\",";
    appendBytesJson(fields.partsN.view(), page);
    std::string values;
    const std::array<std::string, 5> texts{
        std::string(row.kind == StepKind::Skipped ? std::string_view() : fields.lc.view()),
        valueText(fields.actualV), valueText(fields.standV), std::string(fields.unit),
        std::string(listedType(row, variant))};
    for (std::size_t column = 0; column < 4; ++column) {
        values += ',';
        if (texts[column] == texts_[column]) {
            values += '0';
        } else {
            appendBytesJson(texts[column], values);
        }
    }
    for (const int number : {fields.upperLimit, fields.lowerLimit, fields.dly, fields.mode}) {
        values += ',' + std::to_string(number);
    }
    values += ',';
    if (texts[4] == texts_[4]) {
        values += '0';
    } else {
        appendBytesJson(texts[4], values);
    }
    for (const int pin :
         {fields.hiP, fields.loP, fields.guardPins[0], fields.guardPins[1], fields.guardPins[2],
          fields.guardPins[3], fields.guardPins[4], fields.skip ? 1 : 0}) {
        values += ',' + std::to_string(pin);
    }
    texts_ = texts;
    // The zeros at the end go.
    while (values.ends_with(",0")) {
        values.resize(values.size() - 2);
    }
    page += values;
    page += ']';
}

void writeBoardData(const BoardReport& board, PageOutput& stream) {
    const std::optional<ConversionSummary>& summary = board.outcome.summary;
    Json json;
    json["input"] = pathText(board.input);
    json["outputFolder"] = board.outcome.outputFolder.empty()
                               ? Json()
                               : pathText(platform::utf8Of(board.outcome.outputFolder));
    json["clean"] = board.outcome.committed;
    json["messages"] = Json::array();
    for (const std::string& message : board.messages) {
        json["messages"].push_back(pathText(message));
    }
    json["variant"] = variantName(board.settings.options.variant);
    json["reversePins"] = board.settings.options.reversePins;
    json["convertedAt"] = timeText(board.settings.at);
    json["version"] = board.version;
    json["files"] = filesJson(board);
    if (!summary) {
        json["summary"] = Json();
        appendScriptJson(json, stream.text());
        return;
    }
    Json counts;
    counts["records"] = summary->records;
    counts["ignoredBytes"] = summary->ignoredBytes;
    counts["steps"] = summary->steps;
    counts["skippedSteps"] = summary->skippedSteps;
    counts["droppedRecords"] = summary->droppedRecords;
    counts["ics"] = summary->ics.size();
    counts["ignoredJPins"] = summary->ignoredJPins;
    json["summary"] = std::move(counts);
    json["checks"] = checksJson(board.checks);
    json["checksNotListed"] = checksNotListedJson(board.checks);
    // The object so far, open, then each IC as it is made; the rows of the steps table went to
    // the page while the board was converted.
    std::string& page = stream.text();
    appendScriptJson(json, page);
    page.pop_back();
    page += ",\"icColumns\":";
    appendScriptJson(kIcColumns, page);
    page += ",\"ics\":[";
    for (std::size_t index = 0; index < board.icCount(); ++index) {
        if (index > 0) {
            page += ',';
        }
        appendScriptJson(icRow(board, index), page);
        stream.flush();
    }
    page += "],\"steps\":";
    appendScriptJson({{"columns", stepColumnNames()}, {"rowsNotShown", board.rowsNotShown}}, page);
    page += '}';
}

}  // namespace zemra::cli
