// The spawner: one vehicle per expiry of the spawn timer, side, type and
// speed drawn at random in that order.
#include "game.h"

static const int32_t kTypeOffset[10] = {1, 0, 8, 0, 2, 5, 0, 0, 10, 0};

void SpawnEnemy() {
    for (int i = 0; i < POOL_SIZE; i++) {
        Enemy& e = enemies[i];
        if (e.active) continue;
        e.fromLeft = NextRandom() % 2 == 1;
        e.y = ENEMY_BASE_Y;
        e.x = e.fromLeft ? ENEMY_LEFT_X : ENEMY_RIGHT_X;
        e.type = NextRandom() % 10;
        e.y += kTypeOffset[e.type];
        e.speed = NextRandom() % 2 + 1;
        e.active = true;
        return;
    }
}
