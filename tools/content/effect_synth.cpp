// Reading and rendering the effect layers.
#include "tools/content/effect_synth.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "tools/content/content_lines.h"
#include "tools/content/sound_samples.h"

namespace content {
namespace {

constexpr const char* kEffects = "sound/effects.txt";
// Every layer ends in a short linear fade so a cut never clicks.
constexpr double kRelease = 0.004;

double parseDecimal(const std::string& field, const ContentLine& line) {
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    if (field.empty() || *end != '\0' || !std::isfinite(value) || value < 0) {
        throw ContentError(where(kEffects, line, "\"" + field + "\" is not a number of 0 or more"));
    }
    return value;
}

void addLayer(std::vector<float>& out, const EffectLayer& layer, NoiseSource& noise) {
    const auto first = size_t(layer.start * kEffectRate);
    const auto count = size_t(layer.length * kEffectRate);
    if (out.size() < first + count) out.resize(first + count, 0.0f);
    double phase = 0;
    float held = noise.next();
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / kEffectRate;
        const double frequency = layer.from * std::pow(layer.to / layer.from, t / layer.length);
        phase += frequency / kEffectRate;
        if (layer.wave == Wave::Noise && phase >= 1.0) held = noise.next();
        phase -= std::floor(phase);
        double level = layer.volume;
        if (t < layer.attack) level *= t / layer.attack;
        if (layer.decay > 0) level *= std::exp(-t / layer.decay);
        const double left = layer.length - t;
        if (left < kRelease) level *= left / kRelease;
        const float value = layer.wave == Wave::Noise ? held : waveAt(layer.wave, phase);
        out[first + i] += float(level * value);
    }
}

}  // namespace

Wave parseWave(const std::string& name, const std::string& where) {
    static const std::map<std::string, Wave> kWaves = {{"sine", Wave::Sine}, {"square", Wave::Square},
                                                       {"triangle", Wave::Triangle}, {"saw", Wave::Saw},
                                                       {"noise", Wave::Noise}};
    const auto found = kWaves.find(name);
    if (found == kWaves.end()) {
        throw ContentError(where + ": \"" + name + "\" is not a wave (sine, square, triangle, saw, noise)");
    }
    return found->second;
}

float waveAt(Wave wave, double phase) {
    switch (wave) {
        case Wave::Sine: return float(std::sin(2 * std::numbers::pi * phase));
        case Wave::Square: return phase < 0.5 ? 0.5f : -0.5f;
        case Wave::Triangle: return float(phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase);
        case Wave::Saw: return float(phase - 0.5);
        case Wave::Noise: break;
    }
    return 0.0f;
}

std::map<std::string, std::vector<EffectLayer>> readEffects(const ContentContext& context) {
    std::map<std::string, std::vector<EffectLayer>> effects;
    for (const ContentLine& line : contentLines(context.readContent(kEffects))) {
        const std::vector<std::string> f = splitFields(line.text);
        if (f.size() != 9) {
            throw ContentError(where(kEffects, line, "expected: name wave from to start length attack decay volume"));
        }
        EffectLayer layer;
        layer.wave = parseWave(f[1], std::string(kEffects) + ":" + std::to_string(line.number));
        layer.from = parseDecimal(f[2], line);
        layer.to = parseDecimal(f[3], line);
        layer.start = parseDecimal(f[4], line);
        layer.length = parseDecimal(f[5], line);
        layer.attack = parseDecimal(f[6], line);
        layer.decay = parseDecimal(f[7], line);
        layer.volume = parseDecimal(f[8], line);
        if (layer.from <= 0 || layer.to <= 0 || layer.length <= 0 || layer.length > 10) {
            throw ContentError(where(kEffects, line, "frequencies must be above 0 and lengths 0 to 10 s"));
        }
        effects[f[0]].push_back(layer);
    }
    return effects;
}

std::vector<float> renderEffect(const std::vector<EffectLayer>& layers, uint32_t seed) {
    std::vector<float> out;
    NoiseSource noise(seed);
    for (const EffectLayer& layer : layers) addLayer(out, layer, noise);
    return out;
}

}  // namespace content
