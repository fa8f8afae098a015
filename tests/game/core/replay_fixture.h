#pragma once
// A working folder with an application root, a fake clock, and the replay
// files' and the play's words back at their start values around each test.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/core/app_switches.h"
#include "game/core/game_random.h"
#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/records/paths.h"
#include "game/records/play_selection.h"
#include "game/records/settings_file.h"
#include "platform/clock/fake_clock.h"
#include "tests/game/working_folder.h"

class ReplayTest : public testing::Test {
protected:
    void SetUp() override {
        platform::setClock(&clock);
        std::filesystem::create_directories(folder.path("root/replay/temp"));
        setAppRootFolder(folder.path("root"));
        replayTempFolder = folder.path("root/replay/temp");
        resetWords();
        savedArcadeMode = arcadeMode;
        arcadeMode = false;
    }
    void TearDown() override {
        resetWords();
        arcadeMode = savedArcadeMode;
        replayTempFolder.clear();
        replayDatedFolder.clear();
        setAppRootFolder("");
        platform::setClock(nullptr);
    }
    static void resetWords() {
        replayIoMode = 0;
        replayInputFree();
        replayInputIndex = 0;
        replayHeader = ReplayHeader{};
        replayCapacityLimit = kReplayMaxCapacity;
        replayPlayFactsHook = nullptr;
        replaySetFighterTypeHook = nullptr;
        gamePhase = 0;
        menuResultCode = 0;
        stageNumber = 0;
        playIsRecorded = 0;
        gameMode = selectedLeaderType = autoGameSystem = dramaticMode = 0;
    }

    // Starts recording the stage as the stage load does, in play.
    void startRecording(int32_t stage) {
        stageNumber = stage;
        gamePhase = 3;
        playIsRecorded = 1;
        replayIoMode = 1;
        replayInputIndex = 0;
        replayStageStart(stage, settings);
    }

    static uint32_t wordAt(const std::string& bytes, size_t offset) {
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[offset + size_t(i)]);
        return value;
    }
    static void putWordAt(std::string& bytes, size_t offset, uint32_t value) {
        for (size_t i = 0; i < 4; ++i) bytes[offset + i] = char(value >> (8 * i));
    }

    // A stage file of our own encoder: the header and the words.
    static std::string stageFile(const ReplayHeader& header, const std::vector<uint32_t>& words) {
        std::string bytes(kReplayHeaderBytes + 4 * words.size(), '\0');
        replayHeaderEncode(header, reinterpret_cast<uint8_t*>(bytes.data()));
        for (size_t i = 0; i < words.size(); ++i) putWordAt(bytes, kReplayHeaderBytes + 4 * i, words[i]);
        return bytes;
    }

    platform::FakeClock clock;
    WorkingFolder folder;
    GameSettings settings{};
    bool savedArcadeMode = true;
};
