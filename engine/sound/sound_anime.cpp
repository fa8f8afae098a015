#include "engine/sound/sound_anime.h"

#include "engine/sound/sound.h"

MSoundAnimeBase::~MSoundAnimeBase() {
    if (sound_) sound_->forgetAnime(this);
}

float MSoundAnimeBase::valueAt(int32_t index, float from, float to) const {
    const uint32_t last = steps() - 1;
    if (uint32_t(index) == last) return to;
    const float t = float(uint32_t(index)) / float(last);
    const float a = MSound::gainToVolume(from);
    const float b = MSound::gainToVolume(to);
    return MSound::volumeToGain((1.0f - t) * a + t * b);
}

bool MSoundVoiceVolumeAnime::sameTarget(const MSoundAnimeBase& other) const {
    return other.kind() == kind() && static_cast<const MSoundVoiceVolumeAnime&>(other).id_ == id_;
}

void MSoundVoiceVolumeAnime::apply(int32_t index) {
    if (sound()) sound()->setSoundVolume(id_, valueAt(index, from_, to_));
}

bool MSoundGroupVolumeAnime::sameTarget(const MSoundAnimeBase& other) const {
    return other.kind() == kind() && static_cast<const MSoundGroupVolumeAnime&>(other).group_ == group_;
}

void MSoundGroupVolumeAnime::apply(int32_t index) {
    if (sound()) sound()->setGroupVolume(group_, valueAt(index, from_, to_));
}
