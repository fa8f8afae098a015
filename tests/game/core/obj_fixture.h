#pragma once
// A small sprite-frame table and a fresh pool, store and text area per test.

#include <gtest/gtest.h>

#include <array>

#include "game/core/draw_store.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sprite_frames.h"

inline constexpr std::array<SpriteFrame, 6> kTestFrames{{
    {},
    {4, 8, 16, 20, 10, 1, 0, 2, 3, 1, 1},  // pivot offset (3, -4)
    {4, 0, 0, 0, 10, 2, 0, 0, 0, 0, 0},    // no width
    {4, 0, 0, 65536, 10, 3, 0, 0, 0, 0, 0},  // width whose low 16 bits are 0
    {5, 0, 0, 8, 8, 4, 0, 0, 0, 0, 0},
    {4, 40, 0, 0xFFFF8, 8, 5, 0, 0, 0, 0, 0},  // width beyond 16 bits
}};

class ObjFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        OBJsetFrameTable(kTestFrames);
        OBJdrawRequestsClear();
        OBJdrawFlush();
    }
    void TearDown() override {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        OBJsetFrameTable({});
    }
};
