// The stage format and its rules: the stages as written pass; each rule,
// broken once in a copy of a real stage, stops the generator with its file,
// line and message; kind totals over the stages designed; the module's
// output the same on every run and as the build's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tools/content/content_context.h"
#include "tools/content/content_lines.h"
#include "tools/content/content_modules.h"
#include "tools/content/stage_preview.h"
#include "tools/content/stage_rules.h"
#include "tools/content/stages.h"

namespace {

using content::ContentError;
using content::StageDesign;

std::string stageDesignRead(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct StageDesignFiles {
    std::string scripts, scroll, waves;
    std::string& operator[](const std::string& name) {
        return name == "scripts.txt" ? scripts : name == "scroll.txt" ? scroll : waves;
    }
};

StageDesignFiles stageDesignFiles(int32_t stage) {
    const std::filesystem::path folder = std::filesystem::path(HALVIR_CONTENT_DIR) / content::stageFile(stage, "");
    return {stageDesignRead(folder / "scripts.txt"), stageDesignRead(folder / "scroll.txt"),
            stageDesignRead(folder / "waves.txt")};
}

StageDesign stageDesignCheck(int32_t stage, StageDesignFiles files) {
    StageDesign design = content::parseStage(stage, files.scripts, files.scroll, files.waves);
    content::checkStage(design);
    return design;
}

// The line holding `anchor` (the last written line for an empty anchor).
int32_t stageDesignLineOf(const std::string& text, const std::string& anchor) {
    if (anchor.empty()) return content::contentLines(text).back().number;
    const size_t at = text.find(anchor);
    return at == std::string::npos ? -1 : int32_t(std::count(text.begin(), text.begin() + ptrdiff_t(at), '\n')) + 1;
}

TEST(StageDesign, TheDesignedStagesPassEveryRule) {
    std::vector<StageDesign> designs;
    for (int32_t stage = 0; stage <= 3; ++stage) designs.push_back(stageDesignCheck(stage, stageDesignFiles(stage)));
    EXPECT_NO_THROW(content::checkStages(designs));
    for (const StageDesign& d : designs) EXPECT_EQ(d.rows.size(), size_t(content::kStageRowCounts[d.stage]) + 1);
}

struct BrokenStage {
    int32_t stage;
    const char* file;
    std::string find, replace;
    std::string anchor;  // the line the message names: "~" the replacement's, "" the last
    std::string message;
    const char* messageFile = nullptr;  // when not the broken file
};

TEST(StageDesign, EachBrokenRuleIsRefusedWithItsFileLineAndMessage) {
    const BrokenStage cases[] = {
        // The table.
        {1, "waves.txt", "at top-centre count 3 every 10", "at top-centre count 2 every 10", "",
         "stage 1 has 419 rows before its end row; it must have 420"},
        {1, "waves.txt", "wave pairs 330", "wave pairs 100", "~",
         "waves are in time order: this one starts before the wave above it"},
        {1, "waves.txt", "\nend\n", "\n", "", "the table ends with its end row: write \"end\" last"},
        {1, "waves.txt", "\nend\n", "\nend\nwave late 9000\n", "wave late 9000", "nothing may follow the end row"},
        {1, "waves.txt", "+40 kind 2 script dive", "+40 kind 2 script none", "~",
         "param -1 ends the table: this row needs a script"},
        {0, "waves.txt", "+0 kind 2 script slow-dive at top-centre", "+0 kind 2 script slow-dive at top-centre extra 1 0 0 0",
         "~", "the prologue copies no extras: its rows carry none"},
        // Kinds, params and the ground.
        {1, "waves.txt", "+40 kind 2 script dive", "+40 kind 3 script dive", "~", "kind 3 is not a kind of stage 1"},
        {1, "waves.txt", "+40 kind 2 script dive", "+40 kind 2 script nosuch", "~",
         "no script named \"nosuch\" in this stage"},
        {1, "waves.txt", "kind 20 script tank-creep at 5600", "kind 20 script dive at 5600", "~",
         "ground kind 20 needs a script with op 2 (layer 1 to 4); \"dive\" has none"},
        // Fixed rows, the WARNING, the training start points, stage events.
        {1, "waves.txt", "+0 kind 2 script dive at 9200 -3000", "+0 kind 2 script dive at 9300 -3000", "~",
         "row 0 is the first small air enemy: kind 2, param 0, frame 135 at (9200, -3000); it is kind 2, param 0, "
         "frame 135 at (9300, -3000)"},
        {2, "waves.txt", "+0 kind 134 script warning", "+300 kind 134 script warning", "kind 101",
         "a boss comes after its WARNING row (kind 134)"},
        {2, "waves.txt", "+20 kind 124 script boss-visual", "+20 kind 134 script boss-visual", "",
         "stage 2 has one WARNING row (kind 134); it has 2"},
        {1, "scripts.txt", "0 heading 408\n", "0 heading 600\n", "kind 80 script mboss",
         "mid-boss kind 80 never comes onto the screen: script \"mboss\" must bring it in within 600 frames",
         "waves.txt"},
        {2, "waves.txt", "time mboss 3330", "time mboss 3300", "kind 81",
         "kind 81 at frame 3300 would be lost by a training start at 3319: due no earlier than 3304"},
        {2, "waves.txt", "+0 kind 78 script hidden at 12000 -2400\n\nwave boss",
         "+0 kind 123 script overlay at 12000 -2400\n\nwave boss", "kind 123 script overlay at 12000",
         "kind 123 is due before stage frame 5090: a start past it makes the overlay directly"},
        {2, "waves.txt", "extra 876 0 0 0", "extra 870 0 0 0", "",
         "the kind-24 rows carry extra[0] 442, 876, 1196 in this order"},
        // Movement scripts.
        {1, "scripts.txt", "script 122 hidden", "script 121 hidden", "~",
         "stage 1 has 20 scripts up to index 121; it must have 20 up to index 122"},
        {1, "scripts.txt", "50 heading 576", "50 ramp heading 448 508 step 2 every 1", "script 6 zig",
         "script \"zig\" has 37 rows; at most 25"},
        {1, "scripts.txt", "50 heading 576", "50 op 11 0", "~", "op 11 is not a movement op (0 to 10)"},
        {1, "scripts.txt", "50 heading 576", "50 op 10 2", "~", "an op-10 row carries a = 1"},
        {1, "scripts.txt", "50 heading 576", "50 op 0", "~", "an op-0 row ends a script, and only there"},
        {1, "scripts.txt", "100 heading 448", "10 heading 448", "~", "a script's rows are in ascending frame order"},
        {1, "waves.txt", "kind 134 script warning", "kind 134 script boss", "script 120 warning",
         "no row uses script \"warning\"", "scripts.txt"},
        {1, "scripts.txt", "0 speed 300", "0 speed 310", "script 0 dive",
         "script 0 of stage 1 is the common small-enemy start: its rows must be exactly the given ones"},
        {1, "scripts.txt", "150 ramp heading 400 640 step 40 every 5", "150 ramp heading 400 640 step 40 every 6",
         "script 20 tank-follow", "script 20 of stage 1 is the layer follower: its rows must be exactly the given ones"},
        {2, "scripts.txt", "1930 leave", "1900 leave", "script 130 overlay",
         "script 130 of stage 2 is the overlay's script: its rows must be exactly the given ones"},
        {3, "scripts.txt", "2920 speed 150", "2900 speed 150", "script 102 mboss",
         "script 102 of stage 3 is the mid-boss's crawl: given rows are missing"},
        {3, "waves.txt", "+0 kind 82 script mboss at 18900 -16800", "+0 kind 82 script mboss at 18900 -16000", "~",
         "row 205 is the mid-boss: kind 82, param 102, frame 3932 at (18900, -16800); it is kind 82, param 102, frame "
         "3932 at (18900, -16000)"},
        {3, "waves.txt", "spawner-right at 2200 -2800 extra 6 0 0 0", "spawner-right at 2200 -2800 extra 5 0 0 0", "~",
         "row 85 is spawner 140 with six children: kind 140, param 4, frame 1196 at (2200, -2800) extra[0] 6; it is "
         "kind 140, param 4, frame 1196 at (2200, -2800) extra[0] 5"},
        {3, "waves.txt", "wave overlay 418", "wave overlay 419", "", "no row is the stage overlay: kind 123, param 131, "
         "frame 418 at (19300, 25800)"},
        // Scroll scripts.
        {1, "scroll.txt", "0 speed 1600", "0 op 12 0", "~", "op 12 is not a scroll op (0 to 11)"},
        {1, "scroll.txt", "1000 kill 3", "1000 op 0", "~", "an op-0 row of frame 0 ends a layer script, and only there"},
        {1, "scroll.txt", "5750 ramp", "250 ramp", "~", "a row due before the row above it is never reached"},
        {1, "scroll.txt", "1000 kill 3", "1000 kill 4", "~", "op 5 kills layer index 0 to 3"},
        {1, "scroll.txt", "0 wrap-y-above 0 0 288", "0 wrap-y-above 0 0 200", "~",
         "this wrap does not loop the picture: it jumps down by a whole 288 pixels (or a multiple), away from its "
         "limit, and not the other way"},
        {0, "scroll.txt", "0 wrap-y-below 288 0 -288", "0 wrap-y-below 288 0 288", "~",
         "this wrap does not loop the picture: it jumps down by a whole 288 pixels (or a multiple), away from its "
         "limit, and not the other way"},
        {1, "scroll.txt", "0 speed 1600", "0 speed 1500", "layer 4",
         "layer 4 of stage 1 runs fast and ends at 1000: given rows are missing"},
        {1, "scroll.txt", "0 speed 150\n", "0 speed 140\n", "layer 1",
         "layer 1 of stage 1 the stage-1 scroll: its rows must be exactly the given ones"},
        {0, "scroll.txt", "0 heading 256", "0 heading 128", "layer 1",
         "layer 1 of stage 0 removes itself at frame 0: its rows must be exactly the given ones"},
        {2, "scroll.txt", "4800 ramp heading 916 0", "4800 ramp heading 916 4", "layer 1",
         "layer 1 of stage 2 the heading sweep: given rows are missing"},
        // The format itself.
        {1, "scripts.txt", "0 speed 300", "0 sped 300", "~", "unknown op \"sped\""},
        {1, "scripts.txt", "0 heading 512\nend\n", "0 heading 512\n", "script 1 hunt", "the script above has no \"end\""},
        {1, "waves.txt", "at top-centre count 3", "at top-middle count 3", "~", "no place named \"top-middle\""},
        {1, "waves.txt", "wave first-contact start", "wave first-contact begin", "~", "no time named \"begin\""},
        {1, "waves.txt", "+40 kind 2 script dive", "+40 kind 2 script dive speed 3", "~",
         "unknown word \"speed\" (kind, script, at, count, step, extra)"},
        {1, "scroll.txt", "layer 2 as 1", "layer 2 as 4", "~", "\"layer N as M\" copies a layer written above"},
    };
    for (const BrokenStage& c : cases) {
        StageDesignFiles files = stageDesignFiles(c.stage);
        std::string& text = files[c.file];
        const size_t at = text.find(c.find);
        ASSERT_NE(at, std::string::npos) << c.find;
        text.replace(at, c.find.size(), c.replace);
        const char* messageFile = c.messageFile ? c.messageFile : c.file;
        const int32_t line = stageDesignLineOf(files[messageFile], c.anchor == "~" ? c.replace : c.anchor);
        const std::string want = content::stageFile(c.stage, messageFile) + ":" + std::to_string(line) + ": " + c.message;
        try {
            stageDesignCheck(c.stage, files);
            ADD_FAILURE() << "accepted: " << want;
        } catch (const ContentError& e) {
            EXPECT_EQ(e.what(), want);
        }
    }
}

// Stages of the given kind counts alone, enough for the totals' rule.
StageDesign stageDesignOfKinds(int32_t stage, std::vector<std::pair<int32_t, int32_t>> kinds) {
    StageDesign d;
    d.stage = stage;
    d.lastLine = 9;
    for (const auto& [kind, rows] : kinds) {
        for (int32_t i = 0; i < rows; ++i) d.rows.push_back({{kind, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 0});
    }
    d.rows.push_back({{0, -1, content::kEndRowFrame, 0, 0, 0, 0, 0, 0}, 9, -1});
    return d;
}

TEST(StageDesign, KindTotalsAreCheckedWholeOnceEveryStageIsDesigned) {
    auto six = [](int32_t lastKind2) {
        std::vector<StageDesign> d;
        for (int32_t s = 0; s < 6; ++s) {
            std::vector<std::pair<int32_t, int32_t>> kinds = {{2, s == 5 ? lastKind2 : 400}};
            if (s >= 1) kinds.insert(kinds.end(), {{78, 10}, {79, 1}, {20, s == 1 ? 147 : 100}});
            if (s >= 2) kinds.push_back({1, s == 2 ? 11 : 20});
            if (s == 3) kinds.insert(kinds.end(), {{62, 1}, {82, 1}, {14, 20}});
            if (s >= 4) kinds.push_back({0, 59});
            if (s == 5) kinds.insert(kinds.end(), {{11, 15}, {14, 30}, {85, 1}, {127, 4}});
            d.push_back(stageDesignOfKinds(s, kinds));
        }
        return d;
    };
    EXPECT_NO_THROW(content::checkStages(six(76)));
    try {
        content::checkStages(six(75));
        ADD_FAILURE();
    } catch (const ContentError& e) {
        EXPECT_STREQ(e.what(), "stages/stage5/waves.txt:9: kind 2 has 2076 rows over its stages; up to stage 5 there are 2075");
    }
    // Stages 0 to 2 alone: kind 2 may stay below its total, not pass it.
    std::vector<StageDesign> first = six(76);
    first.resize(3);
    EXPECT_NO_THROW(content::checkStages(first));
    first[2] = stageDesignOfKinds(2, {{2, 1300}, {78, 10}, {79, 1}});
    try {
        content::checkStages(first);
        ADD_FAILURE();
    } catch (const ContentError& e) {
        EXPECT_STREQ(e.what(), "stages/stage2/waves.txt:9: kind 2 has 2076 rows over its stages; up to stage 2 there are 2100");
    }
    first[2] = stageDesignOfKinds(2, {{2, 10}, {78, 9}, {79, 1}});
    try {
        content::checkStages(first);
        ADD_FAILURE();
    } catch (const ContentError& e) {
        EXPECT_STREQ(e.what(), "stages/stage2/waves.txt:9: stage 2 has 9 rows of kind 78; it must have 10");
    }
}

TEST(StageDesign, ARampTakesItsStepsAndTheShortWayRound) {
    const std::string text =
        "script 0 a\n0 ramp speed 140 50 step 10 every 20\nend\n"
        "script 1 b\n0 ramp heading 1004 896 step 20 every 10\n10 ramp heading 916 0 step 20 every 1\nend\n"
        "script 2 c mirror b\n";
    const auto scripts = content::parseMoveScripts(text, "s.txt");
    ASSERT_EQ(scripts.size(), 3u);
    ASSERT_EQ(scripts[0].rows.size(), 11u);
    EXPECT_EQ(scripts[0].rows[9], (content::ScriptRow{7, 180, 50, 0, 0, 0}));
    std::vector<int32_t> headings;
    for (const auto& row : scripts[1].rows) headings.push_back(row[content::kA]);
    EXPECT_EQ(headings, (std::vector<int32_t>{1004, 984, 964, 944, 924, 904, 896, 916, 936, 956, 976, 996, 1016, 0, 0}));
    EXPECT_EQ(scripts[2].rows[0][content::kA], 20);  // 1004 mirrored
    EXPECT_EQ(scripts[1].rows.back(), (content::ScriptRow{0, 16, 0, 0, 0, 0}));  // the end keeps the last frame
}

TEST(StageDesign, WavesExpandRepeatsCountsAndStepsInFrameOrder) {
    StageDesign d;
    d.scripts = content::parseMoveScripts("script 3 s\n0 speed 1\nend\n", "s.txt");
    content::parseWaves(
        "place p 100 -200\ntime t 50\n"
        "wave a t repeat 2 every 30\n+0 kind 2 script s at p count 2 every 4 step 10 0\n"
        "wave b t+1\n+0 kind 40 script s at 5 6 extra 1 2 3 4\nend\n",
        "w.txt", d);
    ASSERT_EQ(d.rows.size(), 6u);
    const int32_t frames[] = {50, 51, 54, 80, 84, content::kEndRowFrame};
    for (size_t i = 0; i < d.rows.size(); ++i) EXPECT_EQ(d.rows[i].words[content::kRowFrame], frames[i]) << i;
    EXPECT_EQ(d.rows[1].words, (content::SpawnWords{40, 3, 51, 5, 6, 1, 2, 3, 4}));
    EXPECT_EQ(d.rows[2].words, (content::SpawnWords{2, 3, 54, 110, -200, 0, 0, 0, 0}));
    EXPECT_EQ(d.rows.back().words, (content::SpawnWords{0, -1, content::kEndRowFrame, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(d.waves.size(), 2u);
}

std::string stageDesignRun(const TempDir& out) {
    content::ContentContext context({HALVIR_CONTENT_DIR, out / "resource", out / "generated", out / "preview"});
    content::makeStages(context);
    std::string bytes;
    for (const char* file : {"generated/stage_tables.cpp", "preview/stages/stage0.png", "preview/stages/stage1.png",
                             "preview/stages/stage2.png", "preview/stages/stage1.txt"}) {
        bytes += stageDesignRead(std::filesystem::path(out.str()) / file) + "|";
    }
    return bytes;
}

TEST(StageDesign, TwoRunsGiveTheSameBytesAsTheBuild) {
    TempDir first, second;
    const std::string a = stageDesignRun(first), b = stageDesignRun(second);
    EXPECT_GT(a.size(), 10000u);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(stageDesignRead(std::filesystem::path(first.str()) / "generated/stage_tables.cpp"),
              stageDesignRead(std::filesystem::path(HALVIR_GENERATED_DIR) / "stage_tables.cpp"));
}

TEST(StageDesign, TheSummaryTellsRowsAKindWavesAndTheDensestSecond) {
    const StageDesign d = stageDesignCheck(1, stageDesignFiles(1));
    const std::string summary = content::stageSummary(d);
    EXPECT_NE(summary.find("stage 1: 420 rows and the end row"), std::string::npos) << summary;
    EXPECT_NE(summary.find("  kind 78: 10\n"), std::string::npos);
    const content::DensestSecond densest = content::densestSecond(d);
    EXPECT_NE(summary.find("densest second: " + std::to_string(densest.rows) + " rows due in frames " +
                           std::to_string(densest.frame)),
              std::string::npos);
}

}  // namespace
