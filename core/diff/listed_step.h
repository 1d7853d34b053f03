#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/component_record.h"
#include "decode/listing_columns.h"
#include "decode/record_reader.h"
#include "decode/step_decoder.h"
#include "decode/step_fields.h"
#include "decode/step_sequence.h"
#include "io/byte_sink.h"
#include "io/byte_source.h"
#include "text/text_writer.h"

namespace zemra {

// One step of a listing as the tester sees it: the record it came from and its fields as the
// listing shows them. A step read from a tester's listing has no record: it has its columns, and
// of its fields only its step number and part name.
struct ListedStep {
    bool hasRecord = true;
    StepKind kind = StepKind::Decoded;  // Decoded or Skipped
    std::uint64_t offset = 0;           // of its record in the file
    std::array<std::byte, kRecordSize> bytes{};
    ComponentRecord record;
    // As decoded: a "*" step holds "*", no unit, LC or type, zero values and pins, and Skip 1.
    StepFields fields;
    // Its columns as the listing shows them, once listColumns() has worked them out.
    ListedColumns columns;
    bool columnsListed = false;
};

// Works out the step's listing columns, unless they are there.
void listColumns(ListedStep& step, TesterVariant variant);

// The steps of a component file one at a time, decoded as a conversion decodes them. Their
// listing columns are left to listColumns(): a comparison needs them only where records differ.
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

// Whether two steps list the same in every column but their step numbers, so that a step that
// only moved compares equal.
bool sameListing(const ListedColumns& one, const ListedColumns& other);

// A listing column whose value differs between two steps, as each listing shows it, trimmed.
struct ColumnChange {
    const ListingColumn* column = nullptr;
    std::string before;
    std::string after;
};

// The headed columns but Step that differ between the two steps, in the listing's order. Only
// the columns a component file sets, unless `allColumns`.
std::vector<ColumnChange> changedColumns(const ListedColumns& before, const ListedColumns& after,
                                         bool allColumns);

}  // namespace zemra
