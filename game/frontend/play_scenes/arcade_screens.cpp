// KEY CONFIG and SCORE ATTACK of the arcade platform: set-up, the countdown,
// the input, the leave and the release.
#include "game/frontend/play_scenes/arcade_screens.h"

#include <algorithm>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/records/card_profile.h"
#include "game/records/settings_file.h"

ArcadeScreen arcadeScreen;

namespace {

constexpr uint32_t kCabinetButtonBits = 0xFFFF0;  // buttons 1..16
constexpr int32_t kArcadeLayer = 811;
int32_t CardProfile::*const kKeyConfigFields[4] = {&CardProfile::configShot, &CardProfile::configBomb,
                                                    &CardProfile::configRapid, &CardProfile::configBlow};
int32_t CardProfile::*const kArcadeSaFields[4] = {&CardProfile::configSaStage, &CardProfile::configSaAssist,
                                                   &CardProfile::configSaFigType, &CardProfile::configSaDramatic};

bool arcadeTick() {
    if (--arcadeScreen.tickFrames <= 0) {
        arcadeScreen.tickFrames = 60;
        arcadeScreen.secondsLeft = std::max(arcadeScreen.secondsLeft - 1, 0);
    }
    return arcadeScreen.secondsLeft == 0;
}

void arcadeEndFrame() {
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = 0;
}

void arcadeOpen(ObjTask* task, void (*draw)(ObjTask*, ObjWork*), const MenuItemRow* rows, int32_t lastRow) {
    sceneWorkNew(task, 801.0f, draw);
    arcadeScreen = ArcadeScreen{};
    listMenuOpen(arcadeScreen.menu, rows, lastRow, 20);
    SDL2_wheel_SoundPlayMusic(32);
}

void arcadeDrawTime(ObjWork* work, int32_t frame) {
    char text[16];
    std::snprintf(text, sizeof text, "TIME %02d", arcadeScreen.secondsLeft);
    OBJdrawText(work, text, kSceneX - float(SDL2_wheel_TextWidth(text) / 2), 279.0f, kArcadeLayer);
    OBJdrawSprite(work, frame, kSceneX, kSceneY, kArcadeLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
}

// KEY CONFIG.

const char* keyConfigValueName(const ListMenu& menu, int32_t row) {
    static char text[16];
    const int32_t value = menu.values[size_t(row)];
    if (value == 0) return "NONE";
    std::snprintf(text, sizeof text, "BUTTON %2d", value);
    return text;
}

void keyConfigDraw(ObjTask* task, ObjWork* work) {
    listMenuDraw(arcadeScreen.menu, {"KEY CONFIG", nullptr, keyConfigValueName}, task, work);
    arcadeDrawTime(work, 2801);
}

void keyConfigStore() {
    for (int k = 0; k < 4; ++k) cardProfile.*kKeyConfigFields[k] = arcadeScreen.menu.values[size_t(k)];
}

void keyConfigRelease(ObjTask* task) {
    keyConfigStore();
    configSave();
    sceneWorkFree(task);
}

void keyConfigSetUp(ObjTask* task) {
    arcadeOpen(task, keyConfigDraw, kKeyConfigRowTable.data(), kKeyConfigRows - 1);
    task->release = keyConfigRelease;
    configLoad();
    for (int k = 0; k < 4; ++k) arcadeScreen.menu.values[size_t(k)] = cardProfile.*kKeyConfigFields[k];
    arcadeScreen.menu.cursor = kKeyConfigStartRow;
    menuCursorSet(60.0f, 50.0f + 12.0f * float(kKeyConfigStartRow));
    menuFrameOpen(0);
    SDL2_wheel_SoundPlaySE(870, false);
}

// A cabinet button newly pressed on a button row takes that row; the row
// that had it before gets the row's old number.
void keyConfigAssign(int32_t button) {
    auto& values = arcadeScreen.menu.values;
    const auto row = size_t(arcadeScreen.menu.cursor);
    for (size_t k = 0; k < 4; ++k) {
        if (k != row && values[k] == button) values[k] = values[row];
    }
    values[row] = button;
    SDL2_wheel_SoundPlaySE(2, false);
}

void keyConfigStart(ObjTask* task) {
    SDL2_wheel_SoundPlaySE(0, false);
    menuResultCode = 16;
    menuFrameOpen(1);
    arcadeEndFrame();
    task->state = kListMenuLeaving;
}

void keyConfigChoose(ObjTask* task) {
    const bool timeOut = arcadeTick();
    ListMenu& menu = arcadeScreen.menu;
    const uint32_t held = padRaw & kCabinetButtonBits;
    const bool wasHeld = arcadeScreen.heldButtons != 0;
    arcadeScreen.heldButtons = held;
    if (timeOut) {
        keyConfigStart(task);
    } else if (menu.inputLock == 0 && !wasHeld && held != 0 && menu.cursor < 4) {
        keyConfigAssign(cabinetButtonOf(held));
    } else if (!wasHeld) {
        const ListMenuInput input = listMenuReadInput(menu);
        if (input == ListMenuInput::decide && menu.cursor == kKeyConfigStartRow) {
            keyConfigStart(task);
        } else if (input == ListMenuInput::decide && menu.cursor == kKeyConfigDefaultRow) {
            SDL2_wheel_SoundPlaySE(0, false);
            for (size_t k = 0; k < 4; ++k) menu.values[k] = kArcadeKeyConfigDefaults[k];
        }
    }
    keyConfigStore();
    listMenuTick(menu);
}

void keyConfigRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        keyConfigChoose(task);
        return;
    }
    if (listMenuLeft(arcadeScreen.menu, true, 0)) task->state = kObjStateEnd;
}

// SCORE ATTACK.

void arcadeSaDraw(ObjTask* task, ObjWork* work) {
    listMenuDraw(arcadeScreen.menu, {"SCORE ATTACK", &kListMenuArrowsNarrow, nullptr}, task, work);
    arcadeDrawTime(work, 2802);
}

void arcadeSaRelease(ObjTask* task) {
    const auto& values = arcadeScreen.menu.values;
    for (int k = 0; k < 4; ++k) cardProfile.*kArcadeSaFields[k] = values[size_t(k)];
    arcadeScoreAttackChoice.stage = values[0];
    arcadeScoreAttackChoice.assist = values[1];
    arcadeScoreAttackChoice.leaderType = values[2];
    arcadeScoreAttackChoice.dramatic = values[3];
    sceneWorkFree(task);
}

void arcadeSaSetUp(ObjTask* task) {
    arcadeOpen(task, arcadeSaDraw, kArcadeScoreAttackRowTable.data(), kArcadeScoreAttackRows - 1);
    task->release = arcadeSaRelease;
    auto& values = arcadeScreen.menu.values;
    for (int k = 0; k < 4; ++k) {
        const MenuItemRow& row = kArcadeScoreAttackRowTable[size_t(k)];
        values[size_t(k)] = std::clamp(cardProfile.*kArcadeSaFields[k], row.min, row.max);
    }
    arcadeScreen.menu.cursor = 0;
    menuCursorSet(60.0f, 50.0f);
    menuFrameOpen(1);
    SDL2_wheel_SoundPlaySE(895, false);
}

void arcadeSaStart(ObjTask* task) {
    SDL2_wheel_SoundPlaySE(893, false);
    SDL2_wheel_SoundPlaySE(0, false);
    menuResultCode = 2;
    playIsRecorded = 1;
    arcadeScreen.fadeCountdown = 90;
    fadeOutWhite(90);
    arcadeEndFrame();
    task->state = kListMenuLeaving;
}

void arcadeSaChoose(ObjTask* task) {
    const bool timeOut = arcadeTick();
    ListMenu& menu = arcadeScreen.menu;
    const ListMenuInput input = timeOut ? ListMenuInput::none : listMenuReadInput(menu);
    if (timeOut || (input == ListMenuInput::decide && menu.cursor == kArcadeScoreAttackStartRow)) {
        arcadeSaStart(task);
    } else if (input == ListMenuInput::decide) {
        SDL2_wheel_SoundPlaySE(2, false);
    } else if (input == ListMenuInput::left || input == ListMenuInput::right) {
        listMenuStepValue(menu, input == ListMenuInput::left ? -1 : 1);
    }
    listMenuTick(menu);
}

void arcadeSaRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        arcadeSaChoose(task);
        return;
    }
    --arcadeScreen.fadeCountdown;
    const bool slide = arcadeScreen.menu.cursor == kArcadeScoreAttackStartRow;
    if (listMenuLeft(arcadeScreen.menu, slide, arcadeScreen.fadeCountdown)) task->state = kObjStateEnd;
}

}  // namespace

void TSKarcadeKeyConfig(ObjTask* task) { sceneAct(task, SceneAct{keyConfigSetUp, keyConfigRun, kListMenuLeaving}); }
void TSKarcadeScoreAttack(ObjTask* task) { sceneAct(task, SceneAct{arcadeSaSetUp, arcadeSaRun, kListMenuLeaving}); }

int32_t cabinetButtonOf(uint32_t raw) {
    for (int32_t k = 1; k <= 16; ++k) {
        if ((raw & (0x10u << (k - 1))) != 0) return k;
    }
    return 0;
}
