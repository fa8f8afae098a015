#pragma once
// The fixture of the one-form mid-bosses run from kind 80's table (kinds 83
// and 84): a motion file of known label lengths, a mid-boss parked past its
// entry, one attack run to its end with the shots kept by call index, and
// the phase trace as the motion states it went through.

#include <map>
#include <utility>
#include <vector>

#include "game/bosses/boss_shape.h"
#include "tests/game/bosses/boss_fixture.h"

class MbossFixture : public BossFixture {
protected:
    static constexpr int kAppearFrames = 20;
    static constexpr int kDefaultFrames = 16;
    using Calls = std::map<int, std::vector<bossfixture::Shot>>;

    void useMotion(const std::string& file, int turrets) {
        cacheBossMotion(file, {{file, {{"appear", kAppearFrames}, {"form1_default", kDefaultFrames}},
                                bossfixture::turretRow(turrets)}});
    }
    // A mid-boss past its entry whose phase machine is parked, so that only
    // the attack schedule runs.
    ObjTask* parkedBoss(int32_t kind) {
        ObjTask* boss = spawnBoss(kind);
        runFrame(boss);
        enter(boss);
        enemy(boss->work).phase = 9;
        return boss;
    }
    // One one-burst attack run to its end: the shots by call index.
    Calls runAttack(ObjTask* boss, const BossAttack& attack) {
        bossStartAttack(boss->work, attack);
        Calls calls;
        for (int guard = 0; guard < 4000 && enemy(boss->work).attackPattern != 0; ++guard) {
            const int i = enemy(boss->work).shotIndex;
            const size_t before = shots.size();
            runFrame(boss);
            if (enemy(boss->work).shotIndex == i + 1) {
                calls[i].insert(calls[i].end(), shots.begin() + long(before), shots.end());
            }
        }
        return calls;
    }
    // The attack at each rank level on a fresh pool: check(level, calls).
    void eachLevel(int32_t kind, const BossAttack& attack,
                   const std::function<void(int32_t, const Calls&)>& check) {
        for (int32_t level = 0; level < 4; ++level) {
            gameMode = level;
            gameRandSeed(7);
            makeFighter();
            ObjTask* boss = parkedBoss(kind);
            check(level, runAttack(boss, attack));
            OBJtaskReleaseAll(nullptr);
            OBJtaskPoolInit();
        }
    }
    // The motion states a spawned mid-boss goes through, each once in turn,
    // until it has come back to rest after attack C.
    std::vector<int32_t> motionTrace(int32_t kind) {
        ObjTask* boss = spawnBoss(kind);
        std::vector<int32_t> states{enemy(boss->work).motionState};
        for (int f = 0; f < 6000 && states.size() < 14; ++f) {
            runFrame(boss);
            if (enemy(boss->work).motionState != states.back()) states.push_back(enemy(boss->work).motionState);
        }
        return states;
    }
    static int count(const std::vector<bossfixture::Shot>& list, int32_t type) {
        return int(std::count_if(list.begin(), list.end(), [&](const bossfixture::Shot& s) { return s.type == type; }));
    }
    static std::vector<bossfixture::Shot> at(const Calls& calls, int i) {
        const auto found = calls.find(i);
        return found == calls.end() ? std::vector<bossfixture::Shot>{} : found->second;
    }
};
