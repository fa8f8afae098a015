// The mid-bosses and bosses over the motion files the build made (not
// fixtures): each kind is spawned as its stage brings it, with its stage's
// motion files loaded, beaten form by form through its hit path and stepped
// frame by frame until its end. Every frame, every motion slot in use must
// have found the object and label it was asked for (a miss leaves the slot
// without a motion), and the boss's slot A must hold every turret, smoke
// and effect locator the kind reads, within reach of the boss.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/motion/motion.h"
#include "game/bosses/boss_flags.h"
#include "game/core/game_sequence.h"
#include "game/core/game_task.h"
#include "game/core/motion_slots.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/play_state.h"
#include "game/core/psb_cache.h"
#include "game/stages/enemies/enemy_kinds.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_tables.h"
#include "tests/game/bosses/boss_fixture.h"

namespace {

// What the kind's end brings: a mid-boss dies and the stage goes on, a
// stage boss's death calls the stage clear.
enum class RealMotionEnd { kStageGoesOn, kStageClear };

struct RealMotionKind {
    int32_t kind;
    int32_t stage;
    const char* file;  // slot A's motion file; null for the sprite-built mid-bosses
    int32_t turrets;   // the "turret%02d" the kind reads
    int32_t smokes;    // "smoke%02d"
    int32_t effects;   // "effect%02d"
    float reachX, reachY;  // how far from the boss its locators may stand
    int hitGap;            // frames between two hits, a form taking two
    RealMotionEnd end;
    int frameBound;  // spawn to end
    std::vector<std::string> shown;  // "object/label" slot A must have played
};

void PrintTo(const RealMotionKind& k, std::ostream* out) { *out << "kind " << k.kind; }

// Kinds 104 and 105 wait for their code: a kind without an act is skipped.
const std::vector<RealMotionKind> kRealMotionKinds = {
    {80, 1, "st01mboss", 6, 0, 0, 80, 60, 240, RealMotionEnd::kStageGoesOn, 4000,
     {"st01mboss/appear", "st01mboss/form1_default"}},
    {81, 2, nullptr, 0, 0, 0, 0, 0, 240, RealMotionEnd::kStageGoesOn, 4000, {}},
    {82, 3, nullptr, 0, 0, 0, 0, 0, 240, RealMotionEnd::kStageGoesOn, 4000, {}},
    {83, 4, "st04mboss", 7, 0, 0, 95, 65, 240, RealMotionEnd::kStageGoesOn, 4000,
     {"st04mboss/appear", "st04mboss/form1_default"}},
    {84, 5, "st05mboss", 7, 0, 0, 100, 65, 240, RealMotionEnd::kStageGoesOn, 4000,
     {"st05mboss/appear", "st05mboss/form1_default"}},
    // Its change of shape comes with time, not damage: the hits wait for it.
    {85, 5, "st05mboss2", 22, 0, 0, 105, 70, 700, RealMotionEnd::kStageGoesOn, 4000,
     {"st05mboss2/form_1", "st05mboss2/trans_form", "st05mboss2/form_2"}},
    {100, 1, "st01boss", 5, 0, 0, 150, 90, 240, RealMotionEnd::kStageClear, 8000,
     {"st01boss_form1/appear", "st01boss_form1/form1_default", "st01boss_form1/form1_att1_start",
      "st01boss_form1/form1_att1_wait", "st01boss_form2/form2_change", "st01boss_form2/form2_default",
      "st01boss_form2/form2_att1_start", "st01boss_form2/form2_att1_wait", "st01boss_form2/death"}},
    // Its "appear" is played by kind 121, not by the boss.
    {101, 2, "st02boss", 32, 4, 0, 130, 110, 240, RealMotionEnd::kStageClear, 8000,
     {"st02boss_form1/form1_default", "st02boss_form1/form1_att1_start", "st02boss_form1/form1_att1_wait",
      "st02boss_form2/form2_change", "st02boss_form2/form2_default", "st02boss_form2/form2_att1_start",
      "st02boss_form2/form2_att1_wait", "st02boss_form2/death"}},
    {102, 3, "st03boss", 32, 5, 0, 120, 80, 240, RealMotionEnd::kStageClear, 8000,
     {"st03boss/default", "st03boss/form2_default", "st03boss/form2_att1", "st03boss/form2_death"}},
    {103, 4, "st04boss", 13, 5, 2, 135, 145, 240, RealMotionEnd::kStageClear, 10000,
     {"st04boss/st04boss_1", "st04boss/st04boss_2", "st04boss/st04boss_3", "st04boss/st04boss_5",
      "st04boss/st04boss_6", "st04boss/death"}},
    {104, 5, "st05boss", 20, 4, 0, 100, 100, 240, RealMotionEnd::kStageClear, 10000, {"st05boss/form2_death"}},
    {105, 5, "st05boss2", 24, 5, 0, 100, 80, 240, RealMotionEnd::kStageClear, 12000, {"st05boss2/form2_death"}},
};

// The motion files each stage's load brings.
const std::vector<std::vector<const char*>> kRealMotionStageFiles = {
    {},
    {"st01mboss", "st01boss"},
    {"st02boss", "st2bossvisual"},
    {"3boss_b_wave", "enemy_g_l02", "st03boss", "st3bossvisual"},
    {"st04mboss", "st4bossvisual", "st04boss"},
    {"st05mboss", "st05mboss2", "st05boss", "st05boss2", "st5boss2visual"},
};

// Slot A's position is set in the act; the boss may move on after it.
constexpr float kRealMotionReachSlack = 16.0f;

class RealMotionContentTest : public BossFixture, public ::testing::WithParamInterface<RealMotionKind> {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        stageTablesUse(nullptr);
        stageNumber = GetParam().stage;
        for (const char* name : kRealMotionStageFiles[size_t(GetParam().stage)]) {
            loadPSBObject(std::string(HALVIR_RESOURCE_DIR) + "/motion/" + name + ".psb");
            ASSERT_NE(psbCache().find(name), psbCache().end()) << name << " was not built";
        }
    }

    // The kind as its stage brings it: its spawn row at the row's stage
    // frame, or for a boss another's death brings, as that death spawns it.
    ObjTask* spawnAsStage(const RealMotionKind& k) {
        const SpawnRow* rows = stageSpawnTable(k.stage);
        for (int32_t i = 0; rows != nullptr && i < stageSpawnRowCount(k.stage); ++i) {
            if (rows[i].kind != k.kind) continue;
            stageFrame = rows[i].frame;
            stageSpawnRow(rows[i], true);
            return newestOfKind(k.kind);
        }
        ObjTask* boss = k.kind == 105 ? spawnBoss(105, 112.0f, -300.0f) : spawnBoss(k.kind, 112.0f, -100.0f);
        if (boss != nullptr && k.kind == 102) {
            enemy(boss->work).steerSpeed = 4.0f;
            boss->work->heading = 512;
        }
        return boss;
    }
    static ObjTask* newestOfKind(int32_t kind) {
        ObjTask* found = nullptr;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* t) {
            if (t->work != nullptr && t->work->kind == kind) found = t;
        });
        return found;
    }

    // The file a slot plays, by its cached document.
    std::string slotFile(int32_t slot) const {
        const PSBObject* document = task->motionSlots.document[size_t(slot)];
        for (const auto& [key, cached] : psbCache()) {
            if (cached == document) return key;
        }
        return "?";
    }
    // Every slot asked for an object and label must have found them.
    void checkSlots(ObjWork* boss) {
        for (int32_t slot = 0; slot < MotionSlotTable::kSlots; ++slot) {
            if (!task->motionSlots.used[size_t(slot)]) continue;
            const MMotion* motion = task->slotMotion(slot);
            if (motion->objectName().empty()) continue;
            const std::string played = slotFile(slot) + " " + motion->objectName() + " ";
            if (motion->hasMotion()) {
                if (slot == boss->motionSlot0) shown.insert(motion->objectName() + "/" + motion->motionName());
                continue;
            }
            char at[96];
            std::snprintf(at, sizeof at, "(boss motion state %d, phase %d, step %d)", int(enemy(boss).motionState),
                          int(enemy(boss).phase), int(enemy(boss).step));
            faults.insert(played + "label missing " + at);
        }
    }
    // Slot A holds each locator the kind reads, within its reach.
    void checkLocators(const RealMotionKind& k, const ObjWork* boss) {
        // Until the boss first plays a label there is nothing to read.
        if (boss->motionSlot0 < 0 || task->slotMotion(boss->motionSlot0)->objectName().empty()) return;
        ++locatorFrames;
        const std::pair<const char*, int32_t> families[] = {{"turret", k.turrets}, {"smoke", k.smokes},
                                                            {"effect", k.effects}};
        const std::string label = SDL2_wheel_MotionGetName(boss->motionSlot0);
        for (const auto& [prefix, count] : families) {
            for (int32_t n = 0; n < count; ++n) {
                char name[24];
                std::snprintf(name, sizeof name, "%s%02d", prefix, int(n));
                float out[3] = {};
                if (!SDL2_wheel_MotionGetLocator(boss->motionSlot0, out, name)) {
                    faults.insert(std::string(name) + " missing in " + label);
                } else if (std::abs(out[0] - boss->x) > k.reachX + kRealMotionReachSlack ||
                           std::abs(out[1] - boss->y) > k.reachY + kRealMotionReachSlack) {
                    faults.insert(std::string(name) + " off the body in " + label);
                }
            }
        }
    }
    // A form is hit when the boss can take it: past its entry, boxes on,
    // not between forms.
    void damage(ObjTask* boss, int hitGap, int& sinceHit) {
        ObjWork* work = boss->work;
        EnemyFields& e = enemy(work);
        if (++sinceHit < hitGap || work->lifeState != 1 || work->hitBoxCount == 0 || e.entryWait != 0 ||
            e.offscreenTimer != 0 || e.hp <= 0) {
            return;
        }
        const int32_t form = std::clamp(e.formIndex, 0, kEnemyParts - 1);
        const int32_t left = e.sizeClass >= 3 ? e.formHp[form] : e.hp;
        const int32_t full = e.sizeClass >= 3 ? e.formHpMax[form] : e.hp;
        const int32_t blow = std::max(1, std::min(left, (full + 1) / 2));
        hit(boss, 6, left > 0 ? blow : e.hp);
        sinceHit = 0;
    }

    std::set<std::string> faults;
    std::set<std::string> shown;
    int locatorFrames = 0;
};

TEST_P(RealMotionContentTest, BeatenFormByFormItReachesItsEndOnLabelsAndLocatorsTheFileHolds) {
    const RealMotionKind& k = GetParam();
    if (enemyKindAct(k.kind) == nullptr) GTEST_SKIP() << "kind " << k.kind << " is not built yet";
    makeSequence();
    makeFighter();
    ObjTask* boss = spawnAsStage(k);
    ASSERT_NE(boss, nullptr);
    ObjWork* work = boss->work;
    if (k.file != nullptr) {
        ASSERT_GE(work->motionSlot0, 0);
        EXPECT_EQ(slotFile(work->motionSlot0), k.file);
    }
    bool dying = false;
    int sinceHit = 0, frames = 0;
    for (; frames < k.frameBound && boss->state == kObjStateRun; ++frames) {
        runEnemiesFrame();
        ++stageFrame;
        if (boss->state != kObjStateRun) break;
        checkSlots(work);
        checkLocators(k, work);
        dying = dying || work->lifeState == 3;
        damage(boss, k.hitGap, sinceHit);
    }
    EXPECT_TRUE(faults.empty()) << [&] {
        std::string all;
        for (const std::string& fault : faults) all += "\n  " + fault;
        return all;
    }();
    EXPECT_TRUE(dying) << "beaten, not gone some other way";
    EXPECT_EQ(boss->state, kObjStateEnd) << "still running after " << frames << " frames";
    for (const std::string& label : k.shown) EXPECT_TRUE(shown.contains(label)) << label << " never played";
    if (k.file != nullptr) EXPECT_GT(locatorFrames, 0);
    if (k.end == RealMotionEnd::kStageClear) {
        EXPECT_NE(seqTask->state, kSeqRunning) << "the stage clear was called";
    } else {
        EXPECT_EQ(seqTask->state, kSeqRunning);
        EXPECT_EQ(stageClearFlag, 0);
    }
}

// The probe the fight relies on: a label or an object the file lacks
// leaves the slot with its object named and no motion, and a locator it
// lacks is not found.
class RealMotionProbeTest : public BossFixture {};

TEST_F(RealMotionProbeTest, AMissingLabelObjectOrLocatorIsSeen) {
    loadPSBObject(std::string(HALVIR_RESOURCE_DIR) + "/motion/st01boss.psb");
    const int32_t slot = SDL2_wheel_MotionCreate(430, "st01boss");
    ASSERT_GE(slot, 0);
    const MMotion* motion = task->slotMotion(slot);
    EXPECT_TRUE(motion->objectName().empty()) << "nothing asked yet";
    SDL2_wheel_MotionPlay(slot, 0, "st01boss_form1", "appear");
    EXPECT_TRUE(motion->hasMotion());
    float out[3] = {};
    EXPECT_TRUE(SDL2_wheel_MotionGetLocator(slot, out, "turret04"));
    EXPECT_FALSE(SDL2_wheel_MotionGetLocator(slot, out, "turret05"));
    SDL2_wheel_MotionPlay(slot, 0, "st01boss_form1", "death");
    EXPECT_EQ(motion->objectName(), "st01boss_form1");
    EXPECT_FALSE(motion->hasMotion()) << "the first form has no death";
    SDL2_wheel_MotionPlay(slot, 0, "st01boss_form3", "appear");
    EXPECT_FALSE(motion->hasMotion());
    task->releaseMotionSlot(slot);
}

std::string realMotionKindName(const ::testing::TestParamInfo<RealMotionKind>& info) {
    return "Kind" + std::to_string(info.param.kind);
}

INSTANTIATE_TEST_SUITE_P(StageBosses, RealMotionContentTest, ::testing::ValuesIn(kRealMotionKinds),
                         realMotionKindName);

}  // namespace
