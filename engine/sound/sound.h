#pragma once
// MSound, the engine's one sound object: plays the voice records of loaded
// sound archives in three fixed pools of voices (32, 8 and 1), with
// priorities, "uniq" keys, named play groups that pause, resume, stop and
// take a volume, and ids for the sounds that play. Without an audio device it
// runs silent: plays still hand out ids, and the sounds count as ended.
//
// It is a post-loop hook: once a frame it runs its fades and load tasks and
// drops the sounds whose voices have ended. Like every hook it needs a live
// looper when it is made.
//
// Threads: every member runs on the main thread. Only the voices' end
// notices arrive on the audio thread (see MSoundVoicePools).

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/sound/sound_id_counter.h"
#include "engine/sound/sound_voice_pools.h"
#include "engine/task/looper_hook.h"
#include "engine/task/task_set.h"

class MSoundAnimeBase;

class MSound final : public MLooperPostLoopHook {
public:
    class SoundConfig;
    class SoundArchive;

    // The caller's description of one playing.
    struct PlayRequest {
        float volume = 1.0f;
        float pitch = 0.0f;  // octaves added to the voice record's pitch
        float leftLevel = 1.0f;
        float rightLevel = 1.0f;
        float priority = 0.0f;  // 0: the voice record's
        std::string group;      // empty: the voice record's
        std::string uniqKey;    // empty: the voice record's
        uint32_t count = 1;     // carried along for the caller
    };

    // The one MSound, made on first use on the machine's sound device.
    static MSound* getInstance();
    // |v| to the power log2 3, sign kept; 0, 1 and -1 unchanged.
    static float volumeToGain(float v);
    // The inverse: |g| to the power log3 2, sign kept; 0, 1 and -1 unchanged.
    static float gainToVolume(float g);

    // A null engine runs silent. The newest MSound is the one getInstance answers.
    explicit MSound(std::unique_ptr<platform::AudioEngine> engine);
    ~MSound() override;
    MSound(const MSound&) = delete;
    MSound& operator=(const MSound&) = delete;

    // The id of the new sound, or -1 when nothing was started.
    int32_t play(const std::string& label, const std::string& name, const PlayRequest* request);
    // The oldest playing sound of that label and name, or -1.
    int32_t findSound(const std::string& label, const std::string& name) const;
    void setSoundVolume(int32_t id, const float& volume);
    float getGroupVolume(const std::string& group) const;
    void setGroupVolume(const std::string& group, const float& volume);
    void stopGroup(const std::string& group);
    // Stops every playing sound of that label and name.
    void stopSounds(const std::string& label, const std::string& name);
    void pauseGroup(const std::string& group);
    void resumeGroup(const std::string& group);
    // Fades the group's volume from `from` to `to` over `frames` frames.
    void fadeGroupVolume(const std::string& group, const float& from, const float& to, uint32_t frames);
    // Takes the fade and runs it from the next frame on; a running fade of
    // the same target ends at once, without applying its end value.
    void addAnime(MSoundAnimeBase* anime);

    // Once a frame: the fades, the load tasks, then the sounds whose voices
    // have ended since they were stopped are dropped.
    void postLoopHook() override;

    // Loads the sound document of that name (a file path) unless it is
    // loaded or loading already.
    void loadSoundFile(const std::string& name);
    // Loads the archive of that label, found in the first loaded document
    // that lists it, unless it is loaded or loading already.
    void loadArchive(const std::string& label);
    // Stops the archive's sounds and lets it go (see SoundConfig).
    void unloadArchive(const std::string& label);
    bool isLoaded(const std::string& label) const;
    // The config of that name, or null.
    const SoundConfig* findSoundConfig(const std::string& name) const;
    // The first loaded config that lists the label or holds an archive of it.
    SoundConfig* findConfigOfArchive(const std::string& label) const;

    // The config of that name, made (not loaded) when there is none yet.
    SoundConfig& enterSoundConfig(const std::string& name, const std::string& directory);
    bool silent() const { return pools_.silent(); }

private:
    friend class MSoundAnimeBase;
    struct Entry;
    using EntryList = std::list<std::unique_ptr<Entry>>;
    struct VoiceHit;

    VoiceHit findVoiceRecord(const std::string& label, const std::string& name) const;
    std::unique_ptr<Entry> makeEntry(const VoiceHit& hit, const std::string& name,
                                     const PlayRequest* request) const;
    bool applyUniqRule(const Entry& entry);
    bool collectSlots(const Entry& entry, std::vector<uint32_t>& slots);
    void waitForSlots(uint32_t device, const std::vector<uint32_t>& slots);
    bool slotsFree(uint32_t device, const std::vector<uint32_t>& slots) const;
    void forgetUnreportedEnds(uint32_t device, const std::vector<uint32_t>& slots);
    void startVoices(Entry& entry, const std::vector<uint32_t>& slots);
    void applyGain(const Entry& entry);
    EntryList::iterator stopVoice(EntryList::iterator it);
    void stopEnded();
    bool voicesEnded(const Entry& entry) const;
    void removeFinished();
    void flushPools() { pools_.flush(); }
    void setWanted(const Entry& entry, uint32_t state);
    void forgetAnime(const MSoundAnimeBase* anime);
    void stopArchiveSounds(const std::string& label);
    bool stoppingSoundUses(const SoundArchive& archive) const;

    std::map<std::string, std::unique_ptr<SoundConfig>> configs_;
    // Destroyed before the configs: a read still under way writes into them.
    MSerialTaskSet loadTasks_;
    // The fades in fades_, so a new one can end those of its target; a fade
    // leaves it when the set deletes it. Declared first: it outlives the set.
    std::vector<MSoundAnimeBase*> animes_;
    MParallelTaskSet fades_;
    float masterVolume_[2] = {1.0f, 1.0f};
    std::map<std::string, float> groupVolumes_;
    std::set<std::string> pausedGroups_;
    std::vector<std::vector<uint8_t>> poolFree_;
    EntryList playing_;
    EntryList stopping_;
    std::map<int32_t, Entry*> entriesById_;
    MSoundIdCounter ids_;
    MSoundVoicePools pools_;
};
