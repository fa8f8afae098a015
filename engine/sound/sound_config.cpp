#include "engine/sound/sound_config.h"

#include "engine/data/psb_object.h"
#include "engine/sound/sound_document_reader.h"
#include "engine/sound/sound_file_load_task.h"
#include "engine/task/call_task.h"

MSound::SoundArchive::SoundArchive(SoundConfig& config, std::string label)
    : config_(config), label_(std::move(label)), fileName_(config.directory() + "/" + label_ + ".psb") {}

MSound::SoundArchive::~SoundArchive() { delete document_; }

const MSoundVoiceRecord* MSound::SoundArchive::findVoice(const std::string& name) const {
    if (!loaded_) return nullptr;
    const auto it = voices_.find(name);
    return it == voices_.end() ? nullptr : &it->second;
}

void MSound::SoundArchive::addVoice(const std::string& name, MSoundVoiceRecord record) {
    voices_.insert_or_assign(name, std::move(record));
}

void MSound::SoundArchive::load() {
    loadTask_ = new MSoundFileLoadFromFileTask(fileName_, &document_, &status_);
    MSerialTaskSet& tasks = config_.sound().loadTasks_;
    tasks.add(loadTask_);
    tasks.add(new MCallTask0<SoundArchive>(this, &SoundArchive::readSoundArchive));
}

void MSound::SoundArchive::cancelLoad() {
    if (loadTask_) loadTask_->cancel();
}

void MSound::SoundArchive::readSoundArchive() {
    loaded_ = true;
    loadTask_ = nullptr;
    const int32_t status = status_.load(std::memory_order_acquire);
    if (status == kReadNotFound || status == kReadUndecodable) {
        config_.unloadArchive(*this);  // deletes this archive
        return;
    }
    if (status != kReadDone || document_ == nullptr) return;
    const PSBValue root = document_->root();
    warning_ = checkSoundArchiveHeader(root, label_);
    for (auto& [name, record] : readVoiceRecords(root)) addVoice(name, std::move(record));
}

MSound::SoundConfig::SoundConfig(MSound& sound, std::string name, std::string directory)
    : sound_(sound), name_(std::move(name)), directory_(std::move(directory)) {}

// The archives go first: their voices point into their own documents only.
MSound::SoundConfig::~SoundConfig() {
    archives_.clear();
    released_.clear();
    delete document_;
}

MSound::SoundArchive* MSound::SoundConfig::archive(const std::string& label) const {
    const auto it = archives_.find(label);
    return it == archives_.end() ? nullptr : it->second.get();
}

MSound::SoundArchive& MSound::SoundConfig::addArchive(const std::string& label) {
    auto& slot = archives_[label];
    if (!slot) slot = std::make_unique<SoundArchive>(*this, label);
    return *slot;
}

bool MSound::SoundConfig::listsArchive(const std::string& label) const {
    if (document_ == nullptr) return false;
    PSBValue archives, entry;
    return document_->root().find("archive", archives) && archives.find(label, entry);
}

void MSound::SoundConfig::load() {
    sound_.loadTasks_.add(new MSoundFileLoadFromFileTask(name_, &document_, &status_));
    sound_.loadTasks_.add(new MCallTask0<SoundConfig>(this, &SoundConfig::readSoundFile));
}

// A document that could not be read is loaded all the same, listing nothing,
// so that whoever waits for it goes on.
void MSound::SoundConfig::readSoundFile() {
    loaded_ = true;
    if (status_.load(std::memory_order_acquire) != kReadDone || document_ == nullptr) return;
    warning_ = checkSoundFileHeader(document_->root());
}

void MSound::SoundConfig::unloadArchive(const std::string& label) {
    auto node = archives_.extract(label);
    if (!node.empty()) release(std::move(node.mapped()));
}

void MSound::SoundConfig::unloadArchive(const SoundArchive& archive) {
    const auto it = archives_.find(archive.label());
    if (it != archives_.end() && it->second.get() == &archive) unloadArchive(archive.label());
}

void MSound::SoundConfig::release(std::unique_ptr<SoundArchive> archive) {
    if (!archive->loaded()) {
        archive->cancelLoad();
    } else {
        sound_.stopArchiveSounds(archive->label());
    }
    if (archive->loaded() && !sound_.stoppingSoundUses(*archive)) return;
    released_.push_back(std::move(archive));
}

void MSound::SoundConfig::step() {
    std::erase_if(released_, [this](const auto& archive) {
        return archive->loaded() && !sound_.stoppingSoundUses(*archive);
    });
}
