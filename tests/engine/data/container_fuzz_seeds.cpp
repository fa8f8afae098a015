// Writes the container fuzzer's seed corpus, each behind its selector byte:
// containers our packer made with the game's key (a document with a texture,
// and an empty one), and archive documents over the fixed data file
// (container_fuzz_data.h): its real members, one with an expiry suffix,
// slices at its end and past it, and a member kept open.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tests/engine/data/container_fuzz_data.h"

namespace {

using psbwriter::List;
using psbwriter::Object;

std::vector<uint8_t> archive(const std::vector<containerfuzz::Member>& members) {
    Object info;
    for (const containerfuzz::Member& m : members) info[m.name] = List{int64_t(m.offset), int64_t(m.size)};
    return psbwriter::writePsb(Object{
        {"id", "archive"}, {"version", 1.0f}, {"file_info", info}, {"expire_suffix_list", List{".1", ".2"}}});
}

void writeSeed(const std::filesystem::path& file, uint8_t selector, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.put(char(selector));
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: container_fuzz_seeds CORPUS_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const psbwriter::ContainerKey key;
    writeSeed(folder / "container_image", 0,
              psbwriter::packContainer(containerfuzz::imageDocument(7), key, containerfuzz::kContainerFile));
    writeSeed(folder / "container_empty", 0,
              psbwriter::packContainer(psbwriter::writePsb(Object{}), key, containerfuzz::kContainerFile));
    std::vector<containerfuzz::Member> members;
    const std::vector<uint8_t> data = containerfuzz::dataFile(members);
    writeSeed(folder / "archive_members", 1, archive(members));
    writeSeed(folder / "archive_kept_open", 3, archive(members));
    const uint64_t end = data.size();
    writeSeed(folder / "archive_edges", 1,
              archive({{"end.psb", end, 0}, {"tail.psb", end - 4, 4}, {"past.psb", end - 4, 8},
                       {"far.psb", end + 64, 1}}));
    return 0;
}
