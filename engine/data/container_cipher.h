#pragma once
// The key stream of the engine's data containers, shared by the file reader
// and our packer (tools/psbwriter): MT19937 seeded through init_by_array with
// the four little-endian words of MD5(key + the file's lower-cased name).
// Everything after the container's 8-byte head is XORed with the stream,
// repeated; the head ("mdf", a 0 byte, the inflated size) stays plain.
//
// Threads: pure functions; any thread.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kContainerHeadBytes = 8;

// The part of path after its last '/' or '\', with A to Z lower-cased.
std::string containerFileName(std::string_view path);

// streamLength bytes of the key stream for the file at path.
std::vector<uint8_t> containerKeyStream(std::string_view key, uint32_t streamLength, std::string_view path);

// XORs the bytes after the head with the key stream; its own inverse. Does
// nothing for a length of 0 or a buffer no longer than the head.
void cipherContainerBody(uint8_t* bytes, size_t size, std::string_view key, uint32_t streamLength,
                         std::string_view path);

// Whether the bytes begin with the container magic: "mdf" and a 0 byte.
bool hasContainerMagic(const uint8_t* bytes, size_t size);

// The inflated size the head declares (bytes 4 to 7, little-endian).
uint32_t containerInflatedSize(const uint8_t* bytes);

// Whether packed bytes of zlib stream can inflate to declared bytes: deflate
// never packs more than about 1032 bytes into one, so a head that declares
// more is damaged, and is refused before anything is allocated for it.
bool canInflateTo(uint64_t declared, uint64_t packed);
