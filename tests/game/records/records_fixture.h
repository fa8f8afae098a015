#pragma once
// A working folder with an application root "root/" and a resource folder
// inside it, and the records' globals reset around each test.

#include <gtest/gtest.h>

#include <filesystem>

#include "game/records/paths.h"
#include "game/records/play_records.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block.h"
#include "game/records/settings_file.h"
#include "tests/game/working_folder.h"

class RecordsTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder.path("root"));
        setAppRootFolder(folder.path("root"));
        setResourceFolders({folder.dir().str() + "/"});
        gameSettings = GameSettings{};
        saveBlock() = SaveBlock{};
        rankingTables() = RankingTables{};
        rankingCopyName(playRecords.playerName, "NO NAME");
    }
    void TearDown() override {
        setAppRootFolder("");
        setResourceFolders({});
        rankingTables() = RankingTables{};
    }
    std::string root(const std::string& name) const { return folder.path("root/" + name); }

    WorkingFolder folder;
};
