// The credit roll: its course page by page and row by row, and its draw.
#include "game/frontend/ending/ending_roll.h"

#include <algorithm>

#include "game/core/draw_store.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/frontend/ending/ending.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/frontend/scene.h"
#include "game/frontend/sprite_font_text.h"

namespace {

constexpr int32_t kEndRollLayer = 801;
constexpr int32_t kEndRollCoverLayer = 902;
constexpr int32_t kEndRollCoverSprite = 2687;
constexpr int32_t kEndRollPictureSprite = 2816;
constexpr int32_t kEndRollRowPictureSprite = 3309;
constexpr uint32_t kEndRollStartBit = 0x8000;
constexpr int32_t kEndRollMusicFade = 300;
constexpr int32_t kEndRollEndStep = 24;

const CreditRollRow (*endRollPages)[kCreditRollRows] = creditRollTable;

void endRollArmPage(SceneFields& fields) {
    endingRowTimer.fill(kEndingRowFrames);
    fields.endingPageArmed = 1;
}

void endRollNextPage(SceneFields& fields) {
    if (fields.endingPage + 1 >= kCreditRollPages) {
        fields.endingDone = 1;
        SDL2_wheel_SoundFadeOutMusic(kEndRollMusicFade);
        return;
    }
    ++fields.endingPage;
    const int32_t picture = endingPagePictures[size_t(fields.endingPage)];
    // A page over the same picture keeps it shown.
    if (endingPicture != picture) endingPictureAlpha = 0.0f;
    endingPrevPicture = endingPicture;
    endingPicture = picture;
    fields.endingRow = 0;
    endRollArmPage(fields);
}

void endRollReveal(SceneFields& fields) {
    resultCoverAlpha = std::max(resultCoverAlpha - 0.05f, 0.0f);
    int32_t& timer = endingRowTimer[size_t(fields.endingRow)];
    if (--timer >= 1) return;
    if (++fields.endingRow < kCreditRollRows) return;
    endRollNextPage(fields);
}

// The cover closes over the last page; once shut the scene leaves.
void endRollHold() {
    resultCoverAlpha += 0.05f;
    if (resultCoverAlpha <= 1.0f) return;
    resultCoverAlpha = 1.0f;
    endingSkip = kEndingSkipFrames;
}

// A picture of the roll, or the black cover where the page has none.
void endRollPicture(ObjWork* work, int32_t picture, float alpha) {
    if (picture >= 0) {
        OBJdrawSprite(work, kEndRollPictureSprite + picture, kSceneX, kSceneY, kEndRollLayer, 1.0f, 1.0f, 0.0f, alpha, 0);
        return;
    }
    work->r = work->g = work->b = 0;
    OBJdrawSprite(work, kEndRollCoverSprite, kSceneX, kSceneY, kEndRollLayer, 8.0f, 9.0f, 0.0f, alpha, 0);
    work->r = work->g = work->b = 255;
}

void endRollRow(ObjWork* work, const CreditRollRow& row, int32_t index) {
    const int32_t t = endingRowTimer[size_t(index)];
    const float y = 12.0f + 24.0f * float(index);
    float x = kSceneX;
    float alpha = 1.0f;
    if (row.style == 0) x = kSceneX + float(t * t);
    if (row.style == 1) x = kSceneX - float(t * t);
    if (row.style == 3) alpha = float(kEndingRowFrames - t) / float(kEndingRowFrames);
    if (row.kind == 1) {
        OBJdrawSprite(work, kEndRollRowPictureSprite + row.picture, x, y, kEndRollLayer, 1.0f, 1.0f, 0.0f, alpha, 0);
    } else if (row.kind == 0) {
        drawSpriteFontText(row.text, row.font == 0 ? 2 : 3, float(kEndRollLayer), x, y, alpha, true, 255, 255, 255, 0,
                           1.0f, 1.0f);
    }
}

}  // namespace

void endingRollTableUse(const CreditRollRow (*pages)[kCreditRollRows]) {
    endRollPages = pages != nullptr ? pages : creditRollTable;
}

void endingRollBegin(ObjWork* work, SceneFields& fields) {
    resultCoverAlpha = 1.0f;
    endingPictureAlpha = 0.0f;
    resultMotionVisible = 0;
    if (GameTask* root = GameTask::getInstance()) root->hideMotion(work->motionSlot0);
    fields.endingPage = fields.endingRow = fields.endingPageArmed = fields.endingHold = fields.endingDone = 0;
    fields.step = kEndingRollStep;
}

void endingRollStep(SceneFields& fields) {
    if (fields.endingRow == 0 && fields.endingPageArmed == 0) endRollArmPage(fields);
    if (fields.endingDone == 0) {
        endRollReveal(fields);
    } else {
        fields.endingHold = std::min(fields.endingHold + 1, kEndingHoldFrames);
        if (fields.endingHold >= kEndingHoldFrames) endRollHold();
    }
    endingPictureAlpha = std::min(endingPictureAlpha + 0.03f, 1.0f);
    if ((padPressed & kEndRollStartBit) != 0 || endingSkip > kEndingSkipFrames - 1) {
        SDL2_wheel_SoundStopMusic();
        fields.step = kEndRollEndStep;
    }
}

void endingDrawRoll(ObjWork* work, const SceneFields& fields) {
    work->r = work->g = work->b = 0;
    OBJdrawSprite(work, kEndRollCoverSprite, kSceneX, kSceneY, kEndRollCoverLayer, 8.0f, 9.0f, 0.0f, resultCoverAlpha, 0);
    work->r = work->g = work->b = 255;
    endRollPicture(work, endingPrevPicture, 1.0f);
    endRollPicture(work, endingPicture, endingPictureAlpha);
    const int32_t page = std::clamp(fields.endingPage, 0, kCreditRollPages - 1);
    for (int32_t row = 0; row < kCreditRollRows; ++row) endRollRow(work, endRollPages[page][row], row);
}
