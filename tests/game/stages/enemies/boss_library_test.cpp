// The boss library: the motion-state table against the list of states
// (boss_motion_states.csv beside this file), bossSetMotion's animation words, and the two gauges.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/core/obj_work.h"
#include "game/objects/voice_message.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_words.h"

namespace {

// Splits one line of the state list, honouring double quotes.
std::vector<std::string> bossCsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

TEST(BossLibraryTest, TheMotionStatesMatchTheSharedList) {
    std::ifstream in(HALVIR_BOSS_STATES);
    ASSERT_TRUE(in) << HALVIR_BOSS_STATES;
    std::string line;
    std::getline(in, line);
    int rows = 0;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = bossCsvFields(line);
        ASSERT_GE(f.size(), 4u) << line;
        const int32_t state = std::stoi(f[0]);
        const BossMotionState& row = bossMotionState(state);
        EXPECT_EQ(std::string(row.node), f[1]) << state;
        EXPECT_EQ(std::string(row.label), f[2]) << state;
        EXPECT_EQ(row.death != 0, f[3].find("death") != std::string::npos) << state;
        EXPECT_EQ(row.noLoop != 0, f[3].find("no loop") != std::string::npos) << state;
        ++rows;
    }
    EXPECT_EQ(rows, kBossMotionStates);
    EXPECT_STREQ(bossMotionState(232).node, "");
    EXPECT_STREQ(bossMotionState(-1).label, "");
}

TEST(BossLibraryTest, SetMotionWithoutAHandleOnlyResetsTheAnimation) {
    ObjWork work{};
    OBJworkInit(&work);
    EnemyFields& e = enemy(&work);
    e.motionFrame = 9;
    e.motionEnded = 1;
    e.motionTick = 3;
    bossSetMotion(&work, 47);
    EXPECT_EQ(e.motionFrame, 0);
    EXPECT_EQ(e.motionTick, 0);
    EXPECT_EQ(e.motionEnded, 0);
    EXPECT_EQ(e.motionState, 47);
    EXPECT_EQ(e.motionRunning, 1);
    EXPECT_EQ(e.motionLength, 30);
    EXPECT_EQ(e.motionTicksPerFrame, 1);
    EXPECT_EQ(e.motionLoops, 1) << "the state's flags are read only with a motion";
    EXPECT_EQ(e.deathMotion, 0);
}

class BossGaugeTest : public ::testing::Test {
protected:
    void SetUp() override {
        bossGaugesClear();
        voiceMessageSetting = 1;
        voiceMessageReset();
    }
    void TearDown() override { bossGaugesClear(); }
};

TEST_F(BossGaugeTest, RegisterFillsTheGaugeOnlyWhenShown) {
    const int32_t parts[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    bossGaugeRegister(0, 5000, parts, 0, 1);
    EXPECT_EQ(bossGauges[0].maximum, 0);
    bossGauges[0].lastLife = 99;
    bossGaugeRegister(1, 5000, parts, 0, 1);
    EXPECT_EQ(bossGauges[0].maximum, 5000);
    EXPECT_EQ(bossGauges[0].partLives[9], 10);
    EXPECT_EQ(bossGauges[0].lastLife, 0);
    bossGaugeRegister(1, 7000, parts, 0, 0);
    EXPECT_EQ(bossGauges[1].maximum, 7000);
}

TEST_F(BossGaugeTest, TheLowLifeVoiceFiresOncePerGaugeThatSawItAbove) {
    bossGauges[0].maximum = 100000;
    bossGauges[1].maximum = 30000;
    bossGaugeVoice(30000, 1, 3);
    for (const BossGauge& gauge : bossGauges) EXPECT_EQ(gauge.lastLife, 30000);
    int owed = 0;
    for (const BossGauge& gauge : bossGauges) owed += bossGaugeVoices(gauge, gauge.lastLife, 20000, 3);
    EXPECT_EQ(owed, 2 * kBossVoiceLow) << "once per gauge";
    bossGaugeVoice(20000, 1, 3);
    for (const BossGauge& gauge : bossGauges) {
        EXPECT_EQ(gauge.lastLife, 20000);
        EXPECT_EQ(bossGaugeVoices(gauge, gauge.lastLife, 15000, 3), 0) << "not again below";
    }
}

TEST_F(BossGaugeTest, TheHalfVoiceIsABosssOnly) {
    struct Case {
        int32_t maximum, previous, life, sizeClass, voices;
    };
    const Case cases[] = {{100000, 60000, 50000, 4, kBossVoiceHalf},
                          {100000, 60000, 50000, 3, 0},
                          {100000, 50000, 40000, 4, 0},
                          {40000, 30000, 20000, 4, kBossVoiceLow | kBossVoiceHalf},
                          {40000, 24576, 20000, 4, kBossVoiceHalf}};
    for (const Case& c : cases) {
        BossGauge gauge{};
        gauge.maximum = c.maximum;
        EXPECT_EQ(bossGaugeVoices(gauge, c.previous, c.life, c.sizeClass), c.voices) << c.previous << "->" << c.life;
    }
}

}  // namespace
