// Sound bank module: "soundfile_duz3/sound.psb" and its five archives. Every
// named sound id and every music number gets a voice record: effects from
// their layers, voices spoken by eSpeak NG, music played from its score.
// A record's group is the id's channel (the play group the game uses) and
// its pool follows its archive.
#include <cstdio>
#include <map>
#include <set>

#include "tools/content/content_modules.h"
#include "tools/content/effect_synth.h"
#include "tools/content/music_sequencer.h"
#include "tools/content/sound_names.h"
#include "tools/content/sound_samples.h"
#include "tools/content/voice_lines.h"
#include "tools/psbwriter/psb_writer.h"
#include "tools/psbwriter/sound_document.h"

namespace content {
namespace {

constexpr const char* kFolder = "soundfile_duz3/";
constexpr const char* kLabels[] = {"bgm1", "bgm2", "bgm3", "se", "voice"};
// Pools: 32 voices for effects, 8 for speech and for music (two boss layers
// sound at once, and a stopped tune may still be fading).
constexpr uint32_t kEffectPool = 0, kVoicePool = 1, kMusicPool = 1;
constexpr const char* kMusicGroup = "BGM";

using Archives = std::map<std::string, std::map<std::string, psbwriter::SoundVoice>>;

psbwriter::SoundVoice soundVoice(uint32_t pool, const std::string& group, const std::vector<float>& samples,
                                 int rate, std::optional<psbwriter::SoundLoop> loop = {}) {
    psbwriter::SoundVoice voice;
    voice.device = pool;
    voice.group = group;
    voice.channels.push_back({1.0f, 1.0f, {psbwriter::pcmFormat(1, uint32_t(rate), 16), pcm16Bytes(samples), loop, {}}});
    return voice;
}

void addEffects(const ContentContext& context, const std::vector<SoundName>& sounds, Archives& archives) {
    auto effects = readEffects(context);
    uint32_t seed = 1;
    for (const SoundName& sound : sounds) {
        if (sound.group != "se") continue;
        const auto found = effects.find(sound.name);
        if (found == effects.end()) throw ContentError("sound/effects.txt: no layers for effect " + sound.name);
        archives["se"][sound.name] = soundVoice(kEffectPool, sound.channel, renderEffect(found->second, seed++),
                                                kEffectRate);
        effects.erase(found);
    }
    if (!effects.empty()) {
        throw ContentError("sound/effects.txt: " + effects.begin()->first + " is no effect of sound/sounds.csv");
    }
}

void addVoices(ContentContext& context, const std::vector<SoundName>& sounds, Archives& archives) {
    std::vector<const SoundName*> voiced;
    std::vector<std::string> names;
    for (const SoundName& sound : sounds) {
        if (sound.group != "voice") continue;
        voiced.push_back(&sound);
        names.push_back(sound.name);
    }
    const VoiceScript script = writeVoiceScript(context, names);
    const std::vector<std::vector<float>> speech = synthesiseLines(script);
    std::string lines = "# name, speaker: line (made by the sound bank; not read by the game)\n";
    for (size_t i = 0; i < voiced.size(); ++i) {
        archives["voice"][voiced[i]->name] = soundVoice(kVoicePool, voiced[i]->channel, speech[i], kVoiceRate);
        lines += script.lines[i].name + ", " + script.lines[i].speaker + ": " + script.lines[i].text + "\n";
    }
    context.writePreview("sound/voice_lines.txt", std::vector<uint8_t>(lines.begin(), lines.end()));
}

// Boss layers are sound ids as well as music numbers: they play on the
// channel of their id.
void addMusic(ContentContext& context, const std::vector<SoundName>& sounds, Archives& archives) {
    std::map<std::string, std::string> channels;
    for (const SoundName& sound : sounds) {
        if (sound.group.starts_with("bgm")) channels[sound.name] = sound.channel;
    }
    const auto tunes = readTunes(context);
    std::map<std::string, Score> scores;
    std::string report = "# music, arrangement, score: length, loop length, loop RMS, loop peak (made by the sound bank)\n";
    double quietest = 0, loudest = -200;
    for (const MusicName& music : readMusicNames(context)) {
        const auto tune = tunes.find(music.name);
        if (tune == tunes.end()) throw ContentError("music/tunes.txt: no tune for music " + music.name);
        if (!scores.contains(tune->second.score)) scores[tune->second.score] = readScore(context, tune->second.score);
        const RenderedMusic rendered = renderTune(scores[tune->second.score], tune->second, music.arrangement);
        const MusicLevel level = measureMusic(rendered);
        char line[200];
        std::snprintf(line, sizeof line, "%s, %d, %s: %.1f s, loop %.1f s, RMS %.2f dBFS, peak %.2f dBFS\n",
                      music.name.c_str(), music.arrangement, tune->second.score.c_str(), level.seconds, level.loopSeconds,
                      level.rmsDb, level.peakDb);
        report += line;
        if (tune->second.wholeStage && level.loopSeconds < kWholeStageLoopSeconds) {
            throw ContentError("music/tunes.txt: " + music.name + " plays for a whole stage but loops after " +
                               std::to_string(level.loopSeconds) + " s");
        }
        quietest = std::min(quietest, level.rmsDb);
        loudest = std::max(loudest, level.rmsDb);
        const auto channel = channels.find(music.name);
        const std::string group = channel == channels.end() ? kMusicGroup : channel->second;
        if (channel != channels.end()) channels.erase(channel);
        archives[music.group][music.name] = soundVoice(kMusicPool, group, rendered.samples, kMusicRate,
                                                       psbwriter::SoundLoop{rendered.loopBegin, 0});
    }
    if (!channels.empty()) {
        throw ContentError("sound/music.csv: the boss layer " + channels.begin()->first + " has no music number");
    }
    context.writePreview("sound/music.txt", std::vector<uint8_t>(report.begin(), report.end()));
    if (loudest - quietest > kMusicLevelSpreadDb) {
        throw ContentError("music: the tunes' loudness spreads over " + std::to_string(loudest - quietest) +
                           " dB (a peak holds one down); see the levels in the preview's sound/music.txt");
    }
}

}  // namespace

void makeSoundBank(ContentContext& context) {
    const std::vector<SoundName> sounds = readSoundNames(context);
    Archives archives;
    addEffects(context, sounds, archives);
    addMusic(context, sounds, archives);
    addVoices(context, sounds, archives);
    std::vector<std::string> labels;
    for (const char* label : kLabels) {
        if (!archives.contains(label)) throw ContentError(std::string("no sound lands in the archive ") + label);
        labels.emplace_back(label);
        context.writeResource(std::string(kFolder) + label + ".psb",
                              psbwriter::writePsb(psbwriter::soundArchive(label, archives[label])));
    }
    context.writeResource(std::string(kFolder) + "sound.psb", psbwriter::writePsb(psbwriter::soundDocument(labels)));
}

}  // namespace content
