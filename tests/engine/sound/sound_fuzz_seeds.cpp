// Writes the sound fuzzer's seed corpus, made with our sound document
// writer: a sound document listing two archives, and archives whose voices
// hold 8- and 16-bit PCM in one and two channels, float samples, loops (to
// the end and a region), pans, a pitch, every voice pool, and an xWMA
// channel with its packet table. Run with the corpus folder as its argument.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "tools/psbwriter/psb_writer.h"
#include "tools/psbwriter/sound_document.h"

namespace {

using psbwriter::SoundChannel;
using psbwriter::SoundLoop;
using psbwriter::SoundVoice;

std::vector<uint8_t> ramp(size_t bytes) {
    std::vector<uint8_t> out(bytes);
    for (size_t i = 0; i < bytes; ++i) out[i] = uint8_t(i * 37);
    return out;
}

std::vector<uint8_t> floatFormat(uint16_t channels, uint32_t rate) {
    std::vector<uint8_t> format = psbwriter::pcmFormat(channels, rate, 32);
    format[0] = 3;
    return format;
}

std::vector<uint8_t> wmaFormat() {
    std::vector<uint8_t> format = psbwriter::pcmFormat(2, 44100, 16);
    format[0] = 0x61;
    format[1] = 0x01;
    return format;
}

std::map<std::string, SoundVoice> pcmVoices() {
    SoundVoice mono;
    mono.channels.push_back({1.0f, 1.0f, {psbwriter::pcmFormat(1, 22050, 16), ramp(64), {}, {}}});
    SoundVoice looped;
    looped.device = 1;
    looped.volume = 0.5f;
    looped.pitch = 1.5f;
    looped.group = "BGM";
    looped.uniq = "music";
    looped.channels.push_back({0.25f, 0.75f, {psbwriter::pcmFormat(2, 44100, 8), ramp(96), SoundLoop{4, 8}, {}}});
    looped.channels.push_back({1.0f, 0.0f, {psbwriter::pcmFormat(1, 48000, 16), ramp(32), SoundLoop{2, 0}, {}}});
    SoundVoice single;
    single.device = 2;
    single.pitch = -2.0f;
    single.channels.push_back({1.0f, 1.0f, {floatFormat(2, 32000), ramp(64), SoundLoop{0, 3}, {}}});
    return {{"mono", mono}, {"looped", looped}, {"single", single}};
}

std::map<std::string, SoundVoice> wmaVoices() {
    SoundVoice wma;
    wma.channels.push_back({1.0f, 1.0f, {wmaFormat(), ramp(48), {}, {16, 0, 0, 0, 64, 0, 0, 0}}});
    return {{"wma", wma}};
}

void writeSeed(const std::filesystem::path& file, const psbwriter::Value& root) {
    const std::vector<uint8_t> bytes = psbwriter::writePsb(root);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: sound_fuzz_seeds CORPUS_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    writeSeed(folder / "sound.psb", psbwriter::soundDocument({"se", "bgm"}));
    writeSeed(folder / "se.psb", psbwriter::soundArchive("se", pcmVoices()));
    writeSeed(folder / "wma.psb", psbwriter::soundArchive("wma", wmaVoices(), {"ps3", 1.0f}));
    return 0;
}
