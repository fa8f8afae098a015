#pragma once
// Hands out sound ids: 28 bits, counting up from 1 and wrapping to 0, skipping
// ids still in use.

#include <cstdint>

class MSoundIdCounter {
public:
    static constexpr int32_t kMask = 0x0FFFFFFF;

    explicit MSoundIdCounter(int32_t last = 0) : last_(last) {}

    template <class InUse>
    int32_t next(const InUse& inUse) {
        do {
            last_ = (last_ + 1) & kMask;
        } while (inUse(last_));
        return last_;
    }

private:
    int32_t last_;
};
