// Stage replay files: recording, the file's bytes, loading and playback,
// growth, and the files the loader refuses.
#include <bit>
#include <limits>

#include "tests/game/core/replay_fixture.h"

namespace {

struct Frame {
    uint32_t held, pressed, drawn;
};

TEST_F(ReplayTest, ARecordedStageSavesAndPlaysBack) {
    clock.setMilliseconds(987654);
    setGameMode(1);
    setLeaderType(2);
    setAutoGameSystem(1);
    setDramaticMode(1);
    settings.BG_BRIGHTNESS = 7;
    settings.reserved[37] = -5;
    startRecording(3);
    EXPECT_EQ(replayHeader.seed, 987654u);
    EXPECT_EQ(gameRandState(), 987654u);
    ASSERT_EQ(replayInputWords().size(), kReplayStartCapacity);

    const Frame frames[] = {{0x8000 | 0x1F5, 0x30, 42}, {0x02, 0x00, 0}, {0xFF, 0xC0, 99}};
    for (const Frame& frame : frames) replayRecordFrame(frame.held, frame.pressed, frame.drawn);
    replaySave(replayStagePath());

    const std::string path = folder.path("root/replay/temp/rep_st03.dat");
    ASSERT_EQ(replayStagePath(), path);
    const std::string bytes = WorkingFolder::read(path);
    // The whole capacity is written, not only the frames played.
    ASSERT_EQ(bytes.size(), 1107640u);
    EXPECT_EQ(wordAt(bytes, 0), 987654u);
    EXPECT_EQ(wordAt(bytes, 4), 3u);
    EXPECT_EQ(wordAt(bytes, 8), 1u);  // the game mode
    EXPECT_EQ(wordAt(bytes, 12), 2u);
    EXPECT_EQ(wordAt(bytes, 16), 1u);
    EXPECT_EQ(wordAt(bytes, 20), 1u);
    EXPECT_EQ(wordAt(bytes, 24 + 4 * 17), 7u);  // BG_BRIGHTNESS
    EXPECT_EQ(wordAt(bytes, 24 + 4 * 100), uint32_t(-5));
    EXPECT_EQ(wordAt(bytes, 27624), 270000u);
    EXPECT_EQ(wordAt(bytes, 27632), 0u);
    const uint32_t expected[] = {0x05, 0xF0, 0x30, 42, kReplayMarker, 0x02, 0, 0, 0, kReplayMarker,
                                 0x0F, 0xF0, 0xC0, 99, kReplayMarker, kReplayMarker, kReplayMarker,
                                 kReplayMarker, kReplayMarker, 0};
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(wordAt(bytes, 27640 + 4 * i), expected[i]) << i;

    resetWords();
    ASSERT_TRUE(replayLoad(path));
    EXPECT_EQ(replayHeader.seed, 987654u);
    EXPECT_EQ(replayHeader.startStage, 3);
    EXPECT_EQ(replayHeader.settings.BG_BRIGHTNESS, 7);
    EXPECT_EQ(replayInputWords().size(), kReplayStartCapacity);
    replayIoMode = 2;
    replaySetFighterTypeHook = [](int32_t type) { selectedLeaderType = type + 100; };
    GameSettings active{};
    replayStageStart(replayHeader.startStage, active);
    EXPECT_EQ(gameRandState(), 987654u);
    EXPECT_EQ(gameMode, 1);
    EXPECT_EQ(autoGameSystem, 1);
    EXPECT_EQ(dramaticMode, 1);
    EXPECT_EQ(selectedLeaderType, 102);  // the hook ran after the leader was set
    EXPECT_EQ(active.reserved[37], -5);

    ReplayFrameInput input{};
    ASSERT_TRUE(replayPlayFrame(input));
    EXPECT_EQ(input.directions, 0x05u);
    EXPECT_EQ(input.buttons, 0xF0u);
    EXPECT_EQ(input.pressed, 0x30u);
    ASSERT_TRUE(replayPlayFrame(input));
    ASSERT_TRUE(replayPlayFrame(input));
    EXPECT_EQ(input.pressed, 0xC0u);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(replayPlayFrame(input));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "info : replay data bottom. play stop.\n");
    EXPECT_EQ(replayIoMode, 0);
    EXPECT_FALSE(replayPlayFrame(input));
}

TEST_F(ReplayTest, OutsidePlayOnlyTheDrawnValueIsRecorded) {
    startRecording(1);
    gamePhase = 4;
    replayRecordFrame(0xFF, 0xF0, 17);
    const uint32_t frame[] = {0, 0, 0, 17, kReplayMarker};
    for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(replayInputWords()[i], frame[i]);
    EXPECT_EQ(replayInputIndex, 5u);
}

TEST_F(ReplayTest, AScoreAttackStageRecordsItsStageAsTheCategory) {
    menuResultCode = 2;
    setGameMode(0);
    startRecording(4);
    EXPECT_EQ(replayHeader.category, 7);
    replayIoMode = 2;
    replayStageStart(4, settings);
    EXPECT_EQ(gameMode, 2);
}

TEST_F(ReplayTest, TheArrayDoublesBeforeAFrameAndItsMarkerWouldNotFit) {
    startRecording(1);
    // 53999 frames and the marker fit in 270000 words; the next frame doubles.
    for (int i = 0; i < 53999; ++i) replayRecordFrame(0, 0, 0);
    EXPECT_EQ(replayInputWords().size(), 270000u);
    replayRecordFrame(0x01, 0, 5);
    EXPECT_EQ(replayInputWords().size(), 540000u);
    EXPECT_EQ(replayHeader.capacity, 540000u);
    EXPECT_EQ(replayInputWords()[269995], 0x01u);
    EXPECT_EQ(replayInputIndex, 270000u);
    EXPECT_EQ(replayIoMode, 1);
    replaySave(replayStagePath());
    EXPECT_EQ(std::filesystem::file_size(replayStagePath()), 27640u + 4u * 540000u);
}

TEST_F(ReplayTest, ARecorderThatCannotGrowStopsAndSavesTheWordsItHas) {
    replayCapacityLimit = kReplayStartCapacity;
    startRecording(2);
    for (int i = 0; i < 53999; ++i) replayRecordFrame(0x04, 0, 1);
    testing::internal::CaptureStdout();
    replayRecordFrame(0x08, 0, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "error : replay memory not enough!(540000 , 269995)\n");
    EXPECT_EQ(replayIoMode, 0);
    EXPECT_EQ(replayInputWords().size(), 270000u);
    replaySave(replayStagePath());
    const std::string bytes = WorkingFolder::read(replayStagePath());
    ASSERT_EQ(bytes.size(), 1107640u);
    EXPECT_EQ(wordAt(bytes, 27624), 270000u);
    EXPECT_EQ(wordAt(bytes, 27640 + 4 * 269990), 0x04u);
    for (size_t i = 269995; i < 270000; ++i) EXPECT_EQ(wordAt(bytes, 27640 + 4 * i), i < 269999 ? kReplayMarker : 0u);
}

TEST_F(ReplayTest, PlaybackEndsAtTheEndOfTheArray) {
    struct Case {
        uint32_t capacity;
        int frames;  // played before the end
    };
    for (const Case c : {Case{10, 2}, Case{12, 2}, Case{4, 0}, Case{0, 0}}) {
        std::vector<uint32_t> words(c.capacity, 0x01);
        ReplayHeader header;
        header.capacity = c.capacity;
        folder.dir().write("end.dat", stageFile(header, words));
        ASSERT_TRUE(replayLoad(folder.path("end.dat"))) << c.capacity;
        replayIoMode = 2;
        replayInputIndex = 0;
        ReplayFrameInput input{};
        testing::internal::CaptureStdout();
        int played = 0;
        while (replayPlayFrame(input)) ++played;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "info : replay data bottom. play over.\n") << c.capacity;
        EXPECT_EQ(played, c.frames) << c.capacity;
        EXPECT_EQ(replayIoMode, 0);
    }
}

TEST_F(ReplayTest, ALoadRefusesFilesThatAreNotWholeStageFiles) {
    ReplayHeader header;
    header.capacity = 20;
    const std::string good = stageFile(header, std::vector<uint32_t>(20, 3));
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string huge = good;
    putWordAt(huge, 27624, 0xFFFFFFFFu);
    std::string wraps = good;
    putWordAt(wraps, 27624, 0x40000000u + 20);  // 4 x N wraps to the file's own size in 32 bits
    std::string stage = good;
    putWordAt(stage, 4, 9);
    std::string category = good;
    putWordAt(category, 8, uint32_t(-1));
    const Case cases[] = {
        {"short", good.substr(0, good.size() - 4)},
        {"overflowing", good + std::string(4, '\0')},
        {"header only", good.substr(0, 27640)},
        {"part of a header", good.substr(0, 100)},
        {"empty", ""},
        {"huge capacity", huge},
        {"wrapping capacity", wraps},
        {"stage out of range", stage},
        {"category out of range", category},
    };
    for (const Case& c : cases) {
        folder.clearLog();
        replayInputAdopt(std::vector<uint32_t>(8, 1));
        folder.dir().write("bad.dat", c.bytes);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(replayLoad(folder.path("bad.dat"))) << c.name;
        testing::internal::GetCapturedStdout();
        EXPECT_TRUE(replayInputWords().empty()) << c.name;
        const auto lines = folder.logLines();
        ASSERT_EQ(lines.size(), 1u) << c.name;
        EXPECT_EQ(lines[0].rfind("replay load fail : ", 0), 0u) << lines[0];
    }
    folder.dir().write("good.dat", good);
    EXPECT_TRUE(replayLoad(folder.path("good.dat")));
}

TEST_F(ReplayTest, AMissingFileIsAFailedLoad) {
    replayInputAdopt(std::vector<uint32_t>(8, 1));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(replayLoad(folder.path("none.dat")));
    const std::string expected = "replay load fail : file not found (" + folder.path("none.dat") + ").";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected + "\n");
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{expected});
    EXPECT_TRUE(replayInputWords().empty());
}

TEST_F(ReplayTest, AWorkFieldOutOfRangeRefusesTheFile) {
    struct Case {
        const char* name;
        size_t offset;  // in the fighter's image
        uint32_t value;
        bool loads;
    };
    const uint32_t nan = std::bit_cast<uint32_t>(std::numeric_limits<float>::quiet_NaN());
    const uint32_t infinity = std::bit_cast<uint32_t>(std::numeric_limits<float>::infinity());
    const Case cases[] = {
        {"flip 2", 80, 2, true},
        {"flip 3", 80, 3, false},
        {"flip -1", 80, uint32_t(-1), false},
        {"x NaN", 8, nan, false},
        {"y infinite", 12, infinity, false},
        {"depth far off", 16, std::bit_cast<uint32_t>(3.0e9f), false},
        {"angle in range", 72, std::bit_cast<uint32_t>(-6.5f), true},
        {"age negative", 100, uint32_t(-1), false},
        {"visible 1, rotate 0, the flags 1", 108, 0x01010100u, true},
        {"visible 2", 108, 0x02000000u, false},
        {"rotate 2", 108, 0x00000002u, false},
        {"family word", 140 + 4 * 63, 0x80000000u, true},
    };
    for (const Case& c : cases) {
        ReplayHeader header;
        header.capacity = 5;
        for (int which = 0; which < kReplayWorkImages; ++which) {
            std::string bytes = stageFile(header, {0, 0, 0, 0, kReplayMarker});
            putWordAt(bytes, 432 + 2472 * size_t(which) + c.offset, c.value);
            folder.dir().write("work.dat", bytes);
            testing::internal::CaptureStdout();
            EXPECT_EQ(replayLoad(folder.path("work.dat")), c.loads) << c.name << " in image " << which;
            testing::internal::GetCapturedStdout();
        }
    }
}

TEST_F(ReplayTest, NothingIsSavedOutsideARecordedPlay) {
    struct Case {
        const char* name;
        bool arcade;
        int32_t phase;
        uint8_t recorded;
        bool recording;
    };
    const Case cases[] = {
        {"arcade mode", true, 3, 1, true},
        {"not playing", false, 4, 1, true},
        {"not recorded", false, 3, 0, true},
        {"no input array", false, 3, 1, false},
    };
    for (const Case& c : cases) {
        resetWords();
        startRecording(2);
        replayRecordFrame(1, 0, 0);
        if (!c.recording) replayInputFree();
        arcadeMode = c.arcade;
        gamePhase = c.phase;
        playIsRecorded = c.recorded;
        replaySave(replayStagePath());
        EXPECT_FALSE(std::filesystem::exists(replayStagePath())) << c.name;
        arcadeMode = false;
    }
    replaySave("");
    EXPECT_TRUE(std::filesystem::is_empty(replayTempFolder));
}

}  // namespace
