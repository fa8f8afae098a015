// Any bytes as "config.txt", "save.dat" or a ranking file (the first byte
// chooses): loading and saving them again must neither fault nor leave a
// setting, word or record the loaders can't write back. The files lie in the
// fuzzer's folder in memory (support/fuzz_folder.h); the log lines go to one
// stream opened once, and the ranking tables and their bytes are kept from
// input to input (a decode writes every record), so an input costs neither
// file opens per line nor fresh pages for 183 KB buffers.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "game/core/wheel_log.h"
#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block.h"
#include "game/records/settings_file.h"
#include "tests/support/fuzz_folder.h"

namespace {

const std::string& fuzzRoot() {
    static const std::string root = [] {
        const std::string folder = fuzzFolder("halvir_records_fuzz").root();
        setAppRootFolder(folder);
        static std::FILE* const sink = std::fopen("/dev/null", "w");
        SDL2_wheel_SetLogSink(sink);
        return folder;
    }();
    return root;
}

struct RecordsFuzzRanking {
    RankingTable table;
    RankingTable again;
    std::string bytes;
    std::string bytesAgain;
};

RecordsFuzzRanking& recordsFuzzRanking() {
    static const auto ranking = std::make_unique<RecordsFuzzRanking>();
    return *ranking;
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  std::streamsize(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string& root = fuzzRoot();
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
            // The bytes as rankingLoadOrInit hands them on from the file
            // (which it reads whole), decoded in memory.
            RecordsFuzzRanking& r = recordsFuzzRanking();
            rankingDecode(r.table, data + 1, size - 1);
            for (const RankingRecord& record : r.table.records) {
                if (record.name[255] != '\0') std::abort();
                rankingTypeLabel(record.leaderType);
            }
            rankingEncode(r.table, r.bytes);
            rankingDecode(r.again, reinterpret_cast<const uint8_t*>(r.bytes.data()), r.bytes.size());
            rankingEncode(r.again, r.bytesAgain);
            if (r.bytesAgain != r.bytes) std::abort();
            break;
        }
    }
    return 0;
}
