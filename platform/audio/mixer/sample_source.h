#pragma once
// Reads frames of one voice's sample data as floats in [-1, 1], whatever the
// stored layout: 8-bit unsigned or 16-bit signed PCM, 32-bit float, or the
// silence that stands in for xWMA data, which this mixer can't decode.

#include <cstdint>
#include <optional>

#include "platform/audio/audio.h"

namespace platform {

class SampleSource {
public:
    // Nothing when the mixer can't play the format.
    static std::optional<SampleSource> forFormat(const AudioFormat& format);

    uint32_t channels() const { return channels_; }
    uint32_t frameCount(const AudioBuffer& buffer) const;
    float sample(const uint8_t* data, uint32_t frame, uint32_t channel) const;

private:
    enum class Layout { Unsigned8, Signed16, Float32, Silent };
    SampleSource(Layout layout, uint32_t channels, uint32_t sampleBytes)
        : layout_(layout), channels_(channels), sampleBytes_(sampleBytes) {}

    Layout layout_;
    uint32_t channels_;
    uint32_t sampleBytes_;
};

}  // namespace platform
