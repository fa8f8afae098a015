#include "gsclient/util/log.h"

#include <gtest/gtest.h>

#include "gsclient/util/aes.h"
#include "gsclient/util/base.h"
#include "tests/gsclient/peer/log_capture.h"

namespace {

using gstest::LogCapture;

TEST(AbaasLog, LineCarriesTheOperationAndItsSourceLine) {
    LogCapture capture;
    abaasLog("am::abaas::HttpData::setParam", 42, "ERROR: set encrypt key (%d)\n", -5);
    EXPECT_EQ(capture.text(), "am::abaas::HttpData::setParam: Line42  ERROR: set encrypt key (-5)\n");
}

TEST(AbaasLog, LongMessageIsCutAt1023CharactersPrefixIncluded) {
    LogCapture capture;
    const std::string message(2000, 'x');
    abaasLog("f", 7, "%s", message.c_str());
    ASSERT_EQ(capture.text().size(), 1023u);
    EXPECT_EQ(capture.text().substr(0, 11), "f: Line7  x");
}

TEST(AbaasLog, DumpWritesSixteenBytesALine) {
    LogCapture capture;
    std::uint8_t bytes[20];
    for (int i = 0; i < 20; ++i) bytes[i] = static_cast<std::uint8_t>(0xF0 + i);
    abaasLogDump("titleKey\n", "#", 0, bytes, sizeof bytes);
    EXPECT_EQ(capture.text(),
              "titleKey\n"
              "# 00000000 F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF \n"
              "# 00000010 00 01 02 03 \n");
}

TEST(AbaasLog, LevelZeroObjectWritesNothingWhateverFails) {
    LogCapture capture;
    util::crypt::Aes aes;  // no key: every call fails
    std::uint8_t in[16] = {};
    std::uint8_t out[32];
    std::size_t size = sizeof out;
    std::uint8_t iv[16] = {};
    EXPECT_EQ(aes.encryptCbc(in, 16, out, &size, iv, true), -4);
    EXPECT_EQ(aes.decryptCbc(in, 16, out, &size, iv, true), -4);
    EXPECT_EQ(aes.encryptCbc(nullptr, 16, out, &size, iv, true), -2);
    EXPECT_EQ(capture.text(), "");

    aes.setLogLevel(1);
    EXPECT_EQ(aes.encryptCbc(in, 16, out, &size, iv, true), -4);
    EXPECT_NE(capture.text().find("util::crypt::Aes::encryptCbc: Line"), std::string::npos);
    EXPECT_NE(capture.text().find("  Error: not set crypt key.\n"), std::string::npos);
}

TEST(AbaasLog, TheLoggedCodeIsTheOneReturned) {
    LogCapture capture;
    util::crypt::Aes aes;
    aes.setLogLevel(1);
    const std::uint8_t key[32] = {};
    ASSERT_EQ(aes.cryptKey().setKey(key, sizeof key), 0);
    std::uint8_t in[17] = {};
    std::uint8_t out[32];
    std::size_t size = sizeof out;
    std::uint8_t iv[16] = {};
    EXPECT_EQ(aes.encryptCbc(in, sizeof in, out, &size, iv, false), -5);  // not whole blocks, no padding
    EXPECT_NE(capture.text().find("  Error: get needOutputSize. ErrCode -5.\n"), std::string::npos)
        << capture.text();
}

TEST(AbaasLog, MacroTestsTheObjectsLevel) {
    LogCapture capture;
    util::Base object("object");
    ABAAS_LOG_ERROR(object, "op", "ERROR: quiet\n");
    EXPECT_EQ(capture.text(), "");
    object.setLogLevel(1);
    ABAAS_LOG_ERROR(object, "op", "ERROR: %s\n", "heard");
    EXPECT_EQ(capture.text().substr(0, 8), "op: Line");
    EXPECT_EQ(capture.text().substr(capture.text().size() - 15), "  ERROR: heard\n");
}

}  // namespace
