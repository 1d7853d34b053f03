#pragma once

#include <string>

#include "decode/listing_columns.h"
#include "io/byte_source.h"
#include "tester/line_reader.h"

namespace zemra {

// The test data listing (.dat) of a tester folder, a step at a time: the header first, which
// tells the variant by its column headings, then two lines per step, numbered from 1 without a
// gap. Whatever is not as a conversion writes it throws TesterFileRefused.
class ListingReader {
  public:
    // Reads the header.
    ListingReader(ByteSource& input, std::string fileName);

    TesterVariant variant() const { return variant_; }
    // The board's name as the header gives it.
    const std::string& boardName() const { return boardName_; }

    // The next step, none after the last. It stays until the next call.
    const ListedColumns* next();

  private:
    void readHeader();
    void readLine1(std::string_view line);
    void readLine2(std::string_view line);

    LineReader lines_;
    TesterVariant variant_ = TesterVariant::Kx740FeFr;
    std::string boardName_;
    ListedColumns step_;
};

}  // namespace zemra
