// The field-table codec.
#include "game/records/record_fields.h"

#include <cstring>

namespace {

template <typename Integer>
void putLittle(Integer value, uint8_t* out) {
    for (size_t i = 0; i < sizeof(Integer); ++i) out[i] = uint8_t(value >> (8 * i));
}

template <typename Integer>
Integer getLittle(const uint8_t* in) {
    Integer value = 0;
    for (size_t i = 0; i < sizeof(Integer); ++i) value |= Integer(in[i]) << (8 * i);
    return value;
}

template <typename Integer>
void encodeIntegers(const uint8_t* member, size_t count, uint8_t* out) {
    for (size_t i = 0; i < count; ++i) {
        Integer value;
        std::memcpy(&value, member + i * sizeof(Integer), sizeof value);
        putLittle(value, out + i * sizeof(Integer));
    }
}

template <typename Integer>
void decodeIntegers(uint8_t* member, size_t count, const uint8_t* in) {
    for (size_t i = 0; i < count; ++i) {
        const Integer value = getLittle<Integer>(in + i * sizeof(Integer));
        std::memcpy(member + i * sizeof(Integer), &value, sizeof value);
    }
}

}  // namespace

void encodeFields(const void* record, const RecordField* fields, size_t count, uint8_t* out) {
    const auto* base = static_cast<const uint8_t*>(record);
    for (size_t f = 0; f < count; ++f) {
        const RecordField& field = fields[f];
        const uint8_t* member = base + field.memberOffset;
        uint8_t* to = out + field.fileOffset;
        switch (field.kind) {
            case FieldKind::U32: encodeIntegers<uint32_t>(member, field.count, to); break;
            case FieldKind::U64: encodeIntegers<uint64_t>(member, field.count, to); break;
            case FieldKind::Bytes: std::memcpy(to, member, field.count); break;
        }
    }
}

void decodeFields(void* record, const RecordField* fields, size_t count, const uint8_t* in) {
    auto* base = static_cast<uint8_t*>(record);
    for (size_t f = 0; f < count; ++f) {
        const RecordField& field = fields[f];
        uint8_t* member = base + field.memberOffset;
        const uint8_t* from = in + field.fileOffset;
        switch (field.kind) {
            case FieldKind::U32: decodeIntegers<uint32_t>(member, field.count, from); break;
            case FieldKind::U64: decodeIntegers<uint64_t>(member, field.count, from); break;
            case FieldKind::Bytes: std::memcpy(member, from, field.count); break;
        }
    }
}
