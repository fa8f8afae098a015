// The characters' voice messages: the pick, the rules that hold a message
// back, and speaker 4's lines.
#include "game/objects/voice_message_lines.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

using VoiceMessageTest = FighterFixture;

TEST_F(VoiceMessageTest, FiveLinesNeverRepeatInARowAndAllAreHeard) {
    makeFighter();
    for (int32_t pilot = 0; pilot < 4; ++pilot) {
        SCOPED_TRACE(pilot);
        int32_t last = -1;
        int heard[5] = {};
        for (int i = 0; i < 200; ++i) {
            charVoiceMessage(pilot, 0);
            const int32_t line = voiceMessageState().line;
            ASSERT_GE(line, 0);
            ASSERT_LT(line, 5);
            EXPECT_NE(line, last);
            ++heard[line];
            last = line;
        }
        for (int count : heard) EXPECT_GT(count, 0);
    }
}

TEST_F(VoiceMessageTest, NothingStartsInTheProloguWithTheSettingOffOrNoFighterReady) {
    struct Case {
        const char* name;
        int32_t stage, setting;
        bool ready, starts;
    };
    const Case cases[] = {{"stage 1", 1, 1, true, true},     {"prologue", 0, 1, true, false},
                          {"setting off", 1, 0, true, false}, {"subtitle only", 1, 2, true, true},
                          {"none ready", 1, 1, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        makeFighter();
        if (!c.ready) {
            for (int32_t& gauge : f().teamGauges) gauge = 0;
        }
        stageNumber = c.stage;
        voiceMessageSetting = c.setting;
        voiceMessageReset();
        charVoiceMessage(1, 4);
        EXPECT_EQ(voiceMessageState().speaker, c.starts ? 1 : -1);
        OBJtaskReleaseAll(nullptr);
    }
    voiceMessageSetting = 1;
}

TEST_F(VoiceMessageTest, ARunningEntryOrLossMessageHoldsOffThatPilotsOrdinaryEvents) {
    struct Case {
        int32_t runningEvent, pilot, event;
        bool replaces;
    };
    const Case cases[] = {{1, 0, 5, false}, {3, 0, 9, false}, {14, 0, 6, false}, {1, 0, 2, true},
                          {1, 1, 5, true},  {4, 0, 5, true},  {12, 0, 3, true}};
    makeFighter();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.runningEvent << " then pilot " << c.pilot << " event " << c.event);
        voiceMessageReset();
        charVoiceMessage(0, c.runningEvent);
        charVoiceMessage(c.pilot, c.event);
        const VoiceMessageState& v = voiceMessageState();
        EXPECT_EQ(v.speaker == c.pilot && v.event == c.event, c.replaces);
    }
}

TEST_F(VoiceMessageTest, SpeakerFourPlaysTheLineAskedFor) {
    makeFighter();
    charVoiceMessageSpeaker4(0, 3);
    const VoiceMessageState& v = voiceMessageState();
    EXPECT_EQ(v.speaker, 4);
    EXPECT_EQ(v.event, 0);
    EXPECT_EQ(v.line, 3);
    EXPECT_EQ(v.displayTimer, 180);
    EXPECT_EQ(voiceEventLines(4, 0).voices[3], 916);
    EXPECT_GT(soundLayerState().soundGuard[916], 0) << "the voice was asked for";
    // At random speaker 4 keeps its last line per event too.
    int32_t last = v.line;
    for (int i = 0; i < 50; ++i) {
        charVoiceMessageSpeaker4(0);
        EXPECT_NE(voiceMessageState().line, last);
        last = voiceMessageState().line;
    }
}

TEST_F(VoiceMessageTest, TheMessageClearsWhenItsTimeRunsOut) {
    makeFighter();
    charVoiceMessage(2, 7);
    for (int i = 0; i < 180; ++i) voiceMessageStep();
    EXPECT_EQ(voiceMessageState().speaker, 2);
    voiceMessageStep();
    EXPECT_EQ(voiceMessageState().speaker, -1);
    EXPECT_EQ(voiceMessageState().windowTimer, 0);
}

}  // namespace
