// libFuzzer target: any bytes as a sound document or sound archive. The
// header checks run on either; an archive's voice records are read, and
// every channel of every voice is started in the voice pools over our own
// mixer (its wave format and loop read, its sample bytes submitted) at the
// voice's pitch and pan, then a few hundred frames are mixed. A damaged
// document must end in the reader's fatal message (thrown here so the run
// goes on), a silent channel, or sound, never a read outside the document.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"
#include "engine/sound/sound_document_reader.h"
#include "engine/sound/sound_voice_pools.h"
#include "platform/audio/mixer/audio_mixer.h"

namespace {

struct SoundFuzzFatal {};

void throwSoundFuzzFatal(const char*) { throw SoundFuzzFatal{}; }

constexpr size_t kSoundFuzzFrames = 256;
constexpr uint32_t kSoundFuzzMixes = 2;

void playVoices(const std::map<std::string, MSoundVoiceRecord>& voices) {
    auto engine = std::make_unique<platform::AudioMixer>(48000, 2);
    platform::AudioMixer& mixer = *engine;
    MSoundVoicePools pools(std::move(engine));
    uint32_t slot = 0;
    for (const auto& [name, voice] : voices) {
        for (const MSoundChannelElement& channel : voice.channels) {
            const uint32_t device = voice.device % MSoundVoicePools::kPoolCount;
            const uint32_t at = slot++ % MSoundVoicePools::kPoolSizes[device];
            pools.start(voice.device, at, channel.sampleData);
            pools.setGain(voice.device, at, std::exp2(voice.pitch), voice.volume * channel.leftLevel,
                          voice.volume * channel.rightLevel);
            pools.setWanted(voice.device, at, 1);
        }
    }
    pools.flush();
    std::vector<float> out(kSoundFuzzFrames * mixer.outputChannels());
    for (uint32_t i = 0; i < kSoundFuzzMixes; ++i) mixer.mix(out.data(), kSoundFuzzFrames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = (setPSBFatalHandler(throwSoundFuzzFatal), M_SPEC = "win", true);
    (void)installed;
    auto* bytes = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(bytes, data, size);
    try {
        const auto doc = std::make_unique<PSBObject>(bytes, size);
        const PSBValue root = doc->root();
        checkSoundFileHeader(root);
        checkSoundArchiveHeader(root, "se");
        PSBValue archives;
        std::vector<std::string> labels;
        if (root.find("archive", archives)) archives.getKeys(labels);
        playVoices(readVoiceRecords(root));
    } catch (const SoundFuzzFatal&) {
    }
    return 0;
}
