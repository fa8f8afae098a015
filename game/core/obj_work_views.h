#pragma once
// The families' own fields of an ObjWork, one view a family: the words after
// the common fields mean one thing to a fighter, another to an enemy or a
// boss, a shot, an effect or an item. A family reads and writes only its own
// view (`enemy(work).aimSlots[i]`), so no code names a loose word index.
//
// Every field is a value: numbers, flags and ObjRef for another object, never
// a pointer, since replay headers copy these words and gameStateHash reads
// them. All the views start zeroed; a family gives its start values itself.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/obj_ref.h"

struct ObjPoint {
    float x, y;
};

// The fighter (group 9).
struct FighterFields {
    uint64_t score;
    int32_t type, creditCount, rank, energy, powerUp, stock, bonusCounter, destruction;
    ObjPoint home;  // the point of the entry flight
    int32_t bankStep;
    int32_t invulnerable;
    int32_t weaponMode;  // 0 shot, 1 laser
    int32_t fireHold, fireCount, fireFrame, fireHeld;
    int32_t control, weaponChangeTimer, lastDirection, moveHeading;
    int32_t absent;
    int32_t powerFlash, powerStart, powerDisplay, displayedEnergy, powerFrame, lowEnergy, fullStart, doubleDrain;
    int32_t bombActive, autoBomb, bombTime;
    int32_t powerFade;
    float powerAlpha, powerScale0, powerScale1;
    int32_t energyFullFlash, running, entry, hitBoxOff;
    int32_t teamGauges[4];
    ObjRef gunUnits[2];
    int32_t frameCount, fireLock, powerLock, weaponsOn;
    ObjPoint history[10];  // newest first
    int32_t shieldTimer, combo, blowDisplay, blowCooldown, blowOff, blowMarker, misses;
    int32_t shotSerial;  // the volley serial the next shots carry
    // The words the sequence, the play records and the tutorial keep here.
    uint64_t subScores[9];  // the score's total at each stage number
    int32_t entryWord, noContinue, hold, giveUpHoldCount, giveUpDone;
    int32_t gaugeMode, page5Word, lessonFlags[2];
    int32_t medals[4], secretItems, stageNoMiss, firstStage;
};

// One turret of an enemy: turned toward the fighter each frame while armed.
struct EnemyAimSlot {
    int32_t armed;
    float offsetX, offsetY;
    int32_t heading;  // 1024 units a turn
    int32_t turnLimit;
    int32_t param;
};

inline constexpr int kEnemyParts = 10;
inline constexpr int kEnemyAimSlots = 20;
inline constexpr int kEnemyAimWords = 20;
inline constexpr int kEnemyLocators = 32;
inline constexpr int kEnemySmokeOffsets = 10;

// Every enemy, mid-boss, boss, boss part and stage visual (group 7). The
// enemy words that every record starts with a default live in ObjWork itself
// (lifeState, exitMarkerAlpha, motionShown, pauseRankCut, leavesWreck,
// diesWithBoss, enemyTimer = the form time-out); the steering heading is
// ObjWork::heading, the velocity ObjWork::vx and vy, the hitter's damage its
// ObjWork::life.
struct EnemyFields {
    // placement and motion
    ObjPoint aimOffset;  // added to the position for the point-blank tests
    float halfWidth, halfHeight;
    float scriptHeadingX, scriptHeadingY;  // radians
    float scriptSpeedX, scriptSpeedY;      // pixels a frame
    ObjPoint steerTarget;                  // the waypoint
    int32_t steerMode;                     // 0 none, 1 to 5
    float steerSpeed;                      // pixels a frame along ObjWork::heading
    ObjPoint drawOffset;                   // the quake's offset while following a layer
    int32_t followedLayer;                 // 0 none, 1 to 4
    int32_t sinkHeading;
    float sinkSpeed, sinkFall;
    int32_t driftHeading;
    float driftSpeed;
    // life and scoring
    int32_t hp, hpMax;
    int32_t formHp[kEnemyParts];
    int32_t formHpMax[kEnemyParts];
    int32_t formIndex, formCount;
    uint64_t score;  // points before the multiplier
    int32_t sizeClass;  // 0..2 by size, 3 mid-boss, 4 boss
    int32_t deathPhase, deathTimer;
    int32_t offscreenTimer;  // no damage while above 0
    int32_t enteredScreen;
    int32_t exitSide;  // 1 left, 2 right, 3 top, 4 bottom, 0 none
    int32_t entryWait;  // no damage and no attack while above 0
    int32_t flashTimer;
    int32_t hitMarks[3];  // bomb, gun unit, spare: one hit a frame each
    int32_t onceCounters[2];
    int32_t gaugeSlot;
    int32_t trueLastBoss, keepMovingWhenDying, deathEffectsDone;
    int32_t noSweep;        // a dying boss does not start the purge
    int32_t explosionKind;  // 0: the ground set's own
    int32_t wreckKind;      // the class-0 wreck piece
    int32_t bonusCountdown;
    int32_t smokeTimer;  // the low-life countdown
    int32_t frameCount, setupDone;
    // the attack schedule
    int32_t attackArmed;  // set by bossResetAttack: nothing runs
    int32_t fireAlways;   // fires while a boss is present
    int32_t shotsPerVolley, shotInterval, shotCountdown, shotsLeft, shotIndex;
    int32_t volleysLeft, volleyPause, volleyIndex, burstEnded;
    int32_t noHitBoxes;  // the no-attack switch (movement op 6)
    int32_t attackPattern;
    int32_t aimWords[kEnemyAimWords];  // the turret callback's own, cleared at every volley
    EnemyAimSlot aimSlots[kEnemyAimSlots];
    // the motion stepper
    int32_t motionState, motionRunning, motionFrame, motionTick, motionTicksPerFrame, motionLength;
    int32_t motionEnded, motionLoops, deathMotion;
    int32_t phase, step, stepCount;
    ObjPoint locators[kEnemyLocators];   // a boss's turret positions
    int32_t turretSeen;                  // a bit a turret once its locator was found
    ObjPoint smokeOffsets[kEnemySmokeOffsets];
    ObjRef partLink[kEnemyParts];
    // spawn data
    int32_t spawnExtras[4];
    int32_t scriptStage;  // the stage whose table the script is read from
    int32_t script;       // the movement script's spawn param + 1; 0 none (a fresh record)
    int32_t scriptCursor;
    // the small air enemies' own
    int32_t firstFrameSeen;  // set on the first running frame
    int32_t homingLock;      // kinds 0 and 2: 1 once within 50 px of the fighter
    int32_t turnMode;        // kinds 3 and 4: 0 straight, 1 banking up, 2 banking down
    int32_t bankCounter;     // kinds 3 and 4: added to the sprite frame
    int32_t spawnedChildren;  // spawners 140 and 141: children dropped so far
    // kind 1, the joining pair (its formation phase is `phase`)
    int32_t joinIndex;               // 0 the body, 1 the left piece, 2 the right piece
    int32_t joinSpread;              // the body's: the pieces' distance from x 112, hundredths of a pixel
    ObjRef joinPieces[2];            // the body's: its pieces, empty once lost
    uint32_t joinPieceSerials[2];    // the body's: its pieces' serials, kept for the bullet cancel
    ObjRef joinBody;                 // a piece's body
    // ground enemies
    float treadCounter;  // its whole part picks the tread animation cell
    // the stage-4 boss's side beams and its falling block (kind 118)
    float beamLevel;      // the boss's beams and arc, 0..1
    float sweepTarget;    // the block's target height, kept without a fighter
    int32_t sweepCount;   // the block's passes; bit 0 chooses the side
    int32_t spinAngle;    // the block's roll, 1024 a turn
    int32_t frameIndex;   // the block's picture 0..5
    // the prologue's tutorial (kind 122)
    float tutorialFade;
    int32_t tutorialState, tutorialCounter, tutorialPage, tutorialFlash;
    // the large ground enemies' own (kinds 70 to 77); their held lasers are partLink[0] and [1]
    int32_t chainIndex;      // a train: 0 the head, 1 to 3 its cars
    int32_t hittableNow;     // the box rules held this frame
    int32_t beenHittable;    // the box rules have held once
    int32_t laserCycle;      // kinds 72, 73: advanced each hittable frame
    int32_t deathCell, deathCellCountdown;  // a train's wreck animation
    // a boss's parts (the stage-3 satellites): the boss is ObjWork::parentWork
    int32_t index;          // its place among the boss's parts
    int32_t seenStep;       // the boss's step seen last frame
    int32_t subState;       // its own state within the boss's step
    int32_t loopCount;      // passes made in the current formation
    int32_t turretAngle;    // the gun's heading, 1024 a turn
    int32_t turretTarget;   // the heading the gun turns toward
    int32_t turretHeld;     // the gun stays while a burst aims
    int32_t laserOffset;    // added to the gun's heading for its laser
    ObjPoint trail[10];     // the last ten positions, newest first
    int32_t trailHeading[10];  // the heading at each trail entry (kind 117)
    // the stage-3 boss's pull toward the screen centre
    int32_t pullX, pullY, pullCountdown;
    // the turn of the stage-5 boss's third form and of the true last boss's
    // ring of four shots, 1024 a turn
    int32_t spin;
    // the true last boss (kind 105): its eye and ring; its drifters (kind
    // 112): which way one curves and fires, and the sprite's extra turn
    float eyeAlpha, ringAlpha;
    int32_t turnSign, twist;
    // the stage-5 boss's third form: the turn's speed phase and its drop cycle
    int32_t spinPhase;
    int32_t dropState, dropTimer, dropCount;
    // the stage-5 boss's parts: the drones' next hop, the spinner's orbit
    int32_t hopRadius, hopAngle;
    int32_t orbitAngle;  // 1024 a turn
    int32_t orbitTurn;   // +5 or -5
};

// The fighter's and the enemies' shots (groups 6, 10, 11, 18).
struct ShotFields {
    ObjPoint start;
    float angleRadians;
    float workingSpeed;
    int32_t shotClass;
    int32_t turned, unslowed, firstUpdate;
    int32_t weaponMode, side, volleySerial, counted;
    int32_t parentSerial;  // -1 without a parent
    int32_t frameCount;
    int32_t nearFlag, knockGuard, deflected;
    int32_t params[2];
    // The enemy shots' own (a laser's state is ObjWork::lifeState).
    int32_t behaviour;  // the type's step counter
    float knockSpeed;   // 0, or negative while knocked back
    int32_t charge, strip, stripLive, converted;
    int32_t spin, phase, targetAngle;
    ObjPoint trail[8];  // newest first
};

inline constexpr int kEffectBeamPoints = 41;

// Effects (group 8).
struct EffectFields {
    float angleRadians;
    int32_t cellStep;
    int32_t additive;
    int32_t params[2];
    int32_t frameCount;
    ObjPoint parentSeen;  // the parent's position when it last resolved
    int32_t hadParent;
    int32_t fallCounter, spin, spinSpeed;
    int32_t step, counter, turnRate;
    float beamLength;
    ObjPoint beam[kEffectBeamPoints];  // a bomb beam's points, head first
};

// Wreckage (group 17).
struct WreckFields {
    int32_t layer;  // the background layer it rides, 1..4
    ObjPoint drawOffset;
    int32_t frameCount;
};

// Popup labels and score numbers (group 15).
struct PopupFields {
    int32_t param;
    float verticalScale;
    int32_t step;  // labels: 0 growing, 1 holding, 2 shrinking
    int32_t frameCount;
    uint64_t value, shown;
    int32_t ending;
};

// Gun units (group 10): the fighter's state they copy each frame and their own.
struct GunFields {
    int32_t index, side;
    int32_t type, weaponMode, fireCount, fireFrame, fireLock, lastDirection, control, weaponChangeTimer;
    int32_t absent, hidden;
    int32_t extraHeading;
    int32_t modeTimer, lastMode;
    int32_t turn;
    int32_t enemyContact, frameCount;
    ObjPoint history[10];  // newest first
};

// Items (group 14).
struct ItemFields {
    int32_t delay;
    int32_t glow;
    ObjPoint anchor;
    int32_t fallCounter;
    int32_t behaviour;
    int32_t nearFlag;
    int32_t bounces;
    int32_t changeTimer, flashCounter;
    int32_t frameCount;
    int32_t shownType;  // kind 10: the fighter type it carries
};

// A background layer's scroll state: the wrap rules 6 to 9 (a flag and a
// limit each, in pixels), the jump they share and the step factors.
struct LayerScrollState {
    uint8_t rule6, rule8, rule7, rule9;
    float limit6, limit8, limit7, limit9;
    float jumpX, jumpY;
    float xFactor, yFactor;
};

// Background layers (groups 2 to 5). The layer index 0..3 is ObjWork::kind,
// its speed ObjWork::speed (hundredths of a pixel a frame), its heading
// ObjWork::heading (1024 a turn) and its tint ObjWork::r, g, b.
struct LayerFields {
    ObjPoint base;
    float baseDepth;
    ObjPoint offset;       // pixels
    ObjPoint accumulator;  // the negated offset in hundredths of a pixel
    ObjPoint previous;
    ObjPoint moved;  // (previous x - x, previous y - y) of the last step
    float pixelSpeedX, pixelSpeedY;
    float headingRadiansX, headingRadiansY;
    int32_t stage;         // whose scroll script it runs
    int32_t scriptCursor;  // the script's next row
    int32_t tileSize, columns, span;
    LayerScrollState scroll;
};

// Every scene outside play (group 13): its step, the frames in that step and
// the frames since it began.
// A bomb (group 16): ObjWork::kind is the fighter type, ObjWork::speed the
// height of the blast wall, ObjWork::life the delay.
struct BombFields {
    int32_t autoBomb, weaponMode;
    int32_t phase;   // 0 growing, 1 full, 2 ending
    int32_t visual;  // 0 fade-in, 1 sweep
    int32_t sweep, frameCount;
};

struct SceneFields {
    int32_t step;
    int32_t stepCounter;
    int32_t frameCounter;
    // The stage result's endings: the first ending's scene (0..3), the
    // credit roll's page (0..15) and row (0..30), whether the page's row
    // timers are set, frames held after the last page (at most 300), and
    // whether the last page has rolled.
    int32_t endingScene;
    int32_t endingPage;
    int32_t endingRow;
    int32_t endingPageArmed;
    int32_t endingHold;
    int32_t endingDone;
};

// The staff roll's mini-game objects and the staff roll itself: a letter
// (group 7), the character (group 9), a partner (group 11) and the scene's
// page clock (group 13). Each uses its own part.
struct StaffRollFields {
    // A letter: where it rests, how far it has slid, what a hit is worth.
    int32_t glyph;
    float homeX, homeY;
    float slide;
    int32_t decoration;  // 1: the line's letters only decorate
    int32_t entryKind;   // 0 slide in, 1 delayed fast entry
    int64_t value;       // the line value x 10
    int32_t phase, phaseTimer;
    int32_t noHitTimer;
    // The character: speeds in thousandths of a pixel a frame.
    int32_t vx, vy;
    uint8_t landed;
    int32_t facing;  // 0 right, 1 left
    int32_t stun, hitLock, flash;
    // A partner (with phase, phaseTimer and stun above).
    int32_t partnerKind;
    int32_t pose;       // 0 walk, 1 and 2 idle, 3 and 4 struck
    int32_t direction;  // 0 right, 1 left
    // The scene: frames on the current page and the page's index.
    int32_t pageTimer, pageIndex;
};
