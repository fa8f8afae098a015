// Writes the user-reply fuzzer's seeds into the folder given: a full reply
// with every savedata key, one with a non-ASCII name and odd numbers, and a
// control status.
#include <filesystem>
#include <fstream>
#include <string>

#include "game/records/user_data.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    std::string savedata;
    for (const SaveDataKey& key : saveDataKeys) {
        if (!savedata.empty()) savedata += ',';
        savedata += '"' + std::string(key.name) + "\":\"12\"";
    }
    const std::string seeds[] = {
        R"({"control":{"online":0,"seq_id":"","token":"t"},"user":{"name":"ACE","savedata":{)" + savedata +
            R"(},"user_id":42}})",
        "{\"user\":{\"name\":\"\xE3\x82\xA2\xFF\",\"savedata\":{\"stage_nov_a\":\"4294967297\","
        "\"config_sound\":\" -3x\"},\"user_id\":4294967295}}",
        R"({"control":{"online":1}})",
    };
    int index = 0;
    for (const std::string& seed : seeds) {
        std::ofstream(folder / ("seed_" + std::to_string(index++)), std::ios::binary) << seed;
    }
    return 0;
}
