// Any bytes given to the PNG decoder: it either refuses them or gives a
// buffer of exactly width x height x 4 bytes. A refusal is logged to
// "Log.txt", which the fuzzer's own folder sends nowhere.
#include <cstdlib>

#include "game/core/png_decode.h"
#include "tests/support/fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFolder& folder = fuzzFolder("halvir_png_fuzz");
    (void)folder;
    std::vector<uint8_t> pixels;
    size_t bytes = 0;
    uint32_t width = 0, height = 0;
    int bits = 0;
    if (pngDecodeFromMemory(data, size, pixels, bytes, width, height, bits) &&
        (pixels.size() != size_t(width) * height * 4 || bytes != pixels.size() || (bits != 24 && bits != 32))) {
        std::abort();
    }
    return 0;
}
