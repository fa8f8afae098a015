// The staff roll's scene: set-up, the steps, the pages by the clock, the
// closing page and the hi-score, the leave.
#include "game/frontend/staff_roll/staff_roll.h"

#include <algorithm>
#include <climits>

#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/frontend/staff_roll/staff_roll_pages.h"
#include "game/records/paths.h"
#include "game/records/save_block.h"

int32_t staffRollPage = 0;
int32_t staffRollTargetsLeft = 0;
uint8_t staffRollFinished = 0;
uint8_t staffRollStarted = 0;

namespace {

constexpr float kRollDepth = 801.0f;
constexpr int32_t kRollMusic = 66;
constexpr int32_t kRollFadeFrames = 30;
constexpr int32_t kRollFadeIn = 110;
constexpr int32_t kRollFadeOut = 120;
constexpr uint8_t kRollFadeGrey = 8;
constexpr int32_t kRollMusicFadeFrames = 300;
constexpr uint32_t kRollButtonOne = 0x10;
constexpr uint32_t kRollReturn = 0x200;
constexpr float kRollLineX = 112.0f;
constexpr float kRollLineY = 46.0f;
constexpr float kRollLinePitch = 14.0f;
constexpr int32_t kRollTopValue = 22;
constexpr int32_t kRollBackToMainMenu = 3;
constexpr uint32_t kRollReleasedTags[] = {objTag("ZAKO"), objTag("FIGH"), objTag("EFCT"), objTag("SPLT"),
                                          objTag("ESHT")};

int32_t& rollStep(ObjTask* task) { return task->actWords[kStaffRollStep]; }
int32_t& rollCountdown(ObjTask* task) { return task->actWords[kStaffRollCountdown]; }

void rollSetUp(ObjTask* task) {
    task->release = sceneWorkFree;
    rollStep(task) = 0;
    sceneWorkNew(task, kRollDepth, staffRollHudDraw);
    CloseMenuFrame();
    SDL2_wheel_SoundPlayMusic(kRollMusic);
    rollCountdown(task) = kRollFadeFrames;
    TSKfadeStart(kRollFadeFrames, kRollFadeIn, kRollFadeGrey, kRollFadeGrey, kRollFadeGrey, 1.0f);
    staffRollMultiplierTime = 0;
    staffRollMultiplier = 1;
    staffRollSetPage(0);
    staffRollFinished = 0;
    staffRollScore = 0;
    staffRollPartners = 0;
    staffRollGauge = 0;
    staffRollStarted = 0;
    staffRollLevel = 0;
    staffRollPartnerCreate(0);
}

// The stored hi-score is a signed word; a better score is kept, clamped to it.
void rollKeepHighScore() {
    const int64_t stored = int32_t(saveBlock().staffRollHighScore);
    if (staffRollScore > uint64_t(INT64_MAX) || int64_t(staffRollScore) <= stored) return;
    saveBlock().staffRollHighScore = uint32_t(std::min<uint64_t>(staffRollScore, INT32_MAX));
    saveDataWrite(makeAppRootPath(kSaveDataFile));
}

void rollClose() {
    staffRollFinished = 1;
    rollKeepHighScore();
    if (staffRollStarted == 0) {
        staffRollSetPage(kStaffRollNotPlayedPage);
    } else {
        staffRollClosingPageSet(staffRollScore);
        staffRollSetPage(kStaffRollPlayedPage);
    }
    SDL2_wheel_SoundFadeOutMusic(kRollMusicFadeFrames);
}

// The return button leaves before the last page; the clock still runs this
// frame, and a close on the same frame keeps the score but leaves.
void rollPages(ObjTask* task, ObjWork* work) {
    StaffRollFields& fields = staffRoll(work);
    bool leaving = false;
    if ((padPressed & kRollReturn) != 0 && fields.pageIndex < kStaffRollCreditPages) {
        SDL2_wheel_SoundPlaySE(0, false);
        leaving = true;
    }
    if (++fields.pageTimer > kStaffRollPageFrames) {
        fields.pageTimer = 0;
        ++fields.pageIndex;
        if (fields.pageIndex < kStaffRollCreditPages) staffRollSetPage(fields.pageIndex);
    }
    if (fields.pageIndex >= kStaffRollCreditPages) {
        rollClose();
        rollStep(task) = leaving ? 4 : 3;
    } else if (leaving) {
        rollStep(task) = 4;
    }
}

void rollRun(ObjTask* task) {
    ObjWork* work = task->work;
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    if (task->state == kStaffRollStateLeave) {
        if (menuFrameState != kMenuFrameDone) return;
        for (uint32_t tag : kRollReleasedTags) OBJtaskReleaseByTag(tag);
        task->state = kObjStateEnd;
        return;
    }
    switch (rollStep(task)) {
    case 0: rollStep(task) = 1; break;
    case 1:
        if (--rollCountdown(task) <= 0) rollStep(task) = 2;
        break;
    case 2: rollPages(task, work); break;
    case 3:
        if ((padPressed & kRollButtonOne) != 0) {
            SDL2_wheel_SoundPlaySE(0, false);
            rollStep(task) = 4;
        }
        break;
    case 4:
        TSKfadeStart(kRollFadeFrames, kRollFadeOut, kRollFadeGrey, kRollFadeGrey, kRollFadeGrey, 0.0f);
        rollCountdown(task) = kRollFadeFrames;
        rollStep(task) = 5;
        break;
    default:
        if (--rollCountdown(task) <= 0) {
            task->state = kStaffRollStateLeave;
            menuResultCode = kRollBackToMainMenu;
            menuFrameStartAlt = 0;
        }
        break;
    }
    staffRollGameFrame();
    ++work->age;
}

}  // namespace

void TSKstaffRoll(ObjTask* task) {
    static constexpr SceneAct kRollAct{rollSetUp, rollRun, kStaffRollStateLeave};
    sceneAct(task, kRollAct);
}

void staffRollSetPage(int32_t page) {
    staffRollPage = page;
    staffRollTargetsLeft = 0;
    const StaffRollPage* lines = staffRollPageLines(page);
    if (lines == nullptr) return;
    for (int32_t i = 0; i < kStaffRollLines; ++i) {
        const StaffRollLine& line = (*lines)[size_t(i)];
        staffRollSpawnLine(line.text, kRollLineX, kRollLineY + kRollLinePitch * float(i), line.alpha, line.red,
                           line.green, line.blue, line.target, line.entryKind, kRollTopValue - i);
    }
}
