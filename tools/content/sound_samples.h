#pragma once
// Mono sample buffers of the sound bank: mixing in floats, one deterministic
// conversion to 16-bit little-endian PCM, and the seeded noise source the
// synthesisers share (the same numbers on every machine).
//
// Threads: plain functions and values; a NoiseSource belongs to one caller.

#include <cstdint>
#include <vector>

namespace content {

inline constexpr int kEffectRate = 22050;
inline constexpr int kVoiceRate = 22050;
inline constexpr int kMusicRate = 32000;

// Clipped to [-1, 1] and rounded to the nearest step.
std::vector<uint8_t> pcm16Bytes(const std::vector<float>& samples);

class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state_(seed) {}
    // Uniform in [-1, 1).
    float next() {
        state_ = state_ * 1664525u + 1013904223u;
        return float(int32_t(state_ >> 8) - (1 << 23)) / float(1 << 23);
    }

private:
    uint32_t state_;
};

}  // namespace content
