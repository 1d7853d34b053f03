#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/file_error.h"

namespace zemra {

// The messages of a run, in the order the operator sees them.
enum class MessageKind {
    FileMissing,     // the input cannot be opened
    FileUnreadable,  // the input cannot be read to its end
    DatNotCreated,
    IcnNotCreated,
    IcpNotCreated,
    ScpNotCreated,
    Converted,  // all four outputs are in place
};

struct RunMessage {
    MessageKind kind;
    std::optional<FileError> reason;
};

// The text the operator reads, in the program's language.
std::string_view operatorText(MessageKind kind);

// The operator text, followed by the reason in parentheses where there is one.
std::string describe(const RunMessage& message);

}  // namespace zemra
