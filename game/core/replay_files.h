#pragma once
// Replay files: each recorded stage as a header (replay_header.h) and the
// fighter's input, five words a frame, under "replay/temp" during a play and
// copied into a dated folder when the player keeps the replay; "rep_info.dat"
// sums the play up.
//
// Who calls what: the stage load calls replayStageStart; the fighter calls
// replayRecordFrame and replayPlayFrame once a frame while its act runs, and
// replayHeaderStoreWork / replayHeaderRestoreWork from its stage snapshot;
// the sequence calls the save, the load, the summary and the folder
// operations; the replay list reads summaries and deletes folders.
//
// Threads: main thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "game/core/replay_header.h"

struct GameSettings;
struct ObjWork;

// 0 off, 1 record, 2 playback.
extern int32_t replayIoMode;
// "replay/temp" under the application root, set at game init. While it is
// empty the folder operations, the summary and the stage path do nothing.
extern std::string replayTempFolder;
// "replay/YYYYMMDD_hhmmss" under the application root, set by replayMakeFolder.
extern std::string replayDatedFolder;

// The header of the stage being recorded or played back.
extern ReplayHeader replayHeader;
// The next word of the input array to write or read.
extern uint32_t replayInputIndex;

inline constexpr uint32_t kReplayMarker = 0xDEADBEEF;
inline constexpr uint32_t kReplayWordsPerFrame = 5;
inline constexpr uint32_t kReplayEndMarkerWords = 4;
inline constexpr uint32_t kReplayStartCapacity = 270000;
// The most words the input array grows to: 64 times the start, over fifteen
// hours of frames; the loader refuses a file that claims more. Tests lower it.
extern uint32_t replayCapacityLimit;
inline constexpr uint32_t kReplayMaxCapacity = kReplayStartCapacity * 64;

// The input array; its size is the header's capacity.
const std::vector<uint32_t>& replayInputWords();
// Frees the input array (the attract demo's end, the game release).
void replayInputFree();
// Makes words the input array (the load), read from its first word.
void replayInputAdopt(std::vector<uint32_t> words);
// Writes the end marker at the index; false when it doesn't fit.
bool replayInputEndMarker();

// The stage load's replay step, after it has copied the settings into the
// active copy; the index goes back to 0. Recording: a new seed from the
// clock, the header from the play's choices and the active settings, a new
// input array, the generator seeded. Playback: the generator seeded from the
// header, and the play's choices and the active settings taken from it.
void replayStageStart(int32_t stage, GameSettings& activeSettings);

// Recording: appends the frame's five words. The directions and buttons
// count only while playing (gamePhase 3); drawn is the fighter's value 0..99.
void replayRecordFrame(uint32_t held, uint32_t pressed, uint32_t drawn);

struct ReplayFrameInput {
    uint32_t directions;  // held & 0x0F
    uint32_t buttons;     // held & 0xF0
    uint32_t pressed;     // pressed & 0xF0
};
// Playback: the frame's input, or false once playback has ended (the end
// marker or the end of the array sets replayIoMode to 0).
bool replayPlayFrame(ReplayFrameInput& input);

// The fighter's stage snapshot: 0 the fighter, 1 and 2 the gun units.
void replayHeaderStoreWork(int which, const ObjWork& work);
void replayHeaderRestoreWork(int which, ObjWork& work);

void replayMakeFolder();
void replayClearFolder();
void replayCommitFolder();
// "<temp folder>/rep_stNN.dat" for the current stage number.
std::string replayStagePath();
void replaySave(const std::string& path);
// False, with a line in "Log.txt", when the file is missing, damaged or
// can't be held; the input array is then empty.
bool replayLoad(const std::string& path);
// The stage file's bytes into a header and an input array; false when they
// aren't a whole stage file, with the reason in why.
bool replayDecodeFile(const uint8_t* bytes, size_t size, ReplayHeader& header, std::vector<uint32_t>& words,
                      const char** why);
void replayWriteInfo(bool finished);
void replayDeleteFolder(const std::string& folder);

// The names of a replay folder: "rep_st01.dat" to "rep_st06.dat", "rep_info.dat".
inline constexpr int kReplayFileNames = 7;
extern const char* const kReplayFileNameTable[kReplayFileNames];

// "rep_info.dat": the summary of a play for the replay list.
struct ReplayInfo {
    uint64_t score = 0;
    int32_t stage = 0;
    int32_t stageProgress = 0;  // 3 on the true route
    int32_t finished = 0;
    int32_t category = 0;
    int32_t fighterType = 0;
    int32_t creditCounter = 0;
    int32_t alwaysOne = 1;
};
// The folder's summary; false when it is missing or not 40 bytes.
bool replayReadInfo(const std::string& folder, ReplayInfo& info);

// What the summary and a played-back stage need of the fighters, stages and
// bosses, installed by them.
struct ReplayPlayFacts {
    uint64_t score = 0;
    int32_t stageProgress = 0;
    bool trueRoute = false;
    int32_t fighterType = 0;  // the fighter's, else the selected one
    int32_t creditCounter = 0;
};
// Null: the summary holds zeros for them.
extern ReplayPlayFacts (*replayPlayFactsHook)();
// Sets the fighter type a played-back stage starts with; null: nothing.
extern void (*replaySetFighterTypeHook)(int32_t type);
