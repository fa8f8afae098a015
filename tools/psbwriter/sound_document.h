#pragma once
// Builds the two kinds of sound document that the engine's MSound loads (the
// layout is written down in engine/sound/README.md): the sound document,
// which lists the archives by label, and one sound archive per label, which
// holds the voice records with their sample data. Values at their defaults
// are left out, as the loader supplies them.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/psbwriter/psb_tree.h"

namespace psbwriter {

inline constexpr float kSoundDocumentVersion = 1.02f;

struct SoundHeader {
    std::string spec = "win";  // the engine's M_SPEC the documents are made for
    float version = kSoundDocumentVersion;
};

struct SoundLoop {
    uint32_t begin = 0;   // in frames
    uint32_t length = 0;  // in frames; 0 loops to the end of the data
};

struct SoundSample {
    std::vector<uint8_t> format;  // the 18-byte wave format record
    std::vector<uint8_t> data;
    std::optional<SoundLoop> loop;
    std::vector<uint8_t> wmaPacketBytes;  // xWMA only: u32 cumulative decoded bytes a packet
};

struct SoundChannel {
    float left = 1.0f;
    float right = 1.0f;
    SoundSample sample;
};

struct SoundVoice {
    uint32_t device = 0;  // the voice pool: 0 (32 voices), 1 (8), 2 (1)
    float volume = 1.0f;
    float pitch = 0.0f;  // octaves
    float priority = 0.0f;
    std::string group;
    std::string uniq;
    std::vector<SoundChannel> channels;
};

// The 18-byte wave format record of linear PCM, little-endian.
std::vector<uint8_t> pcmFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample);

Value soundDocument(const std::vector<std::string>& labels, const SoundHeader& header = {});
Value soundArchive(const std::string& label, const std::map<std::string, SoundVoice>& voices,
                   const SoundHeader& header = {});

}  // namespace psbwriter
