#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <system_error>

#include "platform.h"

namespace zemra::cli {

// An output stream onto standard output or standard error that hands whole lines to
// writeText(), so that a console gets each as its characters and a UTF-8 sequence is never cut.
// Once a write fails, the stream is bad and keeps the system's error.
class TextStream : public std::ostream {
  public:
    explicit TextStream(Stream stream);
    ~TextStream() override;
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

    // Writes out everything held back and returns the first error of any write, nothing when
    // every byte was written.
    std::error_code finish();

  private:
    class LineBuffer : public std::streambuf {
      public:
        explicit LineBuffer(Stream stream) : stream_(stream) {}

        std::error_code finish();

      protected:
        int_type overflow(int_type character) override;
        int sync() override;

      private:
        Stream stream_;
        std::string line_;
        std::error_code error_;
    };

    LineBuffer buffer_;
};

}  // namespace zemra::cli
