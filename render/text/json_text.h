#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace zemra::cli {

// JSON values keep the order in which their fields are set.
using Json = nlohmann::ordered_json;

// Raw bytes of a part name, an LC code or a check's sentence as a JSON string: written out, each
// byte from 0x20 to 0x7E is itself and every other byte is \u00XX.
Json byteText(std::string_view bytes);

// A file name in UTF-8 as a JSON string: written out, ASCII is itself, any other character is
// \uXXXX, and each byte that is no part of valid UTF-8 is \u00XX.
Json pathText(std::string_view utf8);

// A value as JSON text on one line. Every escape is \uXXXX with uppercase hex digits, control
// characters and DEL included, so that a byte always reads the same in every report.
std::string jsonText(const Json& value);

// One JSON object written field by field, for objects with a part too long to build in memory.
class JsonObjectWriter {
  public:
    explicit JsonObjectWriter(std::ostream& out) : out_(out) {}
    JsonObjectWriter(const JsonObjectWriter&) = delete;
    JsonObjectWriter& operator=(const JsonObjectWriter&) = delete;

    void field(std::string_view name, const Json& value);
    // Starts a field whose value the caller writes to the stream returned.
    std::ostream& openField(std::string_view name);
    // Ends the object (an empty one when no field was written).
    void close();

  private:
    std::ostream& out_;
    bool open_ = false;
};

}  // namespace zemra::cli
