// The mini-game's scene-side part: joining, calling partners, the gauge, the
// level and the multiplier time, and its head-up display.
#include <algorithm>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/frontend/staff_roll/staff_roll.h"
#include "game/records/save_block.h"

uint64_t staffRollScore = 0;
int32_t staffRollGauge = 0;
int32_t staffRollPartners = 0;
int32_t staffRollMultiplier = 1;
int32_t staffRollMultiplierTime = 0;
int32_t staffRollLevel = 0;

namespace {

constexpr uint32_t kGameButtonOne = 0x10;
constexpr int32_t kGameMaxPartners = 4;
constexpr int32_t kGameLevelPoints = 20000;
constexpr int32_t kGameTopLevel = 10;
constexpr int32_t kGameMultiplierChannel = 17;
constexpr int32_t kHudBackLayer = 10;
constexpr int32_t kHudTextLayer = 802;  // over the frame
constexpr float kHudCentreX = 112.0f;
constexpr float kHudCentreY = 144.0f;
constexpr float kHudGaugeX = 38.0f;
constexpr float kHudGaugeY = 30.0f;
constexpr int32_t kHudGaugeCells = 50;

void gameJoin() {
    OBJtaskCreateSetUp(staffRollCharacterAct, 9, objTag("FIGH"));
    staffRollStarted = 1;
    SDL2_wheel_SoundPlaySE(60, false);
}

void gameCallPartner() {
    if (++staffRollPartners > kGameMaxPartners) return;
    staffRollGauge = 0;
    staffRollPartnerCreate(staffRollPartners);
    SDL2_wheel_SoundPlaySE(40, false);
    SDL2_wheel_SoundPlaySE(62, false);
    SDL2_wheel_SoundDuckMusic(kStaffRollMultiplierFrames);
    ++staffRollMultiplier;
    staffRollMultiplierTime = kStaffRollMultiplierFrames;
}

uint64_t hudHighScore() {
    const int32_t stored = int32_t(saveBlock().staffRollHighScore);
    return std::max<uint64_t>(staffRollScore, stored > 0 ? uint64_t(stored) : 0);
}

void hudCentredText(ObjWork* work, const char* text, float y) {
    OBJdrawText(work, text, kHudCentreX - float(SDL2_wheel_TextWidth(text) / 2), y, kHudTextLayer);
}

void hudPrompt(ObjWork* work, float x, float y) {
    OBJdrawSprite(work, 1729 + (work->age / 10) % 7, x, y, int32_t(work->depth), 1.0f, 1.0f, 0.0f, 1.0f, 0);
}

void hudGauge(ObjWork* work) {
    const int32_t layer = int32_t(work->depth);
    OBJdrawSprite(work, 1852, kHudGaugeX, kHudGaugeY, layer, 1.0f, 1.0f, 0.0f, 0.8f, 0);
    const int32_t fill = staffRollGauge * kHudGaugeCells / kStaffRollGaugeFull;
    const bool full = staffRollGauge >= kStaffRollGaugeFull;
    if (fill > 0) {
        if (full) {
            work->r = 200;
            work->g = 255;
            work->b = 200;
        }
        OBJdrawSprite(work, (full ? 1852 : 1902) + fill, kHudGaugeX, kHudGaugeY, layer, 1.0f, 1.0f, 0.0f, 1.0f, 1);
        work->r = work->g = work->b = 255;
    }
    if (full) {
        OBJdrawSprite(work, 1953, kHudGaugeX, kHudGaugeY, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
        hudPrompt(work, 86.0f, kHudGaugeY);
    }
}

}  // namespace

void staffRollGaugeFull() {
    if (staffRollGauge < kStaffRollGaugeFull) SDL2_wheel_SoundPlaySE(37, false);
    staffRollGauge = kStaffRollGaugeFull;
}

void staffRollGaugeAdd(int32_t n) {
    if (staffRollPartners >= kGameMaxPartners) {
        staffRollGauge = 0;
    } else if (staffRollGauge + n >= kStaffRollGaugeFull) {
        staffRollGaugeFull();
    } else {
        staffRollGauge += n;
    }
}

void staffRollGameFrame() {
    const bool buttonOne = (padPressed & kGameButtonOne) != 0;
    if (staffRollStarted == 0) {
        if (buttonOne) gameJoin();
    } else if (staffRollGauge == kStaffRollGaugeFull && buttonOne) {
        gameCallPartner();
    }
    const int32_t level = int32_t(std::min<uint64_t>(staffRollScore / kGameLevelPoints, kGameTopLevel));
    if (level != staffRollLevel) SDL2_wheel_SoundPlaySE(41, false);
    staffRollLevel = level;
    if (staffRollMultiplierTime > 0 && --staffRollMultiplierTime == 0) {
        SDL2_wheel_SoundStopChannel(kGameMultiplierChannel);
    }
}

void staffRollHudDraw(ObjTask* task, ObjWork* work) {
    OBJdrawSprite(work, 1638 + staffRollLevel, kHudCentreX, kHudCentreY, kHudBackLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    OBJdrawSprite(work, 1649, kHudCentreX, kHudCentreY, int32_t(work->depth), 1.0f, 1.0f, 0.0f, 1.0f, 0);
    char text[40];
    if (staffRollStarted != 0) {
        std::snprintf(text, sizeof text, "%12llu", static_cast<unsigned long long>(staffRollScore));
        OBJdrawText(work, text, 2.0f, 1.0f, kHudTextLayer);
        std::snprintf(text, sizeof text, "HI%12llu", static_cast<unsigned long long>(hudHighScore()));
        OBJdrawText(work, text, 106.0f, 1.0f, kHudTextLayer);
    }
    if (staffRollMultiplierTime > 0) {
        std::snprintf(text, sizeof text, "TIME %d:%03d", staffRollMultiplierTime / 60,
                      (staffRollMultiplierTime % 60) * 16);
        hudCentredText(work, text, 20.0f);
        std::snprintf(text, sizeof text, "x%d", staffRollMultiplier);
        hudCentredText(work, text, 30.0f);
    }
    hudGauge(work);
    if (task->actWords[kStaffRollStep] == 3) hudPrompt(work, 180.0f, 160.0f);
}
