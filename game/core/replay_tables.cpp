// The layouts of the replay files on disk.
#include <cstddef>
#include <cstdint>
#include <limits>

#include "game/core/obj_work.h"
#include "game/core/replay_files.h"
#include "game/core/replay_layout.h"

const RecordLayout<kReplayHeaderFields> kReplayHeaderLayout{
    kReplayHeaderBytes,
    {
        {0, FieldKind::U32, 1, offsetof(ReplayHeader, seed)},
        {4, FieldKind::U32, 1, offsetof(ReplayHeader, startStage)},
        {8, FieldKind::U32, 1, offsetof(ReplayHeader, category)},
        {12, FieldKind::U32, 1, offsetof(ReplayHeader, leaderType)},
        {16, FieldKind::U32, 1, offsetof(ReplayHeader, assist)},
        {20, FieldKind::U32, 1, offsetof(ReplayHeader, dramatic)},
        {24, FieldKind::U32, 101, offsetof(ReplayHeader, settings)},
        {432, FieldKind::Bytes, kReplayWorkImageBytes, offsetof(ReplayHeader, works)},
        {2904, FieldKind::Bytes, kReplayWorkImageBytes, offsetof(ReplayHeader, works) + kReplayWorkImageBytes},
        {5376, FieldKind::Bytes, kReplayWorkImageBytes, offsetof(ReplayHeader, works) + 2 * kReplayWorkImageBytes},
        {27624, FieldKind::U32, 1, offsetof(ReplayHeader, capacity)},
    },
};

const RecordLayout<kReplayInfoFields> kReplayInfoLayout{
    kReplayInfoBytes,
    {
        {0, FieldKind::U64, 1, offsetof(ReplayInfo, score)},
        {8, FieldKind::U32, 1, offsetof(ReplayInfo, stage)},
        {12, FieldKind::U32, 1, offsetof(ReplayInfo, stageProgress)},
        {16, FieldKind::U32, 1, offsetof(ReplayInfo, finished)},
        {20, FieldKind::U32, 1, offsetof(ReplayInfo, category)},
        {24, FieldKind::U32, 1, offsetof(ReplayInfo, fighterType)},
        {28, FieldKind::U32, 1, offsetof(ReplayInfo, creditCounter)},
        {32, FieldKind::U32, 1, offsetof(ReplayInfo, alwaysOne)},
    },
};

namespace {

constexpr double kIntLow = std::numeric_limits<int32_t>::min();
constexpr double kIntHigh = std::numeric_limits<int32_t>::max();
// Far beyond any position, speed, scale or angle of play, and small enough
// that every float a family turns into an integer stays one.
constexpr double kFloatLimit = 1.0e6;

constexpr ReplayWorkField byteField(size_t fileOffset, size_t member, double high = 255) {
    return {fileOffset, ReplayWorkKind::Byte, 1, member, 0, high};
}
constexpr ReplayWorkField intField(size_t fileOffset, size_t member, double low = kIntLow, double high = kIntHigh) {
    return {fileOffset, ReplayWorkKind::Int, 1, member, low, high};
}
constexpr ReplayWorkField floatField(size_t fileOffset, size_t member) {
    return {fileOffset, ReplayWorkKind::Float, 1, member, -kFloatLimit, kFloatLimit};
}

}  // namespace

// The value fields in the record's order. Not stored, so kept by the live
// record on restore: the callbacks, lastCollider, the frame arrays with
// frameTable and frameCount, hitBoxes with hitBoxCount, parentWork, the
// motion slots and the serial.
const ReplayWorkField kReplayWorkFieldTable[kReplayWorkFields] = {
    byteField(0, offsetof(ObjWork, r)),
    byteField(1, offsetof(ObjWork, g)),
    byteField(2, offsetof(ObjWork, b)),
    byteField(3, offsetof(ObjWork, a)),
    floatField(4, offsetof(ObjWork, alpha)),
    floatField(8, offsetof(ObjWork, x)),
    floatField(12, offsetof(ObjWork, y)),
    floatField(16, offsetof(ObjWork, depth)),
    floatField(20, offsetof(ObjWork, vx)),
    floatField(24, offsetof(ObjWork, vy)),
    intField(28, offsetof(ObjWork, speedX)),
    intField(32, offsetof(ObjWork, speedY)),
    floatField(36, offsetof(ObjWork, sizeX)),
    floatField(40, offsetof(ObjWork, sizeY)),
    floatField(44, offsetof(ObjWork, scaleX)),
    floatField(48, offsetof(ObjWork, scaleY)),
    intField(52, offsetof(ObjWork, spriteBase)),
    intField(56, offsetof(ObjWork, animFrame)),
    intField(60, offsetof(ObjWork, animCount)),
    intField(64, offsetof(ObjWork, animCounter)),
    intField(68, offsetof(ObjWork, animStep)),
    floatField(72, offsetof(ObjWork, angle)),
    intField(76, offsetof(ObjWork, life)),
    intField(80, offsetof(ObjWork, flip), 0, 2),
    intField(84, offsetof(ObjWork, kind)),
    intField(88, offsetof(ObjWork, heading)),
    floatField(92, offsetof(ObjWork, speed)),
    floatField(96, offsetof(ObjWork, exitMarkerAlpha)),
    intField(100, offsetof(ObjWork, age), 0),
    intField(104, offsetof(ObjWork, enemyAgeLimit)),
    byteField(108, offsetof(ObjWork, rotate), 1),
    byteField(109, offsetof(ObjWork, motionShown)),
    byteField(110, offsetof(ObjWork, enemyFlagB)),
    byteField(111, offsetof(ObjWork, visible), 1),
    intField(112, offsetof(ObjWork, ground)),
    intField(116, offsetof(ObjWork, hitsOff)),
    intField(120, offsetof(ObjWork, pauseRankCut)),
    intField(124, offsetof(ObjWork, leavesWreck)),
    intField(128, offsetof(ObjWork, enemyTimer)),
    intField(132, offsetof(ObjWork, diesWithBoss)),
    intField(136, offsetof(ObjWork, groundHittable)),
    {140, ReplayWorkKind::Int, kObjWorkFamilyWords, offsetof(ObjWork, family), kIntLow, kIntHigh},
};
static_assert(140 + 4 * kObjWorkFamilyWords <= kReplayWorkImageBytes);
