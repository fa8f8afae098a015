#include "engine/data/seed_pool.h"

namespace {

const MSeedPool* published = nullptr;

uint16_t rotateRight(uint16_t v, uint32_t by) {
    if (by == 0) return v;
    return uint16_t((v >> by) | (v << (16 - by)));
}

}  // namespace

MSeedPool::MSeedPool(uint16_t first) : pool_(kHalfWords, 0) { pool_[0] = first; }

void MSeedPool::mix(uint16_t sample) {
    pool_[position_] ^= rotateRight(sample, rotation_);
    if (++position_ == kHalfWords) {
        position_ = 0;
        rotation_ = (rotation_ + 1) % 16;
    }
}

std::array<uint32_t, MSeedPool::kWords> MSeedPool::words() const {
    std::array<uint32_t, kWords> out;
    for (uint32_t i = 0; i < kWords; ++i) out[i] = uint32_t(pool_[2 * i]) | uint32_t(pool_[2 * i + 1]) << 16;
    return out;
}

void publishSeedPool(const MSeedPool* pool) { published = pool; }

std::array<uint32_t, MSeedPool::kWords> seedPoolWords() {
    if (published) return published->words();
    return {};
}
