// Writes the PSB fuzzer's seed corpus: small documents of every version
// holding every kind of value. Run with the corpus folder as its argument.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/psbwriter/psb_writer.h"

using psbwriter::List;
using psbwriter::Object;
using psbwriter::Resource;
using psbwriter::Value;

namespace {

Value sample(bool extras) {
    Object object;
    object["null"] = Value();
    object["flags"] = List{true, false};
    object["numbers"] = List{0, -1, 300, int64_t(1) << 40, 0.0f, 2.5f, 1e100};
    object["text"] = List{"a", "bb", "a", ""};
    object["resource"] = Resource{{1, 2, 3, 4}};
    object["nested"] = List{Object{{"k", List{Object{}}}}, List{}};
    object["ab"] = 1;
    object["abc"] = 2;
    if (extras) object["extra"] = Resource{{5, 6}, true};
    return object;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: psb_fuzz_seeds CORPUS_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (uint16_t version : {1, 2, 3, 4}) {
        for (uint32_t indexBytes : {1u, 3u}) {
            const auto bytes = psbwriter::writePsb(sample(version == 4), {version, 0, indexBytes});
            const auto name = "v" + std::to_string(version) + "_i" + std::to_string(indexBytes) + ".psb";
            std::ofstream(folder / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
    }
    return 0;
}
