// The fighter's replay words and its stage snapshot.
#include <vector>

#include "game/core/replay_header.h"
#include "tests/game/objects/fighter_fixture.h"

namespace {

struct TraceStep {
    float x, y;
    int32_t weaponMode, fireCount, energy;
    bool operator==(const TraceStep&) const = default;
};

class FighterReplayTest : public FighterFixture {
protected:
    // A play of directions and buttons of our own choosing, traced frame by frame.
    std::vector<TraceStep> playScripted(bool live) {
        std::vector<TraceStep> trace;
        uint32_t state = 99;
        for (int i = 0; i < 600; ++i) {
            state = state * 1664525u + 1013904223u;
            const uint32_t held = live ? (state >> 24) & 0x3F : 0xFF;
            frame(held);
            trace.push_back({work()->x, work()->y, f().weaponMode, f().fireCount, f().energy});
        }
        return trace;
    }
};

TEST_F(FighterReplayTest, APlaybackGivesTheRecordedTrace) {
    replayIoMode = 1;
    replayInputAdopt(std::vector<uint32_t>(kReplayStartCapacity, 0));
    replayInputIndex = 0;
    makeFighter();
    fighterSetEnergy(5000);
    fighterStageSnapshot(false);
    fighterSetControl(1);
    fighterSetWeaponsOn(1);
    const std::vector<TraceStep> recorded = playScripted(true);
    EXPECT_EQ(replayInputIndex, 5u * (10 + 600));
    std::vector<uint32_t> words = replayInputWords();
    EXPECT_EQ(words[replayInputIndex - 1], kReplayMarker) << "the last frame's fifth word marks the end";
    // As a stage file keeps it: the frames, then end markers.
    words.resize(replayInputIndex);
    words.insert(words.end(), kReplayEndMarkerWords, kReplayMarker);
    OBJtaskReleaseAll(nullptr);

    gameRandSeed(1234);
    replayIoMode = 2;
    replayInputAdopt(words);
    replayInputIndex = 0;
    makeFighter();
    fighterStageSnapshot(false);
    fighterSetControl(1);
    fighterSetWeaponsOn(1);
    // Nobody at the controls: the pads hold everything, which the playback ignores.
    const std::vector<TraceStep> played = playScripted(false);
    EXPECT_EQ(replayIoMode, 2);
    ASSERT_EQ(played.size(), recorded.size());
    for (size_t i = 0; i < played.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "frame " << i;
    frame(0);
    EXPECT_EQ(replayIoMode, 0) << "the end marker stops the playback";
}

TEST_F(FighterReplayTest, AFrameWithNoFighterReadyStillRecordsItsWords) {
    replayIoMode = 1;
    replayInputAdopt(std::vector<uint32_t>(100, 0));
    replayInputIndex = 0;
    makeFighter();
    for (int32_t& gauge : f().teamGauges) gauge = 0;
    const uint32_t before = replayInputIndex;
    frames(3, 0x12);
    EXPECT_EQ(task->state, kFighterStateWaitingReady);
    EXPECT_EQ(replayInputIndex, before + 15);
    EXPECT_EQ(replayInputWords()[before + 10], 2u);
    EXPECT_EQ(replayInputWords()[before + 11], 0x10u);
}

TEST_F(FighterReplayTest, AnInputThatBeginsWithTheEndMarkerStopsAtOnceAndLeavesTheLiveInput) {
    makeFighter();
    replayIoMode = 2;
    replayInputAdopt(std::vector<uint32_t>(20, kReplayMarker));
    replayInputIndex = 0;
    frame(8);
    EXPECT_EQ(replayIoMode, 0);
    EXPECT_EQ(fighterInput().direction, 8u);
    EXPECT_GT(work()->x, 112.0f);
}

TEST_F(FighterReplayTest, TheSnapshotRoundTripsThroughTheReplayHeader) {
    replayIoMode = 1;
    replayInputAdopt(std::vector<uint32_t>(100, 0));
    makeFighter();
    fighterAddScore(777);
    fighterSetRank(12);
    f().teamGauges[2] = 4321;
    work()->life = 2;
    const ObjRef gun = f().gunUnits[1];
    fighterStageSnapshot(false);
    fighterAddScore(1000);
    fighterSetRank(40);
    f().teamGauges[2] = 0;
    replayIoMode = 2;
    fighterStageSnapshot(false);
    EXPECT_EQ(fighterGetScore(), 777u);
    EXPECT_EQ(fighterGetRank(), 12);
    EXPECT_EQ(fighterGetGauge(2), 4321);
    EXPECT_EQ(fighterGetLives(), 2);
    EXPECT_EQ(f().gunUnits[1].serial, gun.serial) << "the live gun units stay";
    EXPECT_EQ(work()->draw, TSKfighterDraw);
}

TEST_F(FighterReplayTest, ADamagedImageIsHeldToSoundValues) {
    makeFighter();
    ObjWork damaged = *work();
    FighterFields& d = fighter(&damaged);
    d.type = 9;
    d.teamGauges[0] = -5;
    d.teamGauges[1] = 400000;
    d.energy = 99999;
    d.rank = -3;
    damaged.life = 40;
    d.gunUnits[0] = ObjRef{12345, 999};
    replayWorkStore(damaged, replayHeader.works[0]);
    const ObjRef gun = f().gunUnits[0];
    replayIoMode = 2;
    fighterStageSnapshot(false);
    EXPECT_EQ(fighterGetType(), 3);
    EXPECT_EQ(fighterGetGauge(0), 0);
    EXPECT_EQ(fighterGetGauge(1), 100000);
    EXPECT_EQ(fighterGetEnergy(), 10000);
    EXPECT_EQ(fighterGetRank(), 0);
    EXPECT_EQ(fighterGetLives(), 6);
    EXPECT_EQ(f().gunUnits[0].serial, gun.serial);
}

}  // namespace
