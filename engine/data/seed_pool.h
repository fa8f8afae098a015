#pragma once
// The seed pool: 1248 16-bit words into which the seed generator mixes one
// timing sample a frame, each pass over the pool at a new rotation. Seeding
// reads the same bytes as 624 32-bit little-endian words.
//
// Threads: the pool is written and read on the main loop only.

#include <array>
#include <cstdint>
#include <vector>

class MSeedPool {
public:
    static constexpr uint32_t kHalfWords = 1248;
    static constexpr uint32_t kWords = kHalfWords / 2;

    // Every word 0 but the first.
    explicit MSeedPool(uint16_t first);

    void mix(uint16_t sample);
    std::array<uint32_t, kWords> words() const;
    uint32_t rotation() const { return rotation_; }
    uint32_t position() const { return position_; }

private:
    std::vector<uint16_t> pool_;
    uint32_t rotation_ = 0;
    uint32_t position_ = 0;
};

// Makes `pool` the process's seed pool (nullptr: none).
void publishSeedPool(const MSeedPool* pool);
// The words of the published pool; all 0 while none is published.
std::array<uint32_t, MSeedPool::kWords> seedPoolWords();
