#pragma once
// The shared fixture of the boss tests: a fresh game main with the bosses'
// draw layers (430, 431 and the lasers' 609) on recording locators, a
// stand-in fighter, motion files made by our motion builder with labels of
// chosen lengths and "turretNN" locators at chosen offsets, and a recorder of
// the enemy shots each frame made (type, angle, speed, place, owner and the
// sounds asked in the same frame).
//
// A test caches its motion (`cacheBossMotion`), spawns its kind
// (`spawnBoss`), then steps it frame by frame (`runFrames`, `runUntil`)
// while `shots` keeps what was fired. Recorded shots are released at once
// (lasers are kept), so long attacks never reach the live-shot limit.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/render/camera_2d.h"
#include "game/bosses/boss_flags.h"
#include "game/core/game_random.h"
#include "game/core/game_sequence.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/psb_cache.h"
#include "game/core/sound_requests.h"
#include "game/objects/eshot.h"
#include "game/records/play_selection.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/enemies/eshot_cancel.h"
#include "game/stages/rank_carriers.h"
#include "game/stages/stage_tables.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/menu_frame_slots_fixture.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace bossfixture {

namespace mb = psbwriter::motion;

// A label of a node and its length in frames.
struct Label {
    std::string name;
    int frames;
};
// A turret locator: its layer name and offset from the boss.
struct Turret {
    std::string name;
    float x, y;
};
// A node (an object of the motion file) with its labels; every label
// carries every turret.
struct Node {
    std::string name;
    std::vector<Label> labels;
    std::vector<Turret> turrets;
};

inline mb::Timeline labelTimeline(int frames, const std::vector<Turret>& turrets) {
    mb::Timeline timeline{.lastTime = float(frames)};
    for (const Turret& turret : turrets) {
        mb::Content at{.src = "src", .icon = "dot", .coord = mb::Vec3{turret.x, turret.y, 0.0f}};
        timeline.layers.push_back(
            mb::Layer{.label = turret.name, .frames = {mb::holdFrame(0, at), mb::holdFrame(float(frames), at)}});
    }
    return timeline;
}

// Turrets "turret00" to count - 1, turret n at (10 n - 30, 20 + n) from the boss.
inline std::vector<Turret> turretRow(int count) {
    std::vector<Turret> turrets;
    char name[16];
    for (int n = 0; n < count; ++n) {
        std::snprintf(name, sizeof name, "turret%02d", n);
        turrets.push_back({name, float(10 * n - 30), float(20 + n)});
    }
    return turrets;
}

// One shot as made.
struct Shot {
    int frame;
    int32_t type, angle;
    float speed;  // hundredths of a pixel a frame, as asked
    float x, y;
    uint32_t owner;           // the owner's serial, 0 none
    std::set<int32_t> sounds;  // the sound effects asked in the same frame
};

}  // namespace bossfixture

class BossFixture : public MenuFrameSlotsFixture {
protected:
    void SetUp() override {
        MenuFrameSlotsFixture::SetUp();
        OBJtaskPoolInit();
        gameRandSeed(1);
        eshotFixtureClear();
        stageTablesUse(kEnemyStages);
        stageNumber = 1;
        gameMode = 2;
        gameSystem = 0;
        stageClearFlag = 0;
        enemyAttackRank = 0;
        enemyWordsClear();
        bossFlagsClear();
        bossGaugesClear();
        task->layers[430] = &bodyLayer;
        task->layers[431] = &silhouetteLayer;
        task->layers[kEshotLaserLayer] = &laserLayer;
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        eshotFixtureClear();
        stageTablesUse(nullptr);
        for (int32_t layer : {430, 431, kEshotLaserLayer}) task->layers[layer] = nullptr;
        seqTask = nullptr;
        MenuFrameSlotsFixture::TearDown();
    }

    // Caches a motion file of these nodes under its short name.
    static void cacheBossMotion(const std::string& file, const std::vector<bossfixture::Node>& nodes) {
        bossfixture::mb::Document d = motionfixture::document(file, "src", {"dot"}, nodes.at(0).name, {});
        for (const bossfixture::Node& node : nodes) {
            for (const bossfixture::Label& label : node.labels) {
                d.objects[node.name].motions[label.name] = bossfixture::labelTimeline(label.frames, node.turrets);
            }
        }
        psbCache()[file] = motionfixture::load(d).release();
    }

    // The stand-in fighter the aims go to.
    ObjWork* makeFighter(float x = 112.0f, float y = 250.0f) {
        fighterWork = eshotFixtureFighter(x, y, false);
        return fighterWork;
    }

    // The kind made as the spawner makes it (its init has run).
    ObjTask* spawnBoss(int32_t kind, float x = 112.0f, float y = 80.0f) {
        return enemySpawnKind(kind, -1, x, y);
    }

    // One act of the boss with the shots and sounds of the frame recorded.
    void runFrame(ObjTask* boss) {
        soundLayerState().soundGuard.fill(0);
        const uint32_t firstSerial = OBJworkNextSerial();
        boss->act(boss);
        recordShots(firstSerial);
        ++frame;
    }
    void runFrames(ObjTask* boss, int frames) {
        for (int i = 0; i < frames && boss->state == kObjStateRun; ++i) runFrame(boss);
    }
    // Frames until the condition holds (at most `limit`); the frames run.
    int runUntil(ObjTask* boss, const std::function<bool()>& done, int limit = 20000) {
        int n = 0;
        while (!done() && n < limit && boss->state == kObjStateRun) {
            runFrame(boss);
            ++n;
        }
        return n;
    }
    // Anything run with the shots and sounds of the frame recorded.
    void record(const std::function<void()>& run) {
        soundLayerState().soundGuard.fill(0);
        const uint32_t firstSerial = OBJworkNextSerial();
        run();
        recordShots(firstSerial);
        ++frame;
    }
    // One frame of every enemy task (a boss and its parts, in list order),
    // the purge counted down after it as the game main does.
    void runEnemiesFrame() {
        record([] { OBJtaskWalk(kEnemyGroup, [](ObjTask* t) { t->act(t); }); });
        if (enemyExplosionTimer > 0) --enemyExplosionTimer;
    }
    // Puts a boss past its entry: on screen, entry wait over.
    static void enter(ObjTask* boss) {
        enemy(boss->work).offscreenTimer = 0;
        enemy(boss->work).entryWait = 0;
    }

    // A hitter of a task group (6 fighter shot, 10 gun unit, 16 bomb) with
    // its damage, made the boss's other party as the collision pass does.
    ObjWork* hit(ObjTask* target, int32_t group, int32_t damage) {
        ObjTask* hitter = OBJtaskCreate(nullptr, group, objTag("TEST"));
        hitter->state = 12345;
        hitter->work = OBJworkNew();
        hitter->release = TSKgameCtrlKill;
        hitter->work->life = damage;
        target->work->lastCollider = objRef(hitter);
        if (ObjWorkFn callback = target->work->hit) callback(target, target->work);
        return hitter->work;
    }
    // A stand-in sequence task in the replay viewer (a stage clear moves it
    // off kSeqRunning and saves nothing).
    static constexpr int32_t kSeqRunning = 600;
    void makeSequence() {
        menuResultCode = 6;
        seqTask = OBJtaskCreate(nullptr, 0, objTag("GCTR"));
        seqTask->state = kSeqRunning;
    }

    // The shots of a type, or of every type with -1.
    std::vector<bossfixture::Shot> shotsOf(int32_t type) const {
        std::vector<bossfixture::Shot> out;
        std::copy_if(shots.begin(), shots.end(), std::back_inserter(out),
                     [&](const bossfixture::Shot& s) { return type < 0 || s.type == type; });
        return out;
    }
    static bool laser(int32_t type) { return type == 161 || type == 162; }

    std::vector<bossfixture::Shot> shots;
    int frame = 0;
    ObjWork* fighterWork = nullptr;
    M2DCameraLocator bodyLayer, silhouetteLayer, laserLayer;

private:
    void recordShots(uint32_t firstSerial) {
        std::set<int32_t> sounds;
        for (int32_t id = 0; id < kSoundStateIds; ++id) {
            if (soundLayerState().soundGuard[size_t(id)] > 0) sounds.insert(id);
        }
        std::vector<ObjTask*> made;
        for (int32_t group : {kEshotGroup, kEshotSpecialGroup}) {
            OBJtaskWalk(group, [&](ObjTask* t) {
                if (t->work != nullptr && t->work->serial >= firstSerial) made.push_back(t);
            });
        }
        std::sort(made.begin(), made.end(), [](ObjTask* a, ObjTask* b) { return a->work->serial < b->work->serial; });
        for (ObjTask* t : made) {
            const ObjWork* w = t->work;
            shots.push_back({frame, w->kind, w->heading, w->speed * 100.0f, w->x, w->y, w->parentWork.serial, sounds});
            if (!laser(w->kind)) OBJtaskRelease(t);
        }
    }
};
