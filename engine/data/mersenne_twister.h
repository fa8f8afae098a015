#pragma once
// The MT19937 random generator, producing the reference generator's exact
// sequence for the same initialisation. The engine seeds it from the seed
// pool (mtInitByArray) and derives the data-file key stream from it.
//
// Threads: a generator belongs to one thread.

#include <cstddef>
#include <cstdint>
#include <memory>

struct MTGenerator {
    static constexpr uint32_t kWords = 624;
    // Allocated by the first initialisation and reused by every later one.
    std::unique_ptr<uint32_t[]> state;
    uint32_t index = 0;  // the state word produced next
};

void mtInitGenrand(MTGenerator& generator, uint32_t seed);
// The reference generator's init_by_array.
void mtInitByArray(MTGenerator& generator, const uint32_t* key, size_t length);
// init_by_array over the 624 words of the seed generator's pool.
void mtInitByArray(MTGenerator& generator);
// The next output. A generator never initialised is first seeded with 5489,
// as the reference generator does.
uint32_t mtGenrand(MTGenerator& generator);
void mtDestroy(MTGenerator& generator);
