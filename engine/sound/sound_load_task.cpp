#include "engine/sound/sound_load_task.h"

#include "engine/sound/sound.h"
#include "engine/sound/sound_config.h"

void MSoundLoadTask::update() {
    MSound* sound = MSound::getInstance();
    if (!asked_) {
        asked_ = true;
        sound->loadSoundFile(name_);
        return;
    }
    const MSound::SoundConfig* config = sound->findSoundConfig(name_);
    if (config == nullptr || config->loaded()) setState(kFinished);
}

void MSoundLoadArchiveTask::update() {
    MSound* sound = MSound::getInstance();
    if (!asked_) {
        asked_ = true;
        sound->loadArchive(label_);
        return;
    }
    const MSound::SoundConfig* config = sound->findConfigOfArchive(label_);
    const MSound::SoundArchive* archive = config ? config->archive(label_) : nullptr;
    if (archive == nullptr || archive->loaded()) setState(kFinished);
}
