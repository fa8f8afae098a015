#include "tools/psbwriter/data_container.h"

#include <zlib.h>

#include <cstring>

#include "engine/data/md5.h"
#include "engine/data/mersenne_twister.h"

namespace psbwriter {

namespace {

constexpr size_t kHeadBytes = 8;
constexpr char kMagic[4] = {'m', 'd', 'f', '\0'};

std::string lowerFileName(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return name;
}

uint32_t readU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

}  // namespace

std::vector<uint8_t> containerKeyStream(const ContainerKey& key, std::string_view path) {
    const Md5Digest digest = md5Of(key.key + lowerFileName(path));
    uint32_t words[4];
    for (int i = 0; i < 4; ++i) words[i] = readU32(digest.data() + 4 * i);
    MTGenerator generator;
    mtInitByArray(generator, words, 4);
    std::vector<uint8_t> stream(key.streamLength);
    uint32_t draw = 0;
    for (uint32_t i = 0; i < key.streamLength; ++i) {
        if (i % 4 == 0) draw = mtGenrand(generator);
        stream[i] = uint8_t(draw >> (8 * (i % 4)));
    }
    return stream;
}

void cipherContainer(std::vector<uint8_t>& container, const ContainerKey& key, std::string_view path) {
    if (key.streamLength == 0 || container.size() <= kHeadBytes) return;
    const std::vector<uint8_t> stream = containerKeyStream(key, path);
    for (size_t j = 0; j + kHeadBytes < container.size(); ++j) container[kHeadBytes + j] ^= stream[j % stream.size()];
}

std::vector<uint8_t> packContainer(const std::vector<uint8_t>& contents, const ContainerKey& key,
                                   std::string_view path) {
    uLongf packed = compressBound(uLong(contents.size()));
    std::vector<uint8_t> out(kHeadBytes + packed);
    if (compress2(out.data() + kHeadBytes, &packed, contents.data(), uLong(contents.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw ContainerError("zlib cannot compress the contents");
    out.resize(kHeadBytes + packed);
    std::memcpy(out.data(), kMagic, 4);
    for (int i = 0; i < 4; ++i) out[4 + i] = uint8_t(contents.size() >> (8 * i));
    cipherContainer(out, key, path);
    return out;
}

bool isContainer(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= kHeadBytes && std::memcmp(bytes.data(), kMagic, 4) == 0;
}

std::vector<uint8_t> unpackContainer(std::vector<uint8_t> container, const ContainerKey& key,
                                     std::string_view path) {
    if (!isContainer(container)) throw ContainerError("not a data container");
    cipherContainer(container, key, path);
    uLongf size = readU32(container.data() + 4);
    std::vector<uint8_t> out(size);
    uLong packed = uLong(container.size() - kHeadBytes);
    if (uncompress2(out.data(), &size, container.data() + kHeadBytes, &packed) != Z_OK)
        throw ContainerError("the container's zlib stream is damaged");
    out.resize(size);
    return out;
}

}  // namespace psbwriter
