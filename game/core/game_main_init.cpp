// The game main's initialisation: from an empty work area to the first frame
// of the game-control sequence.
#include <chrono>
#include <string>

#include "game/core/apm_glue.h"
#include "game/core/bitmap_text.h"
#include "game/core/game_main.h"
#include "game/core/game_main_resources.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/game_task.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/pause_menu.h"
#include "game/core/psb_cache.h"
#include "game/core/replay_files.h"
#include "game/core/sound_requests.h"
#include "game/core/sprite_sheet.h"
#include "game/core/stage_load.h"
#include "game/core/wheel_file.h"
#include "game/objects/fshot.h"
#include "game/objects/fighter.h"
#include "game/records/card_profile.h"
#include "game/records/paths.h"
#include "game/records/play_selection.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block.h"
#include "game/records/settings_file.h"
#include "platform/clock/clock.h"

uint8_t attractMode = 0;

namespace {

constexpr int32_t kOriginalMode = 2;
constexpr size_t kFolderLength = 256;
constexpr int32_t kPauseRowTimerStart = 10;

// Seconds since 1970 of the clock's local calendar time.
uint32_t calendarSeconds() {
    using namespace std::chrono;
    const platform::LocalTime t = platform::currentClock().localTime();
    const sys_days date = year(t.year) / month(unsigned(t.month)) / day(unsigned(t.day));
    const auto time = date + hours(t.hour) + minutes(t.minute) + seconds(t.second);
    return uint32_t(time.time_since_epoch().count());
}

void loadSounds() {
    for (const StartupSound& load : startupSoundLoads()) {
        switch (load.kind) {
        case StartupSound::kEffect:
            SDL2_wheel_SoundLoad(soundNameForId(load.id), load.id, load.channel, 0);
            break;
        case StartupSound::kVoice:
            SDL2_wheel_SoundLoadVoice(soundNameForId(load.id), load.id, load.channel);
            break;
        case StartupSound::kBossTune:
            SDL2_wheel_SoundLoad(soundNameForId(load.id), load.id, load.channel, -1);
            break;
        case StartupSound::kMusic:
            SDL2_wheel_SoundLoadMusic(musicNameForNumber(load.id), load.id, 0);
            break;
        }
    }
}

void loadRankings() {
    RankingTables& tables = rankingTables();
    tables.all = rankingLoadOrInit(makeAppRootPath(kRankingAllFile));
    tables.today = rankingLoadOrInit(makeAppRootPath(kRankingTodayFile));
}

void resetGameMainState() {
    gameMainResetPause();
    gameMainOwner = OBJworkNew();
    replayInputFree();
    replayIoMode = 0;
    stageImageSlotsFree();
    fshotCounters = {};
}

void resetPlaySettings() {
    setEnemyShotStop(0);
    setGameMode(kOriginalMode);
    setLeaderType(0);
    resetRankingExtraWord();
    setGameSystem(gameSettings.GAME_SYSTEM);
    setAutoGameSystem(1);
    setDramaticMode(1);
}

void makeReplayFolders() {
    SDL2_wheel_DirCreate(makeAppRootPath("replay").c_str());
    replayTempFolder = makeAppRootPath("replay/temp").substr(0, kFolderLength);
}

}  // namespace

void gameMainInit() {
    gameRandSeed(calendarSeconds());
    if (GameTask* task = GameTask::getInstance()) task->resetMotionSlots();
    configEnsureFile();
    configLoad();
    configSave();
    saveDataRead(makeAppRootPath(kSaveDataFile));
    for (const StartupSheet& sheet : kStartupSheets) SDL2_wheel_TextureLoad(sheet.slot, sheet.path);
    for (const char* name : kBaseMotionFiles) SDL2_wheel_PsbLoad(("resource/motion/" + std::string(name) + ".psb").c_str());
    SDL2_wheel_SoundInit();
    loadSounds();
    SDL2_wheel_TextInit();
    SDL2_wheel_TextSetGlyphsPerRow10();
    // The sequence acts first in every pass from the next update on, and
    // outlives every bulk release.
    if (ObjTask* sequence = OBJtaskCreate(TSKgameCtrlAct, 0, objTag("GCTR"))) sequence->flags |= kObjTaskPersistent;
    loadRankings();
    saveDataApplyRankingDate();
    resetGameMainState();
    resetPlaySettings();
    stageImagesLoaded.fill(0);
    fpsStartTime = 0;
    fpsFrameCount = 0;
    fpsValue = 0.0f;
    makeReplayFolders();
    pauseRowTimer.fill(kPauseRowTimerStart);
    SDL2_wheel_CreditSetCoinInHook();
    fighterInstallReplayHooks();
    cardProfileResetGuest();
}
