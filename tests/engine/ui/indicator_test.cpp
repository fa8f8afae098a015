// MIndicator on a font of fixed glyph sizes: sizing by its text, drawing at
// its position, and who deletes the font.
#include <gtest/gtest.h>

#include "engine/ui/indicator.h"
#include "tests/engine/ui/fake_font.h"

namespace {

class CountedFont : public FakeFont {
public:
    explicit CountedFont(int& deleted) : deleted_(deleted) {}
    ~CountedFont() override { ++deleted_; }

private:
    int& deleted_;
};

TEST(Indicator, IsMadeHiddenAndSizedByItsText) {
    auto* font = new FakeFont;
    MIndicator indicator(font, 2.0f, 3.0f);
    EXPECT_TRUE(indicator.isHidden());
    EXPECT_EQ(indicator.getSize(), MViewSize{});
    indicator.setText("aW\n\xE3\x81\x8B");
    EXPECT_EQ(indicator.getSize(), (MViewSize{22.0f, 14.0f + 3.0f + 10.0f}));
    indicator.setSize(100.0f, 100.0f);
    EXPECT_EQ(indicator.getSize(), (MViewSize{22.0f, 27.0f}));
    indicator.setText("");
    EXPECT_EQ(indicator.getSize(), MViewSize{});
    EXPECT_TRUE(indicator.getRuns().empty());
}

TEST(Indicator, DrawsAtItsPositionWithItsAlphaAndAlignment) {
    auto* font = new FakeFont;
    font->setColour(0xFFFFFFFF);
    MIndicator indicator(font, 0.0f, 0.0f);
    indicator.setText("ab");
    indicator.setPosition(10.75f, -4.5f);
    indicator.setAlpha(0);
    indicator.draw(0);
    ASSERT_EQ(font->draws.size(), 2u);
    EXPECT_EQ(font->draws[0], (FakeFont::Draw{10.75f, -9.5f, {u"a", 0xFFFFFF00, 1.0f}}));
    EXPECT_EQ(indicator.getRect(), (MRectF{10.75f, -4.5f, 26.75f, 5.5f}));

    font->draws.clear();
    indicator.setIntegerSnap(true);
    indicator.setAlpha(255);
    indicator.setAlignment(2);  // right-aligned in a box of width 0
    indicator.draw(0);
    ASSERT_EQ(font->draws.size(), 2u);
    EXPECT_EQ(font->draws[0], (FakeFont::Draw{10.0f - 16.0f, -9.0f, {u"a", 0xFFFFFFFF, 1.0f}}));
}

TEST(Indicator, DeletesItsFontUnlessBorrowed) {
    int deleted = 0;
    auto* owned = new CountedFont(deleted);
    delete new MIndicator(owned, 0.0f, 0.0f);
    EXPECT_EQ(deleted, 1);

    CountedFont shared(deleted);
    {
        MIndicator first(&shared, 0.0f, 0.0f, MFontOwnership::Borrowed);
        MIndicator second(&shared, 0.0f, 0.0f, MFontOwnership::Borrowed);
    }
    EXPECT_EQ(deleted, 1);
}

}  // namespace
