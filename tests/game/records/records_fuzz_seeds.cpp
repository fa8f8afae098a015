// Writes the records fuzzer's seeds into the folder given: a settings text,
// a save block and a default ranking file, each behind its selector byte.
#include <filesystem>
#include <fstream>
#include <string>

#include "game/records/ranking_file.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    RankingTable table;
    rankingInitDefaults(table);
    std::string save(4096, '\0');
    save[12] = 5;
    save[16] = char(0xEA);
    save[17] = 0x07;
    const std::string seeds[] = {
        std::string(1, '\0') + "; settings\nSOUND_OUT=0\nBG_BRIGHTNESS=25\nFPS_DISP=-1\nDISP_SCALE_X=80abc\nX= 1",
        std::string(1, '\1') + save,
        std::string(1, '\2') + rankingEncode(table),
    };
    int index = 0;
    for (const std::string& seed : seeds) {
        std::ofstream(folder / ("seed_" + std::to_string(index++)), std::ios::binary) << seed;
    }
    return 0;
}
