#pragma once

#include <ostream>
#include <streambuf>
#include <string>

#include "platform.h"

namespace zemra::cli {

// An output stream onto standard output or standard error that hands whole lines to
// writeText(), so that a console gets each as its characters and a UTF-8 sequence is never cut.
class TextStream : public std::ostream {
  public:
    explicit TextStream(Stream stream);
    ~TextStream() override;
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

  private:
    class LineBuffer : public std::streambuf {
      public:
        explicit LineBuffer(Stream stream) : stream_(stream) {}

      protected:
        int_type overflow(int_type character) override;
        int sync() override;

      private:
        Stream stream_;
        std::string line_;
    };

    LineBuffer buffer_;
};

}  // namespace zemra::cli
