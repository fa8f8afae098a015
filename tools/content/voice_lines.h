#pragma once
// Spoken lines: each voice name gets one short English line (also the
// subtitle text) and a speaker. "voice/phrases.txt" holds the phrases per
// event kind, "voice/speakers.txt" the eSpeak NG voice of each speaker. A
// name such as "typea_miss_03_00" is speaker "typea", kind "miss", line 3;
// the opening ("op_") and the ending ("ed_first_", "ed_last_") take the
// kinds "op", "ed_first" and "ed_last", spoken by the pilot the name gives
// or else by the narrator. The leaders' and parting lines (words/) say
// their own files' texts, in kana, with the Japanese voice of the
// speaker's variant.
//
// Threads: plain functions; synthesiseLines runs eSpeak NG, which keeps
// global state, on the calling thread only.

#include <map>
#include <string>
#include <vector>

#include "tools/content/content_context.h"

namespace content {

struct Speaker {
    std::string voice;  // eSpeak NG voice name, such as "en+m3"
    int pitch = 50, range = 50, rate = 175;
};

struct VoiceLine {
    std::string name;
    std::string speaker;
    std::string text;
};

struct VoiceScript {
    std::map<std::string, Speaker> speakers;
    std::vector<VoiceLine> lines;
};

VoiceScript writeVoiceScript(const ContentContext& context, const std::vector<std::string>& names);
// What each voice says, from the phrases alone (the subtitles need no voice).
std::vector<std::string> writeLineTexts(const ContentContext& context, const std::vector<std::string>& names);

// One mono float buffer a line, at 22,050 Hz, in the order of the lines.
std::vector<std::vector<float>> synthesiseLines(const VoiceScript& script);

}  // namespace content
