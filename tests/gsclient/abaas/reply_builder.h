#pragma once
// Builds reply packets the way a server does, for the codec's own tests and
// the fuzzer's seeds (the Python peer is the independent check).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gstest {

struct ReplyParts {
    ReplyParts(std::string text, std::uint16_t appStatus = 0,
               std::optional<std::uint32_t> length = {}, std::optional<std::uint32_t> checksum = {})
        : plain(std::move(text)), status(appStatus), plainLength(length), crc(checksum) {}

    std::string plain;
    std::uint16_t status = 0;
    std::optional<std::uint32_t> plainLength;  // default: the text's length
    std::optional<std::uint32_t> crc;          // default: the text's CRC-32
};

// Header, then the plain text deflated, padded and enciphered with the header
// as IV under the key derived from titleKey.
std::vector<std::uint8_t> buildReply(const std::vector<std::uint8_t>& titleKey,
                                     const ReplyParts& parts);

// Header and an already deflated body, enciphered as above.
std::vector<std::uint8_t> encipherReply(const std::vector<std::uint8_t>& titleKey,
                                        const std::vector<std::uint8_t>& header,
                                        const std::vector<std::uint8_t>& deflated);

std::vector<std::uint8_t> deflateText(const std::string& plain);

}  // namespace gstest
