#include "tools/psbwriter/sound_document.h"

namespace psbwriter {

namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, uint16_t(v));
    put16(out, uint16_t(v >> 16));
}

Object header(const char* id, const SoundHeader& h) {
    return Object{{"id", id}, {"spec", h.spec}, {"version", h.version}};
}

Value sampleData(const SoundSample& sample) {
    Object data{{"fmt", Resource{sample.format}}, {"data", Resource{sample.data}}};
    if (sample.loop) data["loop"] = List{sample.loop->begin, sample.loop->length};
    if (!sample.wmaPacketBytes.empty()) data["dpds"] = Resource{sample.wmaPacketBytes};
    return data;
}

Value channel(const SoundChannel& c) {
    Object element{{"archData", sampleData(c.sample)}};
    if (c.left != 1.0f || c.right != 1.0f) element["pan"] = List{c.left, c.right};
    return element;
}

Value voice(const SoundVoice& v) {
    List channels;
    for (const SoundChannel& c : v.channels) channels.push_back(channel(c));
    Object out{{"device", v.device}, {"channelList", std::move(channels)}};
    if (v.volume != 1.0f) out["volume"] = v.volume;
    if (v.pitch != 0.0f) out["pitch"] = v.pitch;
    if (v.priority != 0.0f) out["priority"] = v.priority;
    if (!v.group.empty()) out["group"] = v.group;
    if (!v.uniq.empty()) out["uniq"] = v.uniq;
    return out;
}

}  // namespace

std::vector<uint8_t> pcmFormat(uint16_t channels, uint32_t samplesPerSecond, uint16_t bitsPerSample) {
    const uint16_t blockAlign = uint16_t(channels * bitsPerSample / 8);
    std::vector<uint8_t> out;
    put16(out, 1);
    put16(out, channels);
    put32(out, samplesPerSecond);
    put32(out, samplesPerSecond * blockAlign);
    put16(out, blockAlign);
    put16(out, bitsPerSample);
    put16(out, 0);
    return out;
}

Value soundDocument(const std::vector<std::string>& labels, const SoundHeader& h) {
    Object archives;
    for (const std::string& label : labels) archives[label] = Object{};
    Object root = header("sound", h);
    root["archive"] = std::move(archives);
    return root;
}

Value soundArchive(const std::string& label, const std::map<std::string, SoundVoice>& voices,
                   const SoundHeader& h) {
    Object records;
    for (const auto& [name, v] : voices) records[name] = voice(v);
    Object root = header("sound_archive", h);
    root["label"] = label;
    root["voice"] = std::move(records);
    return root;
}

}  // namespace psbwriter
