// The looks checks of the sprite content: shots against a stage's
// background, kinds of one family against each other.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tools/content/content_context.h"
#include "tools/content/png_image.h"
#include "tools/content/raster.h"
#include "tools/content/sprite_checks.h"
#include "tools/content/sprite_layout.h"

namespace {

using content::Rgba;

// Two one-cell shot ranges (100 and 110) over a stage whose one tile sheet
// is a flat colour.
constexpr const char* kShots =
    "sheet 10 a.png 64\n"
    "sheet 13 b.png 64\n"
    "group shots 10 8 8 fshot\n"
    "range 100 100 shots\n"
    "range 110 110 shots\n"
    "tiles 1 1 5946 1 1 64 0 0 13\n";

struct Looks {
    content::SpriteContent content;
    content::SpriteLayout layout;
    std::map<int32_t, content::Image> sheets;

    Looks(const std::string& checks, Rgba ground) {
        content = content::readSpriteContent(std::string(kShots) + checks, "s.txt");
        layout = content::layoutSprites(content);
        sheets.emplace(10, content::Image(64, layout.heights[10]));
        sheets.emplace(13, content::Image(64, 64));
        content::Cell all(sheets.at(13), 0, 0, 64, 64);
        for (int32_t y = 0; y < 64; ++y)
            for (int32_t x = 0; x < 64; ++x) all.set(x, y, ground);
    }
    // A disc of the colour, with a dark rim when asked.
    void shot(int32_t id, Rgba colour, bool rim) {
        const content::FrameRow& r = layout.rows[size_t(id)];
        content::Cell cell(sheets.at(10), r[content::kX], r[content::kY], r[content::kW], r[content::kH]);
        if (rim) cell.fill([](content::Point p) { return content::circleDistance(p, {4, 4}, 4); }, {0, 0, 0, 1});
        cell.fill([](content::Point p) { return content::circleDistance(p, {4, 4}, 2.5f); }, colour);
    }
    std::string check() { return content::checkSpriteLooks(content, layout, sheets, "s.txt"); }
};

constexpr Rgba kYellow{1.0f, 0.9f, 0.3f, 1};
constexpr Rgba kOrange{1.0f, 0.75f, 0.2f, 1};

TEST(SpriteLooks, ContrastRatioRunsFromOneToTwentyOne) {
    EXPECT_DOUBLE_EQ(content::contrastRatio(1.0, 0.0), 21.0);
    EXPECT_DOUBLE_EQ(content::contrastRatio(0.3, 0.3), 1.0);
}

TEST(SpriteLooks, AShotLikeItsGroundIsRefusedAndADarkRimMendsIt) {
    Looks weak("contrast shots 3\n", kYellow);
    weak.shot(100, kOrange, true);
    weak.shot(110, kOrange, false);
    try {
        weak.check();
        ADD_FAILURE() << "an orange shot on yellow ground passed";
    } catch (const content::ContentError& e) {
        EXPECT_NE(std::string(e.what()).find("sprite 110 of group shots stands out too little on stage 1"),
                  std::string::npos)
            << e.what();
    }
    Looks rimmed("contrast shots 3\n", kYellow);
    rimmed.shot(100, kOrange, true);
    rimmed.shot(110, kOrange, true);
    EXPECT_NE(rimmed.check().find("contrast shots: weakest"), std::string::npos);
}

TEST(SpriteLooks, TwoRangesOfADistinctGroupMayNotShareAPicture) {
    Looks same("distinct shots\n", kYellow);
    same.shot(100, kOrange, true);
    same.shot(110, kOrange, true);
    EXPECT_THROW(same.check(), content::ContentError);
    Looks other("distinct shots\n", kYellow);
    other.shot(100, kOrange, true);
    other.shot(110, kOrange, false);
    EXPECT_EQ(other.check(), "distinct shots: 2 ranges, each its own picture\n");
}

}  // namespace
