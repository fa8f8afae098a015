#pragma once
// A sound document and its archives as MSound looks them up to play: a config
// (one document, by the name it was requested under) holds archives by label,
// and a loaded archive answers voice records by name. The loader fills them.
//
// Threads: main thread only.

#include <map>
#include <memory>
#include <string>

#include "engine/sound/sound.h"
#include "engine/sound/sound_voice_record.h"

class MSound::SoundArchive {
public:
    explicit SoundArchive(std::string label) : label_(std::move(label)) {}

    const std::string& label() const { return label_; }
    bool loaded() const { return loaded_; }
    void setLoaded(bool loaded) { loaded_ = loaded; }

    // Only a loaded archive answers; names match byte for byte.
    const MSoundVoiceRecord* findVoice(const std::string& name) const;
    void addVoice(const std::string& name, MSoundVoiceRecord record);

private:
    std::string label_;
    bool loaded_ = false;
    std::map<std::string, MSoundVoiceRecord> voices_;
};

class MSound::SoundConfig {
public:
    SoundConfig(std::string name, std::string directory)
        : name_(std::move(name)), directory_(std::move(directory)) {}

    const std::string& name() const { return name_; }
    const std::string& directory() const { return directory_; }
    bool loaded() const { return loaded_; }
    void setLoaded(bool loaded) { loaded_ = loaded; }

    SoundArchive* archive(const std::string& label) const;
    SoundArchive& addArchive(const std::string& label);
    const std::map<std::string, std::unique_ptr<SoundArchive>>& archives() const {
        return archives_;
    }

private:
    std::string name_;
    std::string directory_;
    bool loaded_ = false;
    std::map<std::string, std::unique_ptr<SoundArchive>> archives_;
};
