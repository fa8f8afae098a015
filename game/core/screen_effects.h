#pragma once
// The screen quake, the screen fade and the ending placeholder: single
// instance tasks of the object pool, started by the sequence and the game
// families and stepped by the act passes like every task.
//
//   quake  group 0,  tag QUAK: shakes quakeOffsetX/Y, which every playfield
//          draw adds, for a number of frames with a strength that falls to 0;
//   fade   group 13, tag FADE: a tinted cover of the whole virtual screen
//          (sprite frame 2687 scaled 8 x 9 on layer 902) whose alpha ramps
//          down (kFadeIn) or up (kFadeOut);
//   ending group 13, tag ENDI: made by the sequence, raises endingFlag and
//          goes on its third act, stopping the music.
//
// None is persistent: a bulk release takes them (stage changes), and the
// next start makes them again. A start while the pool or the work records
// run out does nothing.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

// Added by everything drawn on the playfield; 0 while no quake shakes.
extern int16_t quakeOffsetX;
extern int16_t quakeOffsetY;

inline constexpr int kQuakeGroup = 0;
inline constexpr int kFadeGroup = 13;
inline constexpr int kEndingGroup = 13;
inline constexpr int32_t kFadeIn = 110;
inline constexpr int32_t kFadeOut = 120;
inline constexpr int32_t kFadeCoverFrame = 2687;
inline constexpr int32_t kFadeCoverLayer = 902;
// The act word that holds a quake's or a fade's frames left.
inline constexpr int kEffectFramesWord = 4;

// The running instances, null when none; cleared by their release. The
// stage load clears the quake's too.
extern ObjTask* quakeTask;
extern ObjTask* fadeTask;
// Set by the ending placeholder's first act for the sequence to read.
extern bool endingFlag;

// Starts or restarts the quake: the strength falls to 0 over the frames
// (0 frames: one shake). The first shake happens at once.
void TSKquakeStart(int32_t frames, float strength);
void TSKquakeAct(ObjTask* task);
void TSKquakeKill(ObjTask* task);

// Starts or restarts the fade from startAlpha; kFadeIn ends at 0, kFadeOut
// at 1. Frames -1 holds the start alpha.
void TSKfadeStart(int32_t frames, int32_t kind, uint8_t r, uint8_t g, uint8_t b, float startAlpha);
void TSKfadeAct(ObjTask* task);
void TSKfadeKill(ObjTask* task);
void TSKfadeDraw(ObjTask* task, ObjWork* work);
void fadeInWhite(int32_t frames);
void fadeOutWhite(int32_t frames);
// "Black" is the near-black 8, 8, 8.
void fadeInBlack(int32_t frames);
void fadeOutBlack(int32_t frames);

// Makes the placeholder (group 13, ENDI); null when the pool is empty.
ObjTask* TSKendingStart();
void TSKendingAct(ObjTask* task);
void TSKendingKill(ObjTask* task);
