#include "game/frontend/ranking_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "game/core/app_switches.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/frontend/sprite_font_text.h"
#include "game/records/play_selection.h"

RankingViewPage rankingViewPage;

namespace {

constexpr uint32_t kRankUp = 0x1, kRankDown = 0x2, kRankLeft = 0x4, kRankRight = 0x8;
constexpr uint32_t kRankButtonOne = 0x10, kRankButtonTwo = 0x20;
constexpr int32_t kRankingMusic = 34;
constexpr int32_t kRankingMove = 2;
constexpr int32_t kRankingLeaveSound = 0;
constexpr int32_t kRankingFlash = 10;
constexpr int32_t kRankingTimeOutWord = 0;
constexpr float kRankingDepth = 900.0f;
constexpr float kRankingCentreX = 112.0f;
constexpr float kRankingGlyph = 8.0f;
constexpr int kRankingScoreAttackFirst = 4;

void rankViewStageText(char* text, size_t size, const RankingRecord& r, bool scoreAttack) {
    if (r.finished != 0) {
        const char* done = scoreAttack ? (r.trueRoute ? "T CLEAR" : "CLEAR  ") : (r.trueRoute ? "TRUEALL" : "ALL    ");
        std::snprintf(text, size, "%s", done);
        return;
    }
    const char* format = "%d      ";
    if (r.stageProgress == 1) format = "%d MBOSS";
    if (r.stageProgress == 2) format = r.trueRoute ? "%d TBOSS" : "%d BOSS ";
    std::snprintf(text, size, format, int(r.stage));
}

void rankingRelease(ObjTask* task) {
    sceneWorkFree(task);
    rankingViewShown = 0;
    setGameMode(1);
}

void rankingDraw(ObjTask* task, ObjWork* work);

void rankingSetUp(ObjTask* task) {
    rankingViewShown = 1;
    sceneWorkNew(task, kRankingDepth, rankingDraw);
    task->release = rankingRelease;
    int32_t& timeOut = task->actWords[kRankingTimeOutWord];
    timeOut = menuResultCode == kRankingFromMenu ? kRankingNoTimeOut : kRankingTimeOut;
    if (arcadeMode) timeOut = kRankingTimeOut;
    SDL2_wheel_SoundPlayMusic(kRankingMusic);
    rankingViewPage = RankingViewPage{};
    rankingViewPage.category = std::clamp(rankingLatestCategory, 0, kRankingCategories - 1);
    rankingViewPage.table = std::clamp(rankingLatestTable, 0, kRankingTables - 1);
    rankingViewPage.timeOutReset = arcadeMode ? kRankingTimeOut : kRankingNoTimeOut;
    rankingViewPage.inputLock = kRankingInputLock;
    rankingViewPage.today = arcadeMode ? 1 : 0;
    menuFrameOpen(1);
}

void rankingLeave(ObjTask* task) {
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = 0;
    task->state = kRankingLeaving;
}

// The first input that applies; each moves the page and restarts the time-out.
void rankingInput(ObjTask* task) {
    RankingViewPage& page = rankingViewPage;
    int32_t& timeOut = task->actWords[kRankingTimeOutWord];
    const uint32_t pad = padPressed;
    if (pad & kRankLeft) {
        page.category = page.category == 0 ? kRankingCategories - 1 : page.category - 1;
        page.flashLeft = kRankingFlash;
    } else if (pad & kRankRight) {
        page.category = page.category == kRankingCategories - 1 ? 0 : page.category + 1;
        page.flashRight = kRankingFlash;
    } else if (pad & kRankDown) {
        page.table = page.table == kRankingTables - 1 ? 0 : page.table + 1;
        page.flashDown = kRankingFlash;
    } else if (pad & kRankUp) {
        page.table = page.table == 0 ? kRankingTables - 1 : page.table - 1;
        page.flashUp = kRankingFlash;
    } else if (arcadeMode && (pad & kRankButtonTwo)) {
        page.today = page.today ? 0 : 1;
    } else {
        if (arcadeMode && (pad & kRankButtonOne)) timeOut = 1;
        return;
    }
    SDL2_wheel_SoundPlaySE(kRankingMove, false);
    timeOut = page.timeOutReset;
}

void rankingRun(ObjTask* task) {
    RankingViewPage& page = rankingViewPage;
    if (task->state == kRankingLeaving) {
        page.leave = std::min(page.leave + 1, kRankingLeaveFrames);
        if (menuFrameState == kMenuFrameDone) task->state = kObjStateEnd;
        return;
    }
    if (page.inputLock == 0) rankingInput(task);
    page.flashLeft = std::max(page.flashLeft - 1, 0);
    page.flashRight = std::max(page.flashRight - 1, 0);
    int32_t& timeOut = task->actWords[kRankingTimeOutWord];
    if (timeOut != kRankingNoTimeOut && --timeOut < 0) {
        rankingLeave(task);
        if (!arcadeMode && menuResultCode == kRankingFromMenu) menuResultCode = kRankingBackToMenu;
    }
    const bool leaveInput = arcadeMode ? startRequest != 0 : (padPressed & kRankButtonOne) != 0;
    if (task->state == kObjStateRun && page.inputLock == 0 && leaveInput) {
        SDL2_wheel_SoundPlaySE(kRankingLeaveSound, false);
        rankingLeave(task);
        if (arcadeMode) {
            menuResultCode = kRankingToTitle;
        } else if (menuResultCode == kRankingFromMenu) {
            menuResultCode = kRankingBackToMenu;
        }
    }
    page.inputLock = std::max(page.inputLock - 1, 0);
    ++page.frames;
}

void rankingCentred(ObjWork* work, const char* text, float y) {
    OBJdrawText(work, text, kRankingCentreX - kRankingGlyph * float(std::strlen(text)) * 0.5f, y, kRankingDrawLayer);
}

void rankingDrawRows(ObjWork* work, float slide) {
    const RankingViewPage& page = rankingViewPage;
    RankingTables& tables = rankingTables();
    const std::unique_ptr<RankingTable>& shown = page.today ? tables.today : tables.all;
    if (!shown) return;
    const int places = arcadeMode ? kRankingPlacesArcade : kRankingPlaces;
    const auto& marks = rankingNewMarks[page.today ? 1 : 0];
    for (int place = 0; place < places; ++place) {
        const RankingRecord& record = shown->at(page.table, page.category, place);
        const float y = kRankingRowTop + kRankingRowPitch * float(place) + slide;
        const size_t index = size_t((page.table * kRankingCategories + page.category) * kRankingPlaces + place);
        if (marks[index] != 0) {
            OBJdrawSprite(work, kRankingBarSprite, kRankingCentreX, y + kRankingGlyph, kRankingDrawLayer, 1.0f,
                          arcadeMode ? 0.92f : 0.6f, 0.0f, 1.0f, 0);
        }
        char line[96];
        rankingRowFirstLine(line, sizeof line, record, place);
        OBJdrawText(work, line, 12.0f, y, kRankingDrawLayer);
        rankingRowSecondLine(line, sizeof line, record, page.category);
        OBJdrawText(work, line, 12.0f, y + kRankingGlyph + 1.0f, kRankingDrawLayer);
        if (arcadeMode && slide == 0.0f) {
            char name[256];
            rankingRowName(name, sizeof name, record);
            OBJdrawFontText(work, 1, name, 752.0f, 364.0f + 84.0f * float(place), 1.0f, 255, 255, 255, 1);
        }
    }
}

void rankingDraw(ObjTask*, ObjWork* work) {
    const RankingViewPage& page = rankingViewPage;
    const float slide = 10.0f * float(page.inputLock * page.inputLock + page.leave * page.leave);
    drawSpriteFontText("RANKING", 1, float(kRankingDrawLayer), kRankingCentreX, 16.0f + slide, 1.0f, true, 255, 255,
                       255, 0, 1.0f, 1.0f);
    if (page.today) rankingCentred(work, "TODAY", 40.0f + slide);
    rankingCentred(work, kRankingCategoryTitles[size_t(page.category)], 52.0f + slide);
    rankingCentred(work, kRankingTableTitles[size_t(page.table)], 64.0f + slide);
    OBJdrawText(work, "RANK       SCORE", 12.0f, 78.0f + slide, kRankingDrawLayer);
    rankingDrawRows(work, slide);
    if (!arcadeMode || page.frames % 240 < 120) {
        rankingCentred(work, "LEFT / RIGHT to SELECT MODE", 268.0f + slide);
        rankingCentred(work, "UP / DOWN to SELECT TYPE", 278.0f + slide);
    } else {
        rankingCentred(work, "BUTTON 2 to CHANGE RANKING", 273.0f + slide);
    }
}

}  // namespace

void rankingRowFirstLine(char* text, size_t size, const RankingRecord& record, int place) {
    static constexpr std::array<const char*, 3> kTop = {" 1ST", " 2ND", " 3RD"};
    char label[8];
    if (place < 3) {
        std::snprintf(label, sizeof label, "%s", kTop[size_t(place)]);
    } else if (place < 9) {
        std::snprintf(label, sizeof label, "%2dTH", place + 1);
    } else {
        std::snprintf(label, sizeof label, "10TH");
    }
    std::snprintf(text, size, "%s %12llu %s", label, static_cast<unsigned long long>(record.score),
                  rankingTypeLabel(record.leaderType));
}

void rankingRowSecondLine(char* text, size_t size, const RankingRecord& record, int category) {
    const bool scoreAttack = category >= kRankingScoreAttackFirst;
    char stage[16];
    rankViewStageText(stage, sizeof stage, record, scoreAttack);
    const char* assist = record.assist == 0 ? "MANUAL" : "ASSIST";
    if (scoreAttack) {
        std::snprintf(text, size, "   ST %s %s", stage, assist);
    } else {
        std::snprintf(text, size, "   ST %s %s C %d", stage, assist, int(record.fighterWord) - 1);
    }
}

void rankingRowName(char* text, size_t size, const RankingRecord& record) {
    if (size == 0) return;
    char name[sizeof record.name];
    std::memcpy(name, record.name, sizeof name);
    name[sizeof name - 1] = '\0';
    std::snprintf(text, size, "%s", name);
}

void TSKranking(ObjTask* task) { sceneAct(task, {rankingSetUp, rankingRun, kRankingLeaving}); }
