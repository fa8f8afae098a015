// The endings after stage 5: which motions each route and leader type play
// and in what order, START skipping each part, the credit roll's timing,
// pictures and draw, and the plays that have no ending.
#include "game/frontend/ending/ending.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/bosses/boss_flags.h"
#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/motion_wrappers.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/core/sprite_frames.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/frontend/scene.h"
#include "game/frontend/sprite_font_text.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "game/stages/enemies/enemy_words.h"
#include "tests/game/frontend/scene_task_fixture.h"

namespace {

constexpr uint32_t kStgc = objTag("STGC");
constexpr uint32_t kStart = 0x8000;
constexpr float kFirstLength = 480.0f;
constexpr float kSceneLength = 300.0f;
constexpr float kLastLength = 600.0f;

using Played = std::pair<std::string, std::string>;

TEST(EndingTable, EachRouteAndLeaderPlaysItsObjectsAndLabels) {
    struct Row {
        int32_t route, leader;
        std::vector<Played> played;
    };
    const Row rows[] = {
        {0, 0, {{"ending_first", "normal"}, {"ending_last", "type_a"}}},
        {0, 1, {{"ending_first", "normal"}, {"ending_last", "type_b"}}},
        {0, 2, {{"ending_first", "normal"}, {"ending_last", "type_c"}}},
        {0, 3, {{"ending_first", "normal"}, {"ending_last", "type_d"}}},
        {1, 0, {{"enf_scene1", "anime_1"}, {"enf_scene2", "anime_1"}, {"enf_scene3", "true_a"}, {"ending_last", "type_a_true"}}},
        {1, 1, {{"enf_scene1", "anime_1"}, {"enf_scene2", "anime_1"}, {"enf_scene3", "true_b"}, {"ending_last", "type_b_true"}}},
        {1, 2, {{"enf_scene1", "anime_1"}, {"enf_scene2", "anime_1"}, {"enf_scene3", "true_c"}, {"ending_last", "type_c_true"}}},
        {1, 3, {{"enf_scene1", "anime_1"}, {"enf_scene2", "anime_1"}, {"enf_scene3", "true_d"}, {"ending_last", "type_d_true"}}},
    };
    for (const Row& row : rows) {
        const EndingPlan plan = endingPlan(row.route, row.leader);
        std::vector<Played> played;
        for (int32_t k = 0; k < plan.firstCount; ++k) played.emplace_back(plan.first[size_t(k)].object, plan.first[size_t(k)].label);
        played.emplace_back(plan.last.object, plan.last.label);
        EXPECT_EQ(played, row.played) << row.route << " " << row.leader;
    }
}

// The stage result of stage 5 with the ending files cached, a fighter in
// play and a small roll table of its own.
class EndingTest : public SceneTaskFixture {
protected:
    void SetUp() override {
        SceneTaskFixture::SetUp();
        OBJtaskPoolInit();
        frames.resize(3400);
        for (int32_t id = 0; id < 3400; ++id) frames[size_t(id)] = {4, 0, 0, 16, 16, id, 0, 0, 0, 0, 0};
        OBJsetFrameTable(frames);
        gameSettings = GameSettings{};
        gameSettings.SOUND_OUT = 1;
        resultSlot = -1;
        resultLineUsed = {};
        trueRouteFlag = 0;
        menuResultCode = 0;
        replayHeader.category = 0;
        selectedLeaderType = 0;
        endingReached = 0;
        stageNumber = 5;
        gameRandSeed(99);
        soundLayerState().soundGuard.fill(0);
        cacheEndingFiles();
        roll[0][0] = {3, 1, 0, 0, "TITLE"};
        roll[0][2] = {3, 0, 1, 1, ""};
        roll[1][0] = {0, 0, 0, 0, "RIGHT"};
        roll[1][1] = {1, 1, 0, 0, "LEFT"};
        endingRollTableUse(roll);
        fighterTask = OBJtaskCreate(TSKfighterAct, 9, objTag("FIGH"));
        fighterTask->act(fighterTask);
    }
    void TearDown() override {
        endingRollTableUse(nullptr);
        trueRouteFlag = 0;
        stageNumber = 0;
        OBJsetFrameTable({});
        SceneTaskFixture::TearDown();
    }

    static void cacheEndingFiles() {
        namespace mb = psbwriter::motion;
        for (const char* key : {"ending_first", "ending_last"}) releasePSBObject(key);
        auto timeline = [](float length) {
            mb::Timeline t = motionfixture::spriteTimeline("src", "frame");
            t.lastTime = length;
            t.layers[0].frames.back().time = length;
            return t;
        };
        mb::Document first = motionfixture::document("ending_first", "src", {"frame"}, "ending_first", {});
        first.objects["ending_first"].motions["normal"] = timeline(kFirstLength);
        first.objects["enf_scene1"].motions["anime_1"] = timeline(kSceneLength);
        first.objects["enf_scene2"].motions["anime_1"] = timeline(kSceneLength);
        for (const char* label : {"true_a", "true_b", "true_c", "true_d"}) {
            first.objects["enf_scene3"].motions[label] = timeline(kFirstLength + 60.0f);
        }
        psbCache()["ending_first"] = motionfixture::load(first).release();
        mb::Document last = motionfixture::document("ending_last", "src", {"frame"}, "ending_last", {});
        for (const char* label : {"type_a", "type_b", "type_c", "type_d", "type_a_true", "type_b_true", "type_c_true",
                                  "type_d_true"}) {
            last.objects["ending_last"].motions[label] = timeline(kLastLength);
        }
        psbCache()["ending_last"] = motionfixture::load(last).release();
    }

    // The result of stage 5 set up and put at a step.
    void startAt(int32_t step) {
        // The result of stage 5 drops the ending files as it goes.
        if (psbCache().count("ending_first") == 0) cacheEndingFiles();
        sceneTask = OBJtaskCreate(TSKstageClear, 13, kStgc);
        pass();
        ASSERT_NE(sceneTask->work, nullptr);
        fields().step = step;
    }
    SceneFields& fields() const { return scene(sceneTask->work); }
    int32_t slot() const { return sceneTask->work->motionSlot0; }
    Played playing() const { return {task->slotMotion(slot())->objectName(), SDL2_wheel_MotionGetName(slot())}; }
    // The playing motion at its last frame, as the engine's step leaves it.
    void toEnd() { setMotionFrame(slot(), task->slotMotion(slot())->lastTime()); }
    bool running() const { return OBJtaskCountByTag(13, kStgc) > 0; }
    // The motions a route and leader type play until the roll, each
    // watched to its end.
    std::vector<Played> playThrough() {
        std::vector<Played> played;
        startAt(kEndingFirstStep);
        pass();
        for (int guard = 0; guard < 20 && (fields().step == 26 || fields().step == 28 || fields().step == 27); ++guard) {
            if (fields().step == 27) {
                pass();
                continue;
            }
            if (played.empty() || played.back() != playing()) played.push_back(playing());
            toEnd();
            pass();
        }
        return played;
    }
    // The sprites this frame's draw queues: frame ids with their centres
    // (whole pixels) and alpha.
    struct Drawn {
        int32_t frameId;
        float x, y, alpha;
        int32_t layer;
        uint8_t r;
    };
    std::vector<Drawn> drawn() {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        stageClearDrawTally(sceneTask, sceneTask->work);
        std::vector<Drawn> out;
        for (int i = 0; i < OBJdrawStoreCount(); ++i) {
            const DrawObj* e = OBJdrawStoreEntry(i);
            if (e->type == kDrawSprite) {
                out.push_back({e->frameId, float(e->dstX + e->dstW / 2), float(e->dstY + e->dstH / 2), e->alpha, e->layer, e->r});
            }
        }
        OBJdrawRequestsClear();
        OBJdrawFlush();
        return out;
    }
    // The roll at its first page, armed.
    void startRoll() {
        startAt(29);
        pass();
        ASSERT_EQ(fields().step, kEndingRollStep);
    }

    std::vector<SpriteFrame> frames;
    CreditRollRow roll[kCreditRollPages][kCreditRollRows] = {};
    ObjTask* sceneTask = nullptr;
    ObjTask* fighterTask = nullptr;
};

TEST_F(EndingTest, EachRouteAndLeaderPlaysItsMotionsInOrder) {
    for (uint8_t route : {0, 1}) {
        for (int32_t leader = 0; leader < 4; ++leader) {
            SCOPED_TRACE(testing::Message() << int(route) << " " << leader);
            trueRouteFlag = route;
            selectedLeaderType = leader;
            const EndingPlan plan = endingPlan(route, leader);
            std::vector<Played> expected;
            for (int32_t k = 0; k < plan.firstCount; ++k) expected.emplace_back(plan.first[size_t(k)].object, plan.first[size_t(k)].label);
            expected.emplace_back(plan.last.object, plan.last.label);
            EXPECT_EQ(playThrough(), expected);
            EXPECT_EQ(fields().step, 29);
            OBJtaskRelease(sceneTask);
        }
    }
}

TEST_F(EndingTest, TheEndingsBeginBehindABlackCoverWithTheFighterHidden) {
    ASSERT_NE(fighterGetWork(), nullptr);
    startAt(kEndingFirstStep);
    pass();
    EXPECT_EQ(fields().step, 26);
    EXPECT_EQ(fighterGetWork()->visible, 0);
    EXPECT_EQ(endingReached, 1);
    EXPECT_EQ(endingDark, 1);
    EXPECT_EQ(fields().endingScene, 0);
    EXPECT_EQ(playing(), Played("ending_first", "normal"));
    resultCoverAlpha = 0.5f;
    const std::vector<Drawn> sprites = drawn();
    ASSERT_FALSE(sprites.empty());
    EXPECT_EQ(sprites.back().frameId, 2687);
    EXPECT_EQ(sprites.back().r, 0);
}

TEST_F(EndingTest, StartSkipsTheFirstEndingTheLastEndingAndTheRoll) {
    startAt(kEndingFirstStep);
    pass();
    pass(kStart);
    EXPECT_EQ(fields().step, 27);
    EXPECT_EQ(endingSkip, 0);
    pass();
    EXPECT_EQ(fields().step, 28);
    EXPECT_EQ(playing(), Played("ending_last", "type_a"));
    pass();
    EXPECT_EQ(fields().step, 28);
    pass(kStart);
    EXPECT_EQ(fields().step, 29);
    pass();
    EXPECT_EQ(fields().step, kEndingRollStep);
    EXPECT_FALSE(task->slotMotion(slot())->nodes()[0].local.shown);
    EXPECT_EQ(resultMotionVisible, 0);
    pass();
    pass(kStart);
    EXPECT_EQ(fields().step, 24);
    for (int k = 0; k < 3 && running(); ++k) pass();
    EXPECT_FALSE(running());
}

TEST_F(EndingTest, TheNormalRouteSoundsExplosionsUntilTheBurst) {
    startAt(kEndingFirstStep);
    pass();
    soundLayerState().soundGuard.fill(0);
    sceneTask->work->age = 60;  // every 20th, 10th and 3rd frame at once
    pass();
    int explosions[3] = {};
    for (int id = 8; id <= 10; ++id) explosions[0] += played(id);
    for (int id = 11; id <= 13; ++id) explosions[1] += played(id);
    for (int id = 14; id <= 15; ++id) explosions[2] += played(id);
    EXPECT_EQ(explosions[0], 1);
    EXPECT_EQ(explosions[1], 1);
    EXPECT_EQ(explosions[2], 1);
    soundLayerState().soundGuard.fill(0);
    setMotionFrame(slot(), 178.0f);
    sceneTask->work->age = 60;
    pass();
    EXPECT_TRUE(played(16));
    for (int id = 8; id <= 15; ++id) EXPECT_FALSE(played(id)) << id;
}

TEST_F(EndingTest, TheTrueRouteCountsItsScenes) {
    trueRouteFlag = 1;
    selectedLeaderType = 2;
    startAt(kEndingFirstStep);
    pass();
    for (int32_t scene = 1; scene <= 3; ++scene) {
        toEnd();
        pass();
        pass();
        EXPECT_EQ(fields().endingScene, scene);
        if (scene == 1) {
            EXPECT_TRUE(played(16));
        }
    }
    EXPECT_EQ(fields().step, 27);
}

TEST_F(EndingTest, ARowTakesFifteenFramesAPageFourHundredFifty) {
    startRoll();
    EXPECT_EQ(fields().endingPage, 0);
    EXPECT_EQ(endingPicture, -1);
    EXPECT_EQ(resultCoverAlpha, 1.0f);
    passes(14);
    EXPECT_EQ(fields().endingRow, 0);
    EXPECT_EQ(endingRowTimer[0], 1);
    pass();
    EXPECT_EQ(fields().endingRow, 1);
    EXPECT_EQ(endingRowTimer[0], 0);
    EXPECT_EQ(endingRowTimer[1], 15);
    passes(450 - 15 - 1);
    EXPECT_EQ(fields().endingPage, 0);
    EXPECT_EQ(fields().endingRow, 29);
    pass();
    EXPECT_EQ(fields().endingPage, 1);
    EXPECT_EQ(fields().endingRow, 0);
    EXPECT_EQ(endingPicture, 0);
    EXPECT_EQ(endingPrevPicture, -1);
    EXPECT_EQ(endingPictureAlpha, 0.03f);
}

TEST_F(EndingTest, TheRollTakesSevenThousandTwoHundredFramesThenHoldsThreeHundred) {
    startRoll();
    passes(7199);
    EXPECT_EQ(fields().endingDone, 0);
    EXPECT_EQ(fields().endingPage, 15);
    pass();
    EXPECT_EQ(fields().endingDone, 1);
    EXPECT_EQ(fields().endingPage, 15);
    EXPECT_EQ(resultCoverAlpha, 0.0f);
    passes(299);
    EXPECT_EQ(fields().endingHold, 299);
    EXPECT_EQ(resultCoverAlpha, 0.0f);
    pass();
    EXPECT_EQ(fields().endingHold, 300);
    EXPECT_GT(resultCoverAlpha, 0.0f);
    int frames = 0;
    while (fields().step == kEndingRollStep && frames < 40) {
        pass();
        ++frames;
    }
    EXPECT_EQ(fields().step, 24);
    EXPECT_GE(frames, 18);
    EXPECT_LE(frames, 21);
    EXPECT_EQ(fields().endingHold, 300);
    EXPECT_EQ(resultCoverAlpha, 1.0f);
    for (int k = 0; k < 3 && running(); ++k) pass();
    EXPECT_FALSE(running());
}

TEST_F(EndingTest, APageOverTheSamePictureDoesNotFadeItInAgain) {
    startRoll();
    passes(450);
    ASSERT_EQ(fields().endingPage, 1);
    passes(449);
    EXPECT_EQ(endingPictureAlpha, 1.0f);
    pass();
    ASSERT_EQ(fields().endingPage, 2);
    EXPECT_EQ(endingPicture, 0);
    EXPECT_EQ(endingPrevPicture, 0);
    EXPECT_EQ(endingPictureAlpha, 1.0f);
    passes(900);
    ASSERT_EQ(fields().endingPage, 4);
    EXPECT_EQ(endingPicture, 1);
    EXPECT_EQ(endingPrevPicture, 0);
    EXPECT_FLOAT_EQ(endingPictureAlpha, 0.03f);
}

TEST_F(EndingTest, PageZeroShowsTheBlackCoverAndItsRows) {
    startRoll();
    pass();
    std::vector<Drawn> sprites = drawn();
    // The cover lifting, then the previous and current pictures: the black
    // sprite for page 0.
    ASSERT_GE(sprites.size(), 3u);
    EXPECT_EQ(sprites[0].frameId, 2687);
    EXPECT_EQ(sprites[0].layer, 902);
    EXPECT_FLOAT_EQ(sprites[0].alpha, 0.95f);
    for (size_t k = 0; k <= 2; ++k) {
        EXPECT_EQ(sprites[k].frameId, 2687);
        EXPECT_EQ(sprites[k].r, 0);
        EXPECT_EQ(sprites[k].x, 112.0f);
        EXPECT_EQ(sprites[k].y, 144.0f);
    }
    EXPECT_EQ(sprites[1].layer, 801);
    EXPECT_EQ(sprites[1].alpha, 1.0f);
    EXPECT_EQ(sprites[2].layer, 801);
    EXPECT_FLOAT_EQ(sprites[2].alpha, 0.03f);
    passes(15 * 3 - 1);
    sprites = drawn();
    // Row 0 fades in at the centre in font 3; row 2 is picture 1 at y 60.
    int titleGlyphs = 0;
    bool picture = false;
    for (const Drawn& d : sprites) {
        if (d.frameId >= 3204 && d.frameId < 3204 + 95 && d.y == 12.0f) ++titleGlyphs;
        if (d.frameId == 3310) {
            picture = true;
            EXPECT_EQ(d.x, 112.0f);
            EXPECT_EQ(d.y, 60.0f);
            EXPECT_EQ(d.alpha, 1.0f);
        }
    }
    EXPECT_EQ(titleGlyphs, 5);
    EXPECT_TRUE(picture);
}

TEST_F(EndingTest, RowsSlideInFromTheirSide) {
    startRoll();
    passes(450 + 5);
    ASSERT_EQ(fields().endingPage, 1);
    ASSERT_EQ(endingRowTimer[0], 10);
    const std::vector<Drawn> sprites = drawn();
    std::vector<Drawn> right, left;
    for (const Drawn& d : sprites) {
        if (d.y == 12.0f && d.frameId >= 3099 && d.frameId < 3099 + 95) right.push_back(d);
        if (d.y == 36.0f && d.frameId >= 3204 && d.frameId < 3204 + 95) left.push_back(d);
    }
    // "RIGHT" in font 2 centred on 112 + 10 x 10; "LEFT" in font 3 not begun,
    // centred on 112 - 15 x 15.
    ASSERT_EQ(right.size(), 5u);
    EXPECT_FLOAT_EQ(right[0].x, 212.0f - 2.0f * 9.0f);
    EXPECT_EQ(right[0].frameId, 3099 + 'R' - 32);
    ASSERT_EQ(left.size(), 4u);
    EXPECT_FLOAT_EQ(left[0].x, -126.0f);  // -113 - 1.5 x 9, whole pixels
}

TEST_F(EndingTest, TrainingReplayAndScoreAttackHaveNoEnding) {
    for (int32_t code : {8, 6, 2}) {
        SCOPED_TRACE(code);
        menuResultCode = code;
        endingReached = 0;
        startAt(23);
        // The clear motion's slot must be open for the results to leave through step 23.
        sceneTask->work->motionSlot0 = SDL2_wheel_MotionCreate(801, "ending_first");
        SDL2_wheel_MotionPlay(slot(), 1, "ending_first", "normal");
        toEnd();
        for (int k = 0; k < 5 && running(); ++k) pass();
        EXPECT_FALSE(running());
        EXPECT_EQ(endingReached, 0);
    }
    menuResultCode = 0;
    startAt(23);
    sceneTask->work->motionSlot0 = SDL2_wheel_MotionCreate(801, "ending_first");
    SDL2_wheel_MotionPlay(slot(), 1, "ending_first", "normal");
    toEnd();
    for (int k = 0; k < 5 && fields().step != 26; ++k) pass();
    EXPECT_EQ(fields().step, 26);
    EXPECT_EQ(endingReached, 1);
}

}  // namespace
