// Writes the PSB fuzzer's seed corpus: small documents of every version
// holding every kind of value, and two of a real document's size. Run with
// the corpus folder as its argument.
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

// Of the size of a real document: many names sharing prefixes, long lists
// of numbers of every width, texts, resources and deep nesting.
Value large() {
    Object object;
    for (int i = 0; i < 100; ++i) {
        List numbers;
        for (int j = 0; j < 20; ++j) numbers.push_back(int64_t(j) << (i % 48));
        object["entry_" + std::to_string(i)] = Object{{"numbers", numbers}, {"name", "text " + std::to_string(i)},
                                                       {"scale", float(i) / 3.0f}};
    }
    object["pixels"] = Resource{std::vector<uint8_t>(8192, 0x5A)};
    Value nested = Object{{"leaf", true}};
    for (int depth = 0; depth < 40; ++depth) nested = List{nested, depth};
    object["nested"] = nested;
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
    for (uint16_t version : {2, 4}) {
        const auto bytes = psbwriter::writePsb(large(), {version, 0, 3});
        std::ofstream(folder / ("large_v" + std::to_string(version) + ".psb"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    return 0;
}
