#include "game/frontend/main_menu.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/frontend/sprite_font_text.h"
#include "game/records/save_block.h"

int32_t mainMenuSlideIn = 0;
int32_t mainMenuSlideOut = 0;
int32_t mainMenuInputLock = 0;
int32_t mainMenuCloseCounter = 0;
std::array<int32_t, kMainMenuCounters> mainMenuRowCounters{};
int32_t configVoiceSampleCounter = 0;

namespace {

constexpr uint32_t kMainUp = 0x01;
constexpr uint32_t kMainDown = 0x02;
constexpr uint32_t kMainSideways = 0x0C;
constexpr uint32_t kMainDecide = 0x10;
constexpr int kMainEffectOk = 0;
constexpr int kMainEffectCursor = 2;
constexpr int kMainMusic = 32;
constexpr int32_t kMainLayer = 811;
constexpr int32_t kMainBarSprite = 2832;
constexpr int32_t kMainLeftPointSprite = 1634;
constexpr int32_t kMainRightPointSprite = 1628;
constexpr float kMainCentreX = 112.0f;
constexpr float kMainRowPitch = 25.0f;
constexpr float kMainTurn = 6.2831855f;
constexpr int kMainFirstSampleChannel = 20;
constexpr int kMainLastSampleChannel = 25;
constexpr std::array<int, 4> kMainSampleVoices = {289, 443, 600, 753};
// The labels after the nine items: empty, never drawn, never chosen.
constexpr int kMainLabelRows = 20;

void mainStopSampleChannels() {
    for (int channel = kMainFirstSampleChannel; channel <= kMainLastSampleChannel; ++channel) {
        SDL2_wheel_SoundStopChannel(channel);
    }
}

float mainRowY(int32_t row) { return kMainRowPitch * float(row + 2); }

void mainMenuSetUp(ObjTask* task) {
    ObjWork* work = sceneWorkNew(task, 801.0f, TSKmainMenuDraw);
    if (work) scene(work).frameCounter = 0;
    task->release = sceneWorkFree;
    SDL2_wheel_SoundResumeAll();
    SDL2_wheel_SoundPlayMusic(kMainMusic);
    mainMenuCursor = std::clamp(mainMenuCursor, 0, kMainMenuItems - 1);
    menuCursorSet(kMainCentreX, mainRowY(mainMenuCursor));
    menuFrameOpen(0);
    mainMenuInputLock = 10;
    mainMenuCloseCounter = 0;
    mainMenuRowCounters.fill(10);
    mainStopSampleChannels();
}

void mainMenuChoose(ObjTask* task) {
    const MainMenuItem& item = kMainMenuItemTable[size_t(mainMenuCursor)];
    if (item.choose) item.choose();
    menuResultCode = item.code;
    SDL2_wheel_SoundPlaySE(kMainEffectOk, false);
    task->state = 101;
    menuFrameState = kMenuFrameEnd;
    mainMenuSlideIn = mainMenuSlideOut = item.slide;
    menuFrameStartAlt = menuFrameEndAlt = item.slide;
}

void mainMenuInput(ObjTask* task) {
    if (mainMenuInputLock != 0) return;
    if ((padRepeat & kMainUp) != 0) {
        SDL2_wheel_SoundPlaySE(kMainEffectCursor, false);
        mainMenuCursor = mainMenuCursor <= 0 ? kMainMenuItems - 1 : mainMenuCursor - 1;
    } else if ((padRepeat & kMainDown) != 0) {
        SDL2_wheel_SoundPlaySE(kMainEffectCursor, false);
        mainMenuCursor = mainMenuCursor >= kMainMenuItems - 1 ? 0 : mainMenuCursor + 1;
    } else if ((padPressed & kMainSideways) == 0 && (padPressed & kMainDecide) != 0) {
        mainMenuChoose(task);
    }
}

void mainMenuRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        TSKmainMenuUpdate(task);
        return;
    }
    if (mainMenuSlideOut == 1) mainMenuCloseCounter = std::min(mainMenuCloseCounter + 1, 10);
    if (menuFrameState == kMenuFrameDone) task->state = kObjStateEnd;
}

const SceneAct kMainMenuAct = {mainMenuSetUp, mainMenuRun, 101};

void mainDrawCursorPoints(ObjWork* owner) {
    const int32_t s = int32_t(4.0 * std::sin(kMainTurn * 16.0 * double(menuCursorFrame) / 1024.0));
    const int32_t f = (menuCursorFrame / 2) % 2;
    OBJdrawSprite(owner, kMainLeftPointSprite + f, menuCursor.leftX - float(s), menuCursor.leftY, kMainLayer, 1.0f,
                  1.0f, 0.0f, 1.0f, 0);
    OBJdrawSprite(owner, kMainRightPointSprite + f, menuCursor.rightX + float(s), menuCursor.rightY, kMainLayer, 1.0f,
                  1.0f, 0.0f, 1.0f, 0);
}

}  // namespace

void TSKmainMenu(ObjTask* task) { sceneAct(task, kMainMenuAct); }

void TSKmainMenuUpdate(ObjTask* task) {
    mainMenuInput(task);
    const auto w = int32_t(18 * std::strlen(kMainMenuItemTable[size_t(mainMenuCursor)].label));
    menuCursor.targetLeftX = kMainCentreX - float(w / 2 + 10);
    menuCursor.targetRightX = kMainCentreX + float(w / 2 + 10);
    menuCursor.targetLeftY = menuCursor.targetRightY = mainRowY(mainMenuCursor);
    menuCursorUpdate();
    mainMenuInputLock = std::max(mainMenuInputLock - 1, 0);
    for (int i = 0; i < kMainMenuCounters; ++i) {
        int32_t& c = mainMenuRowCounters[size_t(i)];
        c = i == mainMenuCursor ? std::max(c - 1, 0) : std::min(c + 1, 10);
    }
    if (task->work) ++scene(task->work).frameCounter;
}

void mainMenuPlayTimeText(char (&text)[40]) {
    const SaveBlock& save = saveBlock();
    std::snprintf(text, sizeof text, "PLAYTIME %3uh%2um%2us", save.playHours, save.playMinutes, save.playSeconds);
}

void TSKmainMenuDraw(ObjTask* task, ObjWork* work) {
    const float offset = -(mainMenuSlideIn ? float(3 * mainMenuInputLock * mainMenuInputLock) : 0.0f) -
                         (mainMenuSlideOut ? float(3 * mainMenuCloseCounter * mainMenuCloseCounter) : 0.0f);
    drawSpriteFontText("MAIN MENU", 1, float(kMainLayer), kMainCentreX, 20.0f + offset, 1.0f, true, 255, 255, 255, 0,
                       1.0f, 1.0f);
    if (task->state == kObjStateRun && mainMenuInputLock == 0) {
        for (int i = 0; i < kMainLabelRows; ++i) {
            const int32_t c = mainMenuRowCounters[size_t(i)];
            if (c >= 10) continue;
            OBJdrawSprite(work, kMainBarSprite, kMainCentreX - float(2 * c * c), mainRowY(i) + offset, kMainLayer,
                          1.0f, 1.0f, 0.0f, 1.0f, 0);
        }
        mainDrawCursorPoints(work);
    }
    for (int i = 0; i < kMainMenuItems; ++i) {
        const float y = mainRowY(i) + offset;
        drawSpriteFontText(kMainMenuItemTable[size_t(i)].label, 0, float(kMainLayer), kMainCentreX, y, 1.0f, true, 200,
                           200, 200, 0, 1.0f, 1.0f);
        if (i != mainMenuCursor) continue;
        const int32_t t = scene(work).frameCounter;
        const float glow = 0.5f + float(int32_t(30.0 * std::sin(kMainTurn * 20.0 * double(t) / 1024.0))) / 100.0f;
        drawSpriteFontText(kMainMenuItemTable[size_t(i)].label, 0, float(kMainLayer), kMainCentreX, y, glow, true, 255,
                           255, 255, 1, 1.0f, 1.0f);
    }
    char text[40];
    mainMenuPlayTimeText(text);
    OBJdrawText(work, text, kMainCentreX - float(SDL2_wheel_TextWidth(text) / 2), 274.0f + offset, kMainLayer);
}

void configPlayVoiceSample() {
    mainStopSampleChannels();
    SDL2_wheel_SoundPlaySE(kMainSampleVoices[size_t(configVoiceSampleCounter % 4)], false);
    ++configVoiceSampleCounter;
}
