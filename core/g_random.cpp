// The game's random generator: state = state * 214013 + 2531011, result the
// 15 bits above the low 16. The same numbers on every platform, so a seed
// replays a game exactly. Only the spawner draws from it.
#include "game.h"

static uint32_t randomState = 1;

void SeedRandom(uint32_t seed) {
    randomState = seed;
}

int32_t NextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}

uint32_t RandomState() {
    return randomState;
}
