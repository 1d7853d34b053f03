#pragma once

#include <memory>
#include <string>
#include <vector>

#include "record_builder.h"
#include "run/conversion.h"

namespace zemra::testing {

// A conversion whose four outputs are kept in memory.
class InMemoryConversion {
  public:
    explicit InMemoryConversion(DecodeOptions options = {})
        : conversion_(options, {listing_, icn_, icp_, scp_}) {}

    InMemoryConversion& add(const RecordBuilder& record) {
        conversion_.convertRecord(record.bytes());
        return *this;
    }
    // Runs the passes and writes the settings file, as the end of a run does.
    InMemoryConversion& finish() {
        conversion_.runPasses();
        conversion_.writeSettingsFile();
        return *this;
    }

    Conversion& conversion() { return conversion_; }
    ConversionLists& lists() { return conversion_.lists(); }
    const std::string& listing() const { return listing_.text(); }
    const std::string& icn() const { return icn_.text(); }
    const std::string& icp() const { return icp_.text(); }
    const std::string& scp() const { return scp_.text(); }

  private:
    TextOutput listing_ = TextOutput::inMemory();
    TextOutput icn_ = TextOutput::inMemory();
    TextOutput icp_ = TextOutput::inMemory();
    TextOutput scp_ = TextOutput::inMemory();
    Conversion conversion_;
};

// Splits CR LF text into its lines, without their ends.
std::vector<std::string> linesOf(const std::string& text);

// The two listing lines of one record decoded as the first step.
std::vector<std::string> stepLinesOf(const RecordBuilder& record, DecodeOptions options = {});

}  // namespace zemra::testing
