// Writes the configuration fuzzer's seed texts into the folder given: the
// window settings the program carries, small odd texts, and a long one.
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
    // A text of real size: many keys, lists, numbers and comments.
    std::string large = "// window and resource settings\n";
    for (int i = 0; i < 150; ++i) {
        large += "KEY_" + std::to_string(i) + " = " + std::to_string(i * 37) + ", " + std::to_string(i) +
                 ".25, name_" + std::to_string(i) + (i % 7 == 0 ? " // note\n" : "\n");
        if (i % 50 == 0) large += "# part " + std::to_string(i / 50) + "\r\n";
    }
    const std::string_view seeds[] = {
        large,
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
