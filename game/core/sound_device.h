#pragma once
// What the game's sound requests need of the sound system: the seam between
// GameTask's sound methods and MSound, so tests can record the calls.
// MSoundDevice forwards to the engine's MSound.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

class MSound;

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // The id of the started sound, -1 when nothing started.
    virtual int32_t play(const std::string& archive, const std::string& name, float volume,
                         const std::string& group) = 0;
    // The id of a still playing sound of that name, -1 when none.
    virtual int32_t findSound(const std::string& archive, const std::string& name) = 0;
    virtual void setSoundVolume(int32_t sound, float volume) = 0;
    virtual float getGroupVolume(const std::string& group) = 0;
    virtual void stopGroup(const std::string& group) = 0;
    // Stops every playing sound of that archive and name; a device that
    // keeps no sounds has none to stop.
    virtual void stopSounds(const std::string& /*archive*/, const std::string& /*name*/) {}
    virtual void pauseGroup(const std::string& group) = 0;
    virtual void resumeGroup(const std::string& group) = 0;
    virtual void fadeGroupVolume(const std::string& group, float from, float to, uint32_t frames) = 0;
    // A fade of one playing sound (sound -1: nothing to fade).
    virtual void fadeSoundVolume(int32_t sound, float from, float to, uint32_t frames) = 0;
};

class MSoundDevice final : public SoundDevice {
public:
    explicit MSoundDevice(MSound& sound) : sound_(sound) {}
    int32_t play(const std::string& archive, const std::string& name, float volume,
                 const std::string& group) override;
    int32_t findSound(const std::string& archive, const std::string& name) override;
    void setSoundVolume(int32_t sound, float volume) override;
    float getGroupVolume(const std::string& group) override;
    void stopGroup(const std::string& group) override;
    void stopSounds(const std::string& archive, const std::string& name) override;
    void pauseGroup(const std::string& group) override;
    void resumeGroup(const std::string& group) override;
    void fadeGroupVolume(const std::string& group, float from, float to, uint32_t frames) override;
    void fadeSoundVolume(int32_t sound, float from, float to, uint32_t frames) override;

private:
    MSound& sound_;
};
