#include "diff/check_changes.h"

#include <map>
#include <utility>
#include <vector>

namespace zemra {
namespace {

using CheckKey = std::pair<CheckId, std::string>;

// How many checks each key has in `checks`.
std::map<CheckKey, std::size_t> keyCounts(const CheckList& checks) {
    std::map<CheckKey, std::size_t> counts;
    for (const Check& check : checks.listed()) {
        ++counts[{check.id, checkSubject(check)}];
    }
    return counts;
}

// The checks of `checks` of `severity` beyond those of the same key in `others`, in order.
std::vector<const Check*> checksBeyond(const CheckList& checks,
                                       std::map<CheckKey, std::size_t> others, Severity severity) {
    std::vector<const Check*> beyond;
    for (const Check& check : checks.listed()) {
        std::size_t& left = others[{check.id, checkSubject(check)}];
        if (left > 0) {
            --left;
        } else if (severityOf(check.id) == severity) {
            beyond.push_back(&check);
        }
    }
    return beyond;
}

// `text` without each `open` ... `close` part, `open` included.
std::string withoutParts(std::string text, std::string_view open, std::string_view close) {
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        const std::size_t end = text.find(close, at + open.size());
        text.erase(at, end == std::string::npos ? std::string::npos : end + close.size() - at);
    }
    return text;
}

}  // namespace

std::string checkSubject(const Check& check) {
    switch (check.id) {
        case CheckId::DuplicatePartName:
            return check.sentence.substr(0, check.sentence.rfind(" is also the name of step "));
        case CheckId::UnresolvedIcPin:
            return withoutParts(check.sentence, " (ICP ", ")");
        default:
            return check.sentence;
    }
}

void compareChecks(const CheckList& before, const CheckList& after, DiffReceiver& receiver,
                   DiffCounts& counts) {
    const auto oldCounts = keyCounts(before);
    const auto newCounts = keyCounts(after);
    for (const Severity severity : {Severity::Error, Severity::Warning, Severity::Info}) {
        for (const Check* check : checksBeyond(after, oldCounts, severity)) {
            ++counts.checksAdded;
            receiver.takeCheck({.kind = CheckChangeKind::Added, .check = check});
        }
        for (const Check* check : checksBeyond(before, newCounts, severity)) {
            ++counts.checksResolved;
            receiver.takeCheck({.kind = CheckChangeKind::Resolved, .check = check});
        }
    }
}

}  // namespace zemra
