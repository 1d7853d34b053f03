#pragma once

// SHA-256 from the system's own cryptography: Nettle on Linux, CNG (bcrypt.dll) on Windows.
// One implementation per system, in sha256_nettle.cpp and sha256_windows.cpp.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace zemra::platform {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
  public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void update(std::span<const std::byte> bytes);
    // The digest of everything given so far. Once only.
    Sha256Digest finish();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace zemra::platform
