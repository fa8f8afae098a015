#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/ui/embed_font.h"
#include "engine/ui/indicator.h"
#include "game/core/game_task.h"

namespace {

// A root task whose font 0 has its lines (over a font of our own); fonts 1
// and 2 have not loaded.
class TextLinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (MIndicator*& line : task.lines[0]) {
            owned.push_back(std::make_unique<MIndicator>(&font, 0.0f, 0.0f, MFontOwnership::Borrowed));
            line = owned.back().get();
            line->hide();
        }
    }
    void TearDown() override { task.lines[0] = {}; }

    void print(int font, int times) {
        for (int i = 0; i < times; ++i) task.printTextLine(font, "SCORE", 10, 20, 1, 2, 3, 0.5f, 0);
    }
    int shown(int font) {
        int count = 0;
        for (MIndicator* line : task.lines[font]) count += line && !line->isHidden() ? 1 : 0;
        return count;
    }

    MEmbedFont font{16.0f};
    std::vector<std::unique_ptr<MIndicator>> owned;
    GameTask task;
};

TEST_F(TextLinesTest, The65thPrintOfAFontIsDroppedAndOtherFontsCountOnTheirOwn) {
    print(0, GameTask::kTextLines + 1);
    print(1, 3);
    EXPECT_EQ(task.lineCount[0], GameTask::kTextLines);
    EXPECT_EQ(task.lineCount[1], 3);  // not loaded: counted, nothing shown
    EXPECT_EQ(shown(0), GameTask::kTextLines);
    EXPECT_EQ(shown(1), 0);
    EXPECT_EQ(task.lines[0][0]->getAlpha(), 127);
    EXPECT_EQ(task.lines[0][0]->getPosition().x, 10.0f);
}

TEST_F(TextLinesTest, AShorterFrameHidesTheLinesItDidNotPrint) {
    print(0, 5);
    task.resetTextLines();
    EXPECT_EQ(shown(0), 5);
    print(0, 2);
    task.resetTextLines();
    EXPECT_EQ(shown(0), 2);
    EXPECT_TRUE(task.lines[0][2]->isHidden());
    EXPECT_EQ(task.lineCount[0], 0);
}

}  // namespace
