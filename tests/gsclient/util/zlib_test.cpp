#include "gsclient/util/zlib.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using util::compression::Zlib;

Bytes text(std::size_t length) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>("json{}:,"[i % 8]);
    return bytes;
}

Bytes deflateAll(const Bytes& in, std::size_t chunk) {
    Zlib zlib;
    Bytes out(in.size() + 64);
    std::size_t size = out.size();
    int result;
    while ((result = zlib.compress(in.data(), in.size(), out.data(), &size, chunk)) == 1) {
    }
    EXPECT_EQ(result, 0);
    out.resize(size);
    return out;
}

TEST(Zlib, RoundTripInOneCallAndInChunks) {
    const Bytes plain = text(5000);
    for (std::size_t chunk : {plain.size(), std::size_t{333}}) {
        SCOPED_TRACE(chunk);
        const Bytes deflated = deflateAll(plain, chunk);
        EXPECT_LT(deflated.size(), plain.size());
        Zlib zlib;
        Bytes back(plain.size());
        std::size_t size = back.size();
        int result;
        int calls = 0;
        while ((result = zlib.uncompress(deflated.data(), deflated.size(), back.data(), &size,
                                         7)) == 1) {
            ++calls;
        }
        ASSERT_EQ(result, 0);
        EXPECT_GT(calls, 0);
        EXPECT_EQ(size, plain.size());
        EXPECT_EQ(back, plain);
    }
}

TEST(Zlib, OutputTooSmallFailsAndLeavesTheObjectIdle) {
    const Bytes plain = text(1000);
    Zlib zlib;
    Bytes out(8);
    std::size_t size = out.size();
    EXPECT_EQ(zlib.compress(plain.data(), plain.size(), out.data(), &size, plain.size()), -3);
    EXPECT_FALSE(zlib.busy());

    const Bytes deflated = deflateAll(plain, plain.size());
    size = 100;
    Bytes small(100);
    EXPECT_EQ(zlib.uncompress(deflated.data(), deflated.size(), small.data(), &size,
                              deflated.size()),
              -3);
    EXPECT_FALSE(zlib.busy());
}

TEST(Zlib, Refusals) {
    const Bytes plain = text(100);
    Bytes out(200);
    std::size_t size = out.size();
    Zlib zlib;
    EXPECT_EQ(zlib.compress(nullptr, 1, out.data(), &size, 1), -2);
    EXPECT_EQ(zlib.compress(plain.data(), plain.size(), out.data(), nullptr, 1), -2);
    EXPECT_EQ(zlib.compress(plain.data(), 0, out.data(), &size, 1), -2);
    EXPECT_EQ(zlib.compress(plain.data(), plain.size(), out.data(), &size, 0), -2);

    // Garbage is no zlib stream.
    const Bytes garbage(64, 0xAB);
    EXPECT_EQ(zlib.uncompress(garbage.data(), garbage.size(), out.data(), &size, 64), -1);
    EXPECT_FALSE(zlib.busy());
}

TEST(Zlib, ARunningOperationKeepsItsModeAndBuffers) {
    const Bytes plain = text(1000);
    Bytes out(2000);
    std::size_t size = out.size();
    Zlib zlib;
    ASSERT_EQ(zlib.compress(plain.data(), plain.size(), out.data(), &size, 10), 1);
    EXPECT_TRUE(zlib.busy());
    EXPECT_EQ(zlib.uncompress(plain.data(), plain.size(), out.data(), &size, 10), -4);
    EXPECT_TRUE(zlib.busy());

    Bytes other(2000);
    EXPECT_EQ(zlib.compress(plain.data(), plain.size(), other.data(), &size, 10), -5);
    EXPECT_FALSE(zlib.busy());
    EXPECT_EQ(zlib.cancel(), 0);
}

}  // namespace
