// Line texts from voice names, and their speech.
#include "tools/content/voice_lines.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "tools/content/content_lines.h"
#include "tools/content/front_words.h"
#include "tools/content/sound_samples.h"

namespace content {
namespace {

constexpr const char* kPhrases = "voice/phrases.txt";
constexpr const char* kSpeakers = "voice/speakers.txt";
constexpr const char* kNarrator = "narrator";

std::vector<std::string> splitName(const std::string& name) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t cut = name.find('_', start);
        parts.push_back(name.substr(start, cut - start));
        if (cut == std::string::npos) return parts;
        start = cut + 1;
    }
}

bool isCounter(const std::string& part) { return !part.empty() && std::isdigit(static_cast<unsigned char>(part[0])); }

struct NameParts {
    std::string speaker, kind;
    int index = 0;
};

NameParts nameParts(const std::string& name) {
    const std::vector<std::string> p = splitName(name);
    NameParts parts;
    size_t rest = 1;
    if (p[0] == "op") {
        parts = {kNarrator, "op"};
    } else if (p[0] == "ed" && p.size() > 3) {
        parts.kind = "ed_" + p[1];
        // ed_first_tr_<pilot>_..., ed_last_<pilot>_...; "no", "all": the narrator
        const std::string& who = p[1] == "first" ? (p[2] == "tr" ? p[3] : "no") : p[2];
        parts.speaker = who.size() == 1 ? "type" + who : kNarrator;
        rest = 2;
    } else {
        parts.speaker = p[0];
        for (; rest < p.size() && !isCounter(p[rest]); ++rest) {
            parts.kind += (parts.kind.empty() ? "" : "_") + p[rest];
        }
    }
    for (; rest < p.size() && !isCounter(p[rest]); ++rest) {}
    if (rest < p.size()) parts.index = std::atoi(p[rest].c_str());
    // A line cut in parts ("..._00a", "..._00b") says the next phrases.
    const char last = name.back();
    if (std::isalpha(static_cast<unsigned char>(last)) && isCounter(p.back())) parts.index += last - 'a';
    return parts;
}

std::map<std::string, std::vector<std::string>> readPhrases(const ContentContext& context) {
    std::map<std::string, std::vector<std::string>> phrases;
    for (const ContentLine& line : contentLines(context.readContent(kPhrases))) {
        const size_t bar = line.text.find(" | ");
        if (bar == std::string::npos || bar == 0 || line.text.size() == bar + 3) {
            throw ContentError(where(kPhrases, line, "expected: kind | phrase"));
        }
        phrases[line.text.substr(0, bar)].push_back(line.text.substr(bar + 3));
    }
    return phrases;
}

std::map<std::string, Speaker> readSpeakers(const ContentContext& context) {
    std::map<std::string, Speaker> speakers;
    for (const ContentLine& line : contentLines(context.readContent(kSpeakers))) {
        const std::vector<std::string> f = splitFields(line.text);
        if (f.size() != 5) throw ContentError(where(kSpeakers, line, "expected: speaker voice pitch range rate"));
        Speaker s{f[1], int(parseNumber(f[2], kSpeakers, line)), int(parseNumber(f[3], kSpeakers, line)),
                  int(parseNumber(f[4], kSpeakers, line))};
        if (s.pitch < 0 || s.pitch > 100 || s.range < 0 || s.range > 100 || s.rate < 80 || s.rate > 450) {
            throw ContentError(where(kSpeakers, line, "pitch and range are 0 to 100, rate 80 to 450"));
        }
        speakers[f[0]] = s;
    }
    return speakers;
}

// Synthesis output of the current line; eSpeak calls back on this thread.
std::vector<float>* gSpeech = nullptr;

int collectSpeech(short* samples, int count, espeak_EVENT*) {
    for (int i = 0; samples != nullptr && i < count; ++i) gSpeech->push_back(float(samples[i]) / 32768.0f);
    return 0;
}

// Trailing silence is dropped; a short fade keeps the end clean.
void trimSilence(std::vector<float>& samples) {
    while (!samples.empty() && std::abs(samples.back()) < 1.0f / 4096) samples.pop_back();
    const size_t fade = std::min<size_t>(samples.size(), kVoiceRate / 200);
    for (size_t i = 0; i < fade; ++i) samples[samples.size() - 1 - i] *= float(i) / float(fade);
}

const std::string& phraseOf(const std::map<std::string, std::vector<std::string>>& phrases, const NameParts& parts,
                            const std::string& name) {
    auto found = phrases.find(parts.speaker + "/" + parts.kind);
    if (found == phrases.end()) found = phrases.find(parts.kind);
    if (found == phrases.end()) {
        throw ContentError(std::string(kPhrases) + ": no phrases for kind " + parts.kind + " (for " + name + ")");
    }
    const auto& list = found->second;
    return list[size_t(parts.index) % list.size()];
}

// The words of the front end's spoken lines (the stage results' and the game
// over's) are their own file's: the text written and the text spoken are one.
const std::string& spokenText(const std::map<std::string, std::string>& spoken,
                              const std::map<std::string, std::vector<std::string>>& phrases, const std::string& name) {
    const auto found = spoken.find(name);
    return found != spoken.end() ? found->second : phraseOf(phrases, nameParts(name), name);
}

// Kana lines are spoken by the Japanese voice of the speaker's variant
// ("en+m3" -> "ja+m3"); the row break is a pause.
bool isKanaText(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}
std::string kanaVoice(const std::string& voice) {
    const size_t plus = voice.find('+');
    return "ja" + (plus == std::string::npos ? std::string() : voice.substr(plus));
}
std::string speechOf(std::string text) {
    const std::string yen = "\xEF\xBF\xA5", comma = "\xE3\x80\x81";
    for (size_t at = text.find(yen); at != std::string::npos; at = text.find(yen, at)) text.replace(at, yen.size(), comma);
    return text;
}

}  // namespace

VoiceScript writeVoiceScript(const ContentContext& context, const std::vector<std::string>& names) {
    VoiceScript script;
    script.speakers = readSpeakers(context);
    const auto phrases = readPhrases(context);
    const auto spoken = readSpokenWords(context);
    for (const std::string& name : names) {
        const NameParts parts = nameParts(name);
        if (!script.speakers.contains(parts.speaker)) {
            throw ContentError(std::string(kSpeakers) + ": no speaker " + parts.speaker + " (for " + name + ")");
        }
        script.lines.push_back({name, parts.speaker, spokenText(spoken, phrases, name)});
    }
    return script;
}

std::vector<std::string> writeLineTexts(const ContentContext& context, const std::vector<std::string>& names) {
    const auto phrases = readPhrases(context);
    const auto spoken = readSpokenWords(context);
    std::vector<std::string> texts;
    for (const std::string& name : names) texts.push_back(spokenText(spoken, phrases, name));
    return texts;
}

std::vector<std::vector<float>> synthesiseLines(const VoiceScript& script) {
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate != kVoiceRate) {
        throw ContentError("eSpeak NG did not start at 22050 Hz (install espeak-ng-data, libespeak-ng-dev)");
    }
    espeak_SetSynthCallback(collectSpeech);
    std::vector<std::vector<float>> speech(script.lines.size());
    for (size_t i = 0; i < script.lines.size(); ++i) {
        const VoiceLine& line = script.lines[i];
        const Speaker& s = script.speakers.at(line.speaker);
        const bool kana = isKanaText(line.text);
        const std::string voice = kana ? kanaVoice(s.voice) : s.voice;
        if (espeak_SetVoiceByName(voice.c_str()) != EE_OK) {
            throw ContentError(std::string(kSpeakers) + ": eSpeak NG has no voice " + voice);
        }
        espeak_SetParameter(espeakRATE, s.rate, 0);
        espeak_SetParameter(espeakPITCH, s.pitch, 0);
        espeak_SetParameter(espeakRANGE, s.range, 0);
        espeak_SetParameter(espeakVOLUME, 100, 0);
        // eSpeak's noise draws on rand(): each line starts from the same seed,
        // so a line sounds the same whatever ran before it in this process.
        std::srand(1);
        gSpeech = &speech[i];
        const std::string said = kana ? speechOf(line.text) : line.text;
        espeak_Synth(said.c_str(), said.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
        espeak_Synchronize();
        gSpeech = nullptr;
        trimSilence(speech[i]);
        if (speech[i].empty()) throw ContentError(line.name + ": eSpeak NG made no sound of \"" + line.text + "\"");
    }
    espeak_Terminate();
    return speech;
}

}  // namespace content
