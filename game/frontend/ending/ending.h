#pragma once
// The endings after the results of stage 5: steps 25 to 30 of the stage
// result (TSKstageClear). The first ending of the route (the true route when
// the true last boss was called), the last ending of the route and leader
// type, each motion in the scene's clearSlot (its first motion slot), then
// the credit roll over the ending pictures. START skips a motion, or ends
// the roll; the roll ends by itself 300 frames after its last page.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/frontend/front_words.h"

struct ObjTask;
struct ObjWork;
struct SceneFields;

inline constexpr int32_t kEndingFirstStep = 25;
inline constexpr int32_t kEndingRollStep = 30;
inline constexpr int32_t kEndingRowFrames = 15;
inline constexpr int32_t kEndingHoldFrames = 300;
inline constexpr int32_t kEndingSkipFrames = 60;

// 60 once the player asked to skip: the playing part ends at once.
extern int32_t endingSkip;
// Each row's reveal, 15 down to 0 (60 at the scene's set-up).
extern std::array<int32_t, kCreditRollRows> endingRowTimer;
// Picture numbers (sprite frame 2816 + n) of this page and the one before, -1 none.
extern int32_t endingPicture;
extern int32_t endingPrevPicture;
extern float endingPictureAlpha;
// 1 once the endings have begun in this play (cleared at every play start).
extern int32_t endingReached;
// 1 from the endings on: the scene's cover is black.
extern uint8_t endingDark;

// One motion of an ending, played once.
struct EndingMotion {
    const char* object;
    const char* label;
};
// What a route and leader type play: the first ending's scenes in order,
// then the last ending.
struct EndingPlan {
    std::array<EndingMotion, 3> first;
    int32_t firstCount;
    EndingMotion last;
};
// route 0 normal, 1 true; leader type 0..3 (clamped).
EndingPlan endingPlan(int32_t route, int32_t leaderType);
// The picture number of each page, -1 none.
extern const std::array<int32_t, kCreditRollPages> endingPagePictures;

// The scene's set-up: no skip, the row timers at 60, no pictures, a white cover.
void endingReset();
// Steps 25 to 30, once a frame.
void endingStep(ObjWork* work, SceneFields& fields);
// The scene's draw in step 30: the cover, the pictures and the page's rows.
void endingDrawRoll(ObjWork* work, const SceneFields& fields);

// The credit roll read: the generated table, or the pages given (a test's
// own); null puts the generated table back.
void endingRollTableUse(const CreditRollRow (*pages)[kCreditRollRows]);
