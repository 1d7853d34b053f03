#pragma once

#include "decode/listing_columns.h"
#include "io/read_ahead.h"
#include "tester/listing_reader.h"

namespace zemra {

// A listing's steps as ListingReader gives them, read on a thread of their own a batch ahead of
// the caller, so that parsing the listing's text and what the caller does with each step share
// the machine's cores. What the reading throws is thrown by next() where the step that failed
// would have come.
class ListingReadAhead {
  public:
    explicit ListingReadAhead(ListingReader& reader)
        : ahead_([&reader] { return reader.next(); }, {}, {.steps = 4096, .mostReady = 3}) {}

    // The next step, none after the last. It stays until the next call.
    const ListedColumns* next() { return ahead_.next(); }

  private:
    ReadAhead<ListedColumns> ahead_;
};

}  // namespace zemra
