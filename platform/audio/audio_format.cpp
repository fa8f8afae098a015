#include "platform/audio/audio.h"

namespace platform {
namespace {

uint16_t readU16(std::span<const uint8_t> bytes, size_t at) {
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

uint32_t readU32(std::span<const uint8_t> bytes, size_t at) {
    return uint32_t(readU16(bytes, at)) | uint32_t(readU16(bytes, at + 2)) << 16;
}

}  // namespace

std::optional<AudioFormat> readAudioFormat(std::span<const uint8_t> bytes) {
    if (bytes.size() < kAudioFormatBytes) return std::nullopt;
    AudioFormat format;
    format.formatTag = readU16(bytes, 0);
    format.channels = readU16(bytes, 2);
    format.samplesPerSecond = readU32(bytes, 4);
    format.bytesPerSecond = readU32(bytes, 8);
    format.blockAlign = readU16(bytes, 12);
    format.bitsPerSample = readU16(bytes, 14);
    format.extraSize = readU16(bytes, 16);
    return format;
}

bool isWmaFormat(const AudioFormat& format) {
    return format.formatTag == kAudioFormatWma2 || format.formatTag == kAudioFormatWma3;
}

}  // namespace platform
