#pragma once
// The engine's configuration text: lines of KEY = VALUE with "//" and "#"
// comments, parsed into a table of keys, each with its list of values.
//
// Threads: a table is built and read on the main thread during start-up; after
// that it is only read.

#include <string>
#include <string_view>
#include <vector>

class MResCfg {
public:
    struct Entry {
        std::string key;
        std::vector<std::string> values;  // never empty; the getters read the first
    };

    virtual ~MResCfg() = default;

    // (Re)reads the table from the loader's source.
    virtual bool load() = 0;

    // Adds the text's entries to the table. A key met again keeps its first
    // value in front, so within one text the first occurrence wins.
    void parse(std::string_view text);

    // Index of the entry with exactly this key, or -1.
    int find(std::string_view key) const;
    // The key's first value, or null when the key is absent.
    const char* getString(std::string_view key) const;
    // The first value read as atoi reads it (out-of-range numbers clamp); 0 when absent.
    int getInt(std::string_view key) const;
    // The first value read as atof reads it, narrowed; 0.0 when absent.
    float getFloat(std::string_view key) const;

    // Lays other over this table: a key of both takes other's whole value
    // list, other keys of other are appended in order.
    void merge(const MResCfg& other);

    const std::vector<Entry>& entries() const { return entries_; }

private:
    void store(const std::string& key, std::string value);

    std::vector<Entry> entries_;
};
