#pragma once
// Test helpers: load bytes made by the writer as a document, and a fatal
// handler that throws so that damaged documents can be tried in-process.

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"

struct PSBFatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline void throwPSBFatal(const char* message) { throw PSBFatalError(message); }

// Installs the throwing handler for one scope.
class ThrowingPSBFatal {
public:
    ThrowingPSBFatal() : previous_(setPSBFatalHandler(throwPSBFatal)) {}
    ~ThrowingPSBFatal() { setPSBFatalHandler(previous_); }

private:
    PSBFatalHandler previous_;
};

inline std::unique_ptr<PSBObject> loadDocument(const std::vector<uint8_t>& bytes,
                                               PSBOwnership mode = PSBOwnership::Owned) {
    auto* copy = static_cast<uint8_t*>(std::malloc(bytes.size() + 1));
    if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
    return std::make_unique<PSBObject>(copy, bytes.size(), mode);
}

// A document over bytes it does not own: `bytes` must outlive it.
inline std::unique_ptr<PSBObject> borrowDocument(std::vector<uint8_t>& bytes) {
    return std::make_unique<PSBObject>(bytes.data(), bytes.size(), PSBOwnership::Borrowed);
}
