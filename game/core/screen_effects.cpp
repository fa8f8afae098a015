#include "game/core/screen_effects.h"

#include <algorithm>
#include <bit>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"

int16_t quakeOffsetX = 0;
int16_t quakeOffsetY = 0;
ObjTask* quakeTask = nullptr;
ObjTask* fadeTask = nullptr;
bool endingFlag = false;

namespace {

constexpr uint32_t kQuakeTag = objTag("QUAK");
constexpr uint32_t kFadeTag = objTag("FADE");
constexpr uint32_t kEndingTag = objTag("ENDI");
constexpr int32_t kShaking = 101;
constexpr int32_t kQuakeEnd = 102;
constexpr int32_t kHeldFrames = 32000;
constexpr float kCentreX = 112.0f;
constexpr float kCentreY = 144.0f;
constexpr float kFadeCoverScaleX = 8.0f;  // 34 x 34 cell -> 272 x 306 over 224 x 288
constexpr float kFadeCoverScaleY = 9.0f;
constexpr float kEndingDepth = 801.0f;

// The quake's and the fade's own float fields, kept in the work's family words.
enum EffectField { kStrengthX, kStrengthY, kStep };

float fieldOf(const ObjWork* work, EffectField field) { return std::bit_cast<float>(work->family.words[field]); }
void setField(ObjWork* work, EffectField field, float value) {
    work->family.words[field] = std::bit_cast<int32_t>(value);
}

void setQuakeOffset(int16_t x, int16_t y) {
    quakeOffsetX = x;
    quakeOffsetY = y;
}

// Within a quarter of the strength either side.
int16_t shake(float strength) {
    const float raw = float(gameRand() % 10000) * strength / 10000.0f;
    return int16_t((raw - strength * 0.5f) * 0.5f);
}

void releaseUnlessPersistent(ObjTask* task) {
    OBJtaskReleaseUnlessPersistent(task);
}

// The work of a task entering its first state; without one the task goes
// at once (its release clears the instance pointer).
ObjWork* takeWork(ObjTask* task, ObjTaskFn release) {
    task->release = release;
    task->work = OBJworkNew();
    if (task->work == nullptr) OBJtaskRelease(task);
    return task->work;
}

// The single instance of an effect, made and given its first state when
// none runs; null when the pool or the work records have run out. A pool
// emptied wholesale (the boot step, a test) calls no release functions, so
// the pointer may name a record that is free or now runs something else.
ObjTask* instanceOf(ObjTask*& instance, ObjTaskFn act, int group, uint32_t tag) {
    if (instance != nullptr && (instance->flags & kObjTaskLive) != 0 && instance->act == act &&
        instance->work != nullptr) {
        return instance;
    }
    instance = nullptr;
    ObjTask* task = OBJtaskCreate(act, group, tag);
    if (task == nullptr) return nullptr;
    instance = task;
    act(task);
    return instance;
}

void shakeOnce(ObjTask* task) {
    ObjWork* work = task->work;
    int32_t& frames = task->actWords[kEffectFramesWord];
    ++work->age;
    setQuakeOffset(shake(fieldOf(work, kStrengthX)), shake(fieldOf(work, kStrengthY)));
    if (frames >= 1 && --frames != 0) {
        setField(work, kStrengthX, fieldOf(work, kStrengthX) - fieldOf(work, kStep));
        setField(work, kStrengthY, fieldOf(work, kStrengthY) - fieldOf(work, kStep));
    } else {
        // Also after a start with no frames: one shake, never an endless one.
        task->state = kQuakeEnd;
    }
}

void rampFade(ObjTask* task) {
    ObjWork* work = task->work;
    int32_t& frames = task->actWords[kEffectFramesWord];
    const bool in = task->state == kFadeIn;
    ++work->age;
    --frames;
    // Kept within 0..1, also for a fade out that starts above 0.
    const float step = fieldOf(work, kStep);
    work->alpha = in ? std::max(work->alpha - step, 0.0f) : std::min(work->alpha + step, 1.0f);
    if (frames < 1) {
        work->alpha = in ? 0.0f : 1.0f;
        task->state = kObjStateRun;
    }
}

}  // namespace

void TSKquakeStart(int32_t frames, float strength) {
    ObjTask* task = instanceOf(quakeTask, TSKquakeAct, kQuakeGroup, kQuakeTag);
    if (task == nullptr) return;
    ObjWork* work = task->work;
    setField(work, kStrengthX, strength);
    setField(work, kStrengthY, strength);
    setField(work, kStep, frames > 0 ? strength / float(frames) : 0.0f);
    task->actWords[kEffectFramesWord] = frames;
    task->state = kShaking;
    TSKquakeAct(task);
}

void TSKquakeAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        if (takeWork(task, TSKquakeKill) == nullptr) return;
        task->state = kObjStateRun;
        setQuakeOffset(0, 0);
        break;
    case kObjStateRun:
        task->work->age = 0;
        break;
    case kShaking:
        shakeOnce(task);
        break;
    case kQuakeEnd:
        task->state = kObjStateRun;
        setQuakeOffset(0, 0);
        break;
    default:
        releaseUnlessPersistent(task);
    }
}

void TSKquakeKill(ObjTask* task) {
    setQuakeOffset(0, 0);
    if (quakeTask == task) quakeTask = nullptr;
    OBJworkFree(task->work);
    task->work = nullptr;
}

void TSKfadeStart(int32_t frames, int32_t kind, uint8_t r, uint8_t g, uint8_t b, float startAlpha) {
    ObjTask* task = instanceOf(fadeTask, TSKfadeAct, kFadeGroup, kFadeTag);
    if (task == nullptr) return;
    ObjWork* work = task->work;
    if (frames > 0) {
        setField(work, kStep, (kind == kFadeIn ? startAlpha : 1.0f) / float(frames));
        task->actWords[kEffectFramesWord] = frames;
    } else {
        // -1 holds the cover; no frames at all ends the fade at once.
        setField(work, kStep, 0.0f);
        task->actWords[kEffectFramesWord] = frames == -1 ? kHeldFrames : 0;
    }
    work->r = r;
    work->g = g;
    work->b = b;
    work->alpha = startAlpha;
    // A restart counts its frames afresh: a held cover may have stood for
    // any number of frames, which must not carry into the next fade.
    work->age = 0;
    task->state = kind;
    TSKfadeAct(task);
}

void TSKfadeAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit: {
        ObjWork* work = takeWork(task, TSKfadeKill);
        if (work == nullptr) return;
        work->draw = TSKfadeDraw;
        work->x = kCentreX;
        work->y = kCentreY;
        work->depth = float(kFadeCoverLayer);
        work->scaleX = work->scaleY = 1.0f;
        work->angle = 0.0f;
        work->r = work->g = work->b = 255;
        work->alpha = 0.0f;
        task->state = kObjStateRun;
        break;
    }
    case kObjStateRun:
        task->work->age = 0;
        break;
    case kFadeIn:
    case kFadeOut:
        rampFade(task);
        break;
    default:
        releaseUnlessPersistent(task);
    }
}

void TSKfadeKill(ObjTask* task) {
    if (fadeTask == task) fadeTask = nullptr;
    OBJworkFree(task->work);
    task->work = nullptr;
}

void TSKfadeDraw(ObjTask*, ObjWork* work) {
    if (work->alpha <= 0.0f) return;
    OBJdrawSprite(work, kFadeCoverFrame, work->x, work->y, kFadeCoverLayer, kFadeCoverScaleX, kFadeCoverScaleY,
                  work->angle, work->alpha, 0);
}

void fadeInWhite(int32_t frames) { TSKfadeStart(frames, kFadeIn, 255, 255, 255, 1.0f); }
void fadeOutWhite(int32_t frames) { TSKfadeStart(frames, kFadeOut, 255, 255, 255, 0.0f); }
void fadeInBlack(int32_t frames) { TSKfadeStart(frames, kFadeIn, 8, 8, 8, 1.0f); }
void fadeOutBlack(int32_t frames) { TSKfadeStart(frames, kFadeOut, 8, 8, 8, 0.0f); }

ObjTask* TSKendingStart() { return OBJtaskCreate(TSKendingAct, kEndingGroup, kEndingTag); }

void TSKendingAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->release = TSKendingKill;
        // It draws nothing; its work only marks its place.
        task->work = OBJworkNew();
        if (ObjWork* work = task->work) {
            work->x = kCentreX;
            work->y = kCentreY;
            work->depth = kEndingDepth;
            work->angle = 0.0f;
        }
        endingFlag = true;
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        task->state = kObjStateEnd;
        break;
    default:
        releaseUnlessPersistent(task);
    }
}

void TSKendingKill(ObjTask* task) {
    SDL2_wheel_SoundStopMusic();
    OBJworkFree(task->work);
    task->work = nullptr;
}
