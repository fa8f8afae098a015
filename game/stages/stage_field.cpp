// The field task of every stage: its set-up, the spawn rule, the timed
// events that hand the fighter to the player, and the stage title.
#include "game/stages/stage_field.h"

#include <cstdio>

#include "game/bosses/boss_flags.h"
#include "game/core/game_sequence.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/wait_motion_end.h"
#include "game/objects/effects.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/field_layers.h"
#include "game/stages/stage_tables.h"

int32_t stageFrame = -1;
uint32_t spawnCursor = 0;
int32_t spawnSuppressed = 0;
int32_t layerTintTimer = 0;
int32_t stagePreloadWord = 0;
ObjTaskFn (*stageSpawnAct)(int32_t kind) = enemyKindAct;

namespace {

constexpr int32_t kFieldTitleLayer = 500;
constexpr float kFieldCentreX = 112.0f;
constexpr float kFieldCentreY = 144.0f;
constexpr int32_t kFieldFadeFrames = 30;
constexpr int32_t kFieldFadeKind = 110;
constexpr int32_t kFieldOverlayKind = 123;
constexpr int32_t kFieldStartEffect = 137;
constexpr int32_t kFieldFirstMusic = 24;
constexpr int32_t kFieldPrologueMusic = 32;
constexpr int32_t kFieldDirectBossStage = 5;
constexpr int32_t kFieldDirectBossFrame = 22002;
constexpr int32_t kFieldDirectBossKind = 105;

// When each stage hands the fighter over, and past which stage frame a
// start gets the overlay at once (0: none).
struct FieldEvents {
    int32_t first, second;
    bool startEffect;
    int32_t overlayAfter;
};
constexpr FieldEvents kFieldEvents[kStageFields] = {
    {5, 10, false, 0}, {10, 60, true, 0}, {5, 10, true, 5090},
    {5, 10, true, 600}, {5, 10, true, 0},  {5, 10, true, 0}};

// Event A: control, the second start flag off, power drain, the leader's words.
void fieldEventControl() {
    fighterSetControl(1);
    fighterSetAbsent(0);
    fighterSetPowerDrain(1);
    charVoiceMessage(fighterGetType(), 0);
}

// An object of the kind the field makes itself, at (x, y), standing.
void fieldCreateKind(ObjTask* field, int32_t kind, float x, float y) {
    const ObjTaskFn act = stageSpawnAct(kind);
    if (act == nullptr) return;
    ObjTask* task = OBJtaskCreate(act, kEnemyGroup, kEnemyTag);
    if (task == nullptr) return;
    task->parent = objRef(field);
    enemySpawnParam(task) = -1;
    act(task);
    if (task->work == nullptr) return;
    task->work->kind = kind;
    task->work->x = x;
    task->work->y = y;
    task->work->speed = 0.0f;
    task->work->heading = 0;
}

// The stage overlay of a start past its own spawn row.
void fieldCreateOverlay(ObjTask* field) { fieldCreateKind(field, kFieldOverlayKind, kFieldCentreX, kFieldCentreY); }

// Stage 5 brings the true last boss straight in at its frame 22002 while
// the direct flag is up; the boss then stands at the centre until it enters.
void fieldDirectBoss(ObjTask* field, int32_t stage) {
    if (stage != kFieldDirectBossStage || st05DirectBoss2 == 0 || stageFrame != kFieldDirectBossFrame) return;
    fieldCreateKind(field, kFieldDirectBossKind, kFieldCentreX, kFieldCentreY);
}

void fieldRunEvents(ObjTask* task, int32_t stage, int32_t age) {
    const FieldEvents& events = kFieldEvents[stage];
    if (age == 1 && events.overlayAfter != 0 && stageFrame > events.overlayAfter) fieldCreateOverlay(task);
    if (age == events.first) {
        fieldEventControl();
        if (events.startEffect) {
            TSKeffectCreate(kFieldStartEffect + fighterGetType(), 0, 0.0f, 0, 0, ObjRef{}, kFieldCentreX,
                            kFieldCentreY);
        }
    }
    if (age == events.second) fighterSetWeaponsOn(1);
}

void fieldStepTitle(ObjWork* work) {
    const int32_t slot = work->motionSlot0;
    if (slot == -1) return;
    SDL2_wheel_MotionUpdateLoop(slot);
    SDL2_wheel_MotionRefresh(slot);
    if (SDL2_wheel_MotionGetLoopCount(slot) != 1) return;
    if (GameTask* root = GameTask::getInstance()) root->releaseMotionSlot(slot);
    work->motionSlot0 = -1;
}

void fieldOpenTitle(ObjWork* work, int32_t stage) {
    const int32_t slot = SDL2_wheel_MotionCreate(kFieldTitleLayer, "stage_title");
    work->motionSlot0 = slot;
    char motion[16];
    std::snprintf(motion, sizeof motion, "stage%d", int(stage));
    SDL2_wheel_MotionPlay(slot, 1, "stage_title", motion);
    if (slot == -1) return;
    if (GameTask* root = GameTask::getInstance()) root->setMotionPosition(slot, kFieldCentreX, kFieldCentreY);
}

// The prologue plays when the operator asks for it and in every playback.
bool fieldProloguePlays() { return settingsSnapshot.TUTORIAL_DISP == 1 || replayPlaybackFlag != 0; }

bool fieldInit(ObjTask* task, int32_t stage) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) return false;
    task->work = work;
    task->release = TSKgameCtrlKill;
    work->age = 0;
    work->motionSlot0 = -1;
    if (stage != 0) work->draw = TSKwaitMotionEnd;
    fieldLayersCreate(task, stage);
    if (stage != 0) {
        TSKfadeStart(kFieldFadeFrames, kFieldFadeKind, 255, 255, 255, 1.0f);
        SDL2_wheel_SoundPlayMusic(kFieldFirstMusic + stage - 1);
        fieldOpenTitle(work, stage);
        return true;
    }
    task->actWords[kFieldPrologueWord] = fieldProloguePlays() ? 1 : 0;
    if (task->actWords[kFieldPrologueWord] != 0) {
        TSKfadeStart(kFieldFadeFrames, kFieldFadeKind, 8, 8, 8, 1.0f);
        SDL2_wheel_SoundPlayMusic(kFieldPrologueMusic);
    } else {
        // Held covered: the prologue's rows still run behind it.
        TSKfadeStart(-1, kFieldFadeKind, 8, 8, 8, 1.0f);
    }
    return true;
}

void fieldFrame(ObjTask* task, int32_t stage) {
    ObjWork* work = task->work;
    const bool prologue = stage == 0;
    fieldDirectBoss(task, stage);
    stageSpawnStep(!prologue, !prologue);
    const int32_t age = work->age++;
    if (!prologue || task->actWords[kFieldPrologueWord] != 0) fieldRunEvents(task, stage, age);
    if (!prologue) fieldStepTitle(work);
}

void fieldAct(ObjTask* task, int32_t stage) {
    switch (task->state) {
    case kObjStateInit:
        task->state = fieldInit(task, stage) ? kObjStateRun : kObjStateEnd;
        break;
    case kObjStateRun:
        fieldFrame(task, stage);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

}  // namespace

void stageSpawnRow(const SpawnRow& row, bool copyExtras) {
    const ObjTaskFn act = stageSpawnAct(row.kind);
    if (act == nullptr) return;
    ObjTask* task = OBJtaskCreate(act, kEnemyGroup, kEnemyTag);
    if (task == nullptr) return;
    enemySpawnParam(task) = row.param;
    // The act builds the enemy first; the row's place and words then go over it.
    act(task);
    ObjWork* work = task->work;
    if (work == nullptr) return;
    work->kind = row.kind;
    if (copyExtras) {
        for (int i = 0; i < 4; ++i) enemy(work).spawnExtras[i] = row.extra[i];
    }
    work->x = float(row.x / 100.0);
    work->y = float(row.y / 100.0);
}

void stageSpawnStep(bool checkSuppressed, bool copyExtras) {
    const SpawnRow* table = stageSpawnTable(stageNumber);
    const uint32_t rows = uint32_t(stageSpawnRowCount(stageNumber));
    if (spawnCursor > rows) spawnCursor = rows;
    while (table != nullptr) {
        const SpawnRow& row = table[spawnCursor];
        if (row.param == -1 || spawnCursor >= rows || row.frame > stageFrame) break;
        const bool late = int64_t(stageFrame) - row.frame >= kSpawnLateFrames;
        if (!late && !(checkSuppressed && spawnSuppressed != 0)) stageSpawnRow(row, copyExtras);
        ++spawnCursor;
    }
    ++stageFrame;
}

void stageFieldReset() {
    stageFrame = -1;
    spawnCursor = 0;
    layerTintTimer = 0;
    fieldLayersReset();
}

void TSKst00FieldAct(ObjTask* task) { fieldAct(task, 0); }
void TSKst01FieldAct(ObjTask* task) { fieldAct(task, 1); }
void TSKst02FieldAct(ObjTask* task) { fieldAct(task, 2); }
void TSKst03FieldAct(ObjTask* task) { fieldAct(task, 3); }
void TSKst04FieldAct(ObjTask* task) { fieldAct(task, 4); }
void TSKst05FieldAct(ObjTask* task) { fieldAct(task, 5); }

void (*const stageFieldActTable[kStageFields])(ObjTask*) = {TSKst00FieldAct, TSKst01FieldAct, TSKst02FieldAct,
                                                           TSKst03FieldAct, TSKst04FieldAct, TSKst05FieldAct};
