#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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
    static bool sameName(const PackedName& left, const PackedName& right);
    // The id of a name, given one if it has none yet.
    NameId find(const PackedName& packed);
    void grow();

    std::vector<PackedName> names_;  // by id
    std::vector<NameId> slots_;      // open addressing, a power of two in size
    NameId lastId_ = 0;              // the name asked for last
};

}  // namespace zemra
