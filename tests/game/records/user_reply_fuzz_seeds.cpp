// Writes the user-reply fuzzer's seeds into the folder given: a full reply
// with every savedata key, one with a non-ASCII name and odd numbers, a
// control status, and one of real size with escapes and skipped members.
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
    // A reply of real size: every key with long values, escaped texts and
    // members the reader skips, nested.
    std::string large = R"({"control":{"online":0,"seq_id":"seq-77","token":"tok"},"extra":[)";
    for (int i = 0; i < 40; ++i) large += (i ? "," : "") + std::string(R"({"k":[1,2.5,-3e2,true,null,"\u00e9"]})");
    large += R"(],"user":{"name":"\u30a2\u30a4\"\\","savedata":{)";
    for (const SaveDataKey& key : saveDataKeys) large += '"' + std::string(key.name) + "\":\"9223372036854775807\",";
    large += R"("unknown":"x"},"user_id":7}})";
    const std::string seeds[] = {
        large,
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
