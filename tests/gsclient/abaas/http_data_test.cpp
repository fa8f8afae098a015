#include "gsclient/abaas/http_data.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "gsclient/abaas/packet_header.h"
#include "tests/gsclient/abaas/reply_builder.h"
#include "tests/gsclient/peer/test_identity.h"
#include "tests/gsclient/peer/log_capture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using am::abaas::HttpData;
using gstest::buildReply;
using gstest::ReplyParts;
using gstest::testTitleKey;

const std::string kBody =
    R"({"user":{"user_id":1234},"client":{"serial":"A0000000001","game_id":"ABCD",)"
    R"("game_ver":"1.02","location_id":77,"create_time":"20240102030405"}})";

class HttpDataTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(codec.setParam(1, 2, "ABCD", testTitleKey()), 0); }

    HttpData codec;
};

TEST_F(HttpDataTest, RequestHeaderCarriesVersionsGameIdCrcAndFreshRandomBytes) {
    Bytes first;
    Bytes second;
    ASSERT_EQ(codec.makeRequestData(kBody, first), 0);
    ASSERT_EQ(codec.makeRequestData(kBody, second), 0);

    const Bytes header(first.begin(), first.begin() + 8);
    EXPECT_EQ(header, (Bytes{0x01, 0x01, 1, 2, 'A', 'B', 'C', 'D'}));
    const auto crc = crc32(0L, reinterpret_cast<const Bytef*>(kBody.data()), kBody.size());
    EXPECT_EQ(am::abaas::readField(first.data(), am::abaas::request_header::kCrc), crc);
    EXPECT_EQ((first.size() - 16) % 16, 0u);
    EXPECT_GE(first.size(), 32u);

    EXPECT_NE(first, second);
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 12, second.begin()));
}

TEST_F(HttpDataTest, RequestNeedsAKeyAndABodyThatDeflatesBelowItsBound) {
    HttpData fresh;
    Bytes packet{9};
    EXPECT_EQ(fresh.makeRequestData(kBody, packet), -4);
    EXPECT_EQ(packet, Bytes{9});
    EXPECT_EQ(fresh.setParam(1, 2, "ABCD", Bytes(31, 0)), -1);
    EXPECT_EQ(fresh.makeRequestData(kBody, packet), -4);

    gstest::LogCapture capture;
    codec.setLogLevel(1);
    EXPECT_EQ(codec.makeRequestData("{}", packet), -1);  // a tiny body grows when deflated
    EXPECT_NE(capture.text().find("ERROR: makeRequestData compress data\n"), std::string::npos);
}

TEST_F(HttpDataTest, ReplyResults) {
    const std::string text = R"({"control":{"seq_id":"s1"}})";
    struct Case {
        const char* name;
        Bytes reply;
        int result;
        std::uint16_t status;
        std::string plain;
    };
    Bytes wrongFirst = buildReply(testTitleKey(), {text});
    wrongFirst[0] = 2;
    wrongFirst[1] = 2;
    Bytes wrongSecond = buildReply(testTitleKey(), {text});
    wrongSecond[1] = 2;
    Bytes cut = buildReply(testTitleKey(), {text});
    cut.resize(cut.size() - 3);
    const Bytes full = buildReply(testTitleKey(), {text});
    const Bytes headerAlone(full.begin(), full.begin() + 16);
    const std::string longer = text + std::string(5, '\0');
    const auto crcOf = [](const std::string& s) {
        return static_cast<std::uint32_t>(
            crc32(0L, reinterpret_cast<const Bytef*>(s.data()), s.size()));
    };
    const Case cases[] = {
        {"whole", buildReply(testTitleKey(), {text}), 0, 0, text},
        {"short", Bytes(15, 1), -1, 0xFFFF, "before"},
        {"first byte", wrongFirst, -6, 0xFFFF, "before"},
        {"second byte", wrongSecond, -7, 0xFFFF, "before"},
        {"header alone", headerAlone, 0, 0, "before"},
        {"status", buildReply(testTitleKey(), {text, 7}), 0, 7, "before"},
        {"cut body", cut, -1, 0, "before"},
        {"flipped crc", buildReply(testTitleKey(), {text, 0, {}, crcOf(text) ^ 1u}), -8, 0, text},
        {"length past the text",
         buildReply(testTitleKey(), {text, 0, std::uint32_t(longer.size()), crcOf(longer)}), 0, 0,
         longer},
        {"length past the text, crc of the text",
         buildReply(testTitleKey(), {text, 0, std::uint32_t(longer.size())}), -8, 0, longer},
        {"length short of the text", buildReply(testTitleKey(), {text, 0, 4u}), -1, 0, "before"},
        {"length over the cap", buildReply(testTitleKey(), {text, 0, (16u << 20) + 1}), -1, 0,
         "before"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string plain = "before";
        std::uint16_t status = 0xFFFF;
        EXPECT_EQ(codec.makeResponseData(c.reply, plain, status), c.result);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(plain, c.plain);
    }
}

TEST_F(HttpDataTest, OversizedPlainLengthIsRefusedWithALogLine) {
    gstest::LogCapture capture;
    codec.setLogLevel(1);
    std::string plain;
    std::uint16_t status = 0;
    const Bytes reply = buildReply(testTitleKey(), {"{}", 0, 0xFFFFFFFFu});
    EXPECT_EQ(codec.makeResponseData(reply, plain, status), -1);
    EXPECT_NE(capture.text().find("am::abaas::HttpData::makeResponseData: Line"), std::string::npos);
    EXPECT_NE(capture.text().find("is over the limit"), std::string::npos);
}

TEST_F(HttpDataTest, OtherTitleKeyCannotReadTheReply) {
    Bytes otherKey = testTitleKey();
    otherKey[0] ^= 0x80;
    std::string plain;
    std::uint16_t status = 0;
    const Bytes reply = buildReply(otherKey, {std::string(200, 'a')});
    EXPECT_LT(codec.makeResponseData(reply, plain, status), 0);
}

}  // namespace
