#pragma once
// Shared by the game-control sequence's own files: the tables and the steps
// each file runs for its states. Nothing outside the sequence includes it.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/core/obj_task.h"

// What a family of states did with the state it was given.
enum class SeqStep {
    notMine,  // the state is not one of the family's
    done,     // ran; the next state runs on the next call
    chain,    // ran; the next state runs on this call too
};

SeqStep seqStepScenes(ObjTask* task);
SeqStep seqStepPlay(ObjTask* task);
SeqStep seqStepEnd(ObjTask* task);
SeqStep seqStepContinue(ObjTask* task);
SeqStep seqStepMenus(ObjTask* task);
SeqStep seqStepAttract(ObjTask* task);
SeqStep seqStepViewer(ObjTask* task);

// What a scene step does before it creates its scene.
enum class SeqPrep : uint8_t { none, fade, attractOn, attractOnFade, attractOff, attractOffFade };

// A scene the sequence creates in group 13 and waits for: the create state
// goes to create + 1; the wait state stays while a task of the tag lives,
// then calls `gone` or, without one, goes to `then`.
struct SeqScene {
    int32_t create;
    ObjTaskFn act;
    uint32_t tag;
    SeqPrep prep;
    int32_t wait;
    int32_t then;
    void (*gone)(ObjTask* task);
};
// States that only go on to the next.
struct SeqPass {
    int32_t from;
    int32_t to;
};

inline constexpr int kSeqScenes = 25;
extern const std::array<SeqScene, kSeqScenes> kSeqSceneTable;
inline constexpr int kSeqPasses = 17;
extern const std::array<SeqPass, kSeqPasses> kSeqPassTable;

// menuResultCode -> state, 0..18.
inline constexpr int kSeqResultCodes = 19;
extern const std::array<int32_t, kSeqResultCodes> kSeqResultStates;
// testMenuResultCode -> state, 0..4.
inline constexpr int kSeqTestChoices = 5;
extern const std::array<int32_t, kSeqTestChoices> kSeqTestMenuStates;

// The leader's voices (sound ids), by leader type 0..5.
struct SeqLeaderVoices {
    int32_t creditAdded;
    int32_t gameOver;
    int32_t continuePrompt;
};
inline constexpr int kSeqLeaders = 6;
extern const std::array<SeqLeaderVoices, kSeqLeaders> kSeqLeaderVoiceTable;

// The stage start frames of the training start points: four a stage
// (first, mid-boss 1, mid-boss 2, boss), stages 0 to 5.
inline constexpr int kSeqStartPoints = 24;
extern const std::array<int32_t, kSeqStartPoints> kSeqStartPointTable;

// The scenes' "gone" steps that decide by what the scene left.
void seqStageClearGone(ObjTask* task);
void seqGoneToSelected(ObjTask* task);
void seqGoneToTestMenu(ObjTask* task);

// Play kinds, as menuResultCode tells them during a play.
bool seqIsTraining();
// The stage-image read-ahead starts over (when the settings read ahead).
void seqResetPreload();
// Stops the music and every sound id.
void seqStopSounds();
bool seqFighterLives();
// The best place act word takes the better of itself and the place.
void seqKeepBestPlace(ObjTask* task, int32_t place);
// The free words of the sequence's work record; a spare word when it has none.
int32_t& seqWorkWord(ObjTask* task, int index);
// Plays a voice of the leader's row (0 credit added, 1 game over, 2 continue
// prompt); a leader type outside 0..5 plays nothing.
void seqLeaderVoice(int column);
// The setting, kept within lo..hi; a correction is logged with the key.
int32_t seqCheckedSetting(const char* key, int32_t value, int32_t lo, int32_t hi);
// The eight training values of a stage (re)start.
void seqApplyTrainingValues();
