#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zemra {

// Positions of a list's entries by exact name, each in list order. Lets a pass visit the entries
// of one name in the order of a head-to-tail scan without scanning the whole list per name.
// The index refers to the names in `entries`, which must not change while it is used.
class NameIndex {
  public:
    template <class Entry>
    explicit NameIndex(const std::vector<Entry>& entries) {
        for (std::size_t position = 0; position < entries.size(); ++position) {
            positions_[entries[position].name].push_back(position);
        }
    }

    const std::vector<std::size_t>& positionsOf(const std::string& name) const {
        const auto found = positions_.find(name);
        return found == positions_.end() ? none_ : found->second;
    }

  private:
    std::unordered_map<std::string_view, std::vector<std::size_t>> positions_;
    std::vector<std::size_t> none_;
};

}  // namespace zemra
