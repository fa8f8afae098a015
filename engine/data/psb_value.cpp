#include "engine/data/psb_value.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_uint_array.h"

namespace {

constexpr uint8_t kTrue = 2;

// Out-of-range and NaN conversions give the lowest number, as the
// processor's truncating conversion does, instead of undefined behaviour.
template <typename Int>
Int truncateToward0(double v) {
    constexpr double low = double(std::numeric_limits<Int>::min());
    if (!(v >= low && v < -low)) return std::numeric_limits<Int>::min();
    return Int(v);
}

float readSingle(const uint8_t* p) {
    const uint32_t bits = uint32_t(psbReadUnsigned(p, 4));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double readDouble(const uint8_t* p) {
    const uint64_t bits = psbReadUnsigned(p, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

PSBKind PSBValue::kind() const {
    if (!doc_) return PSBKind::Null;
    doc_->regionEnd(p_);
    return psbKindOf(*p_);
}

int PSBValue::getType() const {
    switch (kind()) {
    case PSBKind::Null: return kPSBNull;
    case PSBKind::Bool: return kPSBBool;
    case PSBKind::Int:
    case PSBKind::Long: return kPSBInteger;
    case PSBKind::Float:
    case PSBKind::Double: return kPSBFloat;
    case PSBKind::String: return kPSBString;
    case PSBKind::Resource:
    case PSBKind::ExtraResource: return kPSBResource;
    case PSBKind::List: return kPSBList;
    case PSBKind::Object: return kPSBObject;
    default: psbFatal("psb: internal error: unknown internal type detected.\n");
    }
}

// The bytes after the type byte, checked to lie inside the document.
const uint8_t* PSBValue::payload() const {
    const uint8_t* end = doc_->regionEnd(p_);
    if (size_t(end - p_) < psbEncodedLength(*p_)) psbBroken("a value runs past the end");
    return p_ + 1;
}

int64_t PSBValue::integer() const {
    const uint32_t bytes = psbPayloadBytes(*p_);
    uint64_t value = psbReadUnsigned(payload(), bytes);
    if (bytes > 0 && bytes < 8 && (value >> (8 * bytes - 1)) & 1) value |= ~uint64_t(0) << (8 * bytes);
    return int64_t(value);
}

uint32_t PSBValue::index() const { return uint32_t(psbReadUnsigned(payload(), psbPayloadBytes(*p_))); }

bool PSBValue::toBool() const {
    switch (kind()) {
    case PSBKind::Bool: return *p_ == kTrue;
    case PSBKind::Int:
    case PSBKind::Long: return integer() != 0;
    case PSBKind::Float:
    case PSBKind::Double: return toDouble() != 0.0;
    default: psbFatal("psb: can't convert value to bool.\n");
    }
}

int32_t PSBValue::toInt() const {
    switch (kind()) {
    case PSBKind::Bool: return *p_ == kTrue;
    case PSBKind::Int:
    case PSBKind::Long: return int32_t(uint32_t(uint64_t(integer())));
    case PSBKind::Float:
    case PSBKind::Double: return truncateToward0<int32_t>(toDouble());
    default: psbFatal("psb: can't convert value to int.\n");
    }
}

int64_t PSBValue::toLong() const {
    switch (kind()) {
    case PSBKind::Bool: return *p_ == kTrue;
    case PSBKind::Int:
    case PSBKind::Long: return integer();
    case PSBKind::Float:
    case PSBKind::Double: return truncateToward0<int64_t>(toDouble());
    default: psbFatal("psb: can't convert value to long int.\n");
    }
}

float PSBValue::toFloat() const {
    switch (kind()) {
    case PSBKind::Bool:
    case PSBKind::Int:
    case PSBKind::Long:
    case PSBKind::Float:
    case PSBKind::Double: return float(toDouble());
    default: psbFatal("psb: can't convert value to float.\n");
    }
}

double PSBValue::toDouble() const {
    switch (kind()) {
    case PSBKind::Bool: return *p_ == kTrue ? 1.0 : 0.0;
    case PSBKind::Int:
    case PSBKind::Long: return double(integer());
    case PSBKind::Float: return psbPayloadBytes(*p_) == 0 ? 0.0 : readSingle(payload());
    case PSBKind::Double: return readDouble(payload());
    default: psbFatal("psb: can't convert value to float.\n");
    }
}

const char* PSBValue::toString() const {
    if (kind() == PSBKind::String) return doc_->stringAt(index());
    if (!doc_ || !doc_->hasStrings()) return "";
    return doc_->stringAt(0);
}

const uint8_t* PSBValue::getResourceData() const {
    const PSBKind k = kind();
    if (k != PSBKind::Resource && k != PSBKind::ExtraResource) return nullptr;
    return doc_->resourceData(index(), k == PSBKind::ExtraResource);
}

uint32_t PSBValue::getResourceSize() const {
    const PSBKind k = kind();
    if (k != PSBKind::Resource && k != PSBKind::ExtraResource) return 0;
    return doc_->resourceSize(index(), k == PSBKind::ExtraResource);
}

namespace {

// A value at `offset` past `base`; both it and `base` lie in the block of
// `owner`, which ends at `end`.
PSBValue elementAt(const PSBObject* doc, const uint8_t* owner, const uint8_t* end, const uint8_t* base,
                   uint32_t offset) {
    const uint64_t at = uint64_t(base - owner) + offset;
    if (at >= uint64_t(end - owner)) psbBroken("a value lies past the end");
    return PSBValue(doc, owner + at);
}

// The entries of an object, parsed once per lookup. Later versions: sorted
// name indices, then value offsets. Version 1: entry offsets, each entry a
// name index followed by its value.
class ObjectEntries {
public:
    ObjectEntries(const PSBObject* doc, const uint8_t* p)
        : doc_(doc), p_(p), end_(doc->regionEnd(p)), version1_(doc->usesVersion1Layout()) {
        first_.init(p + 1, end_);
        if (!version1_) offsets_.init(p + 1 + first_.size, end_);
    }

    uint32_t count() const { return first_.count; }

    // The entry named `wanted`, or count() when there is none.
    uint32_t search(uint32_t wanted) const {
        uint32_t entry;
        if (version1_) {
            entry = lowerBound(wanted, [this](uint32_t i) { return name(i); });
        } else {
            entry = first_.withWidth([&](auto width) {
                constexpr uint32_t kWidth = width();
                return lowerBound(wanted, [this](uint32_t i) { return first_.at<kWidth>(i); });
            });
        }
        return entry < count() && name(entry) == wanted ? entry : count();
    }

    uint32_t name(uint32_t entry) const {
        if (!version1_) return first_.at(entry);
        const PSBValue key = leadingKey(entry);
        return uint32_t(psbReadUnsigned(key.pointer() + 1, psbPayloadBytes(*key.pointer())));
    }

    PSBValue value(uint32_t entry) const {
        if (!version1_) return elementAt(doc_, p_, end_, p_ + 1 + first_.size + offsets_.size, offsets_.at(entry));
        const PSBValue key = leadingKey(entry);
        return elementAt(doc_, p_, end_, key.pointer(), psbEncodedLength(*key.pointer()));
    }

private:
    // Without a branch on each comparison: the outcome of a name search is
    // unpredictable, and a mispredicted branch costs more than the compare.
    template <class Name>
    uint32_t lowerBound(uint32_t wanted, Name nameAt) const {
        uint32_t base = 0;
        uint32_t n = count();
        if (n == 0) return 0;
        while (n > 1) {
            const uint32_t half = n / 2;
            base = nameAt(base + half) < wanted ? base + half : base;
            n -= half;
        }
        return base + (nameAt(base) < wanted ? 1 : 0);
    }

    PSBValue leadingKey(uint32_t entry) const {
        const PSBValue key = elementAt(doc_, p_, end_, p_ + 1 + first_.size, first_.at(entry));
        if (psbKindOf(*key.pointer()) != PSBKind::Key) psbBroken("an object entry has no name");
        if (size_t(end_ - key.pointer()) < psbEncodedLength(*key.pointer())) psbBroken("a value runs past the end");
        return key;
    }

    const PSBObject* doc_;
    const uint8_t* p_;
    const uint8_t* end_;
    bool version1_;
    PSBUIntArray first_;
    PSBUIntArray offsets_;
};

}  // namespace

uint32_t PSBValue::getCount() const {
    const PSBKind k = kind();
    if (k == PSBKind::List) {
        PSBUIntArray offsets;
        offsets.init(p_ + 1, doc_->regionEnd(p_));
        return offsets.count;
    }
    return k == PSBKind::Object ? ObjectEntries(doc_, p_).count() : 0;
}

PSBValue PSBValue::at(uint32_t i) const {
    if (kind() != PSBKind::List) psbBroken("a list was expected");
    const uint8_t* end = doc_->regionEnd(p_);
    PSBUIntArray offsets;
    offsets.init(p_ + 1, end);
    return elementAt(doc_, p_, end, p_ + 1 + offsets.size, offsets.at(i));
}

void PSBValue::getKeys(std::vector<std::string>& keys) const {
    keys.clear();
    if (kind() != PSBKind::Object) return;
    const ObjectEntries entries(doc_, p_);
    for (uint32_t i = 0; i < entries.count(); ++i) keys.push_back(doc_->getName(entries.name(i)));
}

bool PSBValue::find(const char* key, PSBValue& value) const {
    if (kind() != PSBKind::Object) return false;
    uint32_t wanted;
    if (!doc_->findNameIndex(key, wanted)) return false;
    const ObjectEntries entries(doc_, p_);
    const uint32_t entry = entries.search(wanted);
    if (entry == entries.count()) return false;
    value = entries.value(entry);
    return true;
}

PSBValue PSBValue::get(const char* key) const {
    PSBValue value;
    if (!find(key, value)) psbFatal("psb: undefined object key '%s' is referenced.", key);
    return value;
}
