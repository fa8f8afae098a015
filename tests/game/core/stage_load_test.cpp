// Stage load and release on the recording display, over background images
// and motion files of our own: images once per stage, motion files per
// load, release by tag, the image release setting and the pause rule.
#include "game/core/stage_load.h"

#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "engine/data/psb_object.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_start.h"
#include "game/core/play_state.h"
#include "game/core/psb_cache.h"
#include "game/core/replay_files.h"
#include "game/core/sound_requests.h"
#include "game/core/sprite_sheet.h"
#include "game/frontend/menu_frame.h"
#include "game/records/paths.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/stage_field.h"
#include "tests/engine/ui/recording_display_fixture.h"
#include "tests/game/core/png_fixture.h"
#include "tests/game/working_folder.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

void idle(ObjTask*) {}

class StageLoadTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        setResourceFolders({folder.dir().str() + "/"});
        for (const char* name : {"bgst0_0", "bgst1_0", "bgst5_0", "bgst5_1"}) {
            const std::vector<uint8_t> png = makePng(16, 16, PNG_COLOR_TYPE_RGBA);
            folder.dir().write(std::string("resource/graphic/") + name + ".png", std::string(png.begin(), png.end()));
        }
        const auto document = psbwriter::writePsb(psbwriter::Object{{"v", 1}});
        folder.dir().write("resource/motion/st05boss.psb", std::string(document.begin(), document.end()));
        OBJtaskPoolInit();
        gameSettings.IMAGE_RELEASE = 0;
        replayIoMode = 0;
        replayPlaybackFlag = 0;
        menuResultCode = 0;
    }
    void TearDown() override {
        for (int slot = 0; slot < kSpriteSheetSlots; ++slot) SDL2_wheel_TextureRelease(slot);
        stageImagesLoaded.fill(0);
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        OBJtaskPoolInit();
        gameSettings.IMAGE_RELEASE = 0;
        replayPlaybackFlag = 0;
        setResourceFolders({});
        RecordingDisplayTest::TearDown();
    }
    std::vector<std::string> missingFiles() const {
        std::vector<std::string> lines;
        for (const std::string& line : folder.logLines()) {
            if (line.rfind("SDL2_wheel_FileGetSize Not Find File = ", 0) == 0) lines.push_back(line);
        }
        return lines;
    }

    WorkingFolder folder;
};

TEST_F(StageLoadTest, StageFiveLoadsItsTwoImagesOnceAndTheSettingFreesThem) {
    stageLoad(5, false);
    MRawTex* first = SDL2_wheel_TextureGet(18);
    MRawTex* second = SDL2_wheel_TextureGet(19);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    stageRelease(5, false);
    stageLoad(5, false);
    EXPECT_EQ(SDL2_wheel_TextureGet(18), first);
    EXPECT_EQ(SDL2_wheel_TextureGet(19), second);
    gameSettings.IMAGE_RELEASE = 1;
    stageRelease(5, true);  // a restart keeps them
    EXPECT_EQ(SDL2_wheel_TextureGet(18), first);
    stageLoad(5, true);
    stageRelease(5, false);
    EXPECT_EQ(SDL2_wheel_TextureGet(18), nullptr);
    EXPECT_EQ(SDL2_wheel_TextureGet(19), nullptr);
    EXPECT_EQ(stageImagesLoaded[5], 0);
    stageLoad(5, false);  // read again on the next visit
    EXPECT_NE(SDL2_wheel_TextureGet(18), nullptr);
}

TEST_F(StageLoadTest, MotionFilesComeWithEveryLoadAndMissingOnesAreReportedWithTheirPath) {
    stageLoad(5, false);
    EXPECT_NE(psbCache().find("st05boss"), psbCache().end());
    const std::vector<std::string> missing = missingFiles();
    ASSERT_EQ(missing.size(), 4u);
    EXPECT_EQ(missing[0], "SDL2_wheel_FileGetSize Not Find File = " +
                              makeResourcePath("resource/motion/st05mboss.psb"));
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 1);
    stageRelease(5, false);
    EXPECT_TRUE(psbCache().empty());
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
}

TEST_F(StageLoadTest, AStageWithoutItsImageGoesOnWithoutIt) {
    stageLoad(3, false);
    EXPECT_EQ(SDL2_wheel_TextureGet(16), nullptr);
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 1);
    const std::vector<std::string> missing = missingFiles();
    ASSERT_FALSE(missing.empty());
    EXPECT_EQ(missing[0], "SDL2_wheel_FileGetSize Not Find File = " + makeResourcePath("resource/graphic/bgst3_0.png"));
}

TEST_F(StageLoadTest, ReleaseByTagLeavesTheDisplayTheFighterTheGunUnitsAndTheSequence) {
    stageLoad(1, false);
    const struct {
        int group;
        uint32_t tag;
        bool stays;
    } tasks[] = {{13, objTag("INFO"), true},  {9, objTag("FIGH"), true},   {10, objTag("RGUN"), true},
                 {0, objTag("GCTR"), true},   {1, objTag("FILD"), false},  {4, objTag("EFCT"), false},
                 {8, objTag("SSHT"), false},  {8, objTag("SMZL"), false},  {2, objTag("ZAKO"), false},
                 {8, objTag("FSHT"), false},  {6, objTag("ESHT"), false},  {7, objTag("ITEM"), false},
                 {4, objTag("SPLT"), false},  {8, objTag("BOMB"), false},  {3, objTag("BOSS"), false},
                 {13, objTag("ENDI"), false}, {2, objTag("ZANG"), false}};
    for (const auto& t : tasks) ASSERT_NE(OBJtaskCreate(idle, t.group, t.tag), nullptr) << t.tag;
    stageRelease(1, false);
    for (const auto& t : tasks) EXPECT_EQ(OBJtaskCountByTag(t.group, t.tag), t.stays ? 1 : 0) << t.tag;
}

TEST_F(StageLoadTest, ThePauseMenuIsOffInThePrologueAndTheAttractDemo) {
    stageLoad(0, false);
    EXPECT_EQ(pauseAllowed, 0);
    EXPECT_NE(SDL2_wheel_TextureGet(13), nullptr);
    stageRelease(0, false);
    stageLoad(1, false);
    EXPECT_EQ(pauseAllowed, 1);
    stageRelease(1, false);
    EXPECT_EQ(pauseAllowed, 0);
    replayPlaybackFlag = 1;
    stageLoad(1, false);
    EXPECT_EQ(pauseAllowed, 0);
}

// A menu left open behind the play is closed before anything else loads.
TEST_F(StageLoadTest, TheMenuFrameClosesFirst) {
    menuFrameOpen(2);
    menuFrameState = kMenuFrameLoop;
    stageLoad(1, false);
    EXPECT_EQ(menuFrameHidden, 1);
    EXPECT_EQ(menuFrameState, kMenuFrameDone);
    EXPECT_EQ(menuFrameScreen, 0);
}

// The fighter with its work, as its first act leaves it.
ObjTask* stageLoadTestFighter() {
    ObjTask* fighter = OBJtaskCreate(TSKfighterAct, 9, objTag("FIGH"));
    fighter->act(fighter);
    return fighter;
}

TEST_F(StageLoadTest, ARestartBringsTheFighterBackAsItWasAtTheStagesFirstStart) {
    ObjTask* fighter = stageLoadTestFighter();
    ObjWork* gunUnit = objRefWork(::fighter(fighter->work).gunUnits[0]);
    ASSERT_NE(gunUnit, nullptr);
    gunUnit->kind = 7;
    fighterAddScore(1200);
    replayIoMode = 1;
    stageLoad(2, false);
    EXPECT_EQ(fighterGetCreditCount(), 0) << "a story stage keeps the fighter's credit count";
    EXPECT_EQ(fighter->work->x, 112.0f) << "every stage starts at the start point";
    ReplayHeader recorded = replayHeader;
    fighter->work->x = 90.0f;
    gunUnit->kind = 70;
    fighterAddScore(500);
    stageRelease(2, true);
    stageLoad(2, true);
    EXPECT_EQ(fighter->work->x, 112.0f);
    EXPECT_EQ(gunUnit->kind, 7);
    EXPECT_EQ(fighterGetScore(), 1200u);
    EXPECT_EQ(fighterGetCreditCount(), 1) << "a restart puts the fighter back at its start point";
    EXPECT_EQ(replayHeader.works, recorded.works) << "the restarted stage records the state it starts from";
    // Played back, the records come from the header, whatever the live ones hold.
    fighterAddScore(5);
    gunUnit->kind = 5;
    replayIoMode = 2;
    replayInputAdopt(std::vector<uint32_t>(10, kReplayMarker));
    stageLoad(2, false);
    EXPECT_EQ(gunUnit->kind, 7);
    EXPECT_EQ(fighterGetScore(), 1200u);
    replayIoMode = 0;
    replayInputFree();
}

TEST_F(StageLoadTest, TheFighterGoesHomeInScoreAttackItsReplaysAndTraining) {
    struct Case {
        int32_t kind, stage, replayedCategory;
        bool home;
    };
    // A story replay plays on as it was recorded, from stage 4 on too.
    const Case cases[] = {{0, 1, 0, false}, {2, 1, 0, true}, {6, 3, 6, true}, {6, 4, 2, false}, {8, 0, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " stage " << c.stage);
        stageLoadTestFighter();
        menuResultCode = c.kind;
        replayHeader.category = c.replayedCategory;
        stageLoad(c.stage, false);
        EXPECT_EQ(fighterGetCreditCount(), c.home ? 1 : 0);
        OBJtaskReleaseAll(nullptr);
    }
    menuResultCode = 0;
    replayHeader.category = 0;
}

TEST_F(StageLoadTest, TheStageWordsStartAfreshAndTheSerialsRunOn) {
    bossPresentFlag = 2;
    stageClearFlag = 1;
    stageFrame = 500;
    enemyExplosionTimer = 2;
    wreckLayerValue = 300;
    stage3BossFlag = 1;
    enemyPaidScoreTotal = 99;
    const uint32_t serial = OBJworkNextSerial();
    stageLoad(1, false);
    EXPECT_EQ(enemyExplosionTimer, 0);
    EXPECT_EQ(wreckLayerValue, 0);
    EXPECT_EQ(stage3BossFlag, 0);
    EXPECT_EQ(enemyPaidScoreTotal, 0u);
    EXPECT_EQ(bossPresentFlag, 0);
    EXPECT_EQ(stageClearFlag, 0);
    EXPECT_EQ(stageFrame, -1);
    EXPECT_GE(OBJworkNextSerial(), serial) << "no stage starts the serials again";
}

TEST_F(StageLoadTest, TheBossMusicStartsOnItsFirstLayerAndAStageOutOfRangeLoadsNothing) {
    SoundLayerState& sound = soundLayerState();
    sound.layerTarget = 1;
    sound.layerPosition = 60;
    sound.firstLayerWeight = 40;
    sound.secondLayerWeight = 60;
    stageLoad(6, false);
    EXPECT_EQ(sound.layerTarget, 0);
    EXPECT_EQ(sound.layerPosition, 0);
    EXPECT_EQ(sound.firstLayerWeight, 100);
    EXPECT_EQ(sound.secondLayerWeight, 0);
    EXPECT_EQ(stageNumber, 6);
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("FILD")), 0);
    EXPECT_TRUE(missingFiles().empty());
}

}  // namespace
