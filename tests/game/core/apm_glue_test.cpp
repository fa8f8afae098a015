// The platform glue: the exit rules, shutdown, coins and the credit and
// sequence wrappers, against the stand-in cabinet.
#include "game/core/apm_glue.h"

#include <gtest/gtest.h>

#include "game/core/boot_loads.h"
#include "game/core/game_task.h"
#include "tests/game/core/glue_fixture.h"

namespace {

constexpr uint16_t kTest = 1 << 0;
constexpr uint16_t kLeave = 1 << 15;  // logical 13

struct ExitCase {
    const char* name;
    bool tool;
    uint8_t attract;
    uint16_t switches[3];  // frames 1 to 3
    bool fixedTitle;
    bool exitNeeded;
    bool error;
    std::vector<int32_t> exits;
    uint8_t leave;
};

const ExitCase kExitCases[] = {
    {"test switch ends the game for the platform test", false, 0, {0, kTest, 0}, false, false, false, {1}, 1},
    {"held test switch asks once", false, 0, {kTest, kTest, kTest}, false, false, false, {1}, 1},
    {"a second edge asks nothing more", false, 0, {kTest, 0, kTest}, false, false, false, {1}, 1},
    {"test switch in tool mode does nothing", true, 0, {kTest, 0, kTest}, false, false, false, {}, 0},
    {"leave button on the attract side", false, 1, {0, kLeave, kLeave}, false, false, false, {0}, 0},
    {"leave button with a fixed title", false, 1, {0, kLeave, 0}, true, false, false, {}, 0},
    {"leave button during play", false, 0, {0, kLeave, 0}, false, false, false, {}, 0},
    {"leave button in tool mode", true, 1, {kLeave, 0, 0}, false, false, false, {0}, 0},
    {"exit needed on the attract side", false, 1, {0, 0, 0}, false, true, false, {0}, 0},
    {"exit needed with attract flag 2", false, 2, {0, 0, 0}, false, true, false, {}, 0},
    {"exit needed during play", false, 0, {0, 0, 0}, false, true, false, {}, 0},
    {"error during play", false, 0, {0, 0, 0}, false, false, true, {0}, 0},
    {"error in tool mode is not asked", true, 1, {0, 0, 0}, false, true, true, {}, 0},
    {"test switch wins over an error", false, 0, {kTest, 0, 0}, false, false, true, {1}, 1},
};

class ApmGlueTest : public GlueFixture {};

TEST_F(ApmGlueTest, ExitRules) {
    for (const ExitCase& c : kExitCases) {
        SCOPED_TRACE(c.name);
        start();
        toolMode = c.tool;
        cab->fixedTitle = c.fixedTitle;
        cab->exitNeeded = c.exitNeeded;
        cab->error = c.error;
        for (uint16_t switches : c.switches) {
            cab->heldSwitches = switches;
            frame(c.attract);
        }
        EXPECT_EQ(cab->exitGameCalls, c.exits);
        EXPECT_EQ(leaveToPlatformTest, c.leave);
        EXPECT_EQ(arcade::AMDaemonManager::getInstance()->exitRequested, !c.exits.empty());
        SDL2_wheel_APMTerminate();
        // Shutdown asks only when nothing was asked yet, with the test flag.
        std::vector<int32_t> after = c.exits.empty() ? std::vector<int32_t>{0} : c.exits;
        EXPECT_EQ(cab->exitGameCalls, after);
    }
}

TEST_F(ApmGlueTest, ShutdownAfterTheOperatorMenuLeavesForThePlatformTest) {
    start();
    frame();
    leaveToPlatformTest = 1;
    SDL2_wheel_APMTerminate();
    EXPECT_EQ(cab->exitGameCalls, std::vector<int32_t>{1});
    EXPECT_EQ(abaasGs, nullptr);
    EXPECT_EQ(controller::Manager::getInstance(), nullptr);
    EXPECT_EQ(arcade::AMDaemonManager::getInstance(), nullptr);
    EXPECT_EQ(ModuleFactory::getInstance(), nullptr);
}

// Boot resources every one of which has loaded: the coin hook takes coins only then.
struct LoadedResources final : BootLoads::Client {
    bool soundDocumentLoaded() override { return true; }
    bool soundArchivesLoaded() override { return true; }
    void followUp(int) override {}
};

TEST_F(ApmGlueTest, CoinsRaiseTheCoinFlagInsideThePlatformStep) {
    settings.freePlay = false;
    start();
    GameTask* task = GameTask::getInstance();
    for (int k = 0; k < BootLoads::kFonts; ++k) task->boot.fontStatus(k).store(kReadDone);
    LoadedResources loaded;
    task->boot.poll(loaded);
    SDL2_wheel_CreditSetCoinInHook();
    frame();
    EXPECT_EQ(coinFlag, 0);
    cab->insertCoins(1);
    frame();
    EXPECT_EQ(coinFlag, 1);
    EXPECT_EQ(SDL2_wheel_CreditGet(), 1);
    frame();
    EXPECT_EQ(coinFlag, 0);
    task->boot.reset();
}

struct PromptCase {
    bool freePlay;
    int32_t credits;
    int32_t cost;
    const char* text;
    int32_t creditGet;
};

TEST_F(ApmGlueTest, CreditPromptAndCount) {
    const PromptCase cases[] = {
        {true, 0, 1, " ", 1},
        {false, 1, 1, " ", 1},
        {false, 0, 1, "INSERT COIN(S)", 0},
        {false, 1, 2, "INSERT MORE COIN (S)", 1},
    };
    for (const PromptCase& c : cases) {
        settings.freePlay = c.freePlay;
        settings.gameCost = c.cost;
        start();
        cab->credits = c.credits;
        EXPECT_STREQ(SDL2_wheel_CreditPromptText(), c.text);
        EXPECT_EQ(SDL2_wheel_CreditGet(), c.creditGet);
        SDL2_wheel_APMTerminate();
    }
}

TEST_F(ApmGlueTest, EndPlayPassesThePlayDescriptorAndThePlatformsAnswer) {
    start();
    cab->queueAnswers("end-play", {false});
    EXPECT_FALSE(SDL2_wheel_SequenceEndPlay());
    EXPECT_TRUE(SDL2_wheel_SequenceEndPlay());
    ASSERT_EQ(cab->sequenceCalls.size(), 2u);
    EXPECT_EQ(cab->sequenceCalls[0].call, "end-play");
    EXPECT_EQ(cab->sequenceCalls[0].args, (std::vector<int32_t>{1, 116, 1}));
}

TEST_F(ApmGlueTest, LocationNameInUtf8) {
    settings.locationName = "Spielhalle Süd";
    start();
    EXPECT_EQ(SDL2_wheel_GetLocationName(), "Spielhalle S\xC3\xBC" "d");
}

TEST_F(ApmGlueTest, StartBindsEverySwitchOnceInGroupZero) {
    start();
    for (uint8_t logical = 0; logical < 16; ++logical) {
        const controller::LogicalState* state = controller::Manager::getInstance()->logicalState(logical);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->current, 0);
    }
    EXPECT_EQ(controller::Manager::getInstance()->logicalState(16), nullptr);
}

}  // namespace
