#include "engine/data/seed_pool.h"

#include <gtest/gtest.h>

namespace {

TEST(SeedPoolTest, StartsWithTheFirstWordOnly) {
    const MSeedPool pool(0x1234);
    const auto words = pool.words();
    EXPECT_EQ(words[0], 0x1234u);
    for (size_t i = 1; i < words.size(); ++i) ASSERT_EQ(words[i], 0u);
    EXPECT_EQ(pool.position(), 0u);
    EXPECT_EQ(pool.rotation(), 0u);
}

TEST(SeedPoolTest, EachPassRotatesOneFurther) {
    MSeedPool pool(0);
    pool.mix(0x0003);
    pool.mix(0x8001);
    EXPECT_EQ(pool.words()[0], 0x80010003u);  // two 16-bit words, little-endian
    for (uint32_t i = 2; i < MSeedPool::kHalfWords; ++i) pool.mix(0);
    EXPECT_EQ(pool.position(), 0u);
    EXPECT_EQ(pool.rotation(), 1u);
    pool.mix(0x0003);  // rotated right by 1 within 16 bits
    EXPECT_EQ(pool.words()[0] & 0xFFFF, 0x0003u ^ 0x8001u);
    for (uint32_t i = 1; i < 15 * MSeedPool::kHalfWords; ++i) pool.mix(0);
    EXPECT_EQ(pool.rotation(), 0u);  // wraps after 16 passes
}

TEST(SeedPoolTest, PublishedPoolProvidesTheSeedWords) {
    EXPECT_EQ(seedPoolWords()[0], 0u);
    const MSeedPool pool(7);
    publishSeedPool(&pool);
    EXPECT_EQ(seedPoolWords()[0], 7u);
    publishSeedPool(nullptr);
}

}  // namespace
