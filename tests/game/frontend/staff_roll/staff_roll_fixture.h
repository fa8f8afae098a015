#pragma once
// The staff roll over a three-page table (page 0: one target line, page 1:
// one decoration line, page 100: the closing page), run frame by frame as
// the game main does: every group acts and draws, then the collision pass.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "game/core/collision.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/frontend/staff_roll/staff_roll.h"
#include "game/frontend/staff_roll/staff_roll_pages.h"
#include "game/objects/popups.h"
#include "game/records/paths.h"
#include "game/records/save_block.h"
#include "tests/game/frontend/scene_task_fixture.h"

inline constexpr uint32_t kRollTag = objTag("MENU");
inline constexpr uint32_t kRollButtonOne = 0x10;
inline constexpr uint32_t kRollReturn = 0x200;
inline constexpr uint32_t kRollUp = 0x01;
// アイウ: the target line of page 0; カキ the decoration line of page 1.
inline constexpr const char* kRollTargetText = "\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xA6";
inline constexpr const char* kRollDecorationText = "\xE3\x82\xAB\xE3\x82\xAD";
inline constexpr const char* kRollFullWidthZero = "\xEF\xBC\x90";

inline void rollLine(StaffRollLine& line, const char* text, int32_t target, int32_t entryKind) {
    std::strncpy(line.text, text, sizeof line.text - 1);
    line.target = target;
    line.entryKind = entryKind;
    line.red = line.green = line.blue = 255;
    line.alpha = 1.0f;
}

inline const StaffRollPage* rollFixturePages() {
    static StaffRollPage pages[kStaffRollPageCount] = {};
    static bool made = false;
    if (!made) {
        rollLine(pages[0][0], kRollTargetText, 1, 0);
        rollLine(pages[1][2], kRollDecorationText, 0, 0);
        rollLine(pages[staffRollPageSlot(kStaffRollPlayedPage)][kStaffRollScoreLine], kRollFullWidthZero, 0, 0);
        made = true;
    }
    return pages;
}

class StaffRollFixture : public SceneTaskFixture {
protected:
    void SetUp() override {
        SceneTaskFixture::SetUp();
        staffRollPagesUse(rollFixturePages());
        saveBlock() = SaveBlock{};
        menuResultCode = 0;
        scorePopupTimer = 0;
        staffRollFinished = staffRollStarted = 0;
        staffRollScore = 0;
        staffRollGauge = staffRollPartners = staffRollMultiplierTime = staffRollLevel = 0;
        staffRollMultiplier = 1;
        inputWordsReset();
    }
    void TearDown() override {
        staffRollPagesUse(nullptr);
        inputWordsReset();
        SceneTaskFixture::TearDown();
    }

    // Every group acts and draws with the input of this frame, then the
    // collision pass, the menu frame and the sound guards.
    void frame(uint32_t pressed = 0, uint32_t held = 0) {
        padPressed = pressed;
        padHeld = held;
        OBJdrawRequestsClear();
        for (int group = 0; group < kObjTaskGroups; ++group) {
            OBJtaskWalk(group, [](ObjTask* t) {
                if (t->act) t->act(t);
                if ((t->flags & kObjTaskLive) && t->work && t->work->draw && t->work->visible) {
                    t->work->draw(t, t->work);
                }
            });
        }
        // The game main's after-pass step spaces the score popups.
        if (scorePopupTimer > 0) --scorePopupTimer;
        OBJcollisionPass();
        menuFrameUpdate();
        SDL2_wheel_SoundUpdate();
        OBJdrawSortLayers();
        OBJdrawFlush();
        padPressed = padHeld = 0;
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }

    ObjTask* startRoll() {
        ObjTask* roll = OBJtaskCreate(TSKstaffRoll, 13, kRollTag);
        EXPECT_NE(roll, nullptr);
        rollTask = roll;
        return roll;
    }
    int32_t step() const { return rollTask->actWords[kStaffRollStep]; }
    StaffRollFields& clock() { return staffRoll(rollTask->work); }
    // Frames until the roll's pages run (step 2).
    void runToPages() {
        for (int i = 0; i < 40 && (rollTask->work == nullptr || step() != 2); ++i) frame();
        ASSERT_EQ(step(), 2);
    }
    // The scene on the last credit page, one frame before its end.
    void lastFrameOfPage27() {
        clock().pageIndex = kStaffRollCreditPages - 1;
        clock().pageTimer = kStaffRollPageFrames;
    }
    bool rollAlive() const { return OBJtaskCountByTag(13, kRollTag) > 0; }
    // Frames until the scene has ended.
    void runToEnd(uint32_t pressed = 0) {
        for (int i = 0; i < 200 && rollAlive(); ++i) frame(i == 0 ? pressed : 0);
        ASSERT_FALSE(rollAlive());
    }

    static std::vector<ObjWork*> works(int group) {
        std::vector<ObjWork*> list;
        OBJtaskWalk(group, [&list](ObjTask* t) {
            if (t->work) list.push_back(t->work);
        });
        return list;
    }
    static int countTag(uint32_t tag) {
        int n = 0;
        for (int group = 0; group < kObjTaskGroups; ++group) n += OBJtaskCountByTag(group, tag);
        return n;
    }
    bool saveFileExists() const { return std::filesystem::exists(makeAppRootPath(kSaveDataFile)); }

    ObjTask* rollTask = nullptr;
};
