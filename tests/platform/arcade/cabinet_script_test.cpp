// The cabinet's script: parsing, and a script file driving the switches and
// coins step by step through the platform calls.
#include "platform/arcade/cabinet_script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/arcade/apm.h"
#include "platform/arcade/cabinet.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using arcade::ScriptOp;

std::vector<int32_t> hookEvents;
bool recordHook(int32_t event) {
    hookEvents.push_back(event);
    return true;
}

class CabinetScriptTest : public testing::Test {
protected:
    void SetUp() override {
        hookEvents.clear();
        settings.appRoot = dir.str() + "/root/";
        auto made = std::make_unique<arcade::Cabinet>(settings);
        made->liveControls = false;
        cab = made.get();
        arcade::installCabinet(std::move(made));
    }
    void TearDown() override { arcade::installCabinet(nullptr); }

    uint16_t switches() const {
        uint16_t bits = 0;
        for (int i = 0; i < 16; ++i) bits |= uint16_t(_Input_isOn(i) << i);
        return bits;
    }

    TempDir dir;
    arcade::CabinetSettings settings;
    arcade::Cabinet* cab = nullptr;
};

TEST(CabinetScript, ParsesStepsCommandsAndTaps) {
    arcade::ScriptLoad load = arcade::parseCabinetScript(
        "# attract, then a coin and a start\n"
        "10 coin 2\n"
        "+5 tap start for 3\n"
        "20 press up button1   # held\n"
        "4 answer end-play no yes\n"
        "30 card 1234 01234567890123456789\n"
        "31 closing none\n",
        "s.txt");
    ASSERT_TRUE(load.problems.empty()) << load.problems.front();
    ASSERT_EQ(load.actions.size(), 7u);
    EXPECT_EQ(load.actions[0].op, ScriptOp::answer);  // sorted by step
    EXPECT_EQ(load.actions[0].step, 4u);
    EXPECT_EQ(load.actions[0].flags, (std::vector<bool>{false, true}));
    EXPECT_EQ(load.actions[1].op, ScriptOp::coin);
    EXPECT_EQ(load.actions[1].value, 2);
    EXPECT_EQ(load.actions[2].op, ScriptOp::press);
    EXPECT_EQ(load.actions[2].step, 15u);
    EXPECT_EQ(load.actions[2].value, 1 << 6);
    EXPECT_EQ(load.actions[3].op, ScriptOp::release);
    EXPECT_EQ(load.actions[3].step, 18u);
    EXPECT_EQ(load.actions[4].value, (1 << 2) | (1 << 7));
    EXPECT_EQ(load.actions[5].text, "01234567890123456789");
    EXPECT_EQ(load.actions[6].value, -1);
}

TEST(CabinetScript, BadLinesAreReportedAndSkipped) {
    arcade::ScriptLoad load = arcade::parseCabinetScript(
        "press start\n"                 // 1: no step
        "5 jump\n"                      // 2: unknown command
        "6 press pedal\n"               // 3: unknown switch
        "7 network maybe\n"             // 4
        "8 card 12 345\n"               // 5: short access code
        "9 answer dance yes\n"          // 6: unknown call
        "10 coin\n",                    // 7: good
        "s.txt");
    ASSERT_EQ(load.problems.size(), 6u);
    for (size_t i = 0; i < load.problems.size(); ++i) {
        EXPECT_EQ(load.problems[i].rfind("s.txt:" + std::to_string(i + 1) + ": ", 0), 0u) << load.problems[i];
    }
    ASSERT_EQ(load.actions.size(), 1u);
    EXPECT_EQ(load.actions[0].value, 1);
}

TEST_F(CabinetScriptTest, ScriptFileDrivesSwitchesAndCoins) {
    dir.write("play.txt",
              "0 free-play off\n"
              "2 press start\n"
              "+1 release start\n"
              "3 tap button1 button2 for 2\n"
              "4 coin 2\n");
    arcade::ScriptLoad load = arcade::loadCabinetScript(dir / "play.txt");
    ASSERT_TRUE(load.problems.empty());
    cab->setScript(load.actions);
    _Credit_setCoinInHook(recordHook);

    const uint16_t start = 1 << 6;
    const uint16_t buttons = (1 << 7) | (1 << 8);
    const uint16_t expected[] = {0, 0, start, buttons, buttons, 0};
    for (int step = 0; step < 6; ++step) {
        _Core_execute();
        EXPECT_EQ(switches(), expected[step]) << "step " << step;
        if (step == 3) {
            EXPECT_TRUE(hookEvents.empty());
        }
    }
    EXPECT_EQ(hookEvents, (std::vector<int32_t>{1, 2, 1, 2}));
    EXPECT_FALSE(_Credit_isFreePlay());
    EXPECT_EQ(_Credit_getCredit(), 2);
    EXPECT_EQ(std::wstring(_Credit_toString(-1)), L"2");
    EXPECT_EQ(cab->bookkeeping.coinCount, 2);
}

TEST_F(CabinetScriptTest, EnvironmentNamesTheScriptAndSettings) {
    dir.write("cab.txt", "free_play = off\napp_root = " + dir.str() + "/r\nbogus\n");
    dir.write("s.txt", "1 credits 3\n1 error on\n");
    ScopedEnv env;
    env.set("HALVIR_CABINET_SETTINGS", dir / "cab.txt");
    env.set("HALVIR_CABINET_SCRIPT", dir / "s.txt");
    env.set("HALVIR_CABINET_LOG", dir / "calls.txt");
    testing::internal::CaptureStderr();
    arcade::installCabinet(arcade::cabinetFromEnvironment());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cab.txt:3: expected key = value"), std::string::npos);
    _Core_execute();
    EXPECT_FALSE(_Error_isOccurred());
    _Core_execute();
    EXPECT_TRUE(_Error_isOccurred());
    EXPECT_EQ(_Credit_getCredit(), 3);
    EXPECT_FALSE(_Credit_isFreePlay());

    ApmSequenceResult result;
    _Sequence_endPlay({true, 116, 1}, &result);
    _Core_exitGame(0);
    std::ifstream log(dir / "calls.txt");
    std::stringstream lines;
    lines << log.rdbuf();
    EXPECT_EQ(lines.str(), "1 end-play 1 116 1 -> yes\n1 exit-game 0\n");
}

}  // namespace
