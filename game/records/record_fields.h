#pragma once
// Fixed-size records on disk, described once as a table of fields: where
// each field lies in the file, its kind and count, and where it lives in the
// record in memory. The reader and the writer both walk the table, field by
// field, little-endian, so a record's layout on disk never depends on how
// the compiler lays out the struct.
//
// Threads: any; these are pure.

#include <cstddef>
#include <cstdint>

enum class FieldKind : uint8_t { U32, U64, Bytes };

struct RecordField {
    size_t fileOffset;
    FieldKind kind;
    size_t count;         // elements (bytes for Bytes)
    size_t memberOffset;  // offsetof the member in the record
};

template <size_t N>
struct RecordLayout {
    size_t fileSize;
    RecordField fields[N];
};

void encodeFields(const void* record, const RecordField* fields, size_t count, uint8_t* out);
void decodeFields(void* record, const RecordField* fields, size_t count, const uint8_t* in);

template <size_t N>
void encodeRecord(const void* record, const RecordLayout<N>& layout, uint8_t* out) {
    encodeFields(record, layout.fields, N, out);
}

template <size_t N>
void decodeRecord(void* record, const RecordLayout<N>& layout, const uint8_t* in) {
    decodeFields(record, layout.fields, N, in);
}
