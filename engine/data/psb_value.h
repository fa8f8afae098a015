#pragma once
// A light reference to one value inside a PSB document: the document and the
// value's type byte. Every typed read goes through it, in place. A
// default-constructed value has no document and reads as null.
//
// Threads: a plain copyable value; reading is safe from any thread as long as
// its document lives and is not being purged.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/data/psb_kind.h"

class PSBObject;

class PSBValue {
public:
    PSBValue() = default;
    PSBValue(const PSBObject* document, const uint8_t* value) : doc_(document), p_(value) {}

    int getType() const;  // a PSBType
    PSBKind kind() const;

    bool toBool() const;
    int32_t toInt() const;
    int64_t toLong() const;
    float toFloat() const;
    // The value at full precision (a double stays a double).
    double toDouble() const;
    // The text of a string; any other value gives the text of string 0.
    const char* toString() const;

    const uint8_t* getResourceData() const;
    uint32_t getResourceSize() const;

    // Number of elements of a list or entries of an object; 0 otherwise.
    uint32_t getCount() const;
    PSBValue at(uint32_t index) const;

    void getKeys(std::vector<std::string>& keys) const;
    bool find(const char* key, PSBValue& value) const;
    bool find(const std::string& key, PSBValue& value) const { return find(key.c_str(), value); }
    // A missing key is fatal; use find where a key may be absent.
    PSBValue get(const std::string& key) const { return get(key.c_str()); }
    PSBValue get(const char* key) const;
    PSBValue operator[](const char* key) const { return get(key); }

    const PSBObject* document() const { return doc_; }
    const uint8_t* pointer() const { return p_; }

private:
    const uint8_t* payload() const;
    int64_t integer() const;
    uint32_t index() const;

    const PSBObject* doc_ = nullptr;
    const uint8_t* p_ = nullptr;
};
