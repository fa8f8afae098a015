#include "tests/gsclient/abaas/reply_builder.h"

#include <zlib.h>

#include <algorithm>

#include "gsclient/abaas/key_constant.h"
#include "gsclient/abaas/packet_header.h"
#include "gsclient/util/aes.h"

namespace gstest {

using namespace am::abaas;

std::vector<std::uint8_t> deflateText(const std::string& plain) {
    uLongf size = compressBound(plain.size());
    std::vector<std::uint8_t> out(size);
    compress2(out.data(), &size, reinterpret_cast<const Bytef*>(plain.data()), plain.size(), 6);
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> encipherReply(const std::vector<std::uint8_t>& titleKey,
                                        const std::vector<std::uint8_t>& header,
                                        const std::vector<std::uint8_t>& deflated) {
    std::uint8_t key[32];
    for (int i = 0; i < 32; ++i) key[i] = kMaskedKeyConstant[i] ^ kKeyConstantMask ^ titleKey[i];
    util::crypt::Aes aes;
    aes.cryptKey().setKey(key, sizeof key);
    std::uint8_t iv[16];
    std::copy_n(header.begin(), 16, iv);
    std::size_t size = deflated.size() + 16;
    std::vector<std::uint8_t> packet = header;
    packet.resize(16 + size);
    const std::uint8_t none = 0;
    aes.encryptCbc(deflated.empty() ? &none : deflated.data(), deflated.size(),
                   packet.data() + 16, &size, iv, true);
    packet.resize(16 + size);
    return packet;
}

std::vector<std::uint8_t> buildReply(const std::vector<std::uint8_t>& titleKey,
                                     const ReplyParts& parts) {
    std::vector<std::uint8_t> header(16, 0);
    const auto* text = reinterpret_cast<const Bytef*>(parts.plain.data());
    writeField(header.data(), reply_header::kMagic0, kPacketMagic);
    writeField(header.data(), reply_header::kMagic1, kPacketMagic);
    writeField(header.data(), reply_header::kStatus, parts.status);
    writeField(header.data(), reply_header::kCrc,
               parts.crc.value_or(crc32(0L, text, parts.plain.size())));
    writeField(header.data(), reply_header::kPlainLength,
               parts.plainLength.value_or(parts.plain.size()));
    writeField(header.data(), reply_header::kUnused, 0x5EED1234);
    if (parts.status != 0) return header;
    return encipherReply(titleKey, header, deflateText(parts.plain));
}

}  // namespace gstest
