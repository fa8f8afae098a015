// The ranking files.
#include "game/records/ranking_file.h"

#include <cstdio>
#include <cstring>

#include "game/core/play_state.h"
#include "game/records/paths.h"
#include "game/records/play_records.h"
#include "game/records/player_files.h"
#include "game/records/ranking_record_layout.h"

namespace {

void defaultRecord(RankingRecord& record, int table, int category, int place) {
    record = RankingRecord{};
    record.score = uint64_t(10 - place) * 1000;
    for (int i = 0; i < 9; ++i) record.subScores[i] = record.score + uint64_t(i) + 1;
    record.stage = uint32_t(category >= 4 ? category - 3 : place % 5 + 1);
    record.stageProgress = uint32_t(place % 3);
    record.leaderType = uint32_t(table >= 1 ? table - 1 : place % 4);
    record.fighterWord = uint32_t(place % 10 + 1);
    rankingCopyName(record.name, "NO NAME");
    record.assist = uint32_t(place % 2);
}

}  // namespace

RankingTables& rankingTables() {
    static RankingTables tables;
    return tables;
}

void rankingInitDefaults(RankingTable& table) {
    for (int t = 0; t < kRankingTables; ++t) {
        for (int c = 0; c < kRankingCategories; ++c) {
            for (int p = 0; p < kRankingPlaces; ++p) defaultRecord(table.at(t, c, p), t, c, p);
        }
    }
}

std::string rankingEncode(const RankingTable& table) {
    std::string bytes;
    rankingEncode(table, bytes);
    return bytes;
}

void rankingEncode(const RankingTable& table, std::string& bytes) {
    bytes.assign(kRankingFileBytes, '\0');
    auto* out = reinterpret_cast<uint8_t*>(bytes.data());
    for (int i = 0; i < kRankingRecords; ++i) {
        encodeRecord(&table.records[i], kRankingRecordLayout, out + size_t(i) * kRankingRecordBytes);
    }
}

void rankingDecode(RankingTable& table, const uint8_t* bytes, size_t size) {
    for (int i = 0; i < kRankingRecords; ++i) {
        const size_t offset = size_t(i) * kRankingRecordBytes;
        // What the file lacks stays zero rather than whatever the memory held.
        uint8_t cut[kRankingRecordBytes] = {};
        const bool whole = size >= offset + kRankingRecordBytes;
        if (!whole && size > offset) std::memcpy(cut, bytes + offset, size - offset);
        const uint8_t* from = whole ? bytes + offset : cut;
        RankingRecord& record = table.records[i];
        decodeRecord(&record, kRankingRecordLayout, from);
        record.name[sizeof record.name - 1] = '\0';
    }
}

bool rankingWrite(const RankingTable& table, const std::string& path) {
    const std::string bytes = rankingEncode(table);
    return writePlayerFile(path, bytes.data(), bytes.size());
}

std::unique_ptr<RankingTable> rankingLoadOrInit(const std::string& path) {
    auto table = std::make_unique<RankingTable>();
    std::string bytes;
    const PlayerFileRead read = readPlayerFile(path, bytes);
    if (read == PlayerFileRead::Read && bytes.size() == kRankingFileBytes) {
        std::printf("ranking data load.\n");
        rankingDecode(*table, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return table;
    }
    rankingInitDefaults(*table);
    if (read == PlayerFileRead::LeftAlone) return table;
    if (read == PlayerFileRead::Read) keepDamagedPlayerFile(path, bytes.size(), kRankingFileBytes);
    std::printf("ranking data init.\n");
    rankingWrite(*table, path);
    return table;
}

int rankingInsert(int table, const uint64_t subScores[9], uint64_t score, uint32_t stageProgress,
                  uint32_t trueRoute, uint32_t finished, uint32_t category, uint32_t extraWord,
                  uint32_t leaderType, uint32_t fighterWord, uint32_t assist, bool today) {
    RankingTable* ranking = today ? rankingTables().today.get() : rankingTables().all.get();
    if (!ranking || table < 0 || table >= kRankingTables || category >= uint32_t(kRankingCategories)) return -1;
    int place = 0;
    while (place < kRankingPlaces && ranking->at(table, int(category), place).score >= score) ++place;
    if (place == kRankingPlaces) return -1;
    for (int p = kRankingPlaces - 1; p > place; --p) {
        ranking->at(table, int(category), p) = ranking->at(table, int(category), p - 1);
    }
    RankingRecord& record = ranking->at(table, int(category), place);
    record = RankingRecord{};
    record.score = score;
    std::memcpy(record.subScores, subScores, sizeof record.subScores);
    record.stage = uint32_t(stageNumber);
    record.stageProgress = stageProgress;
    record.finished = finished;
    record.category = category;
    record.extraWord = extraWord;
    record.leaderType = leaderType;
    record.fighterWord = fighterWord;
    record.trueRoute = trueRoute;
    record.assist = assist;
    rankingCopyName(record.name, currentPlayerName());
    std::printf("rank in : update ranking. (%d)\n", place + 1);
    rankingWrite(*ranking, makeAppRootPath(today ? kRankingTodayFile : kRankingAllFile));
    return place;
}

const char* rankingTypeLabel(uint32_t leaderType) { return leaderType < 4 ? kRankingTypeLabels[leaderType] : ""; }

void rankingCopyName(char (&to)[256], const char* name) {
    size_t length = std::strlen(name);
    if (length > sizeof to - 1) {
        length = sizeof to - 1;
        // Back off over continuation bytes to the start of the cut character.
        while (length > 0 && (uint8_t(name[length]) & 0xC0) == 0x80) --length;
    }
    std::memcpy(to, name, length);
    std::memset(to + length, 0, sizeof to - length);
}
