#pragma once
// What an archive's voice record holds for playing: the sound loader fills
// these from a sound archive; MSound only reads them. The byte spans point
// into the archive's loaded document, which outlives every sound that plays
// from it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One channel element's sample data.
struct MSoundSampleData {
    struct Loop {
        uint32_t begin = 0;   // in frames
        uint32_t length = 0;  // in frames
    };
    std::span<const uint8_t> format;          // the 18-byte wave format record, or more
    std::span<const uint8_t> data;            // the sample bytes, submitted as one buffer
    std::span<const uint8_t> wmaPacketBytes;  // xWMA only: u32 cumulative decoded bytes
    std::optional<Loop> loop;                 // present: the region repeats for ever
};

struct MSoundChannelElement {
    float leftLevel = 1.0f;
    float rightLevel = 1.0f;
    MSoundSampleData sampleData;
};

struct MSoundVoiceRecord {
    uint32_t device = 0;  // the voice pool: 0 (32 slots), 1 (8 slots), 2 (1 slot)
    float volume = 1.0f;
    float pitch = 0.0f;  // octaves
    float priority = 0.0f;
    std::string group;
    std::string uniqKey;
    std::vector<MSoundChannelElement> channels;
};
