#include "page_data.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>

#include "decode/component_record.h"
#include "decode/listing_columns.h"
#include "page_values.h"
#include "platform/utf8_paths.h"
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

void appendNumberJson(std::int64_t number, std::string& page) {
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.begin(), digits.end(), number).ptr;
    page.append(digits.begin(), end);
}

void appendBytesJson(std::string_view bytes, std::string& page) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    page += '"';
    // Most names need no escape at all, and are copied whole.
    const auto escaped = [](char character) {
        const auto byte = static_cast<unsigned char>(character);
        return byte < 0x20U || byte >= 0x7FU || character == '<' || character == '"' ||
               character == '\\';
    };
    if (std::ranges::none_of(bytes, escaped)) {
        page += bytes;
        page += '"';
        return;
    }
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

namespace {

// What a row's record became, as a letter.
char becameLetter(const StepRow& row) {
    switch (row.kind) {
        case StepKind::Dropped:
            return 'd';
        case StepKind::Skipped:
            return '*';
        case StepKind::Decoded:
            break;
    }
    return row.pinStep ? 'p' : 's';
}

// The values of a coded row that differ from those foreseen, and the mask that says which.
// Its text is the coder's, kept from row to row so that a row takes no allocation.
class RowValues {
  public:
    explicit RowValues(std::string& text) : text_(text) { text_.clear(); }
    void number(bool differs, std::int64_t value) {
        if (differs) {
            text_ += ',';
            appendNumberJson(value, text_);
            mask_ |= 1U << bit_;
        }
        ++bit_;
    }
    void bytes(bool differs, std::string_view value) {
        if (differs) {
            text_ += ',';
            appendBytesJson(value, text_);
            mask_ |= 1U << bit_;
        }
        ++bit_;
    }
    void append(std::string_view name, std::string& page) const {
        if (mask_ == 0) {
            appendBytesJson(name, page);
            return;
        }
        page += '[';
        appendBytesJson(name, page);
        page += ',';
        appendNumberJson(mask_, page);
        page += text_;
        page += ']';
    }

  private:
    std::string& text_;
    std::uint32_t mask_ = 0;
    unsigned bit_ = 0;
};

// Whether the text of a value differs from `text`, the text of the value before, whose bits are
// `before`; both then become those of `value`. A value of the same bits has the same text, and is
// not formatted again.
bool valueTextDiffers(float value, std::uint64_t& before, std::string& text) {
    const std::uint64_t bits = std::bit_cast<std::uint32_t>(value);
    if (bits == before) {
        return false;
    }
    before = bits;
    std::string formatted = valueText(value);
    if (formatted == text) {
        return false;
    }
    text = std::move(formatted);
    return true;
}

// Whether `value` differs from `before`, which then becomes it.
bool textDiffers(std::string_view value, std::string& before) {
    if (value == before) {
        return false;
    }
    before.assign(value);
    return true;
}

}  // namespace

void StepRowCoder::append(const StepRow& row, TesterVariant variant, std::string& page) {
    const StepFields& fields = row.fields;
    const std::uint64_t ordinal = row.offset / kRecordSize;
    const char became = becameLetter(row);
    RowValues values(rowText_);
    if (row.kind == StepKind::Dropped) {
        values.number(false, 0);
        values.number(false, 0);
        values.bytes(became != became_, std::string_view(&became, 1));
        values.number(false, 0);
        values.number(ordinal != ordinal_, static_cast<std::int64_t>(ordinal - ordinal_ + 1));
        values.append(fields.partsN.view(), page);
        ordinal_ = ordinal + 1;
        became_ = became;
        return;
    }
    values.number(fields.hiP != hiP_ + hiPMove_, fields.hiP);
    values.number(fields.loP != loP_ + loPMove_, fields.loP);
    values.bytes(became != became_, std::string_view(&became, 1));
    values.number(fields.step != step_ + 1, fields.step - step_);
    values.number(ordinal != ordinal_, static_cast<std::int64_t>(ordinal - ordinal_ + 1));
    // Each text is brought up to date before it is read.
    const std::array<bool, 4> differs{valueTextDiffers(fields.actualV, valueBits_[0], texts_[0]),
                                      valueTextDiffers(fields.standV, valueBits_[1], texts_[1]),
                                      textDiffers(fields.unit, texts_[2]),
                                      textDiffers(listedType(row, variant), texts_[3])};
    for (std::size_t at = 0; at < differs.size(); ++at) {
        values.bytes(differs[at], texts_[at]);
    }
    const std::array<int, 9> numbers{fields.mode,         fields.upperLimit,   fields.lowerLimit,
                                     fields.dly,          fields.guardPins[0], fields.guardPins[1],
                                     fields.guardPins[2], fields.guardPins[3], fields.guardPins[4]};
    values.number(numbers[0] != numbers_[0], numbers[0]);
    const bool lcDiffers = textDiffers(
        row.kind == StepKind::Skipped ? std::string_view() : fields.lc.view(), texts_[4]);
    values.bytes(lcDiffers, texts_[4]);
    for (std::size_t at = 1; at < numbers.size(); ++at) {
        values.number(numbers[at] != numbers_[at], numbers[at]);
    }
    values.number(fields.skip != skip_, fields.skip ? 1 : 0);
    values.append(fields.partsN.view(), page);
    ordinal_ = ordinal + 1;
    step_ = fields.step;
    became_ = became;
    hiPMove_ = fields.hiP - hiP_;
    loPMove_ = fields.loP - loP_;
    hiP_ = fields.hiP;
    loP_ = fields.loP;
    numbers_ = numbers;
    skip_ = fields.skip;
}

void writeBoardData(const BoardReport& board, const IcMapPlan& maps, PageOutput& stream) {
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
    // The rows of the steps table and the ICs went to the page while the board was converted.
    std::string& page = stream.text();
    appendScriptJson(json, page);
    page.pop_back();
    page += ",\"mapped\":[";
    const char* separator = "";
    for (const std::size_t index : maps.mappedIcs()) {
        page += separator;
        page += std::to_string(index);
        separator = ",";
    }
    page += "],\"steps\":";
    appendScriptJson({{"columns", stepColumnNames()}, {"rowsNotShown", board.rowsNotShown}}, page);
    page += '}';
}

}  // namespace zemra::cli
