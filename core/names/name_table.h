#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zemra {

// A device or IC name, as a dense number given once per run: the passes compare numbers and
// index arrays with them instead of comparing and hashing texts.
using NameId = std::uint32_t;

// The names of one run. Two names get the same id exactly when their bytes are equal, so ids
// compare as the names do: byte for byte, case-sensitively.
class NameTable {
  public:
    // Device names are the first token of a part name, which has at most 13 bytes.
    static constexpr std::size_t kMaxLength = 15;

    NameTable();

    // The id of `name`, a new one if the name is new. Bytes beyond kMaxLength are not kept.
    NameId intern(std::string_view name);
    std::string_view text(NameId id) const;
    std::size_t size() const { return names_.size(); }

  private:
    // The bytes of a name, zero-filled, with its length in the last byte.
    using PackedName = std::array<char, kMaxLength + 1>;
    static constexpr NameId kFree = ~NameId{0};

    static PackedName pack(std::string_view name);
    static std::size_t hashOf(const PackedName& packed);
    void grow();

    std::vector<PackedName> names_;  // by id
    std::vector<NameId> slots_;      // open addressing, a power of two in size
};

// The positions of a list's entries grouped by name, each group in list order: a pass visits the
// entries of one name in the order of a head-to-tail scan without scanning the whole list.
class NameGroups {
  public:
    template <class Entry>
    explicit NameGroups(const std::vector<Entry>& entries) {
        NameId limit = 0;
        for (const Entry& entry : entries) {
            limit = std::max(limit, entry.name + 1);
        }
        starts_.assign(std::size_t{limit} + 1, 0);
        for (const Entry& entry : entries) {
            ++starts_[entry.name + 1];
        }
        for (std::size_t index = 1; index < starts_.size(); ++index) {
            starts_[index] += starts_[index - 1];
        }
        positions_.resize(entries.size());
        std::vector<std::size_t> next(starts_.begin(), starts_.end() - 1);
        for (std::size_t position = 0; position < entries.size(); ++position) {
            positions_[next[entries[position].name]++] = position;
        }
    }

    // Empty for a name that no entry has.
    std::span<const std::size_t> positionsOf(NameId name) const {
        if (std::size_t{name} + 1 >= starts_.size()) {
            return {};
        }
        return std::span(positions_).subspan(starts_[name], starts_[name + 1] - starts_[name]);
    }

  private:
    std::vector<std::size_t> starts_;
    std::vector<std::size_t> positions_;
};

}  // namespace zemra
