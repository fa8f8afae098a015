// 16-bit PCM from float samples.
#include "tools/content/sound_samples.h"

#include <algorithm>
#include <cmath>

namespace content {

std::vector<uint8_t> pcm16Bytes(const std::vector<float>& samples) {
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (const float s : samples) {
        const auto v = int16_t(std::lrint(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        bytes.push_back(uint8_t(uint16_t(v) & 0xFF));
        bytes.push_back(uint8_t(uint16_t(v) >> 8));
    }
    return bytes;
}

}  // namespace content
