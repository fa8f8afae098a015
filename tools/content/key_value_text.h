#pragma once
// The key=value texts the game reads (settings, cue frames, volumes): one
// "KEY=value" line a key, each ended by a line feed. The game takes the
// first line that holds a key anywhere in it, so a key must never occur in
// a line before its own; the writer refuses such an order.
//
// Threads: plain functions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/content/content_context.h"

namespace content {

struct KeyValue {
    std::string key;
    int64_t value = 0;
};

// The text of the entries in their order; throws ContentError (naming the
// file) for a key whose first matching line is another key's.
std::string formatKeyValueText(const std::vector<KeyValue>& entries, std::string_view file);

// The entries of a content file of "KEY=value" lines (keys of capitals,
// digits and "_", values whole numbers, at least `minimum`), each key once.
std::vector<KeyValue> readKeyValueContent(const ContentContext& context, std::string_view file, int64_t minimum);

}  // namespace content
