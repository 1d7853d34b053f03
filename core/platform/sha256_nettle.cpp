#include <nettle/sha2.h>

#include "platform/sha256.h"

namespace zemra::platform {

struct Sha256::State {
    sha256_ctx context{};
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    sha256_init(&state_->context);
}

Sha256::~Sha256() = default;

void Sha256::update(std::span<const std::byte> bytes) {
    sha256_update(&state_->context, bytes.size(),
                  reinterpret_cast<const std::uint8_t*>(bytes.data()));
}

Sha256Digest Sha256::finish() {
    Sha256Digest digest{};
    sha256_digest(&state_->context, digest.size(), digest.data());
    return digest;
}

}  // namespace zemra::platform
