#include "platform/audio/mixer/sample_source.h"

#include <bit>

namespace platform {
namespace {

uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// xWMA decodes to 16-bit samples; the last cumulative packet count is the
// decoded length, which the silence stands in for.
uint32_t wmaDecodedBytes(const AudioBuffer& buffer) {
    const auto& table = buffer.wmaPacketBytes;
    if (table.size() < 4) return 0;
    return readU32(table.data() + (table.size() / 4 - 1) * 4);
}

}  // namespace

std::optional<SampleSource> SampleSource::forFormat(const AudioFormat& format) {
    if (format.channels == 0 || format.samplesPerSecond == 0) return std::nullopt;
    if (isWmaFormat(format)) return SampleSource(Layout::Silent, format.channels, 2);
    if (format.formatTag == kAudioFormatPcm && format.bitsPerSample == 8)
        return SampleSource(Layout::Unsigned8, format.channels, 1);
    if (format.formatTag == kAudioFormatPcm && format.bitsPerSample == 16)
        return SampleSource(Layout::Signed16, format.channels, 2);
    if (format.formatTag == kAudioFormatFloat && format.bitsPerSample == 32)
        return SampleSource(Layout::Float32, format.channels, 4);
    return std::nullopt;
}

uint32_t SampleSource::frameCount(const AudioBuffer& buffer) const {
    const size_t bytes = layout_ == Layout::Silent ? wmaDecodedBytes(buffer) : buffer.data.size();
    return uint32_t(bytes / (size_t(channels_) * sampleBytes_));
}

// The silence of xWMA counts its frames from the packet table, not from the
// data, which may be shorter or absent: no address is formed in it.
float SampleSource::sample(const uint8_t* data, uint32_t frame, uint32_t channel) const {
    if (layout_ == Layout::Silent) return 0.0f;
    const uint8_t* p = data + (size_t(frame) * channels_ + channel) * sampleBytes_;
    switch (layout_) {
        case Layout::Unsigned8: return (float(p[0]) - 128.0f) / 128.0f;
        case Layout::Signed16: return float(int16_t(uint16_t(p[0] | p[1] << 8))) / 32768.0f;
        case Layout::Float32: return std::bit_cast<float>(readU32(p));
        case Layout::Silent: break;
    }
    return 0.0f;
}

}  // namespace platform
