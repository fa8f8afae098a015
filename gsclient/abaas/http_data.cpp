#include "gsclient/abaas/http_data.h"

#include <openssl/rand.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>

#include "gsclient/abaas/key_constant.h"
#include "gsclient/abaas/packet_header.h"
#include "gsclient/util/log.h"
#include "gsclient/util/zlib.h"

namespace am::abaas {

namespace {

constexpr const char* kSetParam = "am::abaas::HttpData::setParam";
constexpr const char* kMakeRequest = "am::abaas::HttpData::makeRequestData";
constexpr const char* kMakeResponse = "am::abaas::HttpData::makeResponseData";
constexpr const char* kCompress = "am::abaas::HttpData::compress";
constexpr const char* kEncrypt = "am::abaas::HttpData::encrypt";
constexpr const char* kDecrypt = "am::abaas::HttpData::decrypt";

constexpr double kCompressedCapacity = 1.05;

std::uint32_t crc32Of(const std::uint8_t* bytes, std::size_t length) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib counts in 32 bits; plain texts are capped far below that.
    return static_cast<std::uint32_t>(crc32(crc, bytes, static_cast<uInt>(length)));
}

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

int HttpData::setParam(std::uint8_t major, std::uint8_t minor, const std::string& gameId,
                       const std::vector<std::uint8_t>& titleKey) {
    if (gameId.size() < sizeof gameId_ || titleKey.size() != util::crypt::Aes::kKeyBytes) {
        ABAAS_LOG_ERROR(*this, kSetParam, "ERROR: set encrypt key (%d)\n", -5);
        return -1;
    }
    major_ = major;
    minor_ = minor;
    std::memcpy(gameId_, gameId.data(), sizeof gameId_);

    std::array<std::uint8_t, util::crypt::Aes::kKeyBytes> key;
    for (std::size_t i = 0; i < key.size(); ++i) {
        key[i] = kMaskedKeyConstant[i] ^ kKeyConstantMask ^ titleKey[i];
    }
    const int result = cipher_.cryptKey().setKey(key.data(), key.size());
    std::fill(key.begin(), key.end(), std::uint8_t{0});
    if (result != 0) {
        ABAAS_LOG_ERROR(*this, kSetParam, "ERROR: set encrypt key (%d)\n", result);
        keyReady_ = false;
        return -1;
    }
    keyReady_ = true;
    return 0;
}

void HttpData::setLogLevel(std::int32_t level) {
    Base::setLogLevel(level);
    cipher_.setLogLevel(level);
}

void HttpData::setMode(bool compress, bool encrypt) {
    compress_ = compress;
    encrypt_ = encrypt;
}

int HttpData::makeRequestData(std::string_view body, std::vector<std::uint8_t>& packet) {
    if (!keyReady_) return -4;
    try {
        const std::span<const std::uint8_t> plain = bytesOf(body);
        std::uint8_t header[kHeaderBytes];
        writeField(header, request_header::kMagic0, kPacketMagic);
        writeField(header, request_header::kMagic1, kPacketMagic);
        writeField(header, request_header::kMajor, major_);
        writeField(header, request_header::kMinor, minor_);
        std::memcpy(header + request_header::kGameId.offset, gameId_, sizeof gameId_);
        writeField(header, request_header::kCrc, crc32Of(plain.data(), plain.size()));
        if (RAND_bytes(header + request_header::kRandom.offset,
                       static_cast<int>(request_header::kRandom.width)) != 1) {
            ABAAS_LOG_ERROR(*this, kMakeRequest, "ERROR: makeRequestData random bytes\n");
            return -1;
        }

        std::vector<std::uint8_t> deflated;
        if (compress_ && compress(plain, deflated) != 0) {
            ABAAS_LOG_ERROR(*this, kMakeRequest, "ERROR: makeRequestData compress data\n");
            return -1;
        }
        const std::span<const std::uint8_t> stage1 = compress_ ? deflated : plain;

        std::vector<std::uint8_t> enciphered;
        if (encrypt_ && encrypt(stage1, enciphered, header) != 0) {
            ABAAS_LOG_ERROR(*this, kMakeRequest, "ERROR: makeRequestData encrypt data\n");
            return -1;
        }
        const std::span<const std::uint8_t> stage2 = encrypt_ ? enciphered : stage1;

        packet.assign(header, header + kHeaderBytes);
        packet.insert(packet.end(), stage2.begin(), stage2.end());
        return 0;
    } catch (const std::exception& e) {
        ABAAS_LOG_ERROR(*this, kMakeRequest, "ERROR: exception happened %s.\n", e.what());
        return -1;
    }
}

int HttpData::compress(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
    try {
        std::size_t capacity = static_cast<std::size_t>(in.size() * kCompressedCapacity);
        out.assign(capacity, 0);
        util::compression::Zlib zlib;
        zlib.setLogLevel(logLevel());
        const int result = zlib.compress(in.data(), in.size(), out.data(), &capacity, in.size());
        if (result != 0) return result;
        out.resize(capacity);
        return 0;
    } catch (const std::exception& e) {
        ABAAS_LOG_ERROR(*this, kCompress, "ERROR: exception happened %s.\n", e.what());
        return -1;
    }
}

int HttpData::encrypt(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out,
                      const std::uint8_t* iv) {
    try {
        std::uint8_t workIv[util::crypt::Aes::kBlockBytes];
        std::memcpy(workIv, iv, sizeof workIv);
        std::size_t needed = 0;
        int result = cipher_.encryptCbc(in.data(), in.size(), nullptr, &needed, workIv, true);
        if (result != 0) {
            ABAAS_LOG_ERROR(*this, kEncrypt, "ERROR: encrypt 1st (%d)\n", result);
            return result;
        }
        out.assign(needed, 0);
        result = cipher_.encryptCbc(in.data(), in.size(), out.data(), &needed, workIv, true);
        if (result != 0) {
            ABAAS_LOG_ERROR(*this, kEncrypt, "ERROR: encrypt 2nd (%d)\n", result);
            return result;
        }
        out.resize(needed);
        return 0;
    } catch (const std::exception& e) {
        ABAAS_LOG_ERROR(*this, kEncrypt, "ERROR: exception happened %s.\n", e.what());
        return -1;
    }
}

int HttpData::makeResponseData(std::span<const std::uint8_t> reply, std::string& plain,
                               std::uint16_t& status) {
    if (reply.size() < kHeaderBytes) {
        ABAAS_LOG_ERROR(*this, kMakeResponse, "ERROR: srcData size is invalid.\n");
        return -1;
    }
    if (readField(reply.data(), reply_header::kMagic0) != kPacketMagic) return -6;
    if (readField(reply.data(), reply_header::kMagic1) != kPacketMagic) return -7;
    status = static_cast<std::uint16_t>(readField(reply.data(), reply_header::kStatus));
    if (status != 0 || reply.size() == kHeaderBytes) return 0;
    try {
        return decodeBody(reply, plain);
    } catch (const std::exception& e) {
        ABAAS_LOG_ERROR(*this, kMakeResponse, "ERROR: exception happened %s.\n", e.what());
        return -1;
    }
}

int HttpData::decodeBody(std::span<const std::uint8_t> reply, std::string& plain) {
    const std::span<const std::uint8_t> body = reply.subspan(kHeaderBytes);
    std::vector<std::uint8_t> deciphered;
    if (encrypt_) {
        const int result = decrypt(body, deciphered, reply.data());
        if (result != 0) {
            ABAAS_LOG_ERROR(*this, kDecrypt, "ERROR: decrypt (%d)\n", result);
            ABAAS_LOG_ERROR(*this, kMakeResponse, "ERROR: makeResponseData decrypt data\n");
            return -1;
        }
    } else {
        deciphered.assign(body.begin(), body.end());
    }

    const std::uint32_t length = readField(reply.data(), reply_header::kPlainLength);
    if (length > kMaxPlainBytes) {
        ABAAS_LOG_ERROR(*this, kMakeResponse, "ERROR: plain size (%u) is over the limit (%u).\n",
                        length, kMaxPlainBytes);
        return -1;
    }
    std::vector<std::uint8_t> text(length, 0);
    if (compress_) {
        if (inflateInto(deciphered, text) != 0) {
            ABAAS_LOG_ERROR(*this, kMakeResponse, "ERROR: makeResponseData uncompress data\n");
            return -1;
        }
    } else {
        std::copy_n(deciphered.begin(), std::min<std::size_t>(deciphered.size(), length),
                    text.begin());
    }
    plain.assign(text.begin(), text.end());
    const std::uint32_t crc = readField(reply.data(), reply_header::kCrc);
    return crc32Of(text.data(), text.size()) == crc ? 0 : -8;
}

int HttpData::decrypt(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out,
                      const std::uint8_t* iv) {
    std::uint8_t workIv[util::crypt::Aes::kBlockBytes];
    std::memcpy(workIv, iv, sizeof workIv);
    out.assign(in.size(), 0);
    std::size_t length = in.size();
    const int result = cipher_.decryptCbc(in.data(), in.size(), out.data(), &length, workIv, true);
    if (result == 0) out.resize(length);
    return result;
}

int HttpData::inflateInto(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
    util::compression::Zlib zlib;
    zlib.setLogLevel(logLevel());
    std::size_t produced = out.size();
    return zlib.uncompress(in.data(), in.size(), out.data(), &produced, in.size());
}

}  // namespace am::abaas
