#pragma once
// One loaded PSB document: a read-only tree of typed values read in place from
// the document's bytes (PSBValue reads them). Loading checks the header's
// offsets and tables against the document's size, and every later read is
// bounds-checked, so a damaged document ends in a clear fatal message
// (psb_fatal.h) rather than a wild read.
//
// Threads: after construction a document may be read from any number of
// threads at once. purge and releaseResourceData change it and must not
// overlap any read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/data/psb_uint_array.h"

class PSBValue;

// Who frees the bytes and whether the tree may be split from the resources.
enum class PSBOwnership : int32_t {
    OwnedPurgeable = 0,
    Borrowed = 1,  // never freed by the document; purging is refused
    Owned = 2,     // owned, purgeable: what a loaded file gets
    Purged = 3,    // the tree lives in a private copy; resources in the load block
    OwnedFixed = 4,  // owned; purging does nothing
};

class PSBObject {
public:
    // Takes the bytes (from malloc) and their size; mode Owned.
    PSBObject(uint8_t* bytes, size_t size);
    PSBObject(uint8_t* bytes, size_t size, PSBOwnership mode);
    virtual ~PSBObject();
    PSBObject(const PSBObject&) = delete;
    PSBObject& operator=(const PSBObject&) = delete;

    bool findNameIndex(const char* key, uint32_t& index) const;
    std::string getName(uint32_t index) const;

    // Moves the tree into a private copy of the bytes before the resource
    // data; resources stay readable in the load block until
    // releaseResourceData frees it.
    void purge();
    void releaseResourceData();

    PSBValue root() const;
    const uint8_t* rootPointer() const { return root_; }
    uint16_t version() const { return version_; }
    uint16_t flags() const { return flags_; }
    PSBOwnership ownership() const { return mode_; }
    size_t size() const { return size_; }

    // For PSBValue: the end of the block that holds `p` (the tree, or the
    // load block still held after a purge); a pointer in neither is fatal.
    const uint8_t* regionEnd(const uint8_t* p) const;
    bool usesVersion1Layout() const { return version_ == 1; }
    // Text of a string index; fatal when the index or the text is out of bounds.
    const char* stringAt(uint32_t index) const;
    bool hasStrings() const { return stringOffsets_.count > 0; }
    // A resource's bytes (null once released or when there is no such
    // section) and size; an index or extent out of bounds is fatal.
    const uint8_t* resourceData(uint32_t index, bool extra) const;
    uint32_t resourceSize(uint32_t index, bool extra) const;

private:
    struct ResourceTable {
        PSBUIntArray offsets;
        PSBUIntArray sizes;
        const uint8_t* data = nullptr;
        size_t bytes = 0;  // from data to the end of the block holding it
    };

    void parseHeader();
    void resolveOffsets();
    uint32_t headerOffset(size_t at) const;
    const uint8_t* section(size_t at) const;
    PSBUIntArray tableAt(size_t at) const;
    void resolveResources(ResourceTable& table, size_t offsetsAt);
    bool treeSectionsPrecedeResources() const;
    uint32_t checkedResource(const ResourceTable& table, uint32_t index) const;
    bool findInSortedNames(const char* key, uint32_t& index) const;
    bool findInTrie(const char* key, uint32_t& index) const;
    const char* textAt(const uint8_t* base, uint32_t offset) const;

    uint8_t* bytes_;
    std::array<uint8_t, 56> header_{};
    size_t headerSize_ = 0;
    size_t size_;
    PSBOwnership mode_;
    uint16_t version_ = 0;
    uint16_t flags_ = 2;

    PSBUIntArray nameOffsets_;  // version 1
    const uint8_t* nameTexts_ = nullptr;
    PSBUIntArray trieBase_, trieCheck_, trieEnds_;  // later versions
    PSBUIntArray stringOffsets_;
    const uint8_t* stringTexts_ = nullptr;
    ResourceTable resources_;
    ResourceTable extras_;  // version 4 only
    const uint8_t* root_ = nullptr;

    // After a purge: the block the document was loaded in, still holding the
    // resource data until releaseResourceData.
    uint8_t* loadBlock_ = nullptr;
    size_t treeBytes_;  // length of the block at bytes_
};
