#include "engine/sound/sound_document_reader.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/base/win_app_settings.h"

namespace {

std::string composeText(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string composeText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::vector<char> text(size_t(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    return text.data();
}

bool hasId(const PSBValue& root, const char* id) {
    PSBValue value;
    return root.find("id", value) && value.kind() == PSBKind::String && std::strcmp(value.toString(), id) == 0;
}

std::string versionText(float version) { return composeText("%g", double(version)); }

std::span<const uint8_t> resourceBytes(const PSBValue& object, const char* key) {
    PSBValue value;
    if (!object.find(key, value)) return {};
    return {value.getResourceData(), value.getResourceSize()};
}

MSoundSampleData readSampleData(const PSBValue& archData) {
    MSoundSampleData sample;
    sample.format = resourceBytes(archData, "fmt");
    sample.data = resourceBytes(archData, "data");
    sample.wmaPacketBytes = resourceBytes(archData, "dpds");
    PSBValue loop;
    if (archData.find("loop", loop))
        sample.loop = MSoundSampleData::Loop{uint32_t(loop.at(0).toInt()), uint32_t(loop.at(1).toInt())};
    return sample;
}

MSoundChannelElement readChannel(const PSBValue& element) {
    MSoundChannelElement channel;
    PSBValue pan;
    if (element.find("pan", pan)) {
        channel.leftLevel = pan.at(0).toFloat();
        channel.rightLevel = pan.at(1).toFloat();
    }
    channel.sampleData = readSampleData(element.get("archData"));
    return channel;
}

float floatOr(const PSBValue& object, const char* key, float fallback) {
    PSBValue value;
    return object.find(key, value) ? value.toFloat() : fallback;
}

std::string textOr(const PSBValue& object, const char* key) {
    PSBValue value;
    return object.find(key, value) ? value.toString() : "";
}

MSoundVoiceRecord readVoice(const PSBValue& voice) {
    MSoundVoiceRecord record;
    record.device = uint32_t(voice.get("device").toInt());
    record.volume = floatOr(voice, "volume", 1.0f);
    record.pitch = floatOr(voice, "pitch", 0.0f);
    record.priority = floatOr(voice, "priority", 0.0f);
    record.group = textOr(voice, "group");
    record.uniqKey = textOr(voice, "uniq");
    const PSBValue channels = voice.get("channelList");
    for (uint32_t i = 0; i < channels.getCount(); ++i) record.channels.push_back(readChannel(channels.at(i)));
    return record;
}

}  // namespace

// The spec first: a document of another platform's spec is not looked at
// any further.
std::string checkSoundFileHeader(const PSBValue& root) {
    if (!hasId(root, "sound")) return {};
    const std::string spec = root.get("spec").toString();
    if (spec != M_SPEC)
        return composeText("sound file '%s' has not adaptive spec of sound file. export %s psb again.\n",
                           spec.c_str(), M_SPEC.c_str());
    const float version = root.get("version").toFloat();
    if (version < kSoundDocumentVersion)
        return composeText("sound file '%s' version is too old. update Tonewright, export sound file again.\n",
                           versionText(version).c_str());
    if (version > kSoundDocumentVersion)
        return composeText("sound file '%s' version is too new. update vantorlib.\n", versionText(version).c_str());
    return {};
}

std::string checkSoundArchiveHeader(const PSBValue& root, const std::string& label) {
    if (!hasId(root, "sound_archive")) return {};
    PSBValue named;
    const char* name = root.find("label", named) && named.kind() == PSBKind::String ? named.toString() : label.c_str();
    if (root.get("spec").toString() != M_SPEC)
        return composeText("sound_archive '%s' has not adaptive spec of sound_archive. export psb again.\n", name);
    const float version = root.get("version").toFloat();
    if (version < kSoundDocumentVersion)
        return composeText(
            "sound_archive '%s' version is too old. update Tonewright, export sound_archive again.\n", name);
    if (version > kSoundDocumentVersion)
        return composeText("sound_archive '%s' version is too new. update vantorlib.\n", name);
    return {};
}

std::map<std::string, MSoundVoiceRecord> readVoiceRecords(const PSBValue& root) {
    std::map<std::string, MSoundVoiceRecord> records;
    const PSBValue voices = root.get("voice");
    std::vector<std::string> names;
    voices.getKeys(names);
    for (const std::string& name : names) records.emplace(name, readVoice(voices.get(name)));
    return records;
}
