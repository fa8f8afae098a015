#pragma once
// Kind 122, the tutorial that opens the prologue: ten how-to-play pages over
// the play field, each faded in, shown and faded out, with the fighter and
// the item carriers set up so that each page's lesson can be tried at once,
// blinking arrows at parts of the display and two voice lines. Start skips
// it once it is 30 frames old; with TUTORIAL_DISP 0 it skips itself.
//
// Its own fields are the enemy view's `tutorialFade`, `tutorialState` (0 in,
// 1 shown, 2 out, 3 ending), `tutorialCounter`, `tutorialPage` and
// `tutorialFlash`; its age is ObjWork::age.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

struct ObjTask;
struct ObjWork;

inline constexpr int kTutorialPages = 10;
inline constexpr int kTutorialHints = 10;

// From the set-up until the free handler.
extern uint8_t tutorialActive;
// Set by a skip; a second skip cannot happen.
extern uint8_t tutorialSkipped;
// The arrows shown and blinking this frame (pairs 0 to 3 are drawn).
extern std::array<uint8_t, kTutorialHints> tutorialHintShow;
extern std::array<uint8_t, kTutorialHints> tutorialHintBlink;
// 1 on page 7 (the CHANGE carrier's lesson), 2 on page 8 (the BOMB
// carrier's), 0 otherwise.
extern int32_t tutorialCarrierPhase;

void TSKtutorialAct(ObjTask* task);
void TSKtutorialUpdate(ObjTask* task);
void TSKtutorialDraw(ObjTask* task, ObjWork* work);
// Frees the record, stops the effects group, clears the words above.
void TSKtutorialFree(ObjTask* task);
