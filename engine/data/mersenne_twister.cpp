#include "engine/data/mersenne_twister.h"

#include <algorithm>

#include "engine/data/seed_pool.h"

namespace {

constexpr uint32_t kN = MTGenerator::kWords;
constexpr uint32_t kM = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;
constexpr uint32_t kUpper = 0x80000000u;
constexpr uint32_t kLower = 0x7FFFFFFFu;
constexpr uint32_t kDefaultSeed = 5489;
constexpr uint32_t kArraySeed = 19650218;

}  // namespace

void mtInitGenrand(MTGenerator& generator, uint32_t seed) {
    if (!generator.state) generator.state = std::make_unique<uint32_t[]>(kN);
    uint32_t* s = generator.state.get();
    s[0] = seed;
    for (uint32_t i = 1; i < kN; ++i) s[i] = 1812433253u * (s[i - 1] ^ (s[i - 1] >> 30)) + i;
    generator.index = 0;
}

void mtInitByArray(MTGenerator& generator, const uint32_t* key, size_t length) {
    // An empty key would be read past its end; it stands for one zero word.
    static const uint32_t zero = 0;
    if (length == 0) {
        key = &zero;
        length = 1;
    }
    mtInitGenrand(generator, kArraySeed);
    uint32_t* s = generator.state.get();
    uint32_t i = 1;
    size_t j = 0;
    for (size_t k = std::max<size_t>(kN, length); k > 0; --k) {
        s[i] = (s[i] ^ ((s[i - 1] ^ (s[i - 1] >> 30)) * 1664525u)) + key[j] + uint32_t(j);
        if (++i >= kN) {
            s[0] = s[kN - 1];
            i = 1;
        }
        if (++j >= length) j = 0;
    }
    for (uint32_t k = kN - 1; k > 0; --k) {
        s[i] = (s[i] ^ ((s[i - 1] ^ (s[i - 1] >> 30)) * 1566083941u)) - i;
        if (++i >= kN) {
            s[0] = s[kN - 1];
            i = 1;
        }
    }
    s[0] = kUpper;
}

void mtInitByArray(MTGenerator& generator) {
    const auto words = seedPoolWords();
    mtInitByArray(generator, words.data(), words.size());
}

// Regenerating one word per call gives the reference sequence: the word's
// successor is still the old one, and the word kM places on has already been
// regenerated exactly when the reference's block pass would have done so.
uint32_t mtGenrand(MTGenerator& generator) {
    if (!generator.state) mtInitGenrand(generator, kDefaultSeed);
    uint32_t* s = generator.state.get();
    const uint32_t i = generator.index;
    const uint32_t y = (s[i] & kUpper) | (s[(i + 1) % kN] & kLower);
    s[i] = s[(i + kM) % kN] ^ (y >> 1) ^ ((y & 1) ? kMatrix : 0);
    generator.index = (i + 1) % kN;

    uint32_t out = s[i];
    out ^= out >> 11;
    out ^= (out << 7) & 0x9D2C5680u;
    out ^= (out << 15) & 0xEFC60000u;
    out ^= out >> 18;
    return out;
}

void mtDestroy(MTGenerator& generator) {
    generator.state.reset();
    generator.index = 0;
}
