// The fighter's tables held in the program.
#include "game/objects/fighter_steps.h"

const std::array<int32_t, 16> kFighterDirectionHeading = {-1, 0, 512, -1, 768, 896, 640, -1,
                                                          256, 128, 384, -1, -1, -1, -1, -1};

const std::array<std::array<int32_t, 2>, 4> kFighterTargetSpeed = {{{36, 24}, {33, 21}, {30, 18}, {27, 15}}};

const std::array<HitBox, 6> fighterHitBoxTable = {{
    {0, 0, 1, 1},
    {0, 0, 32, 32},
    {0, 0, 2, 2},
    {0, 0, 1, 2},
    {0, 0, 1, 1},
    {0, 0, 18, 18},
}};
