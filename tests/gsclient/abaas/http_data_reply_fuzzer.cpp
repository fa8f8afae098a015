// Reply decoding under libFuzzer. An input whose first byte is odd is a whole
// reply as received. An even one is 16 header bytes and a deflated body that
// is enciphered here, so that the fuzzer reaches inflating, the plain length
// and the CRC rather than stopping at the cipher.
//
// A reply is decoded into as many bytes as its header declares, zeroed, up to
// the 16 MiB limit; inputs that declare more than kMaxPlainBytes are skipped,
// else most of the run goes to clearing memory. The length checks themselves
// are the codec tests' concern.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gsclient/abaas/http_data.h"
#include "gsclient/abaas/packet_header.h"
#include "tests/gsclient/abaas/reply_builder.h"
#include "tests/gsclient/peer/test_identity.h"

namespace {

constexpr std::uint32_t kMaxPlainBytes = 64 << 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static am::abaas::HttpData codec;
    static const bool ready = codec.setParam(1, 0, gstest::kGameId, gstest::testTitleKey()) == 0;
    if (!ready || size == 0) return 0;

    std::vector<std::uint8_t> reply;
    if (data[0] & 1) {
        reply.assign(data + 1, data + size);
    } else {
        if (size < 1 + am::abaas::HttpData::kHeaderBytes) return 0;
        const std::vector<std::uint8_t> header(data + 1, data + 17);
        const std::vector<std::uint8_t> deflated(data + 17, data + size);
        reply = gstest::encipherReply(gstest::testTitleKey(), header, deflated);
    }
    if (reply.size() >= am::abaas::HttpData::kHeaderBytes &&
        am::abaas::readField(reply.data(), am::abaas::reply_header::kPlainLength) > kMaxPlainBytes) {
        return 0;
    }
    std::string plain;
    std::uint16_t status = 0;
    codec.makeResponseData(reply, plain, status);
    return 0;
}
