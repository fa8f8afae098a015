// The layout of one ranking record on disk.
#include <cstddef>

#include "game/records/ranking_file.h"
#include "game/records/ranking_record_layout.h"

const RecordLayout<14> kRankingRecordLayout{
    kRankingRecordBytes,
    {
        {0, FieldKind::U64, 1, offsetof(RankingRecord, score)},
        {8, FieldKind::U64, 9, offsetof(RankingRecord, subScores)},
        {80, FieldKind::U32, 1, offsetof(RankingRecord, stage)},
        {84, FieldKind::U32, 1, offsetof(RankingRecord, stageProgress)},
        {88, FieldKind::U32, 1, offsetof(RankingRecord, finished)},
        {92, FieldKind::U32, 1, offsetof(RankingRecord, category)},
        {96, FieldKind::U32, 1, offsetof(RankingRecord, extraWord)},
        {100, FieldKind::U32, 1, offsetof(RankingRecord, leaderType)},
        {104, FieldKind::U32, 1, offsetof(RankingRecord, fighterWord)},
        {108, FieldKind::Bytes, 256, offsetof(RankingRecord, name)},
        {364, FieldKind::U32, 1, offsetof(RankingRecord, trueRoute)},
        {368, FieldKind::U32, 1, offsetof(RankingRecord, assist)},
        {372, FieldKind::U32, 1, offsetof(RankingRecord, maxRank)},
        {376, FieldKind::Bytes, 32, offsetof(RankingRecord, reserved)},
    },
};

const char* const kRankingTypeLabels[4] = {"TYPE A", "TYPE B", "TYPE C", "TYPE D"};
