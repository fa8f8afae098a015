// libFuzzer target: loads any bytes as a PSB document and reads all of it.
// A damaged document must end in the reader's fatal message (thrown here so
// the run goes on), never in a read outside the document.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"

namespace {

struct Fatal {};

void throwFatal(const char*) { throw Fatal{}; }

// Lists may share elements, so the walk is bounded in values as well as depth.
struct Walk {
    int budget = 4000;
    size_t textBytes = 0;

    void read(const PSBValue& value, int depth) {
        if (--budget < 0 || depth > 64) return;
        switch (value.getType()) {
        case kPSBBool:
        case kPSBInteger:
        case kPSBFloat:
            value.toBool();
            value.toInt();
            value.toLong();
            value.toFloat();
            break;
        case kPSBString: textBytes += std::strlen(value.toString()); break;
        case kPSBResource: readResource(value); break;
        case kPSBList:
            for (uint32_t i = 0; i < value.getCount() && budget > 0; ++i) read(value.at(i), depth + 1);
            break;
        case kPSBObject: readObject(value, depth); break;
        default: break;
        }
    }

    void readResource(const PSBValue& value) {
        const uint8_t* data = value.getResourceData();
        const uint32_t size = value.getResourceSize();
        volatile uint8_t sink = 0;
        if (data && size) sink = data[0] ^ data[size - 1];
        (void)sink;
    }

    void readObject(const PSBValue& value, int depth) {
        std::vector<std::string> keys;
        value.getKeys(keys);
        for (const std::string& key : keys) {
            PSBValue found;
            if (value.find(key, found)) read(found, depth + 1);
            if (budget <= 0) return;
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = (setPSBFatalHandler(throwFatal), true);
    (void)installed;
    auto* bytes = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(bytes, data, size);
    try {
        const auto doc = std::make_unique<PSBObject>(bytes, size);
        Walk{}.read(doc->root(), 0);
        doc->purge();
        Walk{}.read(doc->root(), 0);
        doc->releaseResourceData();
        Walk{}.read(doc->root(), 0);
    } catch (const Fatal&) {
    }
    return 0;
}
