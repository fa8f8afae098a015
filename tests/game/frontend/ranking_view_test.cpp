// The ranking view: the rows' texts, the page's wrap, TODAY on the arcade
// platform only, the time-outs and the codes it leaves.
#include "game/frontend/ranking_view.h"

#include <cstring>
#include <string>
#include <vector>

#include "game/core/app_switches.h"
#include "game/core/play_state.h"
#include "game/core/sprite_frames.h"
#include "game/frontend/scene_words.h"
#include "tests/game/frontend/scene_task_fixture.h"

namespace {

constexpr uint32_t kRankTestTag = objTag("RANK");
constexpr uint32_t kRankTestUp = 0x1, kRankTestLeft = 0x4, kRankTestRight = 0x8;
constexpr uint32_t kRankTestButtonOne = 0x10, kRankTestButtonTwo = 0x20;

RankingRecord rankTestRecord(uint64_t score, uint32_t type) {
    RankingRecord r{};
    r.score = score;
    r.leaderType = type;
    r.stage = 4;
    r.fighterWord = 3;
    return r;
}

TEST(RankingViewRows, PlaceLabelsScoreAndType) {
    const struct {
        int place;
        uint32_t type;
        const char* line;
    } cases[] = {
        {0, 0, " 1ST          123 TYPE A"}, {1, 1, " 2ND          123 TYPE B"}, {2, 2, " 3RD          123 TYPE C"},
        {3, 3, " 4TH          123 TYPE D"}, {8, 0, " 9TH          123 TYPE A"}, {9, 0, "10TH          123 TYPE A"},
        {0, 4, " 1ST          123 "},       {0, 0xFFFFFFFFu, " 1ST          123 "},
    };
    for (const auto& c : cases) {
        char line[96];
        rankingRowFirstLine(line, sizeof line, rankTestRecord(123, c.type), c.place);
        EXPECT_STREQ(line, c.line) << c.place << " " << c.type;
    }
}

TEST(RankingViewRows, StageTextsByCategoryAndProgress) {
    const struct {
        int category;
        uint32_t finished, trueRoute, progress, assist;
        const char* line;
    } cases[] = {
        {0, 1, 0, 0, 0, "   ST ALL     MANUAL C 2"}, {3, 1, 1, 0, 1, "   ST TRUEALL ASSIST C 2"},
        {4, 1, 0, 0, 0, "   ST CLEAR   MANUAL"},     {8, 1, 1, 0, 1, "   ST T CLEAR ASSIST"},
        {2, 0, 0, 1, 0, "   ST 4 MBOSS MANUAL C 2"}, {2, 0, 1, 2, 0, "   ST 4 TBOSS MANUAL C 2"},
        {6, 0, 0, 2, 0, "   ST 4 BOSS  MANUAL"},     {6, 0, 1, 0, 0, "   ST 4       MANUAL"},
    };
    for (const auto& c : cases) {
        RankingRecord r = rankTestRecord(0, 0);
        r.finished = c.finished;
        r.trueRoute = c.trueRoute;
        r.stageProgress = c.progress;
        r.assist = c.assist;
        char line[96];
        rankingRowSecondLine(line, sizeof line, r, c.category);
        EXPECT_STREQ(line, c.line);
    }
}

TEST(RankingViewRows, ANameWithoutTerminatorEndsAtItsLastByte) {
    RankingRecord r{};
    std::memset(r.name, 'N', sizeof r.name);
    char name[300];
    rankingRowName(name, sizeof name, r);
    EXPECT_EQ(std::strlen(name), 255u);
}

class RankingViewTest : public SceneTaskFixture {
protected:
    void SetUp() override {
        SceneTaskFixture::SetUp();
        rankingTables().all = std::make_unique<RankingTable>();
        rankingTables().today = std::make_unique<RankingTable>();
        rankingLatestCategory = 0;
        rankingLatestTable = 0;
        rankingNewMarks = {};
    }
    void TearDown() override {
        rankingTables() = RankingTables{};
        SceneTaskFixture::TearDown();
    }
    void create(int32_t code) {
        menuResultCode = code;
        view = OBJtaskCreate(TSKranking, 13, kRankTestTag);
        ASSERT_NE(view, nullptr);
        pass();
        EXPECT_EQ(rankingViewShown, 1);
        passes(kRankingInputLock);
        ASSERT_EQ(rankingViewPage.inputLock, 0);
    }
    static bool gone() { return OBJtaskCountByTag(13, kRankTestTag) == 0; }
    // Bitmap texts the page draws now.
    std::vector<std::string> drawnTexts() {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        view->work->draw(view, view->work);
        std::vector<std::string> out;
        for (int i = 0; i < OBJdrawStoreCount(); ++i) {
            const DrawObj* e = OBJdrawStoreEntry(i);
            if (e->type == kDrawBitmapText || e->type == kDrawFontText) out.emplace_back(e->text);
        }
        return out;
    }
    bool drawn(const std::string& text) {
        const std::vector<std::string> texts = drawnTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    ObjTask* view = nullptr;
};

TEST_F(RankingViewTest, PagesWrapBothWays) {
    create(0);
    pass(kRankTestLeft);
    EXPECT_EQ(rankingViewPage.category, 8);
    EXPECT_TRUE(drawn("SCORE ATTACK STAGE 5"));
    pass(kRankTestRight);
    EXPECT_EQ(rankingViewPage.category, 0);
    pass(kRankTestUp);
    EXPECT_EQ(rankingViewPage.table, 4);
    EXPECT_TRUE(drawn("LEADER TYPE D"));
    EXPECT_TRUE(drawn("NOVICE MODE"));
}

TEST_F(RankingViewTest, FromTheMenuItNeverTimesOutAndReturnsCode3) {
    create(kRankingFromMenu);
    EXPECT_EQ(view->actWords[0], kRankingNoTimeOut);
    // Off the arcade platform button 2 does nothing: no daily ranking.
    pass(kRankTestButtonTwo);
    EXPECT_EQ(rankingViewPage.today, 0);
    EXPECT_FALSE(drawn("TODAY"));
    passes(2000);
    EXPECT_EQ(view->state, kObjStateRun);
    pass(kRankTestButtonOne);
    EXPECT_EQ(view->state, kRankingLeaving);
    EXPECT_EQ(menuResultCode, kRankingBackToMenu);
    passes(4);
    EXPECT_TRUE(gone());
    EXPECT_EQ(rankingViewShown, 0);
}

TEST_F(RankingViewTest, OnTheArcadePlatformItLeavesAfter900FramesWithoutInput) {
    arcadeMode = true;
    create(0);
    EXPECT_EQ(rankingViewPage.today, 1);
    EXPECT_TRUE(drawn("TODAY"));
    passes(kRankingTimeOut - kRankingInputLock - 1);
    // A key restarts the count.
    pass(kRankTestRight);
    passes(kRankingTimeOut - 1);
    EXPECT_EQ(view->state, kObjStateRun);
    pass();
    EXPECT_EQ(view->state, kRankingLeaving);
    EXPECT_EQ(menuResultCode, 0);
    passes(4);
    EXPECT_TRUE(gone());
}

TEST_F(RankingViewTest, ArcadeInputsToggleTodayAndLeave) {
    arcadeMode = true;
    create(0);
    pass(kRankTestButtonTwo);
    EXPECT_EQ(rankingViewPage.today, 0);
    EXPECT_FALSE(drawn("TODAY"));
    // Button 1 leaves on the next frame, the code unchanged.
    pass(kRankTestButtonOne);
    EXPECT_EQ(view->state, kObjStateRun);
    pass();
    EXPECT_EQ(view->state, kRankingLeaving);
    EXPECT_EQ(menuResultCode, 0);
    OBJtaskReleaseByTag(kRankTestTag);
    pass();
    // The start request leaves for the title.
    create(0);
    startRequest = 1;
    pass();
    startRequest = 0;
    EXPECT_EQ(view->state, kRankingLeaving);
    EXPECT_EQ(menuResultCode, kRankingToTitle);
}

TEST_F(RankingViewTest, RowsShowTheChosenRankingWithItsMarks) {
    arcadeMode = true;
    rankingTables().today->at(1, 2, 0) = rankTestRecord(777, 0);
    std::strcpy(rankingTables().today->at(1, 2, 0).name, "PLAYER");
    rankingNewMarks[1][size_t((1 * kRankingCategories + 2) * kRankingPlaces)] = 1;
    rankingLatestCategory = 2;
    rankingLatestTable = 1;
    std::vector<SpriteFrame> frames(kRankingBarSprite + 1);
    frames.back() = {4, 0, 0, 200, 10, kRankingBarSprite, 0, 0, 0, 0, 0};
    OBJsetFrameTable(frames);
    create(0);
    const std::vector<std::string> texts = drawnTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), " 1ST          777 TYPE A"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "PLAYER"), texts.end());
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find("TH ") == 2; }),
              kRankingPlacesArcade - 3);
    int bars = 0;
    for (int i = 0; i < OBJdrawStoreCount(); ++i) {
        const DrawObj* e = OBJdrawStoreEntry(i);
        if (e->type == kDrawSprite && e->frameId == kRankingBarSprite) {
            ++bars;
            EXPECT_FLOAT_EQ(e->scaleY, 0.92f);
        }
    }
    EXPECT_EQ(bars, 1);
    OBJsetFrameTable({});
}

}  // namespace
