// The card login against the stand-in cabinet's card reader and the
// loopback game server: each frame is the platform update (the reader's
// step and the keep-alive), the input words, then the login. The reader is
// driven by the cabinet's script, the server by the peer's modes.
#include "game/records/card_login.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "game/core/coin_hook.h"
#include "game/core/game_main.h"
#include "game/core/input_words.h"
#include "game/core/sound_ids.h"
#include "game/core/sound_requests.h"
#include "game/records/card_profile.h"
#include "game/records/play_records.h"
#include "game/records/play_selection.h"
#include "game/records/play_upload.h"
#include "platform/arcade/apm.h"
#include "platform/arcade/cabinet_script.h"
#include "tests/game/core/glue_fixture.h"
#include "tests/gsclient/peer/gs_peer_process.h"

namespace {

const std::string kLoad = "/api/user/load";
const std::string kSave = "/api/user/save";
constexpr int32_t kCardId = 77;
const std::string kCard = "+0 card 77 00000000000000000077";

class CardLoginTest : public GlueFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.started()) << peer.startError();
        ASSERT_TRUE(peer.addUser(uint32_t(kCardId), "ACE"));
        GlueFixture::SetUp();
        settings.gameId = gstest::kGameId;
        settings.serverHost = peer.host();
        settings.network = true;
        settings.cardReader = true;
        attractMode = 0;
    }
    void TearDown() override {
        cardProfile = CardProfile{};
        GlueFixture::TearDown();
    }

    // The platform started, the game server heard, the title's start of the login.
    void begin(bool answered = true) {
        start();
        if (answered) {
            ASSERT_TRUE(until([] { return abaasGs->online; }));
        } else {
            ASSERT_TRUE(until([] { return keepAlive.aliveAttempts == 3 && !keepAlive.alivePending; }));
        }
        cardProfileClear();
        cardProfile.loginState = 1;
        arrows = {};
    }
    // The first screen, as the title shows it one frame after the start.
    void toChoose(bool answered = true) {
        begin(answered);
        ASSERT_EQ(step(), kLoginRunning);
        ASSERT_EQ(cardProfile.loginState, 2);
    }

    // Script lines, the first "+n" counted from the current step.
    void script(const std::string& lines) {
        const size_t space = lines.find(' ');
        const int first = cab->stepCount() + std::stoi(lines.substr(1, space - 1));
        const auto load = arcade::parseCabinetScript(std::to_string(first) + lines.substr(space), "test");
        ASSERT_TRUE(load.problems.empty()) << load.problems.front();
        cab->setScript(load.actions);
    }

    // One frame of the title with the login; `heard` is what it asked to play.
    int32_t step() {
        soundLayerState().soundGuard.fill(0);
        frame();
        result = cardProfile.loginState != 0 ? aimeLoginUpdate(arrows) : kLoginRunning;
        heard.clear();
        for (int id = 0; id < kSoundIdCount; ++id) {
            if (soundLayerState().soundGuard[size_t(id)] != 0) heard.insert(soundNameForId(id));
        }
        return result;
    }
    // A frame with every switch up (a press needs one before it), then the press.
    int32_t tap(const std::string& switches) {
        cab->heldSwitches = 0;
        step();
        script("+1 tap " + switches);
        return step();
    }
    bool heardOnly(const std::string& name) const { return heard == std::set<std::string>{name}; }

    // Frames until `done` or a result; false when the loopback took more
    // than ten seconds.
    template <class Done>
    bool until(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            if (step() != kLoginRunning) return true;
            std::this_thread::yield();
        }
        return true;
    }
    // From the first screen, the card (choice 0) or the access code (choice 2)
    // with the reader's script, until the login shows a screen or ends.
    bool chooseAndRun(int choice, const std::string& reader) {
        if (choice == 0) tap("left");
        if (choice == 2) tap("right");
        script("+1 tap button1\n" + reader);
        step();
        if (cardProfile.loginState == 2) return false;
        return until([] {
            const int32_t s = cardProfile.loginState;
            // A confirmation refused in access-code mode passes without the player.
            const bool asking = _Aime_hasConfirm() && !(cardProfile.accessCodeMode && _Aime_getConfirm() == 2);
            return s == 2 || (s == 5 && asking) || s == 9 || s == 10 || s == 14 || s == 15;
        });
    }

    gstest::GsPeerProcess peer{abaasTitleKey(false)};
    LoginArrows arrows;
    int32_t result = kLoginRunning;
    std::set<std::string> heard;
};

TEST_F(CardLoginTest, TheFirstScreenStartsOnPlayingWithoutTheCardAndWraps) {
    begin();
    step();
    EXPECT_EQ(cardProfile.loginCursor, 1);
    EXPECT_EQ(loginChoiceCount, 3);
    EXPECT_EQ(cardProfile.secondsLeft, 30);
    tap("left");
    EXPECT_EQ(cardProfile.loginCursor, 0);
    EXPECT_TRUE(heardOnly("cursor"));
    tap("left");
    EXPECT_EQ(cardProfile.loginCursor, 2);
    tap("right");
    EXPECT_EQ(cardProfile.loginCursor, 0);
    EXPECT_EQ(cardProfile.loginState, 2);
}

struct RefusedCase {
    const char* name;
    const char* peerMode;
    const char* reader;  // script
};

TEST_F(CardLoginTest, TheCardChoicesRefuseWhileAServerIsDown) {
    const RefusedCase cases[] = {
        {"game server offline", "refuse", ""},
        {"card server down", "normal", "+0 card-server off"},
        {"network down", "normal", "+0 network off"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(peer.setMode(c.peerMode));
        toChoose(std::string(c.peerMode) != "refuse");
        EXPECT_EQ(abaasGs->online, std::string(c.peerMode) != "refuse");
        for (int choice : {0, 2}) {
            tap(choice == 0 ? "left" : "right");
            script(std::string("+1 tap button1\n") + c.reader);
            EXPECT_EQ(step(), kLoginRunning);
            EXPECT_EQ(cardProfile.loginState, 2);
            EXPECT_TRUE(heardOnly("cancel"));
            tap(choice == 0 ? "right" : "left");
            cab->network = true;
            cab->cardServer = true;
        }
        SDL2_wheel_APMTerminate();
        ASSERT_TRUE(peer.setMode("normal"));
    }
}

struct ReadCase {
    const char* name;
    int choice;
    const char* reader;
    const char* peerMode;
    int modeCount;
    int appStatus;
    bool userOnline;
    bool badSavedata;
    // What the login shows then.
    int32_t state;
    int32_t loginError;
    int ledError;
    bool online;
    int loads;
};

const ReadCase kReadCases[] = {
    {"a card", 0, "", "normal", 0, 0, false, false, 9, 0, 0, true, 1},
    {"read error of category 2", 0, "+0 card-error 2", "normal", 0, 0, false, false, 14, 1, 1, true, 0},
    {"read error of category 1", 0, "+0 card-error 1", "normal", 0, 0, false, false, 14, 1, 0, true, 0},
    {"four failed replies, then a good one", 0, "", "http-500", 4, 0, false, false, 9, 0, 0, true, 5},
    {"a fifth failed reply", 0, "", "http-500", 5, 0, false, false, 14, 3, 1, false, 5},
    {"two unusable replies", 0, "", "garbage", 2, 0, false, false, 9, 0, 0, true, 3},
    {"a reply that can't be read", 0, "", "normal", 0, 0, false, true, 14, 3, 1, false, 5},
    {"application status 100", 0, "", "normal", 0, 100, false, false, 14, 2, 1, true, 1},
    {"the user still playing elsewhere", 0, "", "normal", 0, 0, true, false, 14, 2, 1, true, 1},
    {"access code, confirmation of kind 2", 2, "+0 card-confirm 2", "normal", 0, 0, false, false, 2, 0, 0, true, 0},
    {"card, confirmation of kind 2", 0, "+0 card-confirm 2", "normal", 0, 0, false, false, 5, 0, 0, true, 0},
    {"access code, confirmation of kind 1", 2, "+0 card-confirm 1", "normal", 0, 0, false, false, 5, 0, 0, true, 0},
    {"access code", 2, "", "normal", 0, 0, false, false, 10, 0, 0, true, 0},
};

TEST_F(CardLoginTest, ReaderAndServerOutcomes) {
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(peer.addUser(uint32_t(kCardId), "ACE"));
        ASSERT_TRUE(peer.setOnline(uint32_t(kCardId), c.userOnline));
        if (c.badSavedata) ASSERT_TRUE(peer.setSavedata(uint32_t(kCardId), "score_nov_a", "lots"));
        const int loadsBefore = peer.requestCount(kLoad);
        toChoose();
        ASSERT_TRUE(peer.setMode(c.peerMode, c.modeCount));
        ASSERT_TRUE(peer.setAppStatus(c.appStatus));
        ASSERT_TRUE(chooseAndRun(c.choice, kCard + "\n" + c.reader));
        EXPECT_EQ(result, kLoginRunning);
        EXPECT_EQ(cardProfile.loginState, c.state);
        EXPECT_EQ(cardProfile.loginError, c.loginError);
        EXPECT_EQ(cab->cardReader.ledError, c.ledError);
        EXPECT_EQ(abaasGs->online, c.online);
        EXPECT_EQ(peer.requestCount(kLoad) - loadsBefore, c.loads);
        if (c.state == 9) {
            EXPECT_EQ(cardProfile.aimeId, kCardId);
            EXPECT_EQ(cardProfile.userName, u"ACE");
            EXPECT_EQ(cardProfile.retryCount, 0);
            EXPECT_EQ(cab->cardReader.ledSuccess, 1);
            EXPECT_TRUE(heard.count("aime_success"));
        }
        if (c.state == 14) {
            EXPECT_TRUE(heard.count("aime_error"));
            EXPECT_EQ(cardProfile.userName, u"NO NAME");  // never half filled
            EXPECT_EQ(cardProfile.bestScore, CardProfile{}.bestScore);
            EXPECT_EQ(cardProfile.secondsLeft, 30);
        }
        SDL2_wheel_APMTerminate();
        ASSERT_TRUE(peer.setMode("normal"));
        ASSERT_TRUE(peer.setAppStatus(0));
    }
}

TEST_F(CardLoginTest, TheErrorScreenLeavesByButton2) {
    toChoose();
    ASSERT_TRUE(chooseAndRun(0, "+0 card-error 2"));
    ASSERT_EQ(cardProfile.loginState, 14);
    EXPECT_EQ(tap("button1"), kLoginRunning);
    EXPECT_EQ(tap("button2"), kLoginLeft);
    EXPECT_TRUE(heardOnly("cancel"));
}

TEST_F(CardLoginTest, Button2WithAConfirmationPendingShowsTheConfirmationAtOnce) {
    toChoose();
    ASSERT_TRUE(peer.setMode("normal"));
    tap("left");
    tap("button1");
    step();
    ASSERT_EQ(cardProfile.loginState, 4);  // reading, no card yet
    script("+1 tap button2\n+0 card-confirm 1\n" + kCard);
    step();
    EXPECT_EQ(cardProfile.loginState, 5);
    EXPECT_EQ(cardProfile.loginCursor, 1);
    EXPECT_EQ(loginChoiceCount, 2);
    EXPECT_TRUE(heardOnly("cancel"));
    // NO leaves through the cancel.
    EXPECT_EQ(tap("button1"), kLoginRunning);
    EXPECT_EQ(cardProfile.loginState, 7);
    step();
    EXPECT_EQ(cardProfile.loginState, 8);
    EXPECT_EQ(step(), kLoginLeft);
}

TEST_F(CardLoginTest, TheAccessCodeShowsWhileButton1IsHeld) {
    toChoose();
    ASSERT_TRUE(chooseAndRun(2, kCard + "\n+0 card-confirm 1"));
    ASSERT_EQ(cardProfile.loginState, 5);
    tap("left");
    tap("button1");  // YES
    EXPECT_TRUE(heardOnly("ok"));
    ASSERT_TRUE(until([] { return cardProfile.loginState == 10; }));
    EXPECT_TRUE(heard.count("aime_access_code"));
    EXPECT_EQ(cab->cardReader.ledSuccess, 1);
    EXPECT_EQ(cardProfile.secondsLeft, 60);
    script("+1 press button1");
    step();
    EXPECT_TRUE(cardProfile.buttonHeld);
    step();
    EXPECT_TRUE(cardProfile.buttonHeld);
    script("+1 release button1");
    step();
    EXPECT_FALSE(cardProfile.buttonHeld);
    tap("right");
    EXPECT_EQ(tap("button1"), kLoginLeft);
    EXPECT_TRUE(heardOnly("cancel"));
}

struct SettingsCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> savedata;
    int32_t shot, bomb, rapid, blow, sound, saStage, stMode;
};

TEST_F(CardLoginTest, TheProfileStepTakesTheSettingsTheReplyCarries) {
    const SettingsCase cases[] = {
        {"nothing stored", {}, 1, 2, 3, 5, 0, 1, 1},
        {"all stored",
         {{"config_shot", "4"}, {"config_bomb", "3"}, {"config_rapid", "2"}, {"config_blow", "1"},
          {"config_sound", "1"}, {"config_sastage", "4"}, {"config_stmode", "0"}},
         4, 3, 2, 1, 1, 4, 0},
        {"no config_sound", {{"config_sastage", "2"}}, 1, 2, 3, 5, 0, 2, 1},
        {"config_blow 0 keeps all four buttons",
         {{"config_shot", "4"}, {"config_bomb", "3"}, {"config_rapid", "2"}, {"config_blow", "0"}},
         1, 2, 3, 5, 0, 1, 1},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(peer.addUser(uint32_t(kCardId), "ACE"));
        for (const auto& [key, value] : c.savedata) ASSERT_TRUE(peer.setSavedata(uint32_t(kCardId), key, value));
        toChoose();
        ASSERT_TRUE(chooseAndRun(0, kCard));
        ASSERT_EQ(cardProfile.loginState, 9);
        const CardProfile& p = cardProfile;
        EXPECT_EQ(p.configShot, c.shot);
        EXPECT_EQ(p.configBomb, c.bomb);
        EXPECT_EQ(p.configRapid, c.rapid);
        EXPECT_EQ(p.configBlow, c.blow);
        EXPECT_EQ(p.configSound, c.sound);
        EXPECT_EQ(p.configSaStage, c.saStage);
        EXPECT_EQ(p.configStMode, c.stMode);
        SDL2_wheel_APMTerminate();
    }
}

TEST_F(CardLoginTest, AGuestPassesOnceTheCreditSuffices) {
    settings.freePlay = false;
    toChoose();
    EXPECT_EQ(tap("button1"), kLoginRunning);
    EXPECT_EQ(cardProfile.loginState, 15);
    EXPECT_EQ(cardProfile.loginCursor, 0);
    EXPECT_EQ(loginChoiceCount, 2);
    EXPECT_TRUE(heardOnly("ok"));
    EXPECT_EQ(tap("button1"), kLoginRunning);
    EXPECT_EQ(cardProfile.loginState, 15);
    EXPECT_TRUE(heardOnly("cancel"));
    script("+1 coin");
    step();
    EXPECT_EQ(tap("button1"), kLoginPlay);
    EXPECT_FALSE(cardProfileIsCardUser());
    EXPECT_EQ(peer.requestCount(kLoad), 0);

    cardProfile.loginState = 0;  // the title hands over
    playRecordBegin();
    RankingRecord play{};
    play.score = 5000;
    playRecordFinish(play);
    EXPECT_EQ(playDataUpload(), 0);
    for (int i = 0; i < 5; ++i) step();
    EXPECT_EQ(peer.requestCount(kSave), 0);
}

TEST_F(CardLoginTest, ACardUsersLoginPlayAndUpload) {
    const std::pair<const char*, const char*> stored[] = {
        {"score_ori_b", "123456"}, {"stage_ori_b", "5"}, {"maxrank_ori_b", "30"}, {"score_sa_st2_c", "9999"},
        {"config_shot", "4"}, {"config_bomb", "3"}, {"config_rapid", "2"}, {"config_blow", "1"},
    };
    for (const auto& [key, value] : stored) ASSERT_TRUE(peer.setSavedata(uint32_t(kCardId), key, value));
    toChoose();
    ASSERT_TRUE(chooseAndRun(0, kCard));
    ASSERT_EQ(cardProfile.loginState, 9);
    EXPECT_EQ(cardProfile.loginPhase, 1);
    EXPECT_EQ(cardProfile.bestScore[2][1], 123456u);
    EXPECT_EQ(cardProfile.bestStage[2][1], 5u);
    EXPECT_EQ(cardProfile.bestMaxRank[0][1], 30u);
    EXPECT_EQ(cardProfile.saBestScore[1][2], 9999u);
    EXPECT_EQ(cardProfile.configShot, 4);

    // The records' pages turn with buttons 3 and 2, each flashing its arrow.
    tap("button3");
    EXPECT_EQ(cardProfile.recordsPage, 1);
    EXPECT_EQ(arrows.right, 9);
    EXPECT_TRUE(heardOnly("cursor"));
    tap("button3");
    tap("button3");
    EXPECT_EQ(cardProfile.recordsPage, 2);
    tap("button2");
    EXPECT_EQ(cardProfile.recordsPage, 1);
    EXPECT_EQ(arrows.left, 9);

    tap("button1");
    ASSERT_EQ(cardProfile.loginState, 15);
    tap("button1");
    EXPECT_EQ(cardProfile.loginState, 12);
    ASSERT_TRUE(until([] { return false; }));
    EXPECT_EQ(result, kLoginPlay);
    EXPECT_EQ(cardProfile.loginPhase, 2);
    EXPECT_EQ(peer.requestCount(kLoad), 2);
    EXPECT_NE(peer.lastRequest(kLoad).find(R"("start_game":1)"), std::string::npos);

    // The title hands over; the play beats the stored best.
    cardProfile.loginState = 0;
    setGameMode(2);
    setLeaderType(1);
    playRecordBegin();
    EXPECT_STREQ(currentPlayerName(), "ACE");
    EXPECT_EQ(playRecords.best.score, 123456u);
    RankingRecord play{};
    play.score = 200000;
    play.finished = 1;
    play.trueRoute = 1;
    play.category = 2;
    play.leaderType = 1;
    play.maxRank = 40;
    playRecordFinish(play);
    EXPECT_EQ(cardProfile.bestScore[2][1], 200000u);
    EXPECT_EQ(cardProfile.bestStage[2][1], 7u);
    ASSERT_EQ(playDataUpload(), 0);
    keepAlive.frameResult = KeepAliveWords::kNoResult;
    ASSERT_TRUE(until([] { return keepAlive.frameResult != 1 && keepAlive.frameResult != KeepAliveWords::kNoResult; }));
    EXPECT_EQ(keepAlive.frameResult, 0);
    EXPECT_EQ(keepAlive.frameHttpStatus, 200);
    const std::string user = peer.user(uint32_t(kCardId));
    EXPECT_NE(user.find(R"("score_ori_b":"200000")"), std::string::npos) << user;
    EXPECT_NE(user.find(R"("stage_ori_b":"7")"), std::string::npos) << user;
    EXPECT_NE(user.find(R"("maxrank_ori_b":"40")"), std::string::npos) << user;
    EXPECT_EQ(user.find(R"("rankings":[])"), std::string::npos) << user;
}

struct CountdownCase {
    int32_t state;
    int32_t seconds, frames;
    bool coin;
    int32_t secondsAfter, framesAfter, result;
};

// The screens' countdown alone: no input, no reader, no server.
TEST(CardLoginCountdownTest, EachFrameCountsAndACoinGivesTheWholeTimeAgain) {
    const CountdownCase cases[] = {
        {2, 5, 3, false, 5, 2, kLoginRunning},
        {2, 5, 1, false, 4, 60, kLoginRunning},
        {2, 1, 1, false, 0, 60, kLoginLeft},
        {2, 1, 1, true, 29, 60, kLoginRunning},
        {2, 0, 9, true, 30, 8, kLoginRunning},
        {10, 1, 5, true, 60, 4, kLoginRunning},
        {10, 1, 1, false, 0, 60, kLoginLeft},
        {14, 1, 1, false, 0, 60, kLoginLeft},
        {15, 1, 1, false, 0, 60, kLoginLeft},
        {15, 0, 1, true, 29, 60, kLoginRunning},
    };
    inputWordsReset();
    for (const CountdownCase& c : cases) {
        cardProfile = CardProfile{};
        cardProfile.loginState = c.state;
        cardProfile.secondsLeft = c.seconds;
        cardProfile.frameCount = c.frames;
        coinFlag = c.coin ? 1 : 0;
        LoginArrows arrows{3, 0};
        const int32_t result = aimeLoginUpdate(arrows);
        SCOPED_TRACE(testing::Message() << "state " << c.state << ", " << c.seconds << "/" << c.frames);
        EXPECT_EQ(cardProfile.secondsLeft, c.secondsAfter);
        EXPECT_EQ(cardProfile.frameCount, c.framesAfter);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(arrows.left, result == kLoginRunning ? 2 : 3);  // counted down only while it runs
    }
    coinFlag = 0;
    cardProfile = CardProfile{};
}

TEST(CardLoginCountdownTest, IdleAndUnknownStatesDoNothing) {
    for (int32_t state : {0, 16, -1}) {
        cardProfile = CardProfile{};
        cardProfile.loginState = state;
        LoginArrows arrows{3, 3};
        EXPECT_EQ(aimeLoginUpdate(arrows), kLoginRunning);
        EXPECT_EQ(cardProfile.loginState, state);
        EXPECT_EQ(arrows.left, 3);
    }
    cardProfile = CardProfile{};
}

}  // namespace
