#include "gsclient/util/aes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using util::crypt::Aes;

Bytes fromHex(const char* hex) {
    Bytes bytes;
    for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex + i, 2), nullptr, 16)));
    }
    return bytes;
}

class AesTest : public testing::Test {
protected:
    void SetUp() override {
        // The NIST AES-256 key of the CBC example vectors.
        const Bytes key = fromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
        ASSERT_EQ(aes.cryptKey().setKey(key.data(), key.size()), 0);
        for (int i = 0; i < 16; ++i) iv[i] = static_cast<std::uint8_t>(i);
    }

    Bytes encrypt(const Bytes& in, bool padding) {
        std::size_t size = in.size() + 16;
        Bytes out(size);
        const std::uint8_t none = 0;
        EXPECT_EQ(aes.encryptCbc(in.empty() ? &none : in.data(), in.size(), out.data(), &size, iv,
                                 padding),
                  0);
        out.resize(size);
        return out;
    }

    int decrypt(const Bytes& in, Bytes& out, bool padding) {
        out.assign(in.size() + 1, 0xEE);
        std::size_t size = out.size();
        const std::uint8_t none = 0;
        const int result =
            aes.decryptCbc(in.empty() ? &none : in.data(), in.size(), out.data(), &size, iv, padding);
        if (result == 0) out.resize(size);
        return result;
    }

    Aes aes;
    std::uint8_t iv[16];
};

TEST_F(AesTest, MatchesTheNistVectorWithoutPadding) {
    const Bytes plain = fromHex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51");
    EXPECT_EQ(encrypt(plain, false),
              fromHex("f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"));
}

TEST_F(AesTest, PaddingAddsOneToSixteenBytesOfThePadLength) {
    struct Case {
        std::size_t length;
        std::size_t enciphered;
        std::uint8_t pad;
    };
    for (const Case c : {Case{0, 16, 16}, Case{15, 16, 1}, Case{16, 32, 16}, Case{17, 32, 15},
                         Case{32, 48, 16}}) {
        SCOPED_TRACE(c.length);
        const Bytes plain(c.length, 0x41);
        const Bytes cipher = encrypt(plain, true);
        ASSERT_EQ(cipher.size(), c.enciphered);

        Bytes raw;
        ASSERT_EQ(decrypt(cipher, raw, false), 0);
        EXPECT_EQ(Bytes(raw.begin() + c.length, raw.end()), Bytes(c.pad, c.pad));
        for (int i = 0; i < 16; ++i) iv[i] = static_cast<std::uint8_t>(i);

        Bytes back;
        ASSERT_EQ(decrypt(cipher, back, true), 0);
        EXPECT_EQ(back, plain);
    }
}

TEST_F(AesTest, SizeQueryGivesTheLengthAndKeepsTheIv) {
    const Bytes plain(32, 1);
    std::size_t size = 0;
    std::uint8_t before[16];
    std::memcpy(before, iv, 16);
    EXPECT_EQ(aes.encryptCbc(plain.data(), plain.size(), nullptr, &size, iv, true), 0);
    EXPECT_EQ(size, 48u);
    EXPECT_EQ(std::memcmp(before, iv, 16), 0);
}

TEST_F(AesTest, WithoutPaddingTheIvCarriesTheChainOn) {
    const Bytes plain(32, 7);
    const Bytes whole = encrypt(plain, false);
    for (int i = 0; i < 16; ++i) iv[i] = static_cast<std::uint8_t>(i);
    Bytes halves = encrypt(Bytes(16, 7), false);
    const Bytes second = encrypt(Bytes(16, 7), false);
    halves.insert(halves.end(), second.begin(), second.end());
    EXPECT_EQ(halves, whole);
}

TEST_F(AesTest, Refusals) {
    Bytes out(64);
    std::size_t size = 16;
    const Bytes in(32, 0);
    EXPECT_EQ(aes.encryptCbc(in.data(), 32, out.data(), &size, iv, true), -3);  // needs 48
    size = 16;
    EXPECT_EQ(aes.decryptCbc(in.data(), 32, out.data(), &size, iv, true), -3);
    size = 64;
    EXPECT_EQ(aes.decryptCbc(in.data(), 32, nullptr, &size, iv, true), -2);
    EXPECT_EQ(aes.encryptCbc(in.data(), 17, out.data(), &size, iv, false), -5);

    Bytes back;
    EXPECT_EQ(decrypt(Bytes(17, 0), back, true), -1);
    EXPECT_EQ(decrypt(Bytes(), back, true), -1);  // no pad byte to read
    EXPECT_EQ(decrypt(Bytes(), back, false), 0);
    EXPECT_TRUE(back.empty());

    EXPECT_EQ(aes.cryptKey().setKey(in.data(), 16), -5);
    EXPECT_EQ(aes.encryptCbc(in.data(), 16, out.data(), &size, iv, true), -4);
}

TEST_F(AesTest, LastByteDecidesThePad) {
    Bytes block(16, 0x30);
    block[15] = 17;
    Bytes back;
    const Bytes high = encrypt(block, false);
    for (int i = 0; i < 16; ++i) iv[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(decrypt(high, back, true), -1);

    block[15] = 0;
    const Bytes zero = encrypt(block, false);
    for (int i = 0; i < 16; ++i) iv[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(decrypt(zero, back, true), 0);
    EXPECT_EQ(back, block);  // a pad of 0 removes nothing
}

}  // namespace
