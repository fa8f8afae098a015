#pragma once
// The game-server packet codec: a plain JSON text becomes a request packet
// (16-byte header, body deflated then enciphered with AES-256-CBC, the header
// as IV, a CRC-32 of the plain text in the header), and a reply packet is
// checked and turned back into plain text.
//
// Request header: 01 01, major, minor, game id (4), CRC (big-endian), 4 random.
// Reply header:   01 01, status (u16 BE), CRC (BE), plain length (BE), 4 bytes.
//
// Threads: one codec belongs to the thread that drives the client.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gsclient/util/aes.h"
#include "gsclient/util/base.h"

namespace am::abaas {

class HttpData : public util::Base {
public:
    static constexpr std::size_t kHeaderBytes = 16;
    // Far beyond any real reply: a larger plain length is refused before
    // anything is sized by it.
    static constexpr std::uint32_t kMaxPlainBytes = 16u << 20;

    HttpData() : Base("HttpData") {}

    void setLogLevel(std::int32_t level) override;

    // Derives the packet key from the stored constant and the 32-byte title
    // key. The game id gives its first 4 bytes. 0, or -1.
    int setParam(std::uint8_t major, std::uint8_t minor, const std::string& gameId,
                 const std::vector<std::uint8_t>& titleKey);
    void setMode(bool compress, bool encrypt);

    // 0; -1 a step failed (logged); -4 no key installed.
    int makeRequestData(std::string_view body, std::vector<std::uint8_t>& packet);

    // Sets status from the header whatever it holds; plain receives the text
    // of a reply with status 0 and a body, and keeps it on a CRC mismatch.
    // 0; -1 unusable reply (logged); -6 byte 0 not 1; -7 byte 1 not 1;
    // -8 CRC mismatch.
    int makeResponseData(std::span<const std::uint8_t> reply, std::string& plain,
                         std::uint16_t& status);

    // The two steps of a request body: 0 or non-zero.
    int compress(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out);
    int encrypt(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out,
                const std::uint8_t* iv);

private:
    int decrypt(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out,
                const std::uint8_t* iv);
    int inflateInto(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out);
    int decodeBody(std::span<const std::uint8_t> reply, std::string& plain);

    std::uint8_t major_ = 0;
    std::uint8_t minor_ = 0;
    std::uint8_t gameId_[4] = {};
    bool keyReady_ = false;
    bool compress_ = true;
    bool encrypt_ = true;
    util::crypt::Aes cipher_;
};

}  // namespace am::abaas
