#include "engine/sound/sound.h"

#include <algorithm>
#include <cmath>

#include "engine/sound/sound_anime.h"
#include "engine/sound/sound_config.h"
#include "engine/sound/sound_entry.h"

namespace {

MSound* g_sound = nullptr;

const float kLn2 = std::log(2.0f);
const float kLn3 = std::log(3.0f);

// A taken-over sound frees its slots once its voices report their end. Our
// audio layer reports at once on the flush, so one round is normally enough;
// past this many rounds a voice that never reports is taken as ended rather
// than let the main thread wait for ever.
constexpr int kSlotWaitRounds = 2;

}  // namespace

struct MSound::VoiceHit {
    SoundConfig* config = nullptr;
    SoundArchive* archive = nullptr;
    const MSoundVoiceRecord* record = nullptr;
};

MSound* MSound::getInstance() {
    if (g_sound == nullptr) new MSound(platform::openAudioDevice());
    return g_sound;
}

float MSound::volumeToGain(float v) {
    if (v == 0.0f || v == 1.0f || v == -1.0f) return v;
    return std::copysign(std::pow(3.0f, std::log(std::fabs(v)) / kLn2), v);
}

float MSound::gainToVolume(float g) {
    if (g == 0.0f || g == 1.0f || g == -1.0f) return g;
    return std::copysign(std::pow(2.0f, std::log(std::fabs(g)) / kLn3), g);
}

MSound::MSound(std::unique_ptr<platform::AudioEngine> engine) : pools_(std::move(engine)) {
    for (uint32_t size : MSoundVoicePools::kPoolSizes) poolFree_.emplace_back(size, 1);
    g_sound = this;
}

MSound::~MSound() {
    if (g_sound == this) g_sound = nullptr;
}

MSound::SoundConfig& MSound::enterSoundConfig(const std::string& name, const std::string& directory) {
    auto& config = configs_[name];
    if (!config) config = std::make_unique<SoundConfig>(*this, name, directory);
    return *config;
}

void MSound::loadSoundFile(const std::string& name) {
    if (configs_.contains(name)) return;
    const size_t slash = name.find_last_of("/\\");
    enterSoundConfig(name, slash == std::string::npos ? "" : name.substr(0, slash)).load();
}

void MSound::loadArchive(const std::string& label) {
    SoundConfig* config = findConfigOfArchive(label);
    if (config == nullptr || config->archive(label) != nullptr) return;
    config->addArchive(label).load();
}

void MSound::unloadArchive(const std::string& label) {
    if (SoundConfig* config = findConfigOfArchive(label)) config->unloadArchive(label);
}

bool MSound::isLoaded(const std::string& label) const {
    const SoundConfig* config = findConfigOfArchive(label);
    const SoundArchive* archive = config ? config->archive(label) : nullptr;
    return archive != nullptr && archive->loaded();
}

const MSound::SoundConfig* MSound::findSoundConfig(const std::string& name) const {
    const auto it = configs_.find(name);
    return it == configs_.end() ? nullptr : it->second.get();
}

MSound::SoundConfig* MSound::findConfigOfArchive(const std::string& label) const {
    for (const auto& [name, config] : configs_)
        if (config->loaded() && (config->listsArchive(label) || config->archive(label) != nullptr))
            return config.get();
    return nullptr;
}

void MSound::stopArchiveSounds(const std::string& label) {
    for (auto it = playing_.begin(); it != playing_.end();)
        it = (*it)->label == label ? stopVoice(it) : std::next(it);
    flushPools();
    removeFinished();
}

bool MSound::stoppingSoundUses(const SoundArchive& archive) const {
    return std::any_of(stopping_.begin(), stopping_.end(),
                       [&archive](const auto& entry) { return entry->archive == &archive; });
}

int32_t MSound::play(const std::string& label, const std::string& name, const PlayRequest* request) {
    stopEnded();
    removeFinished();
    const VoiceHit hit = findVoiceRecord(label, name);
    if (hit.record == nullptr) {
        flushPools();
        return -1;
    }
    std::unique_ptr<Entry> entry = makeEntry(hit, name, request);
    std::vector<uint32_t> slots;
    if (!applyUniqRule(*entry) || !collectSlots(*entry, slots)) {
        flushPools();
        return -1;
    }
    slots.resize(entry->channels.size());
    waitForSlots(entry->device, slots);
    startVoices(*entry, slots);
    applyGain(*entry);
    flushPools();
    entry->id = ids_.next([this](int32_t id) { return entriesById_.contains(id); });
    entriesById_[entry->id] = entry.get();
    playing_.push_back(std::move(entry));
    return playing_.back()->id;
}

MSound::VoiceHit MSound::findVoiceRecord(const std::string& label, const std::string& name) const {
    for (const auto& [configName, config] : configs_) {
        if (!config->loaded()) continue;
        if (!label.empty()) {
            SoundArchive* archive = config->archive(label);
            if (archive == nullptr) continue;
            if (const MSoundVoiceRecord* record = archive->findVoice(name))
                return {config.get(), archive, record};
            continue;
        }
        for (const auto& [archiveLabel, archive] : config->archives())
            if (const MSoundVoiceRecord* record = archive->findVoice(name))
                return {config.get(), archive.get(), record};
    }
    return {};
}

std::unique_ptr<MSound::Entry> MSound::makeEntry(const VoiceHit& hit, const std::string& name,
                                                 const PlayRequest* request) const {
    auto entry = std::make_unique<Entry>();
    const MSoundVoiceRecord& record = *hit.record;
    entry->device = record.device;
    entry->config = hit.config;
    entry->archive = hit.archive;
    entry->label = hit.archive->label();
    entry->name = name;
    entry->record = hit.record;
    if (request != nullptr) entry->request = *request;
    PlayRequest& r = entry->request;
    if (r.group.empty()) r.group = record.group;
    if (r.uniqKey.empty()) r.uniqKey = record.uniqKey;
    if (r.priority == 0.0f) r.priority = record.priority;
    const auto volume = groupVolumes_.find(r.group);
    entry->groupVolume = volume == groupVolumes_.end() ? 1.0f : volume->second;
    if (pausedGroups_.contains(r.group)) entry->pauseFlags = Entry::kGroupPaused;
    for (const MSoundChannelElement& element : record.channels)
        entry->channels.emplace_back(&element, 0);
    return entry;
}

// A sound of the same label and uniq key gives way unless it has the greater
// priority, in which case the new one does not play.
bool MSound::applyUniqRule(const Entry& entry) {
    const std::string& key = entry.request.uniqKey;
    if (key.empty()) return true;
    for (auto it = playing_.begin(); it != playing_.end();) {
        const Entry& other = **it;
        if (other.label != entry.label || other.request.uniqKey != key) {
            ++it;
            continue;
        }
        if (other.request.priority > entry.request.priority) return false;
        it = stopVoice(it);
    }
    return true;
}

// Free slots first, then the whole slots of the oldest sounds of the same pool
// that don't have a greater priority.
bool MSound::collectSlots(const Entry& entry, std::vector<uint32_t>& slots) {
    if (entry.device >= MSoundVoicePools::kPoolCount) return false;
    const size_t needed = entry.channels.size();
    const std::vector<uint8_t>& free = poolFree_[entry.device];
    for (uint32_t s = 0; s < free.size() && slots.size() < needed; ++s)
        if (free[s] != 0) slots.push_back(s);
    for (auto it = playing_.begin(); it != playing_.end() && slots.size() < needed;) {
        const Entry& other = **it;
        if (other.device != entry.device || other.request.priority > entry.request.priority) {
            ++it;
            continue;
        }
        for (const auto& channel : other.channels) slots.push_back(channel.second);
        it = stopVoice(it);
    }
    return slots.size() >= needed;
}

void MSound::waitForSlots(uint32_t device, const std::vector<uint32_t>& slots) {
    for (int round = 0; round < kSlotWaitRounds && !slotsFree(device, slots); ++round) {
        flushPools();
        removeFinished();
    }
    if (slotsFree(device, slots)) return;
    forgetUnreportedEnds(device, slots);
    removeFinished();
}

bool MSound::slotsFree(uint32_t device, const std::vector<uint32_t>& slots) const {
    for (uint32_t slot : slots)
        if (poolFree_[device][slot] == 0) return false;
    return true;
}

// The stopping sounds that still hold the slots were flushed and are silent;
// their voices are destroyed when the slots are reused.
void MSound::forgetUnreportedEnds(uint32_t device, const std::vector<uint32_t>& slots) {
    for (const auto& entry : stopping_) {
        if (entry->device != device) continue;
        for (const auto& [element, slot] : entry->channels)
            if (std::find(slots.begin(), slots.end(), slot) != slots.end())
                for (const auto& channel : entry->channels) pools_.forgetEnd(device, channel.second);
    }
}

void MSound::startVoices(Entry& entry, const std::vector<uint32_t>& slots) {
    for (size_t k = 0; k < entry.channels.size(); ++k) {
        const uint32_t slot = slots[k];
        entry.channels[k].second = slot;
        poolFree_[entry.device][slot] = 0;
        pools_.start(entry.device, slot, entry.channels[k].first->sampleData);
        if (entry.pauseFlags != 0) pools_.setWanted(entry.device, slot, 0);
    }
}

void MSound::applyGain(const Entry& entry) {
    const PlayRequest& r = entry.request;
    const float volume = r.volume * entry.record->volume * entry.groupVolume * masterVolume_[0] *
                         masterVolume_[1];
    const float ratio = std::exp2(entry.record->pitch + r.pitch);
    for (const auto& [element, slot] : entry.channels) {
        const float left = r.leftLevel * element->leftLevel;
        const float right = element->rightLevel * r.rightLevel;
        pools_.setGain(entry.device, slot, ratio, volume * left, volume * right);
    }
}

MSound::EntryList::iterator MSound::stopVoice(EntryList::iterator it) {
    Entry& entry = **it;
    for (const auto& [element, slot] : entry.channels) {
        if (!pools_.hasVoice(entry.device, slot)) continue;
        if (entry.pauseFlags != 0) pools_.setWanted(entry.device, slot, 1);
        pools_.setWanted(entry.device, slot, 0);
        pools_.requestStop(entry.device, slot);
    }
    entriesById_.erase(entry.id);
    stopping_.push_back(std::move(*it));
    return playing_.erase(it);
}

void MSound::stopEnded() {
    for (auto it = playing_.begin(); it != playing_.end();)
        it = voicesEnded(**it) ? stopVoice(it) : std::next(it);
}

bool MSound::voicesEnded(const Entry& entry) const {
    for (const auto& [element, slot] : entry.channels)
        if (pools_.isPlaying(entry.device, slot)) return false;
    return true;
}

void MSound::removeFinished() {
    for (auto it = stopping_.begin(); it != stopping_.end();) {
        const Entry& entry = **it;
        if (!voicesEnded(entry)) {
            ++it;
            continue;
        }
        for (const auto& [element, slot] : entry.channels) poolFree_[entry.device][slot] = 1;
        it = stopping_.erase(it);
    }
}

int32_t MSound::findSound(const std::string& label, const std::string& name) const {
    for (const auto& entry : playing_)
        if (entry->label == label && entry->name == name) return entry->id;
    return -1;
}

void MSound::setSoundVolume(int32_t id, const float& volume) {
    const auto it = entriesById_.find(id);
    if (id == -1 || it == entriesById_.end()) return;
    Entry& entry = *it->second;
    if (entry.request.volume == volume) return;
    entry.request.volume = volume;
    applyGain(entry);
    flushPools();
}

float MSound::getGroupVolume(const std::string& group) const {
    const auto it = groupVolumes_.find(group);
    return it == groupVolumes_.end() ? 1.0f : it->second;
}

void MSound::setGroupVolume(const std::string& group, const float& volume) {
    if (volume == 1.0f) {
        if (groupVolumes_.erase(group) == 0) return;
    } else {
        const auto [it, added] = groupVolumes_.try_emplace(group, volume);
        if (!added && it->second == volume) return;
        it->second = volume;
    }
    for (const auto& entry : playing_) {
        if (entry->request.group != group) continue;
        entry->groupVolume = volume;
        applyGain(*entry);
    }
    flushPools();
}

void MSound::stopGroup(const std::string& group) {
    for (auto it = playing_.begin(); it != playing_.end();)
        it = (*it)->request.group == group ? stopVoice(it) : std::next(it);
    flushPools();
    removeFinished();
}

void MSound::stopSounds(const std::string& label, const std::string& name) {
    for (auto it = playing_.begin(); it != playing_.end();)
        it = (*it)->label == label && (*it)->name == name ? stopVoice(it) : std::next(it);
    flushPools();
    removeFinished();
}

void MSound::pauseGroup(const std::string& group) {
    if (!pausedGroups_.insert(group).second) return;
    for (const auto& entry : playing_) {
        if (entry->request.group != group) continue;
        const bool wasRunning = entry->pauseFlags == 0;
        entry->pauseFlags |= Entry::kGroupPaused;
        if (wasRunning) setWanted(*entry, 0);
    }
    flushPools();
}

void MSound::resumeGroup(const std::string& group) {
    if (pausedGroups_.erase(group) == 0) return;
    for (const auto& entry : playing_) {
        if (entry->request.group != group) continue;
        entry->pauseFlags &= ~Entry::kGroupPaused;
        if (entry->pauseFlags == 0) setWanted(*entry, 1);
    }
    flushPools();
}

void MSound::setWanted(const Entry& entry, uint32_t state) {
    for (const auto& [element, slot] : entry.channels) pools_.setWanted(entry.device, slot, state);
}

void MSound::fadeGroupVolume(const std::string& group, const float& from, const float& to,
                             uint32_t frames) {
    addAnime(new MSoundGroupVolumeAnime(group, from, to, frames));
}

void MSound::addAnime(MSoundAnimeBase* anime) {
    for (MSoundAnimeBase* running : animes_)
        if (anime->sameTarget(*running)) running->setState(MTask::kFinished);
    anime->sound_ = this;
    animes_.push_back(anime);
    fades_.add(anime);
}

void MSound::forgetAnime(const MSoundAnimeBase* anime) {
    std::erase(animes_, anime);
}

void MSound::postLoopHook() {
    fades_.update();
    loadTasks_.update();
    removeFinished();
    for (const auto& [name, config] : configs_) config->step();
}
