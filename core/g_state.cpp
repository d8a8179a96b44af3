// The one GameState, the three pools, and the start of a game.
#include "game.h"

#include "platform.h"

GameState game;
Enemy enemies[POOL_SIZE];
Shell shells[POOL_SIZE];
Effect effects[POOL_SIZE];
const Sprite* sprites[SPRITE_SLOTS];

const char* const TEXT_START_PROMPT = "엔터를 누르시면 게임을 시작합니다.";
const char* const TEXT_RESTART_PROMPT = "엔터를 누르시면 게임을 다시 시작합니다.";
const char* const TEXT_DEFEAT = "패배했습니다.";
const char* const TEXT_NOTICE_CAPTION = "알림";

void ResetGame() {
    game = GameState{};
    game.cannonX = CANNON_START_X;
    game.cannonY = CANNON_Y;
    game.angle = ANGLE_START;
    game.facingRight = true;
    game.life = START_LIFE;
    game.stage = 1;
    game.spawnInterval = START_SPAWN_INTERVAL;
    for (int i = 0; i < POOL_SIZE; i++) {
        enemies[i] = Enemy{};
        shells[i] = Shell{};
        effects[i] = Effect{};
    }
}

void StartGame() {
    for (int i = 0; i < POOL_SIZE; i++) {
        enemies[i] = Enemy{};
        shells[i] = Shell{};
        effects[i] = Effect{};
    }
    game.angle = ANGLE_START;
    game.spawnInterval = START_SPAWN_INTERVAL;
    game.stage = 1;
    game.score = 0;
    game.cannonX = CANNON_START_X;
    game.cannonY = CANNON_Y;
    game.life = START_LIFE;
    ArmTimer(TIMER_SPAWN, START_SPAWN_INTERVAL);
    ArmTimer(TIMER_TICK, FAST_TIMER_PERIOD);
    game.running = true;
    game.gameOverShown = false;
    game.holdLeft = false;
    game.holdRight = false;
}
