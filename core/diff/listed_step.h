#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/component_record.h"
#include "decode/record_reader.h"
#include "decode/step_decoder.h"
#include "decode/step_fields.h"
#include "decode/step_sequence.h"
#include "io/byte_sink.h"
#include "io/byte_source.h"
#include "text/text_writer.h"

namespace zemra {

// One step of a listing as the tester sees it: the record it came from and its fields as the
// listing shows them.
struct ListedStep {
    StepKind kind = StepKind::Decoded;  // Decoded or Skipped
    std::uint64_t offset = 0;           // of its record in the file
    std::array<std::byte, kRecordSize> bytes{};
    ComponentRecord record;
    // As listed: a "*" step shows "*", no unit, LC or type, zero values and pins, and Skip 1.
    StepFields fields;
    // Its two listing lines with the step number left out, so that a step that only moved
    // compares equal; empty until fillLines() writes them.
    std::string lines;
};

// Writes the step's listing lines into `step.lines`, unless they are there.
void fillLines(ListedStep& step, TesterVariant variant);

// The steps of a component file one at a time, decoded as a conversion decodes them. Their
// listing lines are left to fillLines(): a comparison needs them only where records differ.
class StepCursor {
  public:
    StepCursor(ByteSource& input, const DecodeOptions& options);

    // The next step, none after the last. It stays until the next call.
    ListedStep* next();

  private:
    RecordReader reader_;
    StepSequence steps_;
    std::uint64_t ordinal_ = 0;
    ListedStep step_;
};

// A column of the listing as it shows a step: its heading and its text, values with their unit.
struct ListingColumn {
    std::string_view heading;
    std::string text;
};

// The columns of a step's two listing lines from Parts-N to MODE; Type only where the listing
// has it. The constant columns are left out.
std::vector<ListingColumn> listingColumns(const ListedStep& step, TesterVariant variant);

}  // namespace zemra
