// "save.dat", the play-time counter and the daily ranking's date.
#include "game/records/save_block.h"

#include "game/core/wheel_time.h"
#include "game/records/paths.h"
#include "game/records/player_files.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block_layout.h"

SaveBlock& saveBlock() {
    static SaveBlock block{};
    return block;
}

int saveDataRead(const std::string& path) {
    std::string bytes;
    const PlayerFileRead read = readPlayerFile(path, bytes);
    if (read == PlayerFileRead::Read && bytes.size() != kSaveBlockBytes) {
        keepDamagedPlayerFile(path, bytes.size(), kSaveBlockBytes);
    }
    if (read != PlayerFileRead::Read || bytes.size() != kSaveBlockBytes) {
        saveBlock() = SaveBlock{};
        return -1;
    }
    decodeRecord(&saveBlock(), kSaveBlockLayout, reinterpret_cast<const uint8_t*>(bytes.data()));
    return kSaveBlockWords;
}

int saveDataWrite(const std::string& path) {
    uint8_t bytes[kSaveBlockBytes];
    encodeRecord(&saveBlock(), kSaveBlockLayout, bytes);
    return writePlayerFile(path, bytes, sizeof bytes) ? kSaveBlockWords : -1;
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
    // With "save.dat" unreadable the daily table's date is unknown: it stays.
    if (!sameDay && today && !playerFileLeftAlone(makeAppRootPath(kSaveDataFile))) {
        rankingInitDefaults(*today);
        rankingWrite(*today, makeAppRootPath(kRankingTodayFile));
    }
    block.rankingYear = uint32_t(year);
    block.rankingMonth = uint32_t(month);
    block.rankingDay = uint32_t(day);
    saveDataWrite(makeAppRootPath(kSaveDataFile));
}
