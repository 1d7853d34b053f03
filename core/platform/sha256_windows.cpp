#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <stdexcept>

#include "platform/sha256.h"

namespace zemra::platform {
namespace {

void check(NTSTATUS status, const char* what) {
    if (!BCRYPT_SUCCESS(status)) {
        throw std::runtime_error(what);
    }
}

}  // namespace

struct Sha256::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;

    ~State() {
        if (hash != nullptr) {
            BCryptDestroyHash(hash);
        }
        if (algorithm != nullptr) {
            BCryptCloseAlgorithmProvider(algorithm, 0);
        }
    }
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    check(BCryptOpenAlgorithmProvider(&state_->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0),
          "SHA-256 is not available");
    check(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0),
          "SHA-256 is not available");
}

Sha256::~Sha256() = default;

void Sha256::update(std::span<const std::byte> bytes) {
    // CNG takes at most 4 GiB a call.
    constexpr std::size_t kMostBytes = 1U << 30U;
    while (!bytes.empty()) {
        const std::span<const std::byte> part = bytes.first(std::min(bytes.size(), kMostBytes));
        check(BCryptHashData(state_->hash,
                             reinterpret_cast<PUCHAR>(const_cast<std::byte*>(part.data())),
                             static_cast<ULONG>(part.size()), 0),
              "SHA-256 failed");
        bytes = bytes.subspan(part.size());
    }
}

Sha256Digest Sha256::finish() {
    Sha256Digest digest{};
    check(BCryptFinishHash(state_->hash, digest.data(), static_cast<ULONG>(digest.size()), 0),
          "SHA-256 failed");
    return digest;
}

}  // namespace zemra::platform
