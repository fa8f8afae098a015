#include "game/frontend/config_menu.h"

#include <algorithm>

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/frontend/main_menu.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"

ListMenu configMenu;

namespace {

constexpr int kConfigMusic = 32;
constexpr int32_t kConfigLastRow = 20;
constexpr int32_t kConfigSoundTypeRow = 8;
constexpr int32_t kConfigVoiceRow = 9;
constexpr int32_t kConfigFirstDisplayRow = 2;
constexpr int32_t kConfigLastDisplayRow = 7;
constexpr int32_t kConfigLastVolumeRow = 11;
constexpr int32_t kConfigKeyConfigRow = 18;
constexpr int32_t kConfigDefaultRow = 19;
constexpr int32_t kConfigExitRow = 20;
constexpr int32_t kConfigToKeyConfig = 10;
constexpr int32_t kConfigToMainMenu = 3;

// What DEFAULT gives every row but LANGUAGE.
constexpr std::array<int32_t, kConfigMenuValues> kConfigDefaults = {0,  0,   200, 200, 0, 0, 0, 0, 0,
                                                                    100, 100, 100, 1,   10, 0, 1, 1, 0};

void configSetting(int32_t row, int32_t value) { gameSettings.*kConfigMenuSettings[size_t(row)] = value; }

void configMenuDraw(ObjTask* task, ObjWork* work) {
    listMenuDraw(configMenu, {"CONFIG", &kListMenuArrowsWide, nullptr}, task, work);
}

void configMenuRelease(ObjTask* task) {
    sceneWorkFree(task);
    for (int32_t row = 0; row < kConfigMenuValues; ++row) configSetting(row, configMenu.values[size_t(row)]);
    configSave();
}

void configMenuSetUp(ObjTask* task) {
    sceneWorkNew(task, 801.0f, configMenuDraw);
    task->release = configMenuRelease;
    SDL2_wheel_SoundPlayMusic(kConfigMusic);
    configMenu.cursor = std::clamp(configMenu.cursor, 0, kConfigLastRow);
    listMenuOpen(configMenu, kConfigMenuRowTable.data(), kConfigLastRow, kConfigMenuRows);
    menuCursorSet(60.0f, 50.0f + 12.0f * float(configMenu.cursor));
    configLoad();
    for (int32_t row = 0; row < kConfigMenuValues; ++row) {
        configMenu.values[size_t(row)] = gameSettings.*kConfigMenuSettings[size_t(row)];
    }
    menuFrameOpen(1);
}

// What a changed value does at once: the arrangement only on a real change,
// the volumes and the display values even when a clamp kept them.
void configApplyRow(int32_t row, int32_t before, int32_t stepped) {
    const int32_t value = configMenu.values[size_t(row)];
    if (row == kConfigSoundTypeRow) {
        if (value == stepped && value != before) {
            configSetting(row, value);
            SDL2_wheel_SoundStopMusic();
            SDL2_wheel_SoundPlayMusic(kConfigMusic);
        }
        return;
    }
    if (row >= kConfigFirstDisplayRow && row <= kConfigLastDisplayRow) configSetting(row, value);
    if (row < kConfigVoiceRow || row > kConfigLastVolumeRow) return;
    configSetting(row, value);
    SDL2_wheel_SoundApplyVolumes();
    if (row == kConfigVoiceRow) configPlayVoiceSample();
}

void configRestoreDefaults() {
    SDL2_wheel_SoundPlaySE(0, false);
    for (int32_t row = 1; row < kConfigMenuValues; ++row) {
        configMenu.values[size_t(row)] = kConfigDefaults[size_t(row)];
        if (row != kConfigSoundTypeRow) configSetting(row, kConfigDefaults[size_t(row)]);
    }
    SDL2_wheel_SoundApplyVolumes();
}

void configMenuInput(ObjTask* task) {
    const ListMenuInput input = listMenuReadInput(configMenu);
    const int32_t row = configMenu.cursor;
    if ((input == ListMenuInput::left || input == ListMenuInput::right) && row < kConfigMenuValues) {
        const int32_t step = kConfigMenuRowTable[size_t(row)].step * (input == ListMenuInput::left ? -1 : 1);
        const int32_t before = configMenu.values[size_t(row)];
        listMenuStepValue(configMenu, step);
        configApplyRow(row, before, int32_t(int64_t(before) + step));
    } else if (input == ListMenuInput::decide) {
        if (row == kConfigDefaultRow) configRestoreDefaults();
        if (row == kConfigKeyConfigRow) listMenuLeave(task, kConfigToKeyConfig);
        if (row == kConfigExitRow) listMenuLeave(task, kConfigToMainMenu);
    }
}

void configMenuRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        configMenuInput(task);
        listMenuTick(configMenu);
    } else if (listMenuLeft(configMenu, true, 0)) {
        task->state = kObjStateEnd;
    }
}

const SceneAct kConfigMenuAct = {configMenuSetUp, configMenuRun, kListMenuLeaving};

}  // namespace

void TSKconfigMenu(ObjTask* task) { sceneAct(task, kConfigMenuAct); }
