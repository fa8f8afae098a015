#include "tools/psbwriter/name_dictionary.h"

#include <deque>
#include <map>
#include <memory>

namespace psbwriter {

namespace {

struct TrieNode {
    std::map<uint8_t, std::unique_ptr<TrieNode>> children;
    uint32_t nameIndex = 0;  // for the node reached by a terminating 0
};

TrieNode buildTree(const std::vector<std::string>& names) {
    TrieNode root;
    for (uint32_t index = 0; index < names.size(); ++index) {
        TrieNode* node = &root;
        std::string path = names[index];
        path.push_back('\0');
        for (char c : path) {
            auto& child = node->children[uint8_t(c)];
            if (!child) child = std::make_unique<TrieNode>();
            node = child.get();
        }
        node->nameIndex = index;
    }
    return root;
}

class SlotTable {
public:
    explicit SlotTable(NameTrie& trie) : trie_(trie) { claim(0, 0); }

    // The lowest base (at least 1, so no walk returns to the root) whose
    // slots for all `bytes` are free.
    uint32_t findBase(const std::map<uint8_t, std::unique_ptr<TrieNode>>& bytes) {
        const uint32_t first = bytes.begin()->first;
        for (uint32_t b = std::max<uint32_t>(1, firstFree_ > first ? firstFree_ - first : 1);; ++b) {
            bool fits = true;
            for (const auto& [c, child] : bytes) {
                if (used(b + c)) {
                    fits = false;
                    break;
                }
            }
            if (fits) return b;
        }
    }

    void claim(uint32_t slot, uint32_t parent) {
        grow(slot + 1);
        used_[slot] = true;
        trie_.check[slot] = parent;
        while (firstFree_ < used_.size() && used_[firstFree_]) ++firstFree_;
    }

private:
    bool used(uint32_t slot) const { return slot < used_.size() && used_[slot]; }

    // A free slot checks as its own parent: no node can be, so no walk
    // lands on it.
    void grow(size_t slots) {
        for (size_t i = used_.size(); i < slots; ++i) {
            used_.push_back(false);
            trie_.base.push_back(0);
            trie_.check.push_back(uint32_t(i));
        }
    }

    NameTrie& trie_;
    std::vector<bool> used_;
    uint32_t firstFree_ = 0;
};

}  // namespace

NameTrie buildNameTrie(const std::vector<std::string>& names) {
    NameTrie trie;
    trie.ends.resize(names.size());
    const TrieNode root = buildTree(names);
    SlotTable slots(trie);
    trie.base[0] = 1;  // with no names, every walk from the root fails

    std::deque<std::pair<const TrieNode*, uint32_t>> pending{{&root, 0}};
    while (!pending.empty()) {
        const auto [node, slot] = pending.front();
        pending.pop_front();
        if (node->children.empty()) continue;
        const uint32_t b = slots.findBase(node->children);
        trie.base[slot] = b;
        for (const auto& [c, child] : node->children) {
            slots.claim(b + c, slot);
            if (c == 0) {
                trie.base[b + c] = child->nameIndex;
                trie.ends[child->nameIndex] = b + c;
            } else {
                pending.emplace_back(child.get(), b + c);
            }
        }
    }
    return trie;
}

}  // namespace psbwriter
