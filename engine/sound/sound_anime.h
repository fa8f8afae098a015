#pragma once
// Volume fades: MSoundAnimeBase moves a volume from one value to another over
// a number of frames, evenly on the sound's volume curve (the interpolation
// runs between the inverses of the two ends, and each step's value is put
// back through the curve); the last step sets the end value exactly. Two
// kinds: the volume of one playing sound (by id) and of a named group. A fade
// runs in MSound's fades set once MSound::addAnime has taken it, which ends
// any older fade of the same target.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

#include "engine/sound/anime.h"

class MSound;

class MSoundAnimeBase : public MAnime {
public:
    static constexpr int kVoiceVolume = 0;
    static constexpr int kGroupVolume = 3;

    explicit MSoundAnimeBase(uint32_t frames) : MAnime(frames) {}
    ~MSoundAnimeBase() override;

    virtual int kind() const = 0;
    virtual bool sameTarget(const MSoundAnimeBase& other) const = 0;

protected:
    // The value of step `index` of a fade from `from` to `to`.
    float valueAt(int32_t index, float from, float to) const;
    // The sound that runs the fade; null until MSound::addAnime.
    MSound* sound() const { return sound_; }

private:
    friend class MSound;
    MSound* sound_ = nullptr;
};

class MSoundVoiceVolumeAnime final : public MSoundAnimeBase {
public:
    MSoundVoiceVolumeAnime(int32_t id, float from, float to, uint32_t frames)
        : MSoundAnimeBase(frames), id_(id), from_(from), to_(to) {}

    int kind() const override { return kVoiceVolume; }
    bool sameTarget(const MSoundAnimeBase& other) const override;

protected:
    void apply(int32_t index) override;

private:
    int32_t id_;
    float from_;
    float to_;
};

class MSoundGroupVolumeAnime final : public MSoundAnimeBase {
public:
    MSoundGroupVolumeAnime(std::string group, float from, float to, uint32_t frames)
        : MSoundAnimeBase(frames), group_(std::move(group)), from_(from), to_(to) {}

    int kind() const override { return kGroupVolume; }
    bool sameTarget(const MSoundAnimeBase& other) const override;

protected:
    void apply(int32_t index) override;

private:
    std::string group_;
    float from_;
    float to_;
};
