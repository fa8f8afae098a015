#pragma once
// Writes a tree of values as a PSB document of version 1 to 4: header, name
// dictionary (a sorted name list for version 1, a double-array trie later),
// string table, resource tables, the value tree, then the resource data and
// (version 4) the extra resource data. Every integer takes the fewest bytes
// that hold it; strings are stored once however often they occur.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tools/psbwriter/psb_tree.h"

namespace psbwriter {

struct WriteOptions {
    uint16_t version = 3;  // 0 is written like 2; above 4 like 4
    uint16_t flags = 0;    // stored from version 3 on
    // Name, string and resource indices, and the elements of packed arrays,
    // take at least this many bytes (1 to 4), to produce the wider encodings
    // without millions of entries.
    uint32_t minimumIndexBytes = 1;
};

// Thrown for a tree that the version cannot hold (extra resources below
// version 4) or options out of range.
struct WriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<uint8_t> writePsb(const Value& root, const WriteOptions& options = {});

}  // namespace psbwriter
