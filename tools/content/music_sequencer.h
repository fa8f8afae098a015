#pragma once
// The tiny sequencer of the music: scores in "music/<score>.txt" (format at
// the top of each score) played by a few voices of simple waves and noise,
// one step a sixteenth note. A score plays its intro patterns once and then
// its loop patterns for ever: the rendering holds the intro and one pass of
// the loop, whose start is the loop point; the loop pass is the second one
// played, so the notes still sounding at its end ring on at its start and
// the seam cannot be heard.
//
// "music/tunes.txt" gives each music name its score, key, tempo and which
// boss layer it is, and marks the tunes played for a whole stage; the
// arrangement (from "sound/music.csv") picks each voice's wave. Every
// rendering is levelled to one loudness: its loop's RMS at kMusicLevelDb.
//
// Threads: plain functions.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/content/content_context.h"
#include "tools/content/effect_synth.h"

namespace content {

enum class Layer { Both, First, Second };

struct ScoreVoice {
    std::string name;
    Wave waves[3] = {};  // by arrangement
    double volume = 0.2;
    double decay = 0;  // seconds to 1/e while held; 0 holds
    Layer layer = Layer::Both;
};

struct ScoreNote {
    int step = 0;
    int length = 1;
    int key = 0;  // MIDI key number; noise hits use it for their colour
};

struct Score {
    std::string name;
    double tempo = 120;
    std::vector<ScoreVoice> voices;
    std::vector<std::vector<ScoreNote>> notes;  // by voice, over intro then loop
    int introSteps = 0;
    int loopSteps = 0;
};

struct Tune {
    std::string score;
    int transpose = 0;        // semitones
    double tempoPercent = 100;
    Layer layer = Layer::Both;  // Both: every voice; First/Second: a boss layer
    bool wholeStage = false;    // played for a whole stage: its loop lasts kWholeStageLoopSeconds
};

// The loudness every tune is levelled to (RMS of its loop, dB full scale),
// the ceiling its peaks are held under, the most two tunes may differ, and
// the shortest loop of a tune that plays for a whole stage.
inline constexpr double kMusicLevelDb = -18.0;
inline constexpr double kMusicPeakDb = -0.5;
inline constexpr double kMusicLevelSpreadDb = 1.5;
inline constexpr double kWholeStageLoopSeconds = 30.0;

struct MusicLevel {
    double rmsDb = 0, peakDb = 0;    // of the loop
    double seconds = 0, loopSeconds = 0;
};

struct RenderedMusic {
    std::vector<float> samples;
    uint32_t loopBegin = 0;  // frames; the loop runs to the end
};

Score readScore(const ContentContext& context, const std::string& name);
std::map<std::string, Tune> readTunes(const ContentContext& context);
// Plays the tune and levels it (see kMusicLevelDb).
RenderedMusic renderTune(const Score& score, const Tune& tune, int arrangement);
MusicLevel measureMusic(const RenderedMusic& music);

}  // namespace content
