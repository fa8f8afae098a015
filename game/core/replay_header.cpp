// The replay header and the work images, field by field.
#include "game/core/replay_header.h"

#include <cstring>

#include "game/core/obj_work.h"
#include "game/core/replay_layout.h"

static_assert(sizeof(ReplayWorkImage) == kReplayWorkImageBytes, "the header's images lie back to back");

namespace {

void putWord(uint32_t value, uint8_t* out) {
    for (int i = 0; i < 4; ++i) out[i] = uint8_t(value >> (8 * i));
}

uint32_t getWord(const uint8_t* in) {
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

size_t elementBytes(ReplayWorkKind kind) { return kind == ReplayWorkKind::Byte ? 1 : 4; }

// The value of one element of a field as it lies in an image.
double imageValue(const ReplayWorkField& field, const uint8_t* at) {
    switch (field.kind) {
        case ReplayWorkKind::Byte: return *at;
        case ReplayWorkKind::Int: return double(int32_t(getWord(at)));
        case ReplayWorkKind::Float: {
            const uint32_t bits = getWord(at);
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
    }
    return 0;
}

bool inRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

}  // namespace

void replayWorkStore(const ObjWork& work, ReplayWorkImage& image) {
    image.fill(0);
    const auto* base = reinterpret_cast<const uint8_t*>(&work);
    for (const ReplayWorkField& field : kReplayWorkFieldTable) {
        const size_t size = elementBytes(field.kind);
        for (size_t i = 0; i < field.count; ++i) {
            const uint8_t* member = base + field.memberOffset + i * size;
            uint8_t* to = image.data() + field.fileOffset + i * size;
            if (size == 1) {
                *to = *member;
            } else {
                uint32_t bits;
                std::memcpy(&bits, member, sizeof bits);
                putWord(bits, to);
            }
        }
    }
}

void replayWorkRestore(const ReplayWorkImage& image, ObjWork& work) {
    auto* base = reinterpret_cast<uint8_t*>(&work);
    for (const ReplayWorkField& field : kReplayWorkFieldTable) {
        const size_t size = elementBytes(field.kind);
        for (size_t i = 0; i < field.count; ++i) {
            uint8_t* member = base + field.memberOffset + i * size;
            const uint8_t* from = image.data() + field.fileOffset + i * size;
            if (size == 1) {
                *member = *from;
            } else {
                const uint32_t bits = getWord(from);
                std::memcpy(member, &bits, sizeof bits);
            }
        }
    }
}

bool replayWorkImageValid(const ReplayWorkImage& image) {
    for (const ReplayWorkField& field : kReplayWorkFieldTable) {
        const size_t size = elementBytes(field.kind);
        for (size_t i = 0; i < field.count; ++i) {
            const double value = imageValue(field, image.data() + field.fileOffset + i * size);
            // Written so that a NaN fails too.
            if (!(value >= field.low && value <= field.high)) return false;
        }
    }
    return true;
}

void replayHeaderEncode(const ReplayHeader& header, uint8_t* out) {
    std::memset(out, 0, kReplayHeaderBytes);
    encodeRecord(&header, kReplayHeaderLayout, out);
}

bool replayHeaderDecode(const uint8_t* in, ReplayHeader& header) {
    ReplayHeader read;
    decodeRecord(&read, kReplayHeaderLayout, in);
    if (!inRange(read.startStage, 0, 5) || !inRange(read.category, 0, 8) || !inRange(read.leaderType, 0, 3) ||
        !inRange(read.assist, 0, 1) || !inRange(read.dramatic, 0, 1)) {
        return false;
    }
    for (const ReplayWorkImage& image : read.works) {
        if (!replayWorkImageValid(image)) return false;
    }
    header = read;
    return true;
}
