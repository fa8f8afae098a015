// Kind 129, the true last boss's intro visual: "wait", "start" and "loop"
// of "st5boss2visual" at the screen's centre. It hands the fighter back
// during "start" and holds the boss on its "bosspoint" locator until frame
// 480 of it. The slot stays paused: the visual counts each label's frames
// itself and shows the slot at its count, so "start" is seen and the point
// moves with it.
#include "game/bosses/boss_flags.h"
#include "game/bosses/boss_visuals.h"
#include "game/core/game_sequence.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_step.h"
#include "game/stages/enemies/stage_visuals.h"

namespace {

constexpr float kSt5boss2visualDepth = 204.0f;
constexpr int32_t kSt5boss2visualLayer = 204;
constexpr ObjPoint kSt5boss2visualHome = {112.0f, 144.0f};
constexpr ObjPoint kSt5boss2visualFirstPoint = {112.0f, -300.0f};
constexpr int32_t kSt5boss2visualFighterBack = 400;
constexpr int32_t kSt5boss2visualControlBack = 460;
constexpr int32_t kSt5boss2visualLetGo = 480;

enum St5boss2visualState : int32_t { kVisualBegin, kVisualWait, kVisualStart, kVisualLoop };

void st5boss2visualInit(ObjTask* task) {
    ObjWork* work =
        OBJworkSetUp(task, {TSKgameCtrlKill, TSKbossVisualDraw, TSKstageVisualHit, kSt5boss2visualDepth});
    if (work == nullptr) return;
    work->angle = 0.0f;
    work->heading = 0;
    work->motionSlot0 = SDL2_wheel_MotionCreate(kSt5boss2visualLayer, "st5boss2visual");
    SDL2_wheel_MotionPlay(work->motionSlot0, 0, "st5boss2visual", "wait");
    SDL2_wheel_MotionPause(work->motionSlot0);
    work->x = kSt5boss2visualHome.x;
    work->y = kSt5boss2visualHome.y;
    bossIntroPoint = kSt5boss2visualFirstPoint;
    work->diesWithBoss = 0;
    bossIntroHold = 0;
}

void st5boss2visualPlay(ObjWork* work, int32_t loopLimit, const char* label) {
    SDL2_wheel_MotionPlay(work->motionSlot0, loopLimit, "st5boss2visual", label);
    SDL2_wheel_MotionPause(work->motionSlot0);
}

// The fighter flies again: control, weapons and the running counters back
// on, its entry flight over.
void st5boss2visualFighterControl() {
    fighterSetControl(1);
    fighterSetWeaponsOn(1);
    fighterSetPowerDrain(1);
    fighterSetEntry(0);
}

void st5boss2visualStart(ObjWork* work, int32_t length) {
    EnemyFields& e = enemy(work);
    ++e.frameCount;
    if (e.frameCount == kSt5boss2visualFighterBack) fighterSetAbsent(0);
    if (e.frameCount == kSt5boss2visualControlBack) st5boss2visualFighterControl();
    if (e.frameCount < length) return;
    // A label cut short (or none, without a slot) still hands the fighter back.
    if (e.frameCount < kSt5boss2visualControlBack) {
        fighterSetAbsent(0);
        st5boss2visualFighterControl();
    }
    st5boss2visualPlay(work, 0, "loop");
    e.frameCount = 0;
    e.phase = kVisualLoop;
}

void st5boss2visualStep(ObjWork* work) {
    EnemyFields& e = enemy(work);
    const int32_t length = SDL2_wheel_MotionGetLength(work->motionSlot0);
    switch (e.phase) {
    case kVisualBegin:
        e.phase = kVisualWait;
        break;
    case kVisualWait:
        if (++e.frameCount < length) break;
        st5boss2visualPlay(work, 1, "start");
        e.frameCount = e.stepCount = 0;
        e.phase = kVisualStart;
        break;
    case kVisualStart:
        st5boss2visualStart(work, length);
        break;
    default:
        if (++e.frameCount >= length) e.frameCount = 0;
        break;
    }
}

// The boss stands on the locator while held; without a slot (or a point
// the motion lacks) nothing is published and the boss is not held.
void st5boss2visualPublish(ObjWork* work) {
    const EnemyFields& e = enemy(work);
    if (work->motionSlot0 < 0) {
        bossIntroHold = 0;
        return;
    }
    float point[3] = {};
    if (SDL2_wheel_MotionGetLocator(work->motionSlot0, point, "bosspoint")) bossIntroPoint = {point[0], point[1]};
    const bool letGo = e.phase == kVisualLoop || (e.phase == kVisualStart && e.frameCount >= kSt5boss2visualLetGo);
    bossIntroHold = letGo ? 0 : 1;
}

}  // namespace

void TSKst5boss2visualAct(ObjTask* task) {
    if (task->state == kObjStateInit) {
        st5boss2visualInit(task);
        return;
    }
    if (task->state == kObjStateRun) {
        ++enemyAge(task);
        TSKst5boss2visualUpdate(task);
        return;
    }
    OBJtaskReleaseUnlessPersistent(task);
}

void TSKst5boss2visualUpdate(ObjTask* task) {
    ObjWork* work = task->work;
    if (!enemyStep(task, work)) task->state = kObjStateEnd;
    st5boss2visualStep(work);
    ++work->age;
    bossVisualShowFrame(work, enemy(work).frameCount);
    SDL2_wheel_MotionUpdateLoop(work->motionSlot0);
    SDL2_wheel_MotionSetColor(work->motionSlot0, bossVisualColorWord(0xFF));
    st5boss2visualPublish(work);
}
