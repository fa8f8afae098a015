#pragma once
// The name dictionaries of PSB documents. Names are numbered in byte-wise
// sorted order in every version, so an object's entries (stored by ascending
// name index) also come in text order.

#include <cstdint>
#include <string>
#include <vector>

namespace psbwriter {

// The double-array trie of versions 2 and later. From node n the byte c
// leads to base[n] + c when check[base[n] + c] == n; each name's walk ends
// with its terminating 0 byte on a node whose base is the name's index, and
// ends[index] is that node.
struct NameTrie {
    std::vector<uint32_t> base;
    std::vector<uint32_t> check;
    std::vector<uint32_t> ends;
};

// `names` sorted byte-wise, without duplicates.
NameTrie buildNameTrie(const std::vector<std::string>& names);

}  // namespace psbwriter
