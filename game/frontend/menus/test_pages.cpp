// The operator's pages under GAME TEST MODE: BOOKKEEPING, SOUND SETTING and
// BACKUP DATA CLEAR. Each goes back to the top menu.
#include <algorithm>
#include <memory>

#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/menus/test_menu.h"
#include "game/frontend/scene.h"
#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "game/records/settings_file.h"
#include "platform/arcade/apm.h"

ListMenu bookkeepingMenu;
ListMenu soundSettingMenu;
ListMenu backupClearMenu;
int32_t bookkeepingPlayCount = 0;
int32_t backupClearStep = 0;
uint8_t backupClearCleared = 0;

namespace {

constexpr int32_t kPagesVolumeRows = 3;
constexpr int32_t kPagesVolumeStep = 10;
constexpr int32_t kPagesVolumeTop = 100;
constexpr uint32_t kPagesLeft = 0x04;
constexpr uint32_t kPagesRight = 0x08;
constexpr int32_t kPagesExitSprite = 2828;

const MenuItemRow kBookkeepingRows[] = {{"PLAY COUNT", kMenuValueInt, 0, 0, 0}, menuActionRow("EXIT")};
const MenuItemRow kSoundSettingRows[] = {
    {"VOICE VOLUME", kMenuValueInt, 0, 100, 10},
    {"SE VOLUME", kMenuValueInt, 0, 100, 10},
    {"BGM VOLUME", kMenuValueInt, 0, 100, 10},
    menuActionRow("EXIT"),
};
const MenuItemRow kBackupClearRows[] = {menuActionRow("YES"), menuActionRow("NO")};

int32_t GameSettings::* const kPagesVolumes[kPagesVolumeRows] = {&GameSettings::VOICE_VOLUME, &GameSettings::SE_VOLUME,
                                                                  &GameSettings::BGM_VOLUME};

float pagesSlide(const ListMenu& menu) { return -listMenuSlide(menu); }

// The opening every page shares: the cursor at (112, 75) and the frame.
void pagesOpen(ObjTask* task, ListMenu& menu, const MenuItemRow* rows, int32_t first, int32_t last, int32_t cursor,
               void (*draw)(ObjTask*, ObjWork*)) {
    sceneWorkNew(task, 801.0f, draw);
    task->release = sceneWorkFree;
    listMenuOpen(menu, rows, last, 20);
    menu.firstRow = first;
    menu.cursor = cursor;
    menuCursorSet(112.0f, 75.0f);
    menuFrameOpen(1);
}

// State 101 on every page: the close counter rises, the frame's end ends it.
bool pagesLeaving(ObjTask* task, ListMenu& menu) {
    if (task->state == kObjStateRun) return false;
    if (listMenuLeft(menu, true, 0)) task->state = kObjStateEnd;
    return true;
}

// BOOKKEEPING.
void bookkeepingDraw(ObjTask* task, ObjWork* work) {
    bookkeepingMenu.values[0] = bookkeepingPlayCount;
    testScreenDraw(bookkeepingMenu, {"BOOKKEEPING", 60.0f, 2, false, kPagesExitSprite}, pagesSlide(bookkeepingMenu),
                   task, work);
}

void bookkeepingSetUp(ObjTask* task) {
    pagesOpen(task, bookkeepingMenu, kBookkeepingRows, 1, 1, 1, bookkeepingDraw);
    const ApmBookkeeping* record = _Sequence_getBookkeeping();
    bookkeepingPlayCount = record ? record->playCount : 0;
}

void bookkeepingRun(ObjTask* task) {
    if (pagesLeaving(task, bookkeepingMenu)) return;
    if (bookkeepingMenu.inputLock == 0 && testScreenDecided()) testScreenLeave(task);
    listMenuTick(bookkeepingMenu);
}

// SOUND SETTING.
void soundSettingDraw(ObjTask* task, ObjWork* work) {
    const int32_t row = soundSettingMenu.cursor;
    const int32_t sprite = row < 2 ? 2829 : row == 2 ? 2830 : kPagesExitSprite;
    testScreenDraw(soundSettingMenu, {"SOUND SETTING", 60.0f, 4, true, sprite}, pagesSlide(soundSettingMenu), task,
                   work);
}

void soundSettingStore() {
    for (int32_t i = 0; i < kPagesVolumeRows; ++i) gameSettings.*kPagesVolumes[i] = soundSettingMenu.values[size_t(i)];
}

void soundSettingRelease(ObjTask* task) {
    sceneWorkFree(task);
    soundSettingStore();
    configSave();
}

void soundSettingSetUp(ObjTask* task) {
    pagesOpen(task, soundSettingMenu, kSoundSettingRows, 0, 3, 3, soundSettingDraw);
    task->release = soundSettingRelease;
    configLoad();
    for (int32_t i = 0; i < kPagesVolumeRows; ++i) {
        soundSettingMenu.values[size_t(i)] = std::min(gameSettings.*kPagesVolumes[i], kPagesVolumeTop);
    }
}

// A volume row's change: -1 down to 0, +1 up to 100, 0 up with wrap to 0.
void soundSettingStep(int32_t how) {
    int32_t& value = soundSettingMenu.values[size_t(soundSettingMenu.cursor)];
    if (how < 0) value = std::max(value - kPagesVolumeStep, 0);
    if (how > 0) value = std::min(value + kPagesVolumeStep, kPagesVolumeTop);
    if (how == 0) value = value + kPagesVolumeStep > kPagesVolumeTop ? 0 : value + kPagesVolumeStep;
    soundSettingStore();
    SDL2_wheel_SoundApplyVolumes();
}

void soundSettingInput(ObjTask* task) {
    const bool onVolume = soundSettingMenu.cursor < kPagesVolumeRows;
    if (testScreenMove(soundSettingMenu)) return;
    if (onVolume && (padRepeat & kPagesLeft) != 0) {
        soundSettingStep(-1);
    } else if (onVolume && (padRepeat & kPagesRight) != 0) {
        soundSettingStep(1);
    } else if (onVolume && ((padPressed & kTestKeyDecide) != 0 || (padRepeat & kTestKeyTest) != 0)) {
        soundSettingStep(0);
    } else if (!onVolume && testScreenDecided()) {
        testScreenLeave(task);
    }
}

void soundSettingRun(ObjTask* task) {
    if (pagesLeaving(task, soundSettingMenu)) return;
    if (soundSettingMenu.inputLock == 0) soundSettingInput(task);
    listMenuTick(soundSettingMenu);
}

// BACKUP DATA CLEAR.
void backupClearDraw(ObjTask* task, ObjWork* work) {
    const float slide = pagesSlide(backupClearMenu);
    if (backupClearStep == 3) {
        testScreenText(work, "BACKUP DATA CLEAR", 112.0f, 20.0f + slide);
        return;
    }
    if (backupClearStep == 0) {
        const int32_t sprite = backupClearMenu.cursor == 0 ? 2824 : kPagesExitSprite;
        testScreenDraw(backupClearMenu, {"BACKUP DATA CLEAR", 112.0f, 2, true, sprite}, slide, task, work);
        return;
    }
    testScreenDraw(backupClearMenu, {"BACKUP DATA CLEAR", 112.0f, 0, true, 0}, slide, task, work);
    testScreenText(work, backupClearCleared ? "COMPLETE" : "BACKUP DATA CLEAR NG", 112.0f, 132.0f);
    testScreenText(work, "PRESS TEST OR BUTTON 1", 112.0f, 172.0f);
    testScreenText(work, "TO EXIT", 112.0f, 180.0f);
}

void backupClearSetUp(ObjTask* task) {
    pagesOpen(task, backupClearMenu, kBackupClearRows, 0, 1, 1, backupClearDraw);
    backupClearStep = 0;
    backupClearCleared = 0;
}

// The rankings go back to their defaults in memory and on disk, whatever the
// platform made of its own backup.
void backupClearRanking(std::unique_ptr<RankingTable>& table, const char* file) {
    if (!table) table = std::make_unique<RankingTable>();
    rankingInitDefaults(*table);
    rankingWrite(*table, makeAppRootPath(file));
}

void backupClearYes() {
    backupClearCleared = _Sequence_clearBackup() ? 1 : 0;
    backupClearRanking(rankingTables().all, kRankingAllFile);
    backupClearRanking(rankingTables().today, kRankingTodayFile);
    backupClearStep = 1;
}

void backupClearRun(ObjTask* task) {
    if (pagesLeaving(task, backupClearMenu)) return;
    if (backupClearMenu.inputLock == 0 && backupClearStep == 0 && !testScreenMove(backupClearMenu) &&
        testScreenDecided()) {
        if (backupClearMenu.cursor == 0) {
            backupClearYes();
        } else {
            testScreenLeave(task);
        }
    } else if (backupClearMenu.inputLock == 0 && backupClearStep == 1 && testScreenDecided()) {
        backupClearStep = 3;
        testScreenLeave(task);
    }
    listMenuTick(backupClearMenu);
}

const SceneAct kBookkeepingAct = {bookkeepingSetUp, bookkeepingRun, kListMenuLeaving};
const SceneAct kSoundSettingAct = {soundSettingSetUp, soundSettingRun, kListMenuLeaving};
const SceneAct kBackupClearAct = {backupClearSetUp, backupClearRun, kListMenuLeaving};

}  // namespace

void TSKbookkeeping(ObjTask* task) { sceneAct(task, kBookkeepingAct); }
void TSKsoundSetting(ObjTask* task) { sceneAct(task, kSoundSettingAct); }
void TSKbackupClear(ObjTask* task) { sceneAct(task, kBackupClearAct); }
