#include "run/settings_file.h"

#include <string>

#include "text/format.h"

namespace zemra {
namespace {

constexpr const char* kLine1 = "SCP /10 = 17\n";
constexpr const char* kLine2 = "SCP /13 = %d\n";
constexpr const char* kLine3 = "SCP /16 = 2\n";
constexpr const char* kLine4 = "SCP /20 = 8\n";
constexpr const char* kLine5 = "SCP /28 = %d\n";
constexpr const char* kLine6 = "SCP /29 = %d\n";

// Turn the highest LC letter into 1 for A, 2 for B, ... and the highest LC digit into its value.
constexpr int kLetterBase = 64;
constexpr int kDigitBase = 48;

}  // namespace

void writeSettingsFile(const RunCounters& counters, TextWriter& scp) {
    std::string text = kLine1;
    appendFormatted(text, kLine2, counters.maxPin);
    text += kLine3;
    text += kLine4;
    appendFormatted(text, kLine5, counters.maxLcLetter - kLetterBase);
    appendFormatted(text, kLine6, counters.maxLcDigit - kDigitBase);
    scp.text(text);
}

}  // namespace zemra
