#pragma once
// The boss fixture with a sprite-frame table of the marker frames the
// sprite-built mid-bosses read their firing points from (the pinned pivots
// of 5731..5735 and 5772..5786), and the per-call shot lists of an attack.

#include <map>
#include <vector>

#include "game/bosses/boss_shape.h"
#include "game/core/sprite_frames.h"
#include "tests/game/bosses/boss_fixture.h"

namespace spritebossfixture {

struct Pivot {
    int32_t frame, x, y;
};
inline constexpr Pivot kPivots[] = {
    {5731, 0, -13},  {5732, -40, -19}, {5733, 39, -19},  {5734, -40, 52}, {5735, 39, 52},
    {5772, -14, -67}, {5773, 3, -47},  {5774, -72, -9},  {5775, -52, 8},  {5776, -78, -65},
    {5777, -46, -29}, {5778, -14, 2},  {5779, 33, -11},  {5780, 47, 0},   {5781, 61, 14},
    {5782, 75, 28},   {5783, -18, 40}, {5784, -4, 54},   {5785, 7, 68},   {5786, 21, 82},
};

}  // namespace spritebossfixture

class SpriteBossFixture : public BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        frames.assign(5900, SpriteFrame{});
        for (const auto& p : spritebossfixture::kPivots) {
            frames[size_t(p.frame)].id = p.frame;
            frames[size_t(p.frame)].pivotX = p.x;
            frames[size_t(p.frame)].pivotY = p.y;
        }
        OBJsetFrameTable(frames);
    }
    void TearDown() override {
        OBJsetFrameTable({});
        BossFixture::TearDown();
    }
    // Runs an attack (entry over, held in place) for at most `limit` calls
    // of each burst; the shots by burst x 1000 + call index.
    std::map<int, std::vector<bossfixture::Shot>> runAttack(ObjTask* boss, const BossAttack& attack, int limit) {
        bossStartAttack(boss->work, attack);
        std::map<int, std::vector<bossfixture::Shot>> calls;
        for (int guard = 0; guard < 20000 && enemy(boss->work).attackPattern != 0; ++guard) {
            const int i = enemy(boss->work).shotIndex;
            const int burst = enemy(boss->work).volleyIndex;
            if (i >= limit && enemy(boss->work).shotsLeft > 0) break;
            const size_t before = shots.size();
            runFrame(boss);
            if (enemy(boss->work).shotIndex == i + 1) {
                calls[burst * 1000 + i].assign(shots.begin() + long(before), shots.end());
            }
        }
        return calls;
    }
    static int count(const std::vector<bossfixture::Shot>& list, int32_t type) {
        return int(std::count_if(list.begin(), list.end(), [&](const bossfixture::Shot& s) { return s.type == type; }));
    }
    void nextLevel() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        shots.clear();
    }

    std::vector<SpriteFrame> frames;
};
