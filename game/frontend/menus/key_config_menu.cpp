#include "game/frontend/menus/key_config_menu.h"

#include "engine/input/input.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/records/settings_file.h"

const std::array<int32_t, kKeyConfigPhysicalButtons> kKeyConfigButtonBits = {0,  1,  10, 11, 9,  16, 8,  17,
                                                                              3,  2,  -1, -1, -1, -1, -1, -1};
const std::array<int32_t, kKeyConfigActions> kKeyConfigDefaults = {2, 3, 1, 4, 8, 7};

KeyConfigMenu keyConfigMenu;

namespace {

constexpr int kKeyConfigMusic = 32;
constexpr int32_t kKeyConfigDefaultRow = 6;
constexpr int32_t kKeyConfigExitRow = 7;
constexpr int32_t kKeyConfigToConfig = 9;
constexpr uint32_t kKeyConfigButton1 = 0x10;

const char* const kKeyConfigNames[] = {"0", "1", "2",  "3",  "4",  "5",  "6",  "7", "8",
                                       "9", "10", "11", "12", "13", "14", "15", "16"};
constexpr MenuItemRow keyConfigRow(const char* label) { return {label, kKeyConfigNames, 1, 16, 1}; }
const MenuItemRow kKeyConfigRows[] = {
    keyConfigRow("1(SHOT)"), keyConfigRow("2(POWER UP)"), keyConfigRow("3(RAPID)"), keyConfigRow("4(BLOW)"),
    keyConfigRow("PAUSE"),   keyConfigRow("RESET"),       menuActionRow("DEFAULT"), menuActionRow("EXIT"),
};

int32_t GameSettings::* const kKeyConfigSettings[kKeyConfigActions] = {
    &GameSettings::BUTTON_01, &GameSettings::BUTTON_02,    &GameSettings::BUTTON_03,
    &GameSettings::BUTTON_04, &GameSettings::BUTTON_PAUSE, &GameSettings::BUTTON_RESET,
};

void keyConfigStore() {
    for (int i = 0; i < kKeyConfigActions; ++i) gameSettings.*kKeyConfigSettings[i] = keyConfigMenu.list.values[size_t(i)];
}

void keyConfigDraw(ObjTask* task, ObjWork* work) {
    listMenuDraw(keyConfigMenu.list, {"KEY CONFIG", nullptr, nullptr}, task, work);
}

void keyConfigRelease(ObjTask* task) {
    sceneWorkFree(task);
    keyConfigStore();
    configSave();
}

void keyConfigSetUp(ObjTask* task) {
    sceneWorkNew(task, 801.0f, keyConfigDraw);
    task->release = keyConfigRelease;
    SDL2_wheel_SoundPlayMusic(kKeyConfigMusic);
    keyConfigMenu.list.cursor = 0;
    keyConfigMenu.held = 0;
    listMenuOpen(keyConfigMenu.list, kKeyConfigRows, kKeyConfigExitRow, 20);
    menuCursorSet(60.0f, 50.0f);
    configLoad();
    for (int i = 0; i < kKeyConfigActions; ++i) keyConfigMenu.list.values[size_t(i)] = gameSettings.*kKeyConfigSettings[i];
    menuFrameOpen(1);
}

// The engine pad record of the game's input hub, read as it is this frame.
uint32_t keyConfigPadMask() {
    const MInput* pad = GameTask::getInstance()->input;
    return pad ? pad->buttons : 0;
}

// Each button down counts in order 1..16; one press assigns once.
void keyConfigScan() {
    KeyConfigMenu& m = keyConfigMenu;
    const uint32_t down = keyConfigButtonsOfMask(keyConfigPadMask());
    const bool heldBefore = m.held != 0;
    for (int32_t b = 1; b <= kKeyConfigPhysicalButtons; ++b) {
        if ((down & (1u << (b - 1))) == 0 || heldBefore) continue;
        SDL2_wheel_SoundPlaySE(2, false);
        int32_t& own = m.list.values[size_t(m.list.cursor)];
        const int32_t previous = own;
        for (int j = 0; j < kKeyConfigActions; ++j) {
            if (m.list.values[size_t(j)] != b) continue;
            m.list.values[size_t(j)] = previous;
            break;
        }
        own = b;
    }
    m.held = down != 0 ? 1 : 0;
}

void keyConfigInput(ObjTask* task) {
    KeyConfigMenu& m = keyConfigMenu;
    if (m.list.inputLock > 0) return;
    if (m.held == 0 && (padRepeat & 0x03) != 0) {
        listMenuReadInput(m.list);
        return;
    }
    if ((padPressed & kKeyConfigButton1) == 0) return;
    if (m.list.cursor == kKeyConfigDefaultRow) {
        SDL2_wheel_SoundPlaySE(0, false);
        for (int i = 0; i < kKeyConfigActions; ++i) m.list.values[size_t(i)] = kKeyConfigDefaults[size_t(i)];
        keyConfigStore();
    } else if (m.list.cursor == kKeyConfigExitRow) {
        listMenuLeave(task, kKeyConfigToConfig);
    }
}

void keyConfigRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        keyConfigInput(task);
        if (keyConfigMenu.list.cursor < kKeyConfigActions) keyConfigScan();
        keyConfigStore();
        listMenuTick(keyConfigMenu.list);
    } else if (listMenuLeft(keyConfigMenu.list, true, 0)) {
        task->state = kObjStateEnd;
    }
}

const SceneAct kKeyConfigAct = {keyConfigSetUp, keyConfigRun, kListMenuLeaving};

}  // namespace

uint32_t keyConfigButtonsOfMask(uint32_t mask) {
    uint32_t down = 0;
    for (int b = 0; b < kKeyConfigPhysicalButtons; ++b) {
        const int32_t bit = kKeyConfigButtonBits[size_t(b)];
        if (bit >= 0 && (mask & (1u << bit)) != 0) down |= 1u << b;
    }
    return down;
}

void TSKkeyConfigMenu(ObjTask* task) { sceneAct(task, kKeyConfigAct); }
