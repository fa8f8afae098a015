// The input array: the stage start, recording and playback a frame at a time.
#include <cstdio>
#include <new>
#include <stdexcept>
#include <utility>

#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/wheel_log.h"
#include "game/records/play_selection.h"
#include "platform/clock/clock.h"

int32_t replayIoMode = 0;
ReplayHeader replayHeader;
uint32_t replayInputIndex = 0;
uint32_t replayCapacityLimit = kReplayMaxCapacity;
ReplayPlayFacts (*replayPlayFactsHook)() = nullptr;
void (*replaySetFighterTypeHook)(int32_t type) = nullptr;

namespace {

std::vector<uint32_t> inputWords;

// Resizes the array to words (new words 0); false when memory is short.
bool resizeInput(uint32_t words) {
    try {
        inputWords.resize(words);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    replayHeader.capacity = uint32_t(inputWords.size());
    return true;
}

// Doubles the array until the frame and the end marker after it fit; on
// failure the capacity stays as it was and recording stops, so the save
// always finds room for the marker within the words that exist.
bool makeRoomForFrame() {
    const uint64_t needed = uint64_t(replayInputIndex) + kReplayWordsPerFrame + kReplayEndMarkerWords;
    while (needed > inputWords.size()) {
        const uint64_t doubled = uint64_t(inputWords.size()) * 2;
        if (doubled > replayCapacityLimit || !resizeInput(uint32_t(doubled))) {
            std::printf("error : replay memory not enough!(%d , %d)\n", int(doubled), int(replayInputIndex));
            replayIoMode = 0;
            return false;
        }
    }
    return true;
}

void startRecording(int32_t stage, const GameSettings& activeSettings) {
    const uint32_t seed = platform::currentClock().milliseconds();
    replayInputFree();
    replayHeader.seed = seed;
    replayHeader.startStage = stage;
    replayHeader.category = seqIsScoreAttack() ? 3 + stage : gameMode;
    replayHeader.leaderType = selectedLeaderType;
    replayHeader.assist = autoGameSystem;
    replayHeader.dramatic = dramaticMode;
    replayHeader.settings = activeSettings;
    if (!resizeInput(kReplayStartCapacity)) {
        SDL2_wheel_Log("replay record fail : memory not enough.");
        replayIoMode = 0;
    }
    gameRandSeed(seed);
}

void startPlayback(GameSettings& activeSettings) {
    gameRandSeed(replayHeader.seed);
    setGameMode(replayHeader.category >= 4 ? 2 : replayHeader.category);
    setDramaticMode(replayHeader.dramatic);
    setLeaderType(replayHeader.leaderType);
    if (replaySetFighterTypeHook != nullptr) replaySetFighterTypeHook(replayHeader.leaderType);
    setAutoGameSystem(replayHeader.assist);
    activeSettings = replayHeader.settings;
}

void stopPlayback(const char* message) {
    std::fputs(message, stdout);
    replayIoMode = 0;
}

}  // namespace

const std::vector<uint32_t>& replayInputWords() { return inputWords; }

void replayInputFree() {
    std::vector<uint32_t>().swap(inputWords);
    replayHeader.capacity = 0;
}

// A new array is read from its start, whatever the old one's cursor was.
void replayInputAdopt(std::vector<uint32_t> words) {
    inputWords = std::move(words);
    replayInputIndex = 0;
    replayHeader.capacity = uint32_t(inputWords.size());
}

bool replayInputEndMarker() {
    // The recorder keeps room for it; only an index moved by hand can leave none.
    if (uint64_t(replayInputIndex) + kReplayEndMarkerWords > inputWords.size()) return false;
    for (uint32_t i = 0; i < kReplayEndMarkerWords; ++i) inputWords[replayInputIndex + i] = kReplayMarker;
    return true;
}

void replayStageStart(int32_t stage, GameSettings& activeSettings) {
    replayInputIndex = 0;
    if (replayIoMode == 1) startRecording(stage, activeSettings);
    if (replayIoMode == 2) startPlayback(activeSettings);
}

void replayRecordFrame(uint32_t held, uint32_t pressed, uint32_t drawn) {
    if (replayIoMode != 1 || inputWords.empty() || !makeRoomForFrame()) return;
    const bool playing = gamePhase == 3;
    uint32_t* frame = inputWords.data() + replayInputIndex;
    frame[0] = playing ? held & 0x0F : 0;
    frame[1] = playing ? held & 0xF0 : 0;
    frame[2] = playing ? pressed & 0xF0 : 0;
    frame[3] = drawn;
    frame[4] = kReplayMarker;
    replayInputIndex += kReplayWordsPerFrame;
}

bool replayPlayFrame(ReplayFrameInput& input) {
    if (replayIoMode != 2) return false;
    // A file's capacity need not be whole frames: a part frame ends the play.
    if (uint64_t(replayInputIndex) + kReplayWordsPerFrame > inputWords.size()) {
        stopPlayback("info : replay data bottom. play over.\n");
        return false;
    }
    const uint32_t* frame = inputWords.data() + replayInputIndex;
    if (frame[0] == kReplayMarker) {
        stopPlayback("info : replay data bottom. play stop.\n");
        return false;
    }
    // Masked so that a damaged file can only press the buttons a recording can.
    input = {frame[0] & 0x0F, frame[1] & 0xF0, frame[2] & 0xF0};
    replayInputIndex += kReplayWordsPerFrame;
    if (replayInputIndex >= inputWords.size()) stopPlayback("info : replay data bottom. play over.\n");
    return true;
}

void replayHeaderStoreWork(int which, const ObjWork& work) {
    if (which < 0 || which >= kReplayWorkImages) return;
    replayWorkStore(work, replayHeader.works[size_t(which)]);
}

void replayHeaderRestoreWork(int which, ObjWork& work) {
    if (which < 0 || which >= kReplayWorkImages) return;
    replayWorkRestore(replayHeader.works[size_t(which)], work);
}
