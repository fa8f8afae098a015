// The credit line against the cabinet stand-in's states, and the coin hook.
#include "game/core/credit_line.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/data/psb_object.h"
#include "engine/ui/psb_font.h"

#include "game/core/apm_glue.h"
#include "game/core/boot_loads.h"
#include "game/core/server_keep_alive.h"
#include "game/core/sprite_frames.h"
#include "game/records/abaas_gs.h"
#include "tests/engine/data/psb_document.h"
#include "tests/game/core/game_main_fixture.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

constexpr const char* kServiceDown = "ただいまAimeを使用したプレイができません。";
constexpr const char* kClosed = "閉店時間になりました。以降のAimeのプレイデータは保存されない場合があります。";

std::string closingIn(int minutes) {
    return "あと" + std::to_string(minutes) +
           "分で閉店となります。閉店時間以降はAimeのプレイデータは保存されない場合があります。";
}

constexpr std::array<SpriteFrame, 10> kIconFrames{{
    {}, {}, {}, {}, {}, {}, {}, {4, 0, 0, 24, 24, 7, 0, 0, 0, 0, 0}, {4, 0, 0, 24, 24, 8, 0, 0, 0, 0, 0},
    {4, 0, 0, 24, 24, 9, 0, 0, 0, 0, 0},
}};

// "<font>|<text>|<x>,<y>|<r>" for font lines, "icon <frame>" for the icon.
std::vector<std::string> drawn() {
    std::vector<std::string> list;
    for (int i = 0; i < OBJdrawRequestCount(); ++i) {
        const DrawObj& e = *OBJdrawStoreEntry(i);
        if (e.type == kDrawFontText) {
            list.push_back(std::to_string(e.fontIndex) + "|" + e.text + "|" + std::to_string(int(e.x)) + "," +
                           std::to_string(int(e.y)) + "|" + std::to_string(e.r));
        } else if (e.type == kDrawSprite) {
            EXPECT_EQ(e.layer, 1000);
            list.push_back("icon " + std::to_string(e.frameId));
        }
    }
    return list;
}

struct CreditCase {
    const char* name;
    bool arcade;
    bool tool;
    bool freePlay;
    int32_t credits;
    bool network;
    bool cardServer;
    bool online;
    int32_t closing;
    uint8_t attract;
    uint8_t aliveAttempts;
    std::vector<std::string> want;
};

const CreditCase kCreditCases[] = {
    {"off the cabinet nothing", false, false, true, 0, true, true, true, 0, 1, 3, {}},
    {"free play, offline", true, false, true, 0, false, true, false, -1, 0, 3, {"1|FREE PLAY|1752,40|255", "icon 9"}},
    {"credits by the byte", true, false, false, 3, false, true, false, -1, 0, 3,
     {"1|CREDIT(S) 3|1728,40|255", "icon 9"}},
    {"two-digit credits", true, false, false, 12, false, true, false, -1, 0, 3,
     {"1|CREDIT(S) 12|1716,40|255", "icon 9"}},
    {"online with the card service", true, false, true, 0, true, true, true, -1, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 7"}},
    {"network good, server not answering", true, false, true, 0, true, true, false, -1, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 8"}},
    {"network good, card service down", true, false, true, 0, true, false, true, -1, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 8"}},
    {"more than 30 minutes to closing", true, false, true, 0, false, true, false, 1801, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 9"}},
    {"30 minutes to closing", true, false, true, 0, false, true, false, 1800, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 9", "2|" + closingIn(30) + "|960,1040|255"}},
    {"under a minute", true, false, true, 0, false, true, false, 59, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 9", "2|" + closingIn(0) + "|960,1040|255"}},
    {"closing time", true, false, true, 0, false, true, false, 0, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 9", std::string("2|") + kClosed + "|960,1040|255"}},
    {"past closing time", true, false, true, 0, false, true, false, -30, 0, 3,
     {"1|FREE PLAY|1752,40|255", "icon 9", std::string("2|") + kClosed + "|960,1040|255"}},
    {"card notice on the attract side", true, false, true, 0, false, true, false, -1, 1, 3,
     {std::string("2|") + kServiceDown + "|960,1000|255", "1|FREE PLAY|1752,40|255", "icon 9"}},
    {"no notice while the service answers", true, false, true, 0, true, true, true, -1, 1, 3,
     {"2| |960,1000|255", "1|FREE PLAY|1752,40|255", "icon 7"}},
    {"no notice before the first alive attempts", true, false, true, 0, false, true, false, -1, 1, 2,
     {"1|FREE PLAY|1752,40|255", "icon 9"}},
    {"tool mode: only the notice", true, true, true, 0, false, true, false, 0, 1, 3,
     {std::string("2|") + kServiceDown + "|960,1000|255"}},
};

class CreditLineTest : public GameMainFixture {
protected:
    void SetUp() override {
        GameMainFixture::SetUp();
        OBJsetFrameTable(kIconFrames);
        if (gameMainOwner == nullptr) gameMainOwner = OBJworkNew();
        AbaasGs::create();
    }
    void TearDown() override {
        AbaasGs::destroy();
        keepAliveReset();
        OBJsetFrameTable({});
        GameMainFixture::TearDown();
    }
};

TEST_F(CreditLineTest, WhatTheLineShowsForEachCabinetState) {
    for (const CreditCase& c : kCreditCases) {
        SCOPED_TRACE(c.name);
        arcadeMode = c.arcade;
        toolMode = c.tool;
        cabinet->freePlay = c.freePlay;
        cabinet->credits = c.credits;
        cabinet->network = c.network;
        cabinet->cardServer = c.cardServer;
        cabinet->closingSeconds = c.closing;
        abaasGs->online = c.online;
        attractMode = c.attract;
        keepAlive.aliveAttempts = c.aliveAttempts;
        OBJdrawRequestsClear();
        OBJdrawFlush();
        creditLineDraw();
        EXPECT_EQ(drawn(), c.want);
    }
}

// A font of 15-pixel capitals: "FREE PLAY" is 135 pixels, not 9 times 12.
std::unique_ptr<PSBObject> wideCapitalsFont() {
    using psbwriter::Object;
    const std::vector<uint8_t> pixels(4 * 2 * 4, 0xFF);
    Object image{{"width", 4}, {"height", 2}, {"type", "RGBA8"}, {"pixel", psbwriter::Resource{pixels, false}}};
    Object glyph{{"id", 0},   {"x", 0.0f}, {"y", 0.0f}, {"width", 15.0f}, {"height", 24.0f},
                 {"w", 2.0f}, {"h", 2.0f}, {"a", 2.0f}, {"b", 0.0f},      {"d", 0.0f}};
    Object codes;
    for (const char* c : {"F", "R", "E", " ", "P", "L", "A", "Y"}) codes[c] = glyph;
    Object root{{"maxWidth", 15.0f}, {"maxHeight", 24.0f}};
    root["code"] = codes;
    root["source"] = psbwriter::List{image};
    return loadDocument(psbwriter::writePsb(root));
}

TEST_F(CreditLineTest, TheLineEndsBeforeTheIconByItsFontsOwnWidths) {
    arcadeMode = true;
    cabinet->freePlay = true;
    const auto document = wideCapitalsFont();
    MPSBFont font(*document, 1.0f);
    task->fonts[1] = &font;
    OBJdrawRequestsClear();
    creditLineDraw();
    task->fonts[1] = nullptr;
    const std::vector<std::string> list = drawn();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0], "1|FREE PLAY|1725,40|255");  // 1876 - 12 - 4 - 135
}

TEST(CreditTextTest, WideTextBecomesWholeUtf8Characters) {
    char out[16];
    EXPECT_EQ(creditTextToUtf8(L"3\u00e9\u3042", out, sizeof out), 6u);
    EXPECT_STREQ(out, "3\xc3\xa9\xe3\x81\x82");
    EXPECT_EQ(creditTextToUtf8(L"3\u00e9\u3042", out, 5), 3u) << "no half character at the end";
    EXPECT_STREQ(out, "3\xc3\xa9");
    EXPECT_EQ(creditTextToUtf8(nullptr, out, sizeof out), 0u);
    EXPECT_STREQ(out, "");
}

// Boot resources every one of which has loaded.
struct Loaded final : BootLoads::Client {
    bool soundDocumentLoaded() override { return true; }
    bool soundArchivesLoaded() override { return true; }
    void followUp(int) override {}
};

class CoinHookTest : public GameMainFixture {
protected:
    void TearDown() override {
        task->boot.reset();
        GameMainFixture::TearDown();
    }
    void resourcesReady() {
        for (int k = 0; k < BootLoads::kFonts; ++k) task->boot.fontStatus(k).store(kReadDone);
        Loaded loaded;
        task->boot.poll(loaded);
        ASSERT_TRUE(task->boot.ready());
    }
};

TEST_F(CoinHookTest, RefusedBeforeTheResourcesAreReady) {
    task->boot.reset();
    EXPECT_FALSE(coinInHook(1));
    EXPECT_FALSE(coinInHook(2));
    EXPECT_EQ(coinFlag, 0);
    EXPECT_TRUE(sounds.take().empty());
}

TEST_F(CoinHookTest, CoinsAndCreditsRaiseTheFlagWithTheirSound) {
    resourcesReady();
    EXPECT_TRUE(coinInHook(1));
    EXPECT_EQ(coinFlag, 1);
    EXPECT_TRUE(coinInHook(1));
    EXPECT_EQ(sounds.take(), std::vector<std::string>{"coin"}) << "one sound a frame";
    EXPECT_TRUE(coinInHook(2));
    EXPECT_EQ(sounds.take(), std::vector<std::string>{"credits"});
    SDL2_wheel_SoundUpdate();
    EXPECT_TRUE(coinInHook(1));
    EXPECT_EQ(sounds.take(), std::vector<std::string>{"coin"});

    coinFlag = 0;
    EXPECT_TRUE(coinInHook(5));
    EXPECT_EQ(coinFlag, 0) << "other events change nothing";

    SDL2_wheel_SoundUpdate();
    gameSettings.SOUND_OUT = 0;
    EXPECT_TRUE(coinInHook(1));
    EXPECT_EQ(coinFlag, 1);
    EXPECT_TRUE(sounds.take().empty()) << "silent with the sound off";
}

TEST_F(CoinHookTest, TheCabinetsCoinsReachTheHookInsideItsStep) {
    resourcesReady();
    cabinet->freePlay = false;
    SDL2_wheel_CreditSetCoinInHook();
    cabinet->insertCoins(1);
    _Core_execute();
    EXPECT_EQ(coinFlag, 1);
    EXPECT_EQ(sounds.take(), (std::vector<std::string>{"coin", "credits"}));
    EXPECT_EQ(cabinet->credits, 1);
}

}  // namespace
