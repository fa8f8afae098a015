#pragma once
// The archive data file the container fuzzer mounts its archive documents
// over, and the archives its seeds hold: our packer's containers and a plain
// document laid end to end, so that members the fuzzer varies still reach
// real containers, ends and gaps of the file.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/image_object.h"
#include "tools/psbwriter/psb_writer.h"

namespace containerfuzz {

inline constexpr const char* kDataFile = "fuzz.dat";
inline constexpr const char* kMountName = "arc/";
// The name a plain container read is made under (its key stream's name).
inline constexpr const char* kContainerFile = "fuzz.psb";

struct Member {
    std::string name;
    uint64_t offset;
    uint64_t size;
};

// A document with a texture, so that a read document also builds one.
inline std::vector<uint8_t> imageDocument(int value) {
    const std::vector<uint32_t> pixels = {0x11223344u, 0x55667788u, 0x99AABBCCu, uint32_t(value)};
    psbwriter::Object texture{{"image", psbwriter::rgbaImage(2, 2, pixels)}};
    return psbwriter::writePsb(psbwriter::Object{{"id", "image"},
                                                 {"spec", "win"},
                                                 {"value", value},
                                                 {"imageList", psbwriter::List{psbwriter::Object{
                                                                   {"texture", psbwriter::List{texture}}}}}});
}

// The data file's bytes, and the members that lie in it.
inline std::vector<uint8_t> dataFile(std::vector<Member>& members) {
    std::vector<uint8_t> file;
    const auto append = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        members.push_back({name, file.size(), bytes.size()});
        file.insert(file.end(), bytes.begin(), bytes.end());
    };
    append("a.psb", psbwriter::packContainer(imageDocument(1), {}, "a.psb"));
    append("b.psb", psbwriter::packContainer(imageDocument(2), {}, "b.psb"));
    append("plain.psb", imageDocument(3));
    return file;
}

}  // namespace containerfuzz
