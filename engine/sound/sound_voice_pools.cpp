#include "engine/sound/sound_voice_pools.h"

#include <algorithm>
#include <span>

#include "engine/base/debug_trace.h"
#include "platform/memory/own_memory.h"

namespace {

constexpr uint32_t kSinglePool = 2;
constexpr size_t kMatrixSize = 16;

// The output matrix, levels[channels * output + source]: the left
// level feeds outputs 0 and 4 (front and back left), the right 1 and 5.
std::array<float, kMatrixSize> levelMatrix(uint32_t channels, float left, float right) {
    std::array<float, kMatrixSize> m{};
    if (channels == 1) {
        m[0] = m[4] = left;
        m[1] = m[5] = right;
    } else if (channels == 2) {
        m[2 * 0 + 0] = m[2 * 4 + 0] = left;
        m[2 * 1 + 1] = m[2 * 5 + 1] = right;
    }
    return m;
}

// An archive's samples are its mapped file's pages, which may never have
// been read: the kernel reads them ahead, so the mixer's first pass over
// them does not wait for the disk.
void readAhead(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return;
    const uint64_t page = platform::pageSize();
    const auto begin = reinterpret_cast<uint64_t>(bytes.data());
    platform::adviseWillNeed(begin / page * page, begin + bytes.size());
}

platform::AudioBuffer bufferOf(const MSoundSampleData& sampleData, bool wma) {
    platform::AudioBuffer buffer;
    buffer.data = sampleData.data;
    if (sampleData.loop) {
        buffer.loopBegin = sampleData.loop->begin;
        buffer.loopLength = sampleData.loop->length;
        buffer.loopCount = platform::kAudioLoopInfinite;
    }
    if (wma) buffer.wmaPacketBytes = sampleData.wmaPacketBytes;
    return buffer;
}

void noteWmaOnce() {
    static bool noted = false;
    if (noted) return;
    noted = true;
    M_DEBUG_TRACE("xWMA sound data can't be decoded here: such sounds play silent");
}

}  // namespace

MSoundVoicePools::MSoundVoicePools(std::unique_ptr<platform::AudioEngine> engine)
    : engine_(std::move(engine)) {
    for (uint32_t p = 0; p < kPoolCount; ++p) pools_[p].resize(kPoolSizes[p]);
}

MSoundVoicePools::~MSoundVoicePools() {
    for (auto& pool : pools_)
        for (Slot& s : pool) release(s);
}

void MSoundVoicePools::release(Slot& s) {
    if (s.voice) engine_->destroyVoice(s.voice);
    s = Slot{};
}

MSoundVoicePools::Slot* MSoundVoicePools::find(uint32_t device, uint32_t slot) {
    if (device >= kPoolCount || slot >= pools_[device].size()) return nullptr;
    return &pools_[device][slot];
}

const MSoundVoicePools::Slot* MSoundVoicePools::find(uint32_t device, uint32_t slot) const {
    if (device >= kPoolCount || slot >= pools_[device].size()) return nullptr;
    return &pools_[device][slot];
}

void MSoundVoicePools::start(uint32_t device, uint32_t slot, const MSoundSampleData& sampleData) {
    Slot* s = find(device, slot);
    if (s == nullptr || engine_ == nullptr) return;
    if (s->voice) {
        s->voice->stop(platform::kAudioCommitNow);
        s->voice->flushSourceBuffers();
    }
    release(*s);
    const auto format = platform::readAudioFormat(sampleData.format);
    if (!format) return;
    const bool wma = platform::isWmaFormat(*format);
    if (wma) noteWmaOnce();
    s->format = *format;
    s->context = std::make_unique<VoiceContext>();
    s->voice = engine_->createSourceVoice(*format, kMaxFrequencyRatio, s->context.get());
    if (s->voice == nullptr) {
        *s = Slot{};
        return;
    }
    readAhead(sampleData.data);
    s->voice->submitBuffer(bufferOf(sampleData, wma));
    s->appliedRunState = 0;
    s->wantedRunState = 1;
}

void MSoundVoicePools::setWanted(uint32_t device, uint32_t slot, uint32_t state) {
    Slot* s = find(device, slot);
    if (s == nullptr) return;
    s->wantedRunState = state;
    flushIfSingle(device);
}

void MSoundVoicePools::requestStop(uint32_t device, uint32_t slot) {
    Slot* s = find(device, slot);
    if (s == nullptr || s->context == nullptr) return;
    s->context->stopRequested = 1;
    flushIfSingle(device);
}

void MSoundVoicePools::flushIfSingle(uint32_t device) {
    if (device == kSinglePool) flush();
}

bool MSoundVoicePools::hasVoice(uint32_t device, uint32_t slot) const {
    const Slot* s = find(device, slot);
    return s != nullptr && s->voice != nullptr;
}

bool MSoundVoicePools::isPlaying(uint32_t device, uint32_t slot) const {
    const Slot* s = find(device, slot);
    return s != nullptr && s->voice != nullptr && s->context->playing.load() != 0;
}

void MSoundVoicePools::forgetEnd(uint32_t device, uint32_t slot) {
    Slot* s = find(device, slot);
    if (s != nullptr && s->context) s->context->playing.store(0);
}

void MSoundVoicePools::setGain(uint32_t device, uint32_t slot, float frequencyRatio, float left,
                               float right) {
    Slot* s = find(device, slot);
    if (s == nullptr || s->voice == nullptr) return;
    const uint32_t channels = std::max<uint32_t>(s->format.channels, 1);
    const uint32_t outputs = std::min<uint32_t>(engine_->outputChannels(), kMatrixSize / channels);
    const auto matrix = levelMatrix(channels, left, right);
    s->voice->setFrequencyRatio(frequencyRatio, operationSet_);
    s->voice->setOutputMatrix(channels, outputs, matrix.data(), operationSet_);
}

void MSoundVoicePools::flush() {
    if (engine_ == nullptr) return;
    for (auto& pool : pools_) {
        for (Slot& s : pool) {
            if (s.voice == nullptr || s.wantedRunState == s.appliedRunState) continue;
            if (s.wantedRunState == 1)
                s.voice->start(operationSet_);
            else
                s.voice->stop(operationSet_);
            s.appliedRunState = s.wantedRunState;
        }
    }
    engine_->commitChanges(platform::kAudioCommitAll);
    for (auto& pool : pools_) {
        for (Slot& s : pool) {
            if (s.voice == nullptr || s.context->stopRequested == 0) continue;
            s.voice->flushSourceBuffers();
            s.context->stopRequested = 0;
        }
    }
    if (++operationSet_ == 0) operationSet_ = 1;
}
