#include "tools/psbwriter/psb_writer.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <unordered_map>

#include "engine/data/psb_header.h"
#include "tools/psbwriter/name_dictionary.h"

namespace psbwriter {

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kTypeNull = 1;
constexpr uint8_t kTypeTrue = 2;
constexpr uint8_t kTypeFalse = 3;
constexpr uint8_t kTypeZero = 4;
constexpr uint8_t kTypeIntBase = 4;  // + byte count 1..8
constexpr uint8_t kTypeArrayBase = 12;
constexpr uint8_t kTypeKeyBase = 16;
constexpr uint8_t kTypeStringBase = 20;
constexpr uint8_t kTypeResourceBase = 24;
constexpr uint8_t kTypeFloatZero = 29;
constexpr uint8_t kTypeFloat = 30;
constexpr uint8_t kTypeDouble = 31;
constexpr uint8_t kTypeList = 32;
constexpr uint8_t kTypeObject = 33;
constexpr uint8_t kTypeExtraBase = 33;

void putUnsigned(Bytes& out, uint64_t value, uint32_t bytes) {
    for (uint32_t i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void putAt(Bytes& out, size_t at, uint32_t value) {
    for (uint32_t i = 0; i < 4; ++i) out[at + i] = uint8_t(value >> (8 * i));
}

uint32_t unsignedBytes(uint64_t value) {
    uint32_t bytes = 1;
    while (bytes < 8 && value >> (8 * bytes)) ++bytes;
    return bytes;
}

uint32_t signedBytes(int64_t value) {
    for (uint32_t bytes = 1; bytes < 8; ++bytes) {
        const int64_t limit = int64_t(1) << (8 * bytes - 1);
        if (value >= -limit && value < limit) return bytes;
    }
    return 8;
}

void putArray(Bytes& out, const std::vector<uint32_t>& values, uint32_t minimumWidth) {
    const uint32_t countBytes = unsignedBytes(values.size());
    uint32_t largest = 0;
    for (uint32_t v : values) largest = std::max(largest, v);
    const uint32_t width = std::max(unsignedBytes(largest), minimumWidth);
    out.push_back(uint8_t(kTypeArrayBase + countBytes));
    putUnsigned(out, values.size(), countBytes);
    out.push_back(uint8_t(kTypeArrayBase + width));
    for (uint32_t v : values) putUnsigned(out, v, width);
}

void putText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// Collects names and strings, numbers resources, then encodes the tree.
class Encoder {
public:
    Encoder(const WriteOptions& options) : options_(options), version1_(options.version == 1) {}

    void collect(const Value& value) {
        if (const auto* s = std::get_if<std::string>(&value.data)) {
            requireText(*s);
            if (strings_.emplace(*s, uint32_t(stringOrder_.size())).second) stringOrder_.push_back(*s);
        } else if (const auto* list = std::get_if<List>(&value.data)) {
            for (const Value& v : *list) collect(v);
        } else if (const auto* object = std::get_if<Object>(&value.data)) {
            for (const auto& [key, v] : *object) {
                requireText(key);
                names_.insert(key);
                collect(v);
            }
        } else if (const auto* r = std::get_if<Resource>(&value.data)) {
            if (r->extra && options_.version < 4) throw WriteError("extra resources need version 4");
        }
    }

    void numberNames() {
        nameOrder_.assign(names_.begin(), names_.end());
        for (uint32_t i = 0; i < nameOrder_.size(); ++i) nameIndex_[nameOrder_[i]] = i;
    }

    void encode(const Value& value, Bytes& out) { std::visit([&](const auto& v) { put(v, out); }, value.data); }

    const std::vector<std::string>& names() const { return nameOrder_; }
    const std::vector<std::string>& strings() const { return stringOrder_; }
    const std::vector<const Bytes*>& resources(bool extra) const { return extra ? extras_ : resources_; }

private:
    // Texts are stored 0-terminated.
    static void requireText(const std::string& text) {
        if (text.find('\0') != std::string::npos) throw WriteError("a key or string holds a 0 byte");
    }

    void putIndex(uint8_t typeBase, uint32_t index, Bytes& out) const {
        const uint32_t bytes = std::max(unsignedBytes(index), options_.minimumIndexBytes);
        out.push_back(uint8_t(typeBase + bytes));
        putUnsigned(out, index, bytes);
    }

    void put(std::monostate, Bytes& out) { out.push_back(kTypeNull); }
    void put(bool v, Bytes& out) { out.push_back(v ? kTypeTrue : kTypeFalse); }

    void put(int64_t v, Bytes& out) {
        if (v == 0) {
            out.push_back(kTypeZero);
            return;
        }
        const uint32_t bytes = signedBytes(v);
        out.push_back(uint8_t(kTypeIntBase + bytes));
        putUnsigned(out, uint64_t(v), bytes);
    }

    void put(float v, Bytes& out) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        if (bits == 0) {  // only +0.0 has the short form; -0.0 keeps its sign
            out.push_back(kTypeFloatZero);
            return;
        }
        out.push_back(kTypeFloat);
        putUnsigned(out, bits, 4);
    }

    void put(double v, Bytes& out) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        out.push_back(kTypeDouble);
        putUnsigned(out, bits, 8);
    }

    void put(const std::string& v, Bytes& out) { putIndex(kTypeStringBase, strings_.at(v), out); }

    void put(const Resource& v, Bytes& out) {
        auto& table = v.extra ? extras_ : resources_;
        putIndex(v.extra ? kTypeExtraBase : kTypeResourceBase, uint32_t(table.size()), out);
        table.push_back(&v.bytes);
    }

    void put(const List& list, Bytes& out) {
        std::vector<Bytes> elements(list.size());
        for (size_t i = 0; i < list.size(); ++i) encode(list[i], elements[i]);
        out.push_back(kTypeList);
        putBlocks(elements, out);
    }

    // Entries go in ascending name index, which is the map's text order.
    void put(const Object& object, Bytes& out) {
        std::vector<uint32_t> indices;
        std::vector<Bytes> entries;
        for (const auto& [key, v] : object) {
            indices.push_back(nameIndex_.at(key));
            Bytes entry;
            if (version1_) putIndex(kTypeKeyBase, indices.back(), entry);
            encode(v, entry);
            entries.push_back(std::move(entry));
        }
        out.push_back(kTypeObject);
        if (!version1_) putArray(out, indices, options_.minimumIndexBytes);
        putBlocks(entries, out);
    }

    // An offset array, then the blocks one after another.
    void putBlocks(const std::vector<Bytes>& blocks, Bytes& out) const {
        std::vector<uint32_t> offsets;
        uint32_t at = 0;
        for (const Bytes& block : blocks) {
            offsets.push_back(at);
            at += uint32_t(block.size());
        }
        putArray(out, offsets, options_.minimumIndexBytes);
        for (const Bytes& block : blocks) out.insert(out.end(), block.begin(), block.end());
    }

    const WriteOptions& options_;
    bool version1_;
    std::set<std::string> names_;
    std::vector<std::string> nameOrder_;
    std::unordered_map<std::string, uint32_t> nameIndex_;
    std::unordered_map<std::string, uint32_t> strings_;
    std::vector<std::string> stringOrder_;
    std::vector<const Bytes*> resources_;
    std::vector<const Bytes*> extras_;
};

using namespace psb_header;

void putNames(Bytes& out, const std::vector<std::string>& names, bool version1, uint32_t width) {
    if (version1) {
        std::vector<uint32_t> offsets;
        Bytes texts;
        for (const std::string& name : names) {
            offsets.push_back(uint32_t(texts.size()));
            putText(texts, name);
        }
        putAt(out, kNameOffsetsAt, uint32_t(out.size()));
        putArray(out, offsets, width);
        putAt(out, kNamesAt, uint32_t(out.size()));
        out.insert(out.end(), texts.begin(), texts.end());
        return;
    }
    const NameTrie trie = buildNameTrie(names);
    putAt(out, kNameOffsetsAt, uint32_t(out.size()));
    putAt(out, kNamesAt, uint32_t(out.size()));
    putArray(out, trie.base, width);
    putArray(out, trie.check, width);
    putArray(out, trie.ends, width);
}

void putStrings(Bytes& out, const std::vector<std::string>& strings, uint32_t width) {
    std::vector<uint32_t> offsets;
    Bytes texts;
    for (const std::string& s : strings) {
        offsets.push_back(uint32_t(texts.size()));
        putText(texts, s);
    }
    putAt(out, kStringOffsetsAt, uint32_t(out.size()));
    putArray(out, offsets, width);
    putAt(out, kStringTextsAt, uint32_t(out.size()));
    out.insert(out.end(), texts.begin(), texts.end());
}

void putResourceTables(Bytes& out, const std::vector<const Bytes*>& resources, size_t offsetsAt,
                       uint32_t width) {
    std::vector<uint32_t> offsets;
    std::vector<uint32_t> sizes;
    uint32_t at = 0;
    for (const Bytes* r : resources) {
        offsets.push_back(at);
        sizes.push_back(uint32_t(r->size()));
        at += uint32_t(r->size());
    }
    putAt(out, offsetsAt, uint32_t(out.size()));
    putArray(out, offsets, width);
    putAt(out, offsetsAt + 4, uint32_t(out.size()));
    putArray(out, sizes, width);
}

void putResourceData(Bytes& out, const std::vector<const Bytes*>& resources, size_t dataAt) {
    putAt(out, dataAt, uint32_t(out.size()));
    for (const Bytes* r : resources) out.insert(out.end(), r->begin(), r->end());
}

}  // namespace

std::vector<uint8_t> writePsb(const Value& root, const WriteOptions& options) {
    if (options.minimumIndexBytes < 1 || options.minimumIndexBytes > 4)
        throw WriteError("index bytes must be 1 to 4");
    Encoder encoder(options);
    encoder.collect(root);
    encoder.numberNames();
    Bytes tree;
    encoder.encode(root, tree);

    const bool version4 = options.version >= 4;
    Bytes out(sizeFor(options.version), 0);
    std::memcpy(out.data(), "PSB", 4);
    out[kVersionAt] = uint8_t(options.version);
    out[kVersionAt + 1] = uint8_t(options.version >> 8);
    if (options.version > 2) {
        out[kFlagsAt] = uint8_t(options.flags);
        out[kFlagsAt + 1] = uint8_t(options.flags >> 8);
    }
    putNames(out, encoder.names(), options.version == 1, options.minimumIndexBytes);
    putStrings(out, encoder.strings(), options.minimumIndexBytes);
    putResourceTables(out, encoder.resources(false), kResourceOffsetsAt, options.minimumIndexBytes);
    if (version4) putResourceTables(out, encoder.resources(true), kExtraOffsetsAt, options.minimumIndexBytes);
    putAt(out, kRootAt, uint32_t(out.size()));
    out.insert(out.end(), tree.begin(), tree.end());
    putResourceData(out, encoder.resources(false), kResourceDataAt);
    if (version4) putResourceData(out, encoder.resources(true), kExtraDataAt);
    return out;
}

}  // namespace psbwriter
