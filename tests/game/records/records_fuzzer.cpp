// Any bytes as "config.txt", "save.dat" or a ranking file (the first byte
// chooses): loading and saving them again must neither fault nor leave a
// setting, word or record the loaders can't write back.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block.h"
#include "game/records/settings_file.h"

namespace {

// The fuzzer's own folder, removed when the process ends.
struct FuzzFolder {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("halvir_records_fuzz_" + std::to_string(getpid()));
    FuzzFolder() {
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);  // "Log.txt" goes here too
        setAppRootFolder(folder.string());
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::current_path(folder.parent_path(), ignored);
        std::filesystem::remove_all(folder, ignored);
    }
};

const std::string& fuzzRoot() {
    static const FuzzFolder fuzzFolder;
    static const std::string root = fuzzFolder.folder.string() + "/";
    return root;
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  std::streamsize(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string& root = fuzzRoot();
    std::filesystem::remove(root + "Log.txt");
    switch (data[0] % 3) {
        case 0:
            writeFile(root + kConfigFile, data + 1, size - 1);
            configLoad();
            if (gameSettings.BG_BRIGHTNESS > 10 || gameSettings.SOUNDTYPE > 2) std::abort();
            configSave();
            break;
        case 1:
            writeFile(root + kSaveDataFile, data + 1, size - 1);
            // Only a whole block is taken; any other size is kept aside.
            if (saveDataRead(root + kSaveDataFile) != (size - 1 == kSaveBlockBytes ? kSaveBlockWords : -1)) std::abort();
            saveDataAdvancePlayTime();
            break;
        default: {
            writeFile(root + kRankingAllFile, data + 1, size - 1);
            auto table = rankingLoadOrInit(root + kRankingAllFile);
            for (const RankingRecord& record : table->records) {
                if (record.name[255] != '\0') std::abort();
                rankingTypeLabel(record.leaderType);
            }
            RankingTable again;
            const std::string bytes = rankingEncode(*table);
            rankingDecode(again, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            if (rankingEncode(again) != bytes) std::abort();
            break;
        }
    }
    return 0;
}
