// The credit letters: a line turned into letters, their entry, stay and
// exit, their outlined draw and what a hit on them scores.
#include <cmath>

#include "game/core/draw_store.h"
#include "game/core/game_random.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/frontend/play_scenes/kana_font.h"
#include "game/frontend/staff_roll/staff_roll.h"
#include "game/frontend/staff_roll/staff_roll_pages.h"
#include "game/objects/effects.h"
#include "game/objects/popups.h"

namespace {

constexpr uint32_t kLetterBreak = 0xFFE5;
constexpr uint32_t kLetterGap = 0x3000;
constexpr float kLetterAdvance = 12.0f;
constexpr float kLetterRowPitch = 12.0f;
constexpr float kLetterDepth = 510.0f;
constexpr float kLetterSlideIn = 224.0f;
constexpr float kLetterSlideStep = 6.0f;
constexpr float kLetterFastIn = 896.0f;
constexpr float kLetterFastStep = 24.0f;
constexpr float kLetterFastSoundBelow = 112.0f;
constexpr int32_t kLetterStayFrames = 420;
constexpr int32_t kLetterFastWait = 120;
constexpr int32_t kLetterFastStay = 300;
constexpr int32_t kLetterNoHitFrames = 4;
constexpr int32_t kLetterBrokenPhase = -1;
constexpr int32_t kLetterBreakEffect = 141;
constexpr float kLetterBreakSpeed = 1.5f;
constexpr uint32_t kLetterTag = objTag("ZAKO");
constexpr int32_t kLetterGroup = 7;

// The places of one row: every character the font holds and every gap.
int32_t letterRowPlaces(const char* text, int32_t at) {
    int32_t places = 0;
    for (;;) {
        const Utf8Step next = utf8Next(text, at, kStaffRollLineBytes);
        if (next.length == 0 || next.codePoint == kLetterBreak) return places;
        at += next.length;
        if (next.codePoint == kLetterGap || kanaFontFrame(next.codePoint) != kKanaNoFrame) ++places;
    }
}

void letterCreate(int32_t glyph, float x, float y, float alpha, int32_t red, int32_t green, int32_t blue,
                  int32_t target, int32_t entryKind, int32_t lineValue) {
    ObjTask* task = OBJtaskCreateSetUp(OBJstaffRollLetter, kLetterGroup, kLetterTag);
    if (task == nullptr) return;
    ObjWork* work = task->work;
    StaffRollFields& f = staffRoll(work);
    f.glyph = glyph;
    f.homeX = x;
    f.homeY = y;
    f.slide = entryKind == 1 ? kLetterFastIn : kLetterSlideIn;
    f.decoration = target == 0 ? 1 : 0;
    f.entryKind = entryKind;
    f.value = int64_t(lineValue) * 10;
    work->r = uint8_t(red);
    work->g = uint8_t(green);
    work->b = uint8_t(blue);
    work->alpha = alpha;
    work->x = x + f.slide;
    work->y = y;
    if (target != 0) ++staffRollTargetsLeft;
}

// Sliding out ends the letter below -224.
bool letterSlideOut(StaffRollFields& f) {
    f.slide -= kLetterSlideStep;
    return f.slide < -kLetterSlideIn;
}

// Staying counts until the limit; once the roll is over the letter stays.
bool letterStayOver(StaffRollFields& f, int32_t frames) { return staffRollFinished == 0 && ++f.phaseTimer > frames; }

bool letterSlideStep(StaffRollFields& f) {
    switch (f.phase) {
    case 0:
        f.slide -= kLetterSlideStep;
        if (f.slide <= 0.0f) {
            f.slide = 0.0f;
            f.phase = 1;
            f.phaseTimer = 0;
        }
        return false;
    case 1:
        if (letterStayOver(f, kLetterStayFrames)) f.phase = 2;
        return false;
    default: return letterSlideOut(f);
    }
}

bool letterFastStep(StaffRollFields& f) {
    switch (f.phase) {
    case 0:
        if (++f.phaseTimer >= kLetterFastWait) {
            f.phase = 1;
            f.phaseTimer = 0;
        }
        return false;
    case 1:
        f.slide -= kLetterFastStep;
        if (f.slide < kLetterFastSoundBelow) SDL2_wheel_SoundPlaySE(46, false);
        if (f.slide <= 0.0f) {
            f.slide = 0.0f;
            f.phase = 2;
            f.phaseTimer = 0;
        }
        return false;
    case 2:
        if (letterStayOver(f, kLetterFastStay)) f.phase = 3;
        return false;
    default: return letterSlideOut(f);
    }
}

void letterRelease(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

// Black at one pixel left and right (twice each, as the glyphs are thin),
// then the glyph in its tint.
void letterDraw(ObjTask*, ObjWork* work) {
    const StaffRollFields& f = staffRoll(work);
    const uint8_t r = work->r, g = work->g, b = work->b;
    work->r = work->g = work->b = 0;
    constexpr float kOutline[4] = {-1.0f, 1.0f, -1.0f, 1.0f};
    for (float dx : kOutline) {
        OBJdrawSprite(work, f.glyph, work->x + dx, work->y, int32_t(work->depth), 1.0f, 1.0f, 0.0f, work->alpha, 0);
    }
    work->r = r;
    work->g = g;
    work->b = b;
    OBJdrawSprite(work, f.glyph, work->x, work->y, int32_t(work->depth), 1.0f, 1.0f, 0.0f, work->alpha, 0);
}

// The broken letter's pieces fly away from the character, falling with half
// its vertical speed.
void letterBreak(ObjWork* work, const ObjWork* character) {
    const StaffRollFields& f = staffRoll(work);
    int32_t heading = 0;
    int32_t fall = 0;
    if (character != nullptr) {
        const double away = std::atan2(double(work->x - character->x), double(character->y - work->y));
        heading = (int32_t(std::lround(away * 512.0 / 3.14159265358979)) + 1024) % 1024;
        fall = staffRoll(const_cast<ObjWork*>(character)).vy / 2;
    }
    TSKeffectCreate(kLetterBreakEffect, heading, kLetterBreakSpeed, fall, f.glyph, ObjRef{}, work->x, work->y);
}

void letterPageBonus(const ObjWork* work, int32_t m) {
    int64_t bonus = 5000;
    int32_t sound = 48;
    if (staffRollPage == 2) sound = 49;
    if (staffRollPage == 6) {
        bonus = 2413;
        sound = 49;
    }
    bonus *= m;
    SDL2_wheel_SoundPlaySE(sound, false);
    TSKspltScoreCreate(3, work->x, work->y, 0, uint64_t(bonus));
    staffRollScore += uint64_t(bonus);
    staffRollGaugeAdd(10);
}

}  // namespace

void staffRollSpawnLine(const char* text, float x, float y, float alpha, int32_t red, int32_t green, int32_t blue,
                        int32_t target, int32_t entryKind, int32_t lineValue) {
    if (text == nullptr) return;
    float rowX = x + 6.0f - 6.0f * float(letterRowPlaces(text, 0));
    float rowY = y;
    for (int32_t at = 0;;) {
        const Utf8Step next = utf8Next(text, at, kStaffRollLineBytes);
        if (next.length == 0) return;
        at += next.length;
        if (next.codePoint == kLetterBreak) {
            rowY += kLetterRowPitch;
            rowX = x + 6.0f - 6.0f * float(letterRowPlaces(text, at));
            continue;
        }
        if (next.codePoint == kLetterGap) {
            rowX += kLetterAdvance;
            continue;
        }
        const int32_t glyph = kanaFontFrame(next.codePoint);
        if (glyph == kKanaNoFrame) continue;
        letterCreate(glyph, rowX, rowY, alpha, red, green, blue, target, entryKind, lineValue);
        rowX += kLetterAdvance;
    }
}

void OBJstaffRollLetter(ObjTask* task) {
    if (task->state == kObjStateInit) {
        ObjWork* work = OBJworkSetUp(task, {letterRelease, letterDraw, staffRollLetterHit, kLetterDepth});
        if (work == nullptr) return;
        work->rotate = 0;
        work->hitBoxes = &kStaffRollLetterBox;
        work->hitBoxCount = 1;
        return;
    }
    ObjWork* work = task->work;
    if (task->state != kObjStateRun || work == nullptr) {
        OBJtaskReleaseUnlessPersistent(task);
        return;
    }
    StaffRollFields& f = staffRoll(work);
    const bool ended = f.phase == kLetterBrokenPhase || (f.entryKind == 1 ? letterFastStep(f) : letterSlideStep(f));
    if (ended) {
        OBJtaskRelease(task);
        return;
    }
    work->x = f.homeX + f.slide;
    work->y = f.homeY;
    if (f.noHitTimer > 0) --f.noHitTimer;
    ++work->age;
}

int32_t staffRollHitMultiplier() { return staffRollMultiplierTime > 0 ? staffRollMultiplier : 1; }

// A target breaks (its task goes on its next act: the collision pass keeps
// both sides alive); a decoration letter stays and scores a tenth.
void staffRollLetterHit(ObjTask*, ObjWork* work) {
    StaffRollFields& f = staffRoll(work);
    if (staffRollFinished != 0 || f.noHitTimer > 0 || f.phase == kLetterBrokenPhase) return;
    const int32_t m = staffRollHitMultiplier();
    int64_t points = 0;
    if (f.decoration != 0) {
        SDL2_wheel_SoundPlaySE(44, false);
        points = f.value / 10 * m;
    } else {
        SDL2_wheel_SoundPlaySE(8, false);
        letterBreak(work, objRefWork(work->lastCollider));
        f.phase = kLetterBrokenPhase;
        work->hit = nullptr;
        work->visible = 0;
        if (--staffRollTargetsLeft == 0) letterPageBonus(work, m);
        staffRollGaugeAdd(1);
        points = f.value * m;
    }
    TSKspltScoreCreate(0, work->x, work->y, 0, uint64_t(points));
    staffRollScore += uint64_t(points);
    f.noHitTimer = kLetterNoHitFrames;
}
