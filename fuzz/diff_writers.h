#pragma once

#include "diff/board_diff.h"
#include "diff_json.h"
#include "diff_page.h"
#include "diff_text.h"

namespace zemra {

// Hands each change of a comparison to the three writers of --diff.
class DiffWriters : public DiffReceiver {
  public:
    DiffWriters(cli::DiffText& text, cli::DiffJson& json, cli::DiffPage& page)
        : text_(text), json_(json), page_(page) {}
    void takeStep(const StepChange& change) override {
        text_.takeStep(change);
        json_.takeStep(change);
        page_.takeStep(change);
    }
    void takeIc(const IcChange& change) override {
        text_.takeIc(change);
        json_.takeIc(change);
        page_.takeIc(change);
    }
    void takeCheck(const CheckChange& change) override {
        text_.takeCheck(change);
        json_.takeCheck(change);
        page_.takeCheck(change);
    }
    void takeRevisions(const Fingerprint& before, const Fingerprint& after) override {
        text_.takeRevisions(before, after);
        json_.takeRevisions(before, after);
        page_.takeRevisions(before, after);
    }

  private:
    cli::DiffText& text_;
    cli::DiffJson& json_;
    cli::DiffPage& page_;
};

}  // namespace zemra
