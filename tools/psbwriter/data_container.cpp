#include "tools/psbwriter/data_container.h"

#include <zlib.h>

#include <cstring>
#include <string>

#include "engine/data/container_cipher.h"

namespace psbwriter {

namespace {

constexpr char kMagic[4] = {'m', 'd', 'f', '\0'};

}  // namespace

std::vector<uint8_t> containerKeyStream(const ContainerKey& key, std::string_view path) {
    return ::containerKeyStream(key.key, key.streamLength, path);
}

void cipherContainer(std::vector<uint8_t>& container, const ContainerKey& key, std::string_view path) {
    cipherContainerBody(container.data(), container.size(), key.key, key.streamLength, path);
}

std::vector<uint8_t> packContainer(const std::vector<uint8_t>& contents, const ContainerKey& key,
                                   std::string_view path) {
    uLongf packed = compressBound(uLong(contents.size()));
    std::vector<uint8_t> out(kContainerHeadBytes + packed);
    if (compress2(out.data() + kContainerHeadBytes, &packed, contents.data(), uLong(contents.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw ContainerError("zlib cannot compress the contents");
    out.resize(kContainerHeadBytes + packed);
    std::memcpy(out.data(), kMagic, 4);
    for (int i = 0; i < 4; ++i) out[4 + i] = uint8_t(contents.size() >> (8 * i));
    cipherContainer(out, key, path);
    return out;
}

bool isContainer(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= kContainerHeadBytes && hasContainerMagic(bytes.data(), bytes.size());
}

std::vector<uint8_t> unpackContainer(std::vector<uint8_t> container, const ContainerKey& key,
                                     std::string_view path) {
    if (!isContainer(container)) throw ContainerError("not a data container");
    cipherContainer(container, key, path);
    uLongf size = containerInflatedSize(container.data());
    if (!canInflateTo(size, container.size() - kContainerHeadBytes))
        throw ContainerError("the container declares " + std::to_string(size) +
                             " bytes, more than its zlib stream can hold");
    std::vector<uint8_t> out(size);
    uLong packed = uLong(container.size() - kContainerHeadBytes);
    if (uncompress2(out.data(), &size, container.data() + kContainerHeadBytes, &packed) != Z_OK)
        throw ContainerError("the container's zlib stream is damaged");
    out.resize(size);
    return out;
}

}  // namespace psbwriter
