#pragma once
// The bomb: a BOMB task of group 16 with one screen-wide hit box, shared by
// all bombs, that grows from the centre by 20 a frame up to 320, a rising
// wall of blasts and a quake, for as long as the fighter's bomb time runs.
// The collision pass meets it with the enemies; the damage is theirs.
//
// Threads: main thread only.

#include <cstdint>

#include "game/core/collision.h"
#include "game/core/obj_task.h"

struct ObjWork;

inline constexpr uint32_t kBombTag = objTag("BOMB");
inline constexpr float kBombBoxMax = 320.0f;
inline constexpr float kBombBoxStep = 20.0f;

// The box every bomb hits with; cleared when a bomb is made.
extern HitBox bombSharedBox;

// Starts a bomb from the fighter: bomb-active flag, auto flag, bomb time
// 10000, the BOMB task; an automatic bomb in ORIGINAL and EXPERT also
// clears the stock; invulnerability at least 10.
void fighterStartBomb(ObjWork* fighterWork, int32_t autoBomb);
// Makes the BOMB task at the group's tail: kind = fighter type, speed in
// hundredths, the auto flag, the weapon mode, at (x, y).
void TSKbombCreate(int32_t kind, float speed, int32_t autoBomb, int32_t weaponMode, float x, float y);
void TSKbombAct(ObjTask* task);
void TSKbombDraw(ObjTask* task, ObjWork* work);
