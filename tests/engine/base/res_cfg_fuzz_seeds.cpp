// Writes the configuration fuzzer's seed texts into the folder given.
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "engine/base/text_resources.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    const std::string_view seeds[] = {
        findTextResource(kWindowConfigResourceId),
        "A\nB = 1\nC = 2\n",
        "CAPTION =\nX = 5",
        "K \t=\t a=b/c // note\r\n# line\r\n= 5\r\nW = 1.5e3",
    };
    int index = 0;
    for (std::string_view seed : seeds) {
        std::ofstream(folder / ("seed_" + std::to_string(index++)), std::ios::binary) << seed;
    }
    return 0;
}
