#include "platform/device/texture_staging.h"

#include <gtest/gtest.h>

#include <thread>

namespace platform {
namespace {

TEST(TextureStaging, LocksGiveTheLevelPitchAndReportTheWrittenUnion) {
    TextureStaging s({8, 4, 2, PixelFormat::A8R8G8B8, TextureUsage::Dynamic});
    LockedRect locked;
    const Rect band{2, 1, 4, 3};
    ASSERT_TRUE(s.lock(0, &band, locked));
    EXPECT_EQ(locked.pitch, 32);
    locked.bits[0] = 0xAB;
    s.unlock(0);
    const Rect other{6, 0, 8, 1};
    ASSERT_TRUE(s.lock(0, &other, locked));
    s.unlock(0);
    int calls = 0;
    s.takeDirty([&](int level, const Rect& r, const uint8_t* bits, int pitch) {
        ++calls;
        EXPECT_EQ(level, 0);
        EXPECT_EQ(r, (Rect{2, 0, 8, 3}));
        EXPECT_EQ(bits[1 * pitch + 2 * 4], 0xAB);
    });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(s.hasDirty());
    EXPECT_EQ(s.levelWidth(1), 4);
}

TEST(TextureStaging, RefusesBadLocks) {
    TextureStaging s({8, 8, 1, PixelFormat::DXT1, TextureUsage::Managed});
    LockedRect locked;
    const Rect outside{0, 0, 9, 8}, offBlock{2, 0, 8, 8}, empty{4, 4, 4, 8};
    EXPECT_FALSE(s.lock(1, nullptr, locked));
    EXPECT_FALSE(s.lock(0, &outside, locked));
    EXPECT_FALSE(s.lock(0, &offBlock, locked));
    EXPECT_FALSE(s.lock(0, &empty, locked));
    ASSERT_TRUE(s.lock(0, nullptr, locked));
    EXPECT_EQ(locked.pitch, 16);  // two 8-byte blocks a row
    EXPECT_FALSE(s.lock(0, nullptr, locked));  // already locked
    s.unlock(0);
}

TEST(TextureStaging, ALevelFilledOnAnotherThreadIsTakenHere) {
    TextureStaging s({4, 4, 1, PixelFormat::A8, TextureUsage::Managed});
    std::thread writer([&] {
        LockedRect locked;
        ASSERT_TRUE(s.lock(0, nullptr, locked));
        for (int y = 0; y < 4; ++y) locked.bits[y * locked.pitch + y] = uint8_t(y + 1);
        s.unlock(0);
    });
    writer.join();
    int sum = 0;
    s.takeDirty([&](int, const Rect&, const uint8_t* bits, int pitch) {
        for (int y = 0; y < 4; ++y) sum += bits[y * pitch + y];
    });
    EXPECT_EQ(sum, 10);
    s.dropBuffers();
}

}  // namespace
}  // namespace platform
