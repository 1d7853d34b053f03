#include "tester/tester_file_refused.h"

namespace zemra {

TesterFileRefused::TesterFileRefused(std::string file, std::uint64_t line, std::size_t column,
                                     std::string expected)
    : std::runtime_error(file + ", line " + std::to_string(line) + ", column " +
                         std::to_string(column) + ": expected " + expected),
      file_(std::move(file)),
      line_(line),
      column_(column),
      expected_(std::move(expected)) {}

}  // namespace zemra
