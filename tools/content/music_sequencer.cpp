// Reading scores and tunes, and playing them.
#include "tools/content/music_sequencer.h"

#include <algorithm>
#include <cmath>

#include "tools/content/content_lines.h"
#include "tools/content/sound_samples.h"

namespace content {
namespace {

constexpr const char* kTunes = "music/tunes.txt";
constexpr double kAttack = 0.003;
constexpr double kRelease = 0.015;  // after the note's last step
constexpr int kHighHit = 84, kLowHit = 60;

struct Pattern {
    std::map<std::string, std::vector<std::string>> tokens;  // by voice
    size_t steps() const {
        size_t n = 0;
        for (const auto& [voice, t] : tokens) n = std::max(n, t.size());
        return n;
    }
};

double number(const std::string& field, const std::string& file, const ContentLine& line) {
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    if (field.empty() || *end != '\0' || !std::isfinite(value)) {
        throw ContentError(where(file, line, "\"" + field + "\" is not a number"));
    }
    return value;
}

Layer parseLayer(const std::string& field, const std::string& file, const ContentLine& line) {
    if (field == "both") return Layer::Both;
    if (field == "first") return Layer::First;
    if (field == "second") return Layer::Second;
    throw ContentError(where(file, line, "a layer is both, first or second"));
}

// A note token ("c4", "f#5", "bb2", "x", "o") as a key; -1 for none.
int noteKey(const std::string& token) {
    if (token == "x") return kHighHit;
    if (token == "o") return kLowHit;
    static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a..g
    if (token.size() < 2 || token[0] < 'a' || token[0] > 'g') return -1;
    int key = kSemitone[token[0] - 'a'];
    size_t at = 1;
    if (token[at] == '#') key += 1, ++at;
    else if (token[at] == 'b' && at + 1 < token.size()) key -= 1, ++at;
    if (at + 1 != token.size() || token[at] < '0' || token[at] > '8') return -1;
    return key + 12 * (token[at] - '0' + 1);
}

// Appends a pattern's notes for one voice, from step `origin`; the tokens
// were checked as they were read.
void addNotes(std::vector<ScoreNote>& notes, const std::vector<std::string>& tokens, int origin) {
    bool holding = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == ".") {
            holding = false;
        } else if (t == "-") {
            if (holding) ++notes.back().length;
        } else {
            notes.push_back({origin + int(i), 1, noteKey(t)});
            holding = true;
        }
    }
}

void placePatterns(Score& score, const std::map<std::string, Pattern>& patterns, const std::vector<std::string>& names,
                   int& steps, const std::string& file, const ContentLine& line) {
    for (size_t n = 1; n < names.size(); ++n) {
        const auto found = patterns.find(names[n]);
        if (found == patterns.end()) throw ContentError(where(file, line, "no pattern " + names[n]));
        for (size_t v = 0; v < score.voices.size(); ++v) {
            const auto tokens = found->second.tokens.find(score.voices[v].name);
            if (tokens != found->second.tokens.end()) {
                addNotes(score.notes[v], tokens->second, steps);
            }
        }
        steps += int(found->second.steps());
    }
}

double keyFrequency(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }

void playNote(std::vector<float>& out, const ScoreVoice& voice, Wave wave, const ScoreNote& note,
              double stepFrames, int transpose, NoiseSource& noise) {
    const auto first = size_t(std::lround(note.step * stepFrames));
    const double held = note.length * stepFrames / kMusicRate;
    const auto count = size_t((held + kRelease) * kMusicRate);
    const double frequency = wave == Wave::Noise ? keyFrequency(note.key) * 8 : keyFrequency(note.key + transpose);
    double phase = 0;
    float sampleHeld = noise.next();
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kMusicRate;
        phase += frequency / kMusicRate;
        if (wave == Wave::Noise && phase >= 1.0) sampleHeld = noise.next();
        phase -= std::floor(phase);
        double level = voice.volume;
        if (t < kAttack) level *= t / kAttack;
        if (voice.decay > 0) level *= std::exp(-t / voice.decay);
        if (t > held) level *= std::max(0.0, 1.0 - (t - held) / kRelease);
        out[first + i] += float(level * (wave == Wave::Noise ? sampleHeld : waveAt(wave, phase)));
    }
}

bool voiceSounds(Layer voice, Layer tune) {
    return tune == Layer::Both || voice == Layer::Both || voice == tune;
}

double decibels(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

// The loop's RMS brought to kMusicLevelDb, unless its peaks would pass
// kMusicPeakDb (then as near as they allow; the sound bank's spread check
// tells).
void levelMusic(RenderedMusic& music) {
    const MusicLevel level = measureMusic(music);
    const double gain = std::min(std::pow(10.0, (kMusicLevelDb - level.rmsDb) / 20.0),
                                 std::pow(10.0, (kMusicPeakDb - level.peakDb) / 20.0));
    for (float& sample : music.samples) sample = float(sample * gain);
}

}  // namespace

Score readScore(const ContentContext& context, const std::string& name) {
    const std::string file = "music/" + name + ".txt";
    Score score;
    score.name = name;
    std::map<std::string, Pattern> patterns;
    std::string pattern;
    int steps = 0;
    for (const ContentLine& line : contentLines(context.readContent(file))) {
        const std::vector<std::string> f = splitFields(line.text);
        if (f[0] == "tempo" && f.size() == 2) {
            score.tempo = number(f[1], file, line);
            if (score.tempo < 20 || score.tempo > 400) throw ContentError(where(file, line, "tempo is 20 to 400"));
        } else if (f[0] == "voice" && f.size() == 8) {
            ScoreVoice voice{f[1], {}, number(f[5], file, line), number(f[6], file, line), parseLayer(f[7], file, line)};
            const std::string at = file + ":" + std::to_string(line.number);
            for (int a = 0; a < 3; ++a) voice.waves[a] = parseWave(f[2 + a], at);
            score.voices.push_back(voice);
            score.notes.emplace_back();
        } else if (f[0] == "pattern" && f.size() == 2) {
            pattern = f[1];
            patterns[pattern];
        } else if (f[0] == "intro" || f[0] == "loop") {
            const int before = steps;
            placePatterns(score, patterns, f, steps, file, line);
            (f[0] == "intro" ? score.introSteps : score.loopSteps) += steps - before;
        } else {
            bool isVoice = false;
            for (const ScoreVoice& v : score.voices) isVoice = isVoice || v.name == f[0];
            if (!isVoice || pattern.empty()) {
                throw ContentError(where(file, line, "expected tempo, voice, pattern, intro, loop or a voice's notes"));
            }
            for (size_t t = 1; t < f.size(); ++t) {
                if (f[t] != "." && f[t] != "-" && noteKey(f[t]) < 0) {
                    throw ContentError(where(file, line, "\"" + f[t] + "\" is not a note, - or ."));
                }
            }
            auto& tokens = patterns[pattern].tokens[f[0]];
            tokens.insert(tokens.end(), f.begin() + 1, f.end());
        }
    }
    if (score.loopSteps == 0) throw ContentError(file + ": a score needs a loop line with at least one pattern");
    return score;
}

std::map<std::string, Tune> readTunes(const ContentContext& context) {
    std::map<std::string, Tune> tunes;
    for (const ContentLine& line : contentLines(context.readContent(kTunes))) {
        const std::vector<std::string> f = splitFields(line.text);
        if (f.size() != 5 && !(f.size() == 6 && f[5] == "whole")) {
            throw ContentError(where(kTunes, line, "expected: name score transpose tempo% layer [whole]"));
        }
        Tune tune{f[1], int(parseNumber(f[2], kTunes, line)), number(f[3], kTunes, line), parseLayer(f[4], kTunes, line),
                  f.size() == 6};
        if (tune.tempoPercent < 25 || tune.tempoPercent > 400) {
            throw ContentError(where(kTunes, line, "tempo% is 25 to 400"));
        }
        if (!tunes.emplace(f[0], tune).second) throw ContentError(where(kTunes, line, f[0] + " appears twice"));
    }
    return tunes;
}

RenderedMusic renderTune(const Score& score, const Tune& tune, int arrangement) {
    // Whole frames a step, so the loop point falls on a frame.
    const double stepFrames = std::round(kMusicRate * 60.0 / (score.tempo * tune.tempoPercent / 100.0 * 4));
    const auto introFrames = size_t(score.introSteps * stepFrames);
    const auto loopFrames = size_t(score.loopSteps * stepFrames);
    // Intro, then the loop twice; the second pass carries the first's tails.
    std::vector<float> played(introFrames + 2 * loopFrames, 0.0f);
    NoiseSource noise(0x5EED0000u + uint32_t(arrangement));
    for (size_t v = 0; v < score.voices.size(); ++v) {
        const ScoreVoice& voice = score.voices[v];
        if (!voiceSounds(voice.layer, tune.layer)) continue;
        const Wave wave = voice.waves[std::clamp(arrangement, 0, 2)];
        for (int pass = 0; pass < 2; ++pass) {
            for (ScoreNote note : score.notes[v]) {
                if (pass == 1 && note.step < score.introSteps) continue;
                note.step += pass * score.loopSteps;
                playNote(played, voice, wave, note, stepFrames, tune.transpose, noise);
            }
        }
    }
    RenderedMusic music;
    music.loopBegin = uint32_t(introFrames);
    music.samples.assign(played.begin(), played.begin() + std::ptrdiff_t(introFrames));
    music.samples.insert(music.samples.end(), played.begin() + std::ptrdiff_t(introFrames + loopFrames), played.end());
    levelMusic(music);
    return music;
}

MusicLevel measureMusic(const RenderedMusic& music) {
    double sum = 0, peak = 0;
    for (size_t i = music.loopBegin; i < music.samples.size(); ++i) {
        sum += double(music.samples[i]) * music.samples[i];
        peak = std::max(peak, double(std::abs(music.samples[i])));
    }
    const size_t loop = music.samples.size() - std::min<size_t>(music.loopBegin, music.samples.size());
    MusicLevel level;
    level.rmsDb = decibels(loop ? std::sqrt(sum / double(loop)) : 0);
    level.peakDb = decibels(peak);
    level.seconds = double(music.samples.size()) / kMusicRate;
    level.loopSeconds = double(loop) / kMusicRate;
    return level;
}

}  // namespace content
