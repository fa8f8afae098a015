// Writes the PNG fuzzer's seed images into the folder given.
#include <png.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/game/core/png_fixture.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    const std::vector<uint8_t> seeds[] = {
        makePng(3, 2, PNG_COLOR_TYPE_RGB),         makePng(5, 4, PNG_COLOR_TYPE_RGBA),
        makePng(9, 9, PNG_COLOR_TYPE_RGBA, 8, true), makePng(4, 4, PNG_COLOR_TYPE_PALETTE),
        makePng(2, 2, PNG_COLOR_TYPE_GRAY),        makePng(2, 2, PNG_COLOR_TYPE_RGB, 16),
        // Of the size of the game's sprite sheets, whose rows span many
        // compressed blocks.
        makePng(256, 128, PNG_COLOR_TYPE_RGBA),     makePng(96, 80, PNG_COLOR_TYPE_RGB, 16, true),
        makePng(128, 128, PNG_COLOR_TYPE_PALETTE),
    };
    int index = 0;
    for (const auto& seed : seeds) {
        std::ofstream(folder / ("seed_" + std::to_string(index++)), std::ios::binary)
            .write(reinterpret_cast<const char*>(seed.data()), std::streamsize(seed.size()));
    }
    return 0;
}
