#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace zemra {

// A file of a tester folder that is not as a conversion writes it: where it stopped being so
// and what was expected there. Lines and columns count from 1; columns count bytes.
class TesterFileRefused : public std::runtime_error {
  public:
    TesterFileRefused(std::string file, std::uint64_t line, std::size_t column,
                      std::string expected);

    const std::string& file() const { return file_; }
    std::uint64_t line() const { return line_; }
    std::size_t column() const { return column_; }
    const std::string& expected() const { return expected_; }

  private:
    std::string file_;
    std::uint64_t line_;
    std::size_t column_;
    std::string expected_;
};

}  // namespace zemra
