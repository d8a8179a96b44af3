// Stages: the score falls into geometric bands [20^(a/10+1.9), 20^(a/10+2));
// band a is stage a + 1, and each stage shortens the spawn period by 300 ms.
#include <cmath>
#include <cstdint>

#include "game.h"
#include "platform.h"

// Band limits run past 2^31 from band 52 on, so they are kept in 64 bits.
static int64_t BandLimit(int32_t band, double offset) {
    return static_cast<int64_t>(std::pow(20.0, static_cast<double>(band) * 0.1 + offset));
}

// Below the floor the period would reach zero and go negative from stage 18,
// which would stop vehicles coming for good and leave a game without end.
int32_t SpawnPeriodForBand(int32_t band) {
    const int64_t period = START_SPAWN_INTERVAL - int64_t{SPAWN_STEP} * band;
    return period < SPAWN_FLOOR ? SPAWN_FLOOR : static_cast<int32_t>(period);
}

void UpdateStage() {
    const int64_t s = game.score;
    int32_t band = 0;
    for (;; band++) {
        if (BandLimit(band, 1.9) <= s && s < BandLimit(band, 2.0)) break;
        if (s < 296) return;
    }
    if (game.stage > band) return;
    game.stage = band + 1;
    game.spawnInterval = SpawnPeriodForBand(band);
    ArmTimer(TIMER_SPAWN, static_cast<uint32_t>(game.spawnInterval));
}
