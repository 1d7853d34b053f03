#include "checks_text.h"

#include "escaped_text.h"

namespace zemra::cli {

void writeTextChecks(const CheckList& checks, std::ostream& out) {
    for (const Check& check : checks.listed()) {
        out << "  " << severityText(severityOf(check.id)) << ' ' << checkIdText(check.id);
        if (check.offset) {
            out << " at offset " << *check.offset;
        }
        if (check.step) {
            out << ", step " << *check.step;
        }
        out << ": " << textEscapedBytes(check.sentence) << '\n';
    }
    for (const CheckId id : kCheckIds) {
        if (const std::uint64_t rest = checks.notListed(id); rest > 0) {
            out << "  … and " << rest << " more " << checkIdText(id) << " checks\n";
        }
    }
}

}  // namespace zemra::cli
