// The game's random generator and its ranges.
#include "game/core/game_random.h"

namespace {

uint32_t randomState = 1;

}  // namespace

void gameRandSeed(uint32_t seed) { randomState = seed; }

uint32_t gameRandState() { return randomState; }

int gameRand() {
    randomState = randomState * 214013u + 2531011u;
    return int((randomState >> 16) & 0x7FFF);
}

int randRange(int n) { return int(int64_t(gameRand() % 10000) * n / 10000); }

int randRangeCentered(int n) { return randRange(n) - n / 2; }
