#include "engine/data/container_cipher.h"

#include <cstring>

#include "engine/data/md5.h"
#include "engine/data/mersenne_twister.h"

namespace {

constexpr char kMagic[4] = {'m', 'd', 'f', '\0'};

uint32_t readU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

}  // namespace

std::string containerFileName(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return name;
}

std::vector<uint8_t> containerKeyStream(std::string_view key, uint32_t streamLength, std::string_view path) {
    const Md5Digest digest = md5Of(std::string(key) + containerFileName(path));
    uint32_t words[4];
    for (int i = 0; i < 4; ++i) words[i] = readU32(digest.data() + 4 * i);
    MTGenerator generator;
    mtInitByArray(generator, words, 4);
    std::vector<uint8_t> stream(streamLength);
    uint32_t draw = 0;
    for (uint32_t i = 0; i < streamLength; ++i) {
        if (i % 4 == 0) draw = mtGenrand(generator);
        stream[i] = uint8_t(draw >> (8 * (i % 4)));
    }
    return stream;
}

void cipherContainerBody(uint8_t* bytes, size_t size, std::string_view key, uint32_t streamLength,
                         std::string_view path) {
    if (streamLength == 0 || size <= kContainerHeadBytes) return;
    const std::vector<uint8_t> stream = containerKeyStream(key, streamLength, path);
    for (size_t j = 0; j + kContainerHeadBytes < size; ++j) bytes[kContainerHeadBytes + j] ^= stream[j % streamLength];
}

bool hasContainerMagic(const uint8_t* bytes, size_t size) {
    return size >= sizeof kMagic && std::memcmp(bytes, kMagic, sizeof kMagic) == 0;
}

uint32_t containerInflatedSize(const uint8_t* bytes) { return readU32(bytes + 4); }

bool canInflateTo(uint64_t declared, uint64_t packed) {
    constexpr uint64_t kMaxInflateRatio = 1040;
    return declared <= packed * kMaxInflateRatio + 64;
}
