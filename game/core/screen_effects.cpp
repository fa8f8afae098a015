#include "game/core/screen_effects.h"

#include "game/core/game_random.h"
#include "game/core/sound_requests.h"

int16_t quakeOffsetX = 0;
int16_t quakeOffsetY = 0;
QuakeTask* quakeTask = nullptr;
FadeTask* fadeTask = nullptr;
EndingTask* endingTask = nullptr;
bool endingFlag = false;

namespace {

QuakeTask quakeRecord;
FadeTask fadeRecord;
EndingTask endingRecord;

constexpr int32_t kIdle = 100;
constexpr int32_t kShaking = 101;
constexpr int32_t kQuakeEnd = 102;
constexpr int32_t kHeldFrames = 32000;

// Within a quarter of the strength either side.
int16_t shake(float strength) {
    const float raw = float(gameRand() % 10000) * strength / 10000.0f;
    return int16_t((raw - strength * 0.5f) * 0.5f);
}

}  // namespace

void TSKquakeStart(int32_t frames, float strength) {
    if (!quakeTask) {
        quakeRecord = QuakeTask{};
        quakeTask = &quakeRecord;
        TSKquakeAct(quakeRecord);
    }
    quakeTask->strengthX = quakeTask->strengthY = strength;
    // No frames: one shake, then idle.
    quakeTask->step = frames > 0 ? strength / float(frames) : 0.0f;
    quakeTask->frames = frames;
    quakeTask->state = kShaking;
    TSKquakeAct(*quakeTask);
}

void TSKquakeAct(QuakeTask& task) {
    switch (task.state) {
    case 0:
        task.state = kIdle;
        quakeOffsetX = quakeOffsetY = 0;
        break;
    case kIdle:
        task.age = 0;
        break;
    case kShaking:
        ++task.age;
        quakeOffsetX = shake(task.strengthX);
        quakeOffsetY = shake(task.strengthY);
        if (task.frames >= 1 && --task.frames != 0) {
            task.strengthX -= task.step;
            task.strengthY -= task.step;
        } else {
            task.state = kQuakeEnd;
        }
        break;
    case kQuakeEnd:
        task.state = kIdle;
        quakeOffsetX = quakeOffsetY = 0;
        break;
    default:
        TSKquakeKill(task);
    }
}

void TSKquakeKill(QuakeTask&) {
    quakeOffsetX = quakeOffsetY = 0;
    quakeTask = nullptr;
}

void TSKfadeStart(int32_t frames, int32_t kind, uint8_t r, uint8_t g, uint8_t b, float startAlpha) {
    if (!fadeTask) {
        fadeRecord = FadeTask{};
        fadeTask = &fadeRecord;
        TSKfadeAct(fadeRecord);
    }
    FadeTask& task = *fadeTask;
    if (frames > 0) {
        task.step = (kind == kFadeIn ? startAlpha : 1.0f) / float(frames);
        task.frames = frames;
    } else {
        task.step = 0.0f;
        task.frames = frames == -1 ? kHeldFrames : 0;
    }
    task.r = r;
    task.g = g;
    task.b = b;
    task.alpha = startAlpha;
    task.state = kind;
    TSKfadeAct(task);
}

void TSKfadeAct(FadeTask& task) {
    switch (task.state) {
    case 0:
        task.x = 112.0f;
        task.y = 144.0f;
        task.depth = 902.0f;
        task.r = task.g = task.b = 255;
        task.alpha = 0.0f;
        task.state = kIdle;
        break;
    case kIdle:
        task.age = 0;
        break;
    case kFadeIn:
    case kFadeOut:
        ++task.age;
        --task.frames;
        task.alpha += task.state == kFadeIn ? -task.step : task.step;
        if (task.frames < 1) {
            task.alpha = task.state == kFadeIn ? 0.0f : 1.0f;
            task.state = kIdle;
        }
        break;
    default:
        TSKfadeKill(task);
    }
}

void TSKfadeKill(FadeTask&) { fadeTask = nullptr; }

void fadeInWhite(int32_t frames) { TSKfadeStart(frames, kFadeIn, 255, 255, 255, 1.0f); }
void fadeOutWhite(int32_t frames) { TSKfadeStart(frames, kFadeOut, 255, 255, 255, 0.0f); }
void fadeInBlack(int32_t frames) { TSKfadeStart(frames, kFadeIn, 8, 8, 8, 1.0f); }
void fadeOutBlack(int32_t frames) { TSKfadeStart(frames, kFadeOut, 8, 8, 8, 0.0f); }

float fadeCoverAlpha() { return fadeTask && fadeTask->alpha > 0.0f ? fadeTask->alpha : 0.0f; }

void TSKendingStart() {
    endingRecord = EndingTask{};
    endingTask = &endingRecord;
}

void TSKendingAct(EndingTask& task) {
    if (task.state == 0) {
        endingFlag = true;
        task.state = kIdle;
    } else if (task.state == kIdle) {
        task.state = -1;
    } else {
        TSKendingKill(task);
    }
}

void TSKendingKill(EndingTask&) {
    SDL2_wheel_SoundStopMusic();
    endingTask = nullptr;
}
