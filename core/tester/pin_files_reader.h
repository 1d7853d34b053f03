#pragma once

#include <string>
#include <vector>

#include "decode/run_counters.h"
#include "io/byte_source.h"
#include "text/fixed_text.h"

namespace zemra {

// An IC of the pin files: its .icn line and the tester pin of each of its pins, 1 to pinCount,
// from the .icp lines.
struct ListedIc {
    std::string name;
    LcCode lc;
    int pinCount = 0;
    std::vector<int> testerPins;

    friend bool operator==(const ListedIc&, const ListedIc&) = default;
};

// The ICs of a .icn file, numbered from 1, each with the .icp line of its pin 1 following on
// from the IC before it. Throws TesterFileRefused.
std::vector<ListedIc> readIcnFile(ByteSource& input, const std::string& fileName);

// The tester pins of the .icp file, into the ICs of the .icn file in order: one line per pin of
// every IC, numbered from 1. Throws TesterFileRefused.
void readIcpFile(ByteSource& input, const std::string& fileName, std::vector<ListedIc>& ics);

// The run counters that the six lines of a .scp file show; the three fixed lines must be as
// every conversion writes them. Throws TesterFileRefused.
RunCounters readSettingsFile(ByteSource& input, const std::string& fileName);

}  // namespace zemra
