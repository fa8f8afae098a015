#include "engine/data/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string hex(const Md5Digest& digest) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (uint8_t b : digest) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

struct Vector {
    const char* text;
    const char* digest;
};

// The test suite of RFC 1321.
const Vector kVectors[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5Test, MatchesTheReferenceSuite) {
    for (const Vector& v : kVectors) EXPECT_EQ(hex(md5Of(v.text)), v.digest) << v.text;
}

TEST(Md5Test, PiecewiseUpdatesAndRestartsGiveTheSameDigest) {
    Md5Context context;
    for (const Vector& v : kVectors) {
        md5Init(context);
        const std::string text = v.text;
        for (size_t at = 0; at < text.size(); at += 7) md5Update(context, text.data() + at, std::min<size_t>(7, text.size() - at));
        Md5Digest digest;
        md5Final(context, digest.data());
        EXPECT_EQ(hex(digest), v.digest) << v.text;
    }
}

}  // namespace
