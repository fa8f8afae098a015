#pragma once
// A small resource folder for tests that start the game: the three PSB fonts
// (data containers under the game's key) and the sound document with its five
// archives of one short voice each, all made by our PSB writer.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/psb_writer.h"
#include "tools/psbwriter/sound_document.h"

namespace test_resources {

inline std::string asText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

inline psbwriter::Value fontDocument(const std::string& label) {
    using psbwriter::Object;
    const std::vector<uint8_t> pixels(4 * 2 * 4, 0xFF);
    Object image{{"width", 4}, {"height", 2}, {"type", "RGBA8"}, {"pixel", psbwriter::Resource{pixels, false}}};
    Object glyph{{"id", 0},     {"x", 0.0f}, {"y", 0.0f}, {"width", 3.0f}, {"height", 2.0f},
                 {"w", 3.0f},   {"h", 2.0f}, {"a", 3.0f}, {"b", 0.0f},     {"d", 0.0f}};
    return Object{{"id", "font"},        {"spec", "win"},         {"version", 1.08f},
                  {"label", label},      {"maxWidth", 3.0f},      {"maxHeight", 2.0f},
                  {"code", Object{{"A", glyph}}}, {"source", psbwriter::List{image}}};
}

inline psbwriter::SoundVoice shortVoice() {
    psbwriter::SoundVoice voice;
    psbwriter::SoundChannel channel;
    channel.sample.format = psbwriter::pcmFormat(1, 22050, 16);
    channel.sample.data.assign(64, 0);
    voice.channels.push_back(channel);
    return voice;
}

// Writes "<folder>/font/..." and "<folder>/soundfile_duz3/...".
inline void write(const TempDir& dir, const std::string& folder = "resource") {
    for (const char* size : {"16", "24", "32"}) {
        const std::string name = std::string("font") + size + ".psb.m";
        const auto psb = psbwriter::writePsb(fontDocument(std::string("font") + size));
        dir.write(folder + "/font/" + name, asText(psbwriter::packContainer(psb, {}, name)));
    }
    const std::vector<std::string> labels{"bgm1", "bgm2", "bgm3", "se", "voice"};
    dir.write(folder + "/soundfile_duz3/sound.psb", asText(psbwriter::writePsb(psbwriter::soundDocument(labels))));
    for (const std::string& label : labels) {
        const auto archive = psbwriter::soundArchive(label, {{"s0", shortVoice()}});
        dir.write(folder + "/soundfile_duz3/" + label + ".psb", asText(psbwriter::writePsb(archive)));
    }
}

}  // namespace test_resources
