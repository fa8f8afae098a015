#include "engine/data/psb_object.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/data/psb_fatal.h"
#include "engine/data/psb_header.h"
#include "engine/data/psb_value.h"

namespace {

using namespace psb_header;

const uint8_t* arrayEnd(const PSBUIntArray& a) { return a.data + size_t(a.count) * a.width; }

// The key's terminating 0 is walked as one more byte, so a prefix of a
// stored name is not found.
template <uint32_t BaseWidth, uint32_t CheckWidth>
bool walkTrie(const PSBUIntArray& base, const PSBUIntArray& check, const uint8_t* key, uint32_t& index) {
    uint32_t node = 0;
    for (;; ++key) {
        const uint64_t next = uint64_t(base.at<BaseWidth>(node)) + *key;
        if (next >= base.count || check.at<CheckWidth>(uint32_t(next)) != node) return false;
        node = uint32_t(next);
        if (*key == 0) break;
    }
    index = base.at<BaseWidth>(node);
    return true;
}

}  // namespace

PSBObject::PSBObject(uint8_t* bytes, size_t size) : PSBObject(bytes, size, PSBOwnership::Owned) {}

PSBObject::PSBObject(uint8_t* bytes, size_t size, PSBOwnership mode)
    : bytes_(bytes), size_(size), mode_(mode), treeBytes_(size) {
    // A fatal handler that throws leaves no destructor to free the bytes.
    try {
        parseHeader();
    } catch (...) {
        if (mode_ != PSBOwnership::Borrowed) std::free(bytes_);
        throw;
    }
}

PSBObject::~PSBObject() {
    if (mode_ == PSBOwnership::Borrowed) return;
    std::free(loadBlock_);
    std::free(bytes_);
}

void PSBObject::parseHeader() {
    if (size_ < kFlagsAt + 2) psbBroken("shorter than its header");
    version_ = uint16_t(psbReadUnsigned(bytes_ + kVersionAt, 2));
    flags_ = version_ > 2 ? uint16_t(psbReadUnsigned(bytes_ + kFlagsAt, 2)) : 2;
    headerSize_ = sizeFor(version_);
    if (size_ < headerSize_) psbBroken("shorter than its header");
    std::memcpy(header_.data(), bytes_, headerSize_);
    resolveOffsets();
}

uint32_t PSBObject::headerOffset(size_t at) const {
    return uint32_t(psbReadUnsigned(header_.data() + at, 4));
}

const uint8_t* PSBObject::section(size_t at) const {
    const uint32_t offset = headerOffset(at);
    if (offset > treeBytes_) psbBroken("a section starts past the end");
    return bytes_ + offset;
}

PSBUIntArray PSBObject::tableAt(size_t at) const {
    PSBUIntArray table;
    table.init(section(at), bytes_ + treeBytes_);
    return table;
}

void PSBObject::resolveOffsets() {
    const uint8_t* end = bytes_ + treeBytes_;
    if (usesVersion1Layout()) {
        nameOffsets_ = tableAt(kNameOffsetsAt);
        nameTexts_ = section(kNamesAt);
    } else {
        // The trie's three arrays stand one after the other.
        const uint8_t* names = section(kNamesAt);
        trieBase_.init(names, end);
        trieCheck_.init(names + trieBase_.size, end);
        trieEnds_.init(names + trieBase_.size + trieCheck_.size, end);
    }
    stringOffsets_ = tableAt(kStringOffsetsAt);
    stringTexts_ = section(kStringTextsAt);
    resolveResources(resources_, kResourceOffsetsAt);
    if (version_ >= 4) resolveResources(extras_, kExtraOffsetsAt);
    if (headerOffset(kRootAt) >= treeBytes_) psbBroken("the root value starts past the end");
    root_ = bytes_ + headerOffset(kRootAt);
}

// The tables live with the tree; the data lives with the tree too unless the
// document was purged and the data lay at or past the cut, in which case it
// stays in the load block (null once that is released).
void PSBObject::resolveResources(ResourceTable& table, size_t offsetsAt) {
    table.offsets = tableAt(offsetsAt);
    table.sizes = tableAt(offsetsAt + 4);
    const uint32_t offset = headerOffset(offsetsAt + 8);
    if (offset > size_) psbBroken("resource data starts past the end");
    if (mode_ != PSBOwnership::Purged || offset < treeBytes_) {
        table.data = bytes_ + offset;
        table.bytes = treeBytes_ - offset;
    } else {
        table.data = loadBlock_ ? loadBlock_ + offset : nullptr;
        table.bytes = size_ - offset;
    }
}

PSBValue PSBObject::root() const { return PSBValue(this, root_); }

const uint8_t* PSBObject::regionEnd(const uint8_t* p) const {
    const auto at = reinterpret_cast<uintptr_t>(p);
    const auto tree = reinterpret_cast<uintptr_t>(bytes_);
    if (at >= tree && at - tree < treeBytes_) return bytes_ + treeBytes_;
    const auto load = reinterpret_cast<uintptr_t>(loadBlock_);
    if (loadBlock_ && at >= load && at - load < size_) return loadBlock_ + size_;
    psbBroken("a value lies outside the document");
}

const char* PSBObject::textAt(const uint8_t* base, uint32_t offset) const {
    const uint64_t start = uint64_t(base - bytes_) + offset;
    if (start >= treeBytes_) psbBroken("a text starts past the end");
    const uint8_t* text = bytes_ + start;
    if (!std::memchr(text, 0, treeBytes_ - start)) psbBroken("a text runs past the end");
    return reinterpret_cast<const char*>(text);
}

const char* PSBObject::stringAt(uint32_t index) const {
    return textAt(stringTexts_, stringOffsets_.at(index));
}

uint32_t PSBObject::checkedResource(const ResourceTable& table, uint32_t index) const {
    const uint32_t offset = table.offsets.at(index);
    if (uint64_t(offset) + table.sizes.at(index) > table.bytes) psbBroken("a resource runs past the end");
    return offset;
}

const uint8_t* PSBObject::resourceData(uint32_t index, bool extra) const {
    if (extra && version_ < 4) return nullptr;
    const ResourceTable& table = extra ? extras_ : resources_;
    const uint32_t offset = checkedResource(table, index);
    return table.data ? table.data + offset : nullptr;
}

uint32_t PSBObject::resourceSize(uint32_t index, bool extra) const {
    if (extra && version_ < 4) return 0;
    const ResourceTable& table = extra ? extras_ : resources_;
    checkedResource(table, index);
    return table.sizes.at(index);
}

bool PSBObject::findNameIndex(const char* key, uint32_t& index) const {
    return usesVersion1Layout() ? findInSortedNames(key, index) : findInTrie(key, index);
}

bool PSBObject::findInSortedNames(const char* key, uint32_t& index) const {
    uint32_t low = 0;
    uint32_t high = nameOffsets_.count;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        const int order = std::strcmp(key, textAt(nameTexts_, nameOffsets_.at(middle)));
        if (order == 0) {
            index = middle;
            return true;
        }
        if (order < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return false;
}

bool PSBObject::findInTrie(const char* key, uint32_t& index) const {
    const auto* bytes = reinterpret_cast<const uint8_t*>(key);
    return trieBase_.withWidth([&](auto baseWidth) {
        return trieCheck_.withWidth([&](auto checkWidth) {
            return walkTrie<baseWidth(), checkWidth()>(trieBase_, trieCheck_, bytes, index);
        });
    });
}

std::string PSBObject::getName(uint32_t index) const {
    if (usesVersion1Layout()) return textAt(nameTexts_, nameOffsets_.at(index));
    std::string name;
    uint32_t node = trieCheck_.at(trieEnds_.at(index));
    while (node != 0) {
        // A damaged dictionary may loop; no name is longer than the trie.
        if (name.size() >= trieBase_.count) psbBroken("the name dictionary loops");
        const uint32_t parent = trieCheck_.at(node);
        name.push_back(char(uint8_t(node - trieBase_.at(parent))));
        node = parent;
    }
    return std::string(name.rbegin(), name.rend());
}

// Every table the tree needs must lie before the resource data, or the copy
// would cut it off; such a document is left whole.
bool PSBObject::treeSectionsPrecedeResources() const {
    const uint8_t* cut = bytes_ + headerOffset(kResourceDataAt);
    size_t textFields[] = {kStringTextsAt, kRootAt, kNamesAt};
    for (size_t at : textFields) {
        if (bytes_ + headerOffset(at) >= cut) return false;
    }
    const PSBUIntArray* tables[] = {&stringOffsets_, &resources_.offsets, &resources_.sizes,
                                    &extras_.offsets, &extras_.sizes,     &nameOffsets_,
                                    &trieBase_,       &trieCheck_,         &trieEnds_};
    for (const PSBUIntArray* table : tables) {
        if (table->data && arrayEnd(*table) > cut) return false;
    }
    return true;
}

void PSBObject::purge() {
    if (mode_ == PSBOwnership::Purged || mode_ == PSBOwnership::OwnedFixed) return;
    if (mode_ != PSBOwnership::OwnedPurgeable && mode_ != PSBOwnership::Owned) {
        std::fputs("this psb object can't purge.", stdout);
        return;
    }
    if (!treeSectionsPrecedeResources()) return;
    const size_t treeBytes = headerOffset(kResourceDataAt);
    auto* copy = static_cast<uint8_t*>(std::malloc(treeBytes));
    if (!copy) return;
    std::memcpy(copy, bytes_, treeBytes);
    loadBlock_ = bytes_;
    bytes_ = copy;
    treeBytes_ = treeBytes;
    mode_ = PSBOwnership::Purged;
    resolveOffsets();
}

void PSBObject::releaseResourceData() {
    if (mode_ != PSBOwnership::Purged || !loadBlock_) return;
    std::free(loadBlock_);
    loadBlock_ = nullptr;
    resolveOffsets();
}
