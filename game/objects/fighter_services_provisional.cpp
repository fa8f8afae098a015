// Provisional: the fighter family replaces this file.
#include "game/objects/fighter_services.h"

#include "game/core/game_random.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"

namespace {

constexpr float kFighterStep = 4.0f;
constexpr uint32_t kUp = 0x1;
constexpr uint32_t kDown = 0x2;
constexpr uint32_t kLeft = 0x4;
constexpr uint32_t kRight = 0x8;

void playTaskKill(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

// The frame's input as the play sees it: the recorded one while a replay
// plays back, else the player's; outside play (gamePhase 3) nothing, as the
// recording holds it. Every call draws its value from the random generator,
// the first one too.
ReplayFrameInput fighterInput(bool running) {
    const uint32_t drawn = uint32_t(randRange(100));
    ReplayFrameInput input{};
    if (!running) return input;
    if (gamePhase == 3) input = {padHeld & 0x0F, padHeld & 0xF0, padPressed & 0xF0};
    if (replayIoMode == 1) replayRecordFrame(padHeld, padPressed, drawn);
    if (replayIoMode == 2 && !replayPlayFrame(input)) input = {};
    return input;
}

// Moves by the directions held, so that the play's state follows its input.
void fighterMove(ObjWork* work, bool running) {
    const ReplayFrameInput input = fighterInput(running);
    if (!work) return;
    if (input.directions & kUp) work->y -= kFighterStep;
    if (input.directions & kDown) work->y += kFighterStep;
    if (input.directions & kLeft) work->x -= kFighterStep;
    if (input.directions & kRight) work->x += kFighterStep;
}

// The common act shape: the work on the first call, then running until a
// state it doesn't know ends it.
void playTaskAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = playTaskKill;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        break;
    default:
        if ((task->flags & kObjTaskPersistent) == 0) OBJtaskRelease(task);
    }
}

}  // namespace

void TSKfighterAct(ObjTask* task) {
    const bool running = task->state == kObjStateRun;
    playTaskAct(task);
    if ((task->flags & kObjTaskLive) != 0) fighterMove(task->work, running);
}

void TSKinfoAct(ObjTask* task) { playTaskAct(task); }
