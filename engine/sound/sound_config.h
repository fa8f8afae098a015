#pragma once
// A sound document and its archives as MSound loads them and looks voices up
// in: a config (one document, by the name it was requested under) lists the
// archives by label, and holds those loaded so far; a loaded archive answers
// voice records by name. Each is loaded by a file load task followed by a
// parse step on MSound's load queue. An unloaded archive whose sounds are
// still stopping waits in its config's released list until they have ended.
//
// Threads: main thread only, except the document slot and the read status of
// a config or archive, which the file read writes from its background run
// (see sound_file_load_task.h).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/file_read_request.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_voice_record.h"

class MSoundFileLoadTask;
class PSBObject;

class MSound::SoundArchive {
public:
    SoundArchive(SoundConfig& config, std::string label);
    ~SoundArchive();
    SoundArchive(const SoundArchive&) = delete;
    SoundArchive& operator=(const SoundArchive&) = delete;

    const std::string& label() const { return label_; }
    // The config's directory, "/", the label and ".psb".
    const std::string& fileName() const { return fileName_; }
    bool loaded() const { return loaded_; }
    void setLoaded(bool loaded) { loaded_ = loaded; }
    // The spec or version warning composed when it was read (never shown).
    const std::string& warning() const { return warning_; }

    // Only a loaded archive answers; names match byte for byte.
    const MSoundVoiceRecord* findVoice(const std::string& name) const;
    void addVoice(const std::string& name, MSoundVoiceRecord record);

    // Queues the file load and the parse step.
    void load();
    // The parse step: the voices of the document read, or, when the read
    // failed, the archive unloads itself (the last thing it does).
    void readSoundArchive();
    // Stops a load still under way; the parse step then reads nothing.
    void cancelLoad();

private:
    SoundConfig& config_;
    PSBObject* document_ = nullptr;  // written by the file read
    std::string label_;
    bool loaded_ = false;
    std::map<std::string, MSoundVoiceRecord> voices_;
    std::string fileName_;
    // Until the parse step: the load task, alive in the load queue before it.
    MSoundFileLoadTask* loadTask_ = nullptr;
    MReadStatus status_{kReadQueued};
    std::string warning_;
};

class MSound::SoundConfig {
public:
    // `directory`: the name up to its last slash or backslash.
    SoundConfig(MSound& sound, std::string name, std::string directory);
    ~SoundConfig();
    SoundConfig(const SoundConfig&) = delete;
    SoundConfig& operator=(const SoundConfig&) = delete;

    const std::string& name() const { return name_; }
    const std::string& directory() const { return directory_; }
    bool loaded() const { return loaded_; }
    void setLoaded(bool loaded) { loaded_ = loaded; }
    const std::string& warning() const { return warning_; }

    SoundArchive* archive(const std::string& label) const;
    SoundArchive& addArchive(const std::string& label);
    const std::map<std::string, std::unique_ptr<SoundArchive>>& archives() const {
        return archives_;
    }
    // Whether the document's "archive" object has the label.
    bool listsArchive(const std::string& label) const;

    // Queues the file load and the parse step.
    void load();
    // The parse step: the document's spec and version checked.
    void readSoundFile();
    // Takes the archive out and releases it: a load still under way is
    // cancelled, its playing sounds are stopped, and it is deleted at once
    // or, while a stopping sound still plays from it, by a later step.
    void unloadArchive(const std::string& label);
    void unloadArchive(const SoundArchive& archive);
    // Once a frame: deletes the released archives nothing plays from.
    void step();
    size_t releasedArchives() const { return released_.size(); }

    MSound& sound() const { return sound_; }

private:
    void release(std::unique_ptr<SoundArchive> archive);

    MSound& sound_;
    std::string name_;
    std::string directory_;
    PSBObject* document_ = nullptr;  // written by the file read
    bool loaded_ = false;
    std::map<std::string, std::unique_ptr<SoundArchive>> archives_;
    std::vector<std::unique_ptr<SoundArchive>> released_;
    MReadStatus status_{kReadQueued};
    std::string warning_;
};
