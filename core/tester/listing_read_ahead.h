#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "decode/listing_columns.h"
#include "tester/listing_reader.h"

namespace zemra {

// A listing's steps as ListingReader gives them, read on a thread of their own a batch ahead of
// the caller, so that parsing the listing's text and what the caller does with each step share
// the machine's cores. What the reading throws is thrown by next() where the step that failed
// would have come.
class ListingReadAhead {
  public:
    explicit ListingReadAhead(ListingReader& reader);
    ~ListingReadAhead();
    ListingReadAhead(const ListingReadAhead&) = delete;
    ListingReadAhead& operator=(const ListingReadAhead&) = delete;

    // The next step, none after the last. It stays until the next call.
    const ListedColumns* next();

  private:
    struct Batch {
        std::vector<ListedColumns> steps;
        std::exception_ptr failure;  // after the steps
        bool last = false;
    };

    void readBatches();
    bool takeBatch();

    ListingReader& reader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> ready_;
    std::vector<std::vector<ListedColumns>> spare_;
    bool stopping_ = false;
    Batch current_;
    std::size_t nextStep_ = 0;
    std::thread reading_;  // last, so that it starts once the rest is made
};

}  // namespace zemra
