#pragma once
// The sound output the engine plays through: an engine of source voices, each
// fed with buffers of sample data and mixed, through a level matrix, into the
// device's channels. Changes made with an operation set other than
// kAudioCommitNow wait and take effect together when that set is committed,
// so a batch of starts, stops and level changes is heard in one instant.
//
// Threads: every call is made from one thread (the engine's main thread). The
// implementation's own mixing thread calls AudioVoiceCallback::onBufferEnd;
// flushSourceBuffers and destroyVoice call it at once on the calling thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace platform {

inline constexpr uint16_t kAudioFormatPcm = 1;
inline constexpr uint16_t kAudioFormatFloat = 3;
inline constexpr uint16_t kAudioFormatWma2 = 0x161;
inline constexpr uint16_t kAudioFormatWma3 = 0x162;

// The 18-byte little-endian wave format record the sample data carries.
struct AudioFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};
inline constexpr size_t kAudioFormatBytes = 18;

// Reads the record field by field; nothing when fewer than 18 bytes are given.
std::optional<AudioFormat> readAudioFormat(std::span<const uint8_t> bytes);

bool isWmaFormat(const AudioFormat& format);

inline constexpr uint32_t kAudioLoopInfinite = 255;

// One buffer of sample data. The bytes are not copied: the caller keeps them
// alive until the buffer's end has been reported.
struct AudioBuffer {
    std::span<const uint8_t> data = {};
    // The loop region in frames; a length of 0 with a count above 0 loops to
    // the end of the data. The region plays loopCount + 1 times, then the rest
    // of the buffer; kAudioLoopInfinite repeats it for ever.
    uint32_t loopBegin = 0;
    uint32_t loopLength = 0;
    uint32_t loopCount = 0;
    // xWMA only: little-endian u32 cumulative decoded byte counts, one a packet.
    std::span<const uint8_t> wmaPacketBytes = {};
};

class AudioVoiceCallback {
public:
    virtual ~AudioVoiceCallback() = default;
    // A buffer has played to its end, or was flushed, or its voice destroyed.
    // Called with the mixer locked: it must not call back into the engine.
    virtual void onBufferEnd() = 0;
};

inline constexpr uint32_t kAudioCommitNow = 0;
inline constexpr uint32_t kAudioCommitAll = 0;

class AudioVoice {
public:
    virtual void submitBuffer(const AudioBuffer& buffer) = 0;
    virtual void start(uint32_t operationSet) = 0;
    virtual void stop(uint32_t operationSet) = 0;
    // Clamped to [1/1024, the voice's maximum ratio]; a NaN is ignored.
    virtual void setFrequencyRatio(float ratio, uint32_t operationSet) = 0;
    // levels[sourceChannels * output + source], for `outputs` output channels.
    virtual void setOutputMatrix(uint32_t sourceChannels, uint32_t outputs, const float* levels,
                                 uint32_t operationSet) = 0;
    // Drops every queued buffer, the playing one included, reporting each end.
    virtual void flushSourceBuffers() = 0;

protected:
    ~AudioVoice() = default;
};

class AudioEngine {
public:
    virtual ~AudioEngine() = default;
    // Null when the format can't be played (a tag other than PCM, float or
    // xWMA, no channels, a sample size this mixer does not read).
    virtual AudioVoice* createSourceVoice(const AudioFormat& format, float maxFrequencyRatio,
                                          AudioVoiceCallback* callback) = 0;
    // Reports the end of every buffer still queued, then frees the voice.
    virtual void destroyVoice(AudioVoice* voice) = 0;
    // Applies the pending changes of one set, or of every set for kAudioCommitAll.
    virtual void commitChanges(uint32_t operationSet) = 0;
    virtual uint32_t outputChannels() const = 0;
    virtual uint32_t outputSampleRate() const = 0;
};

// The engine on the machine's sound device, or null when none can be opened.
std::unique_ptr<AudioEngine> openAudioDevice();

}  // namespace platform
