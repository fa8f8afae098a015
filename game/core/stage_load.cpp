// Stage load and release.
#include "game/core/stage_load.h"

#include <string>

#include "engine/render/raw_tex.h"
#include "game/bosses/boss_flags.h"
#include "game/bosses/st05boss2.h"
#include "game/core/game_main.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/obj_task.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/psb_cache.h"
#include "game/core/replay_files.h"
#include "game/core/sound_requests.h"
#include "game/core/sprite_sheet.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scenes.h"
#include "game/objects/eshot.h"
#include "game/objects/fighter.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_services.h"
#include "game/stages/rank_carriers.h"

std::array<StageImageSlot, kStageImageSlots> stageImageSlots;
std::array<uint8_t, kStages> stageImagesLoaded{};

namespace {

struct StageImage {
    int slot;
    const char* path;
};

struct StageResources {
    std::array<StageImage, 2> images;  // a slot of 0: none
    std::array<const char*, 5> motionFiles;  // null: none
};

constexpr std::array<StageResources, kStages> kStageResources{{
    {{{{13, "resource/graphic/bgst0_0.png"}}}, {}},
    {{{{14, "resource/graphic/bgst1_0.png"}}}, {"st01mboss", "st01boss"}},
    {{{{15, "resource/graphic/bgst2_0.png"}}}, {"st02boss", "st2bossvisual"}},
    {{{{16, "resource/graphic/bgst3_0.png"}}}, {"3boss_b_wave", "enemy_g_l02", "st03boss", "st3bossvisual"}},
    {{{{17, "resource/graphic/bgst4_0.png"}}}, {"st04mboss", "st4bossvisual", "st04boss"}},
    {{{{18, "resource/graphic/bgst5_0.png"}, {19, "resource/graphic/bgst5_1.png"}}},
     {"st05mboss", "st05mboss2", "st05boss", "st05boss2", "st5boss2visual"}},
}};

// Every stage's motion files are dropped at any stage's release.
constexpr const char* kStageMotionFiles[] = {
    "st01boss",  "st01mboss",     "st02boss",  "st2bossvisual", "3boss_b_wave", "enemy_g_l02",
    "st03boss",  "st3bossvisual", "st04mboss", "st04boss",      "st4bossvisual", "st05mboss",
    "st05mboss2", "st05boss",     "st05boss2", "st5boss2visual",
};

constexpr uint32_t kStageReleaseTags[] = {objTag("FILD"), objTag("EFCT"), objTag("SSHT"), objTag("SMZL"),
                                          objTag("ZAKO"), objTag("FSHT"), objTag("ESHT"), objTag("ITEM"),
                                          objTag("SPLT"), objTag("BOMB"), objTag("BOSS"), objTag("ENDI"),
                                          objTag("ZANG")};

constexpr int32_t kFieldGroup = 1;
constexpr int32_t kPrologueSheetDrawMode = 0;

bool validStage(int32_t stage) { return stage >= 0 && stage < kStages; }

// The boss music starts on its first layer alone.
void resetBossMusicMix() {
    SoundLayerState& sound = soundLayerState();
    sound.layerTarget = 0;
    sound.layerPosition = 0;
    sound.firstLayerWeight = 100;
    sound.secondLayerWeight = 0;
}

void resetStageWords(int32_t stage) {
    slowMotionFrames = 0;
    slowMotionPeriod = 0;
    slowMotionPeriodInUse = 1;
    stageNumber = stage;
    stageFieldReset();
    bossPresentFlag = 0;
    stageClearFlag = 0;
    eshotCancelClear();
    eshotLaserClear();
    bossGaugesClear();
    enemyWordsClear();
    rankCarriersClear();
    stageProgress = 0;
    bossFlagsClear();
    st05boss2TrailClear();
    resetBossMusicMix();
}

// The fighter goes back to its start point on a restart, in score attack
// (a score-attack replay too, so it plays as it was recorded) and in training.
bool fighterStartsAtHome(bool restart) { return restart || seqIsScoreAttack() || seqIsTraining(); }

void loadImages(int32_t stage) {
    if (stageImagesLoaded[size_t(stage)]) return;
    for (const StageImage& image : kStageResources[size_t(stage)].images) {
        if (image.slot != 0) SDL2_wheel_TextureLoad(image.slot, image.path);
    }
    // The prologue's tiles are drawn without their blend.
    if (stage == 0) {
        if (MRawTex* sheet = SDL2_wheel_TextureGet(kStageResources[0].images[0].slot)) {
            sheet->setDrawMode(kPrologueSheetDrawMode);
        }
    }
    stageImagesLoaded[size_t(stage)] = 1;
}

void loadMotionFiles(int32_t stage) {
    for (const char* name : kStageResources[size_t(stage)].motionFiles) {
        if (name) SDL2_wheel_PsbLoad(("resource/motion/" + std::string(name) + ".psb").c_str());
    }
}

void freeImages(int32_t stage) {
    for (const StageImage& image : kStageResources[size_t(stage)].images) {
        if (image.slot != 0) SDL2_wheel_TextureRelease(image.slot);
    }
    stageImagesLoaded[size_t(stage)] = 0;
}

}  // namespace

void stageImageSlotsFree() {
    for (StageImageSlot& slot : stageImageSlots) slot = StageImageSlot{};
}

void stageLoad(int32_t stage, bool restart) {
    CloseMenuFrame();
    // What the fighter made after the last stage's release (its effects
    // while the result showed) is not in the stage's replay header: a
    // playback starting here would not have it.
    for (uint32_t tag : kStageReleaseTags) OBJtaskReleaseByTag(tag);
    settingsSnapshot = gameSettings;
    replayStageStart(stage, settingsSnapshot);
    resetStageWords(stage);
    // The snapshot first, so a restarted fighter comes back to its start point too.
    fighterStageSnapshot(restart);
    if (fighterStartsAtHome(restart)) fighterResetPosition();
    actPassRequest = 1;
    playFinished = 0;
    if (validStage(stage)) {
        loadImages(stage);
        OBJtaskCreate(stageFieldActTable[size_t(stage)], kFieldGroup, objTag("FILD"));
        loadMotionFiles(stage);
    }
    // The prologue and the attract demo have no pause menu.
    pauseAllowed = !replayPlaybackFlag && stage != 0;
}

void stageRelease(int32_t stage, bool restart) {
    slowMotionFrames = 0;
    slowMotionPeriod = 0;
    slowMotionPeriodInUse = 0;
    for (uint32_t tag : kStageReleaseTags) OBJtaskReleaseByTag(tag);
    for (const char* name : kStageMotionFiles) releasePSBObject(name);
    if (gameSettings.IMAGE_RELEASE != 0 && !restart && validStage(stage) && stageImagesLoaded[size_t(stage)]) {
        freeImages(stage);
    }
    pauseAllowed = 0;
}
