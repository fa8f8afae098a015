// The common dialogs driven frame by frame through an input hub of our own,
// on a display over the recording device.
#include "engine/ui/common_dialogs.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/ui/dialog_factory.h"
#include "engine/ui/embed_font.h"
#include "engine/ui/menu.h"
#include "tests/engine/ui/recording_display_fixture.h"

namespace {

// Hands out a record the test keeps, as the hub dies with its menu.
class FakeHub final : public MInputHub {
public:
    explicit FakeHub(MInput& input) : input_(input) {}
    uint32_t getInputCount() const override { return 1; }
    MInput* getInput(uint32_t) override { return &input_; }
    bool hasInput(uint32_t) const override { return true; }
    void vsyncHook() override {}

private:
    MInput& input_;
};

class CommonDialogsTest : public RecordingDisplayTest {
protected:
    void start(MProcess* made) {
        dialog.reset(made);
        input.buttons = input.previousButtons = 0;
        if (auto* buttons = dynamic_cast<MCommonButtonDialog*>(made)) buttons->setInputHub(new FakeHub(input));
        frame(0);
        frame(0);
    }
    // One frame in which exactly `buttons` are newly held.
    void frame(uint32_t buttons) {
        input.previousButtons = input.buttons;
        input.buttons = buttons;
        runTask(dialog.get());
        input.previousButtons = input.buttons;
        input.buttons = 0;
    }
    bool finished() const { return dialog->getState() == MTask::kFinished; }

    MCommonDialogFactory factory;
    MInput input;
    std::unique_ptr<MProcess> dialog;
};

TEST_F(CommonDialogsTest, YesNoAnswersByDecisionAndByTheNoShortcut) {
    struct Case {
        int32_t initial;
        uint32_t move;    // 0: none
        uint32_t answer;  // the buttons that answer
        int32_t expected;
    };
    const Case cases[] = {
        {1, 0, MMenu::kDecideBit, 1},                 // yes selected first
        {0, 0, MMenu::kDecideBit, 0},                 // no selected first
        {1, 0, 0x2, 0},                               // input bit 1 answers no at once
        {7, MMenu::kRightBit, MMenu::kDecideBit, 0},  // none selected: right of the centre is no
        {7, MMenu::kLeftBit, MMenu::kDecideBit, 1},
        {7, 0, MMenu::kDecideBit, 7},                 // none selected: nothing decided
    };
    for (const Case& c : cases) {
        int32_t result = c.initial;
        start(factory.createYesNoDialog("Save the replay?", "YES", "NO", &result));
        if (c.move) frame(c.move);
        frame(c.answer);
        EXPECT_EQ(result, c.expected) << c.initial << " " << c.move;
        EXPECT_EQ(finished(), c.expected != 7) << c.initial << " " << c.move;
    }
}

TEST_F(CommonDialogsTest, ChoiceStartsAtTheGivenEntryAndAnswersItsIndex) {
    int32_t result = 1;
    start(factory.createChoiceDialog("Pick one", {"FIRST", "SECOND", "THIRD"}, &result));
    frame(MMenu::kDownBit);
    frame(MMenu::kDecideBit);
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(finished());

    result = -1;  // out of range: nothing selected, decide does nothing
    start(factory.createChoiceDialog("Pick one", {"FIRST", "SECOND"}, &result));
    frame(MMenu::kDecideBit);
    EXPECT_FALSE(finished());
    frame(MMenu::kUpBit);  // nothing above the centre: the nearest entry
    frame(MMenu::kDecideBit);
    EXPECT_EQ(result, 0);
}

TEST_F(CommonDialogsTest, AChoiceWithoutLabelsCannotBeDecided) {
    int32_t result = 0;
    start(factory.createChoiceDialog("Nothing to choose", {}, &result));
    for (uint32_t buttons : {MMenu::kDecideBit, MMenu::kDownBit, MMenu::kDecideBit}) frame(buttons);
    EXPECT_FALSE(finished());
    EXPECT_EQ(result, 0);
}

TEST_F(CommonDialogsTest, NoticeEndsWhenItsButtonIsDecided) {
    start(factory.createNoticeDialog("Card read error", "OK"));
    frame(0);
    EXPECT_FALSE(finished());
    frame(MMenu::kDecideBit);
    EXPECT_TRUE(finished());
}

TEST_F(CommonDialogsTest, SignalWaitEndsInTheFrameItFindsItsFlagSet) {
    uint8_t signal = 0;
    start(factory.createSignalWaitDialog("Please wait", &signal));
    frame(0);
    EXPECT_FALSE(finished());
    signal = 1;
    frame(0);
    EXPECT_TRUE(finished());
}

TEST_F(CommonDialogsTest, AMessageWiderThanTheScreenIsScaledToFitIt) {
    const std::string text(200, 'W');
    MEmbedFont measure(1.0f);
    const float width = measure.textSize(text, 0.0f, 4.0f).width;
    ASSERT_GT(width, 1920.0f - 40.0f);
    MCommonMsg message(text, 1.0f);
    EXPECT_FLOAT_EQ(message.getIndicator()->getFont()->getScale(), (1920.0f - 40.0f) / width);
    EXPECT_NEAR(message.getSize().width, 1920.0f, 0.5f);

    MCommonMsg small("OK", 1.0f);
    EXPECT_FLOAT_EQ(small.getIndicator()->getFont()->getScale(), 1.0f);
    small.setPosition(-10.0f, 5.0f);
    EXPECT_EQ(small.getIndicator()->getPosition(), (MViewPoint{10.0f, 25.0f}));
    EXPECT_EQ(small.getFrame()->getPosition(), (MViewPoint{-10.0f, 5.0f}));
}

}  // namespace
