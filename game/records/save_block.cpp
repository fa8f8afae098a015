// "save.dat", the play-time counter and the daily ranking's date.
#include "game/records/save_block.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "game/core/wheel_file.h"
#include "game/core/wheel_time.h"
#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block_layout.h"

SaveBlock& saveBlock() {
    static SaveBlock block{};
    return block;
}

int saveDataRead(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        saveBlock() = SaveBlock{};
        return -1;
    }
    std::vector<uint8_t> fileBytes(kSaveBlockBytes);
    const size_t words = std::fread(fileBytes.data(), 1, fileBytes.size(), file) / 4;
    std::fclose(file);
    // Words the file doesn't hold keep their values.
    std::vector<uint8_t> bytes(kSaveBlockBytes);
    encodeRecord(&saveBlock(), kSaveBlockLayout, bytes.data());
    std::memcpy(bytes.data(), fileBytes.data(), words * 4);
    decodeRecord(&saveBlock(), kSaveBlockLayout, bytes.data());
    return int(words);
}

int saveDataWrite(const std::string& path) {
    std::vector<uint8_t> bytes(kSaveBlockBytes);
    encodeRecord(&saveBlock(), kSaveBlockLayout, bytes.data());
    return writeFileReplacing(path.c_str(), bytes.data(), bytes.size()) ? kSaveBlockWords : -1;
}

void saveDataAdvancePlayTime() {
    SaveBlock& block = saveBlock();
    if (++block.playFrames < 60) return;
    block.playFrames = 0;
    if (++block.playSeconds < 60) return;
    block.playSeconds = 0;
    if (++block.playMinutes < 60) return;
    block.playMinutes = 0;
    ++block.playHours;
}

void saveDataApplyRankingDate() {
    int year = 0, month = 0, day = 0;
    SDL2_wheel_GetLocalTime(&year, &month, &day, nullptr, nullptr, nullptr);
    SaveBlock& block = saveBlock();
    const bool sameDay = block.rankingYear == uint32_t(year) && block.rankingMonth == uint32_t(month) &&
                         block.rankingDay == uint32_t(day);
    RankingTable* today = rankingTables().today.get();
    if (!sameDay && today) {
        rankingInitDefaults(*today);
        rankingWrite(*today, makeAppRootPath(kRankingTodayFile));
    }
    block.rankingYear = uint32_t(year);
    block.rankingMonth = uint32_t(month);
    block.rankingDay = uint32_t(day);
    saveDataWrite(makeAppRootPath(kSaveDataFile));
}
