#pragma once
// The engine's data container: "mdf" and a 0 byte, the inflated size (u32
// little-endian), then a zlib stream of the contents (a PSB document). With a
// key set, every byte after the 8-byte head is XORed with a key stream drawn
// from MT19937, seeded through init_by_array with the four little-endian
// words of MD5(key + the file's lower-cased name).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace psbwriter {

// The game's data-file key and key-stream length.
inline constexpr const char* kGameDataKey = "Kw7#pQz1!";
inline constexpr uint32_t kGameKeyStreamLength = 97;

struct ContainerKey {
    std::string key = kGameDataKey;
    uint32_t streamLength = kGameKeyStreamLength;  // 0: not enciphered
};

struct ContainerError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The key stream for a file; `path` may carry folders (only the name after
// the last "/" or "\" counts, with A to Z lower-cased).
std::vector<uint8_t> containerKeyStream(const ContainerKey& key, std::string_view path);

// XORs everything after the 8-byte head with the key stream; its own inverse.
void cipherContainer(std::vector<uint8_t>& container, const ContainerKey& key, std::string_view path);

std::vector<uint8_t> packContainer(const std::vector<uint8_t>& contents, const ContainerKey& key,
                                   std::string_view path);

bool isContainer(const std::vector<uint8_t>& bytes);

// Deciphers and inflates; throws ContainerError for anything that is not a
// whole container, and for a declared size its stream can't hold (before
// allocating it, as the engine's reader does).
std::vector<uint8_t> unpackContainer(std::vector<uint8_t> container, const ContainerKey& key,
                                     std::string_view path);

}  // namespace psbwriter
