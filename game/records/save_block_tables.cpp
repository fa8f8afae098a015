// The layout of "save.dat".
#include <cstddef>

#include "game/records/save_block.h"
#include "game/records/save_block_layout.h"

const RecordLayout<9> kSaveBlockLayout{
    kSaveBlockBytes,
    {
        {0, FieldKind::U32, 1, offsetof(SaveBlock, playFrames)},
        {4, FieldKind::U32, 1, offsetof(SaveBlock, playSeconds)},
        {8, FieldKind::U32, 1, offsetof(SaveBlock, playMinutes)},
        {12, FieldKind::U32, 1, offsetof(SaveBlock, playHours)},
        {16, FieldKind::U32, 1, offsetof(SaveBlock, rankingYear)},
        {20, FieldKind::U32, 1, offsetof(SaveBlock, rankingMonth)},
        {24, FieldKind::U32, 1, offsetof(SaveBlock, rankingDay)},
        {28, FieldKind::U32, 1, offsetof(SaveBlock, staffRollHighScore)},
        {32, FieldKind::U32, 1016, offsetof(SaveBlock, reserved)},
    },
};
