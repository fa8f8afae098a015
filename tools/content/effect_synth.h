#pragma once
// Sound effects made from layers a person tunes in "sound/effects.txt": each
// layer is one oscillator (sine, square, triangle, saw) or noise, a pitch
// swept exponentially from one frequency to another, a start time and
// length, a linear attack, an exponential decay and a level. An effect is the
// sum of its layers, at 22,050 Hz.
//
// Threads: plain functions.

#include <map>
#include <string>
#include <vector>

#include "tools/content/content_context.h"

namespace content {

enum class Wave { Sine, Square, Triangle, Saw, Noise };

// A wave name of the content files; throws ContentError naming `file:line`.
Wave parseWave(const std::string& name, const std::string& where);
// One period of a wave at phase 0..1 (not noise).
float waveAt(Wave wave, double phase);

struct EffectLayer {
    Wave wave = Wave::Sine;
    double from = 440, to = 440;  // Hz; for noise, how often the level changes
    double start = 0, length = 0.1;
    double attack = 0.002;
    double decay = 0;  // seconds for the level to fall to 1/e; 0 holds
    double volume = 0.5;
};

// Layers by effect name.
std::map<std::string, std::vector<EffectLayer>> readEffects(const ContentContext& context);
std::vector<float> renderEffect(const std::vector<EffectLayer>& layers, uint32_t seed);

}  // namespace content
