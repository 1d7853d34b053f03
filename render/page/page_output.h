#pragma once

#include <string>

namespace zemra::cli {

// Where a page is written as it is made: text() takes the next bytes, flush() may write them out.
class PageOutput {
  public:
    virtual ~PageOutput() = default;
    virtual std::string& text() = 0;
    virtual void flush() = 0;
};

// A page made whole in memory, for a page of a few boards.
class PageText : public PageOutput {
  public:
    std::string& text() override { return text_; }
    void flush() override {}

  private:
    std::string text_;
};

}  // namespace zemra::cli
