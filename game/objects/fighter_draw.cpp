// The fighter's draw callback.
#include <array>
#include <cstddef>

#include "game/core/draw_store.h"
#include "game/core/obj_work.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/fighter_steps.h"

namespace {

constexpr int32_t kFighterDrawLayer = 611;
constexpr int32_t kFighterDarkLayer = 801;
constexpr int32_t kFighterDarkSprite = 2687;
constexpr int32_t kFighterEntryLockFrames = 60;

// Body sprite of a type and bank frame: the level frame and the left banks
// count down from base + 4, the right banks up from base + 5.
int32_t fighterBodySprite(int32_t type, int32_t bank) {
    const int32_t base = 3793 + 9 * type;
    return bank <= kFighterBankLevel ? base + kFighterBankLevel - bank : base + bank;
}

int32_t fighterBurnerSprite(int32_t type, int32_t bank) {
    static constexpr std::array<int32_t, kFighterBankFrames> kOffsets = {8, 8, 8, 4, 0, 12, 16, 16, 16};
    return 3829 + 20 * type + kOffsets[size_t(bank)];
}

ObjPoint fighterBurnerOffset(int32_t type, int32_t bank) {
    const int32_t side = bank < kFighterBankLevel ? 1 : bank > kFighterBankLevel ? -1 : 0;
    switch (type) {
    case 1: return {0.0f, -4.0f};
    case 2: return {bank <= 3 ? 1.0f : bank == 4 ? 0.0f : -1.0f, -2.0f};
    case 3: return {3.0f * float(side), -2.0f};
    default: return {0.0f, 0.0f};
    }
}

}  // namespace

void TSKfighterDraw(ObjTask*, ObjWork* work) {
    const FighterFields& f = fighter(work);
    if (!fighterAnyReady() || work->life < 1 || f.hitBoxOff || !work->visible) return;
    if (f.giveUpHoldCount > 0 && !f.giveUpDone) {
        OBJdrawSprite(work, kFighterDarkSprite, 112.0f, 144.0f, kFighterDarkLayer, 8.0f, 4.0f, 0.0f, 0.5f, 0);
    }
    const int32_t type = f.type & 3;
    const int32_t bank = work->animFrame < 0 || work->animFrame >= kFighterBankFrames ? kFighterBankLevel : work->animFrame;
    float y = work->y;
    // The entry: the fighter rises from below the screen.
    if (f.fireLock > kFighterEntryLockFrames) y += float(f.fireLock - kFighterEntryLockFrames) * (320.0f - work->y) / 60.0f;
    const ObjPoint burner = fighterBurnerOffset(type, bank);
    OBJdrawSprite(work, fighterBurnerSprite(type, bank) + (f.frameCount & 3), work->x + burner.x, y + burner.y,
                  kFighterDrawLayer, 1.0f, 1.0f, 0.0f, 1.0f, 1);
    OBJdrawSprite(work, fighterBodySprite(type, bank), work->x, y, kFighterDrawLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    if (f.powerUp && f.powerAlpha > 0.0f) {
        const float scale = 0.5f + float(f.displayedEnergy) / float(kFighterEnergyMax) * f.powerScale0;
        OBJdrawSprite(work, 4747, work->x, y, kFighterDrawLayer, scale, scale, 0.0f, f.powerAlpha, 1);
        if (f.blowMarker == 1 || f.blowMarker == 2) OBJdrawSprite(work, 2685, work->x, y, kFighterDrawLayer, 1, 1, 0, 1, 1);
    }
    if (!f.blowOff) {
        const float scale = f.blowDisplay > 0 || (f.blowCooldown > 0 && f.blowCooldown <= 10) ? 1.5f : 1.0f;
        OBJdrawSprite(work, 1843, work->x, y, kFighterDrawLayer, scale, scale, 0.0f, 1.0f, 1);
    }
    if (f.energy >= 2500 && !f.powerUp) {
        const int32_t sprite = f.energy == kFighterEnergyMax ? 3791 + ((f.frameCount >> 2) & 1) : 1758 + ((f.frameCount >> 2) & 3);
        OBJdrawSprite(work, sprite, work->x, y + 25.0f, kFighterDrawLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    }
}
