// The game's life in the program: window creation, timer expiries, and the
// end of the program.
#include "game.h"
#include "platform.h"

void GameCreate() {
    ResetGame();
    StartMusic();
    game.highScore = LoadHighScore();
    SeedRandom(StartupSeed());
    for (int id = TIMER_TICK; id <= TIMER_ANGLE_DOWN; id++) ArmTimer(id, FAST_TIMER_PERIOD);
    for (int i = 0; i < SPRITE_SLOTS; i++) sprites[i] = LoadSprite(FIRST_SPRITE_RESOURCE + i);
    // Rasterise the prompts now, so that no tick does font work.
    PrepareText(TEXT_START_PROMPT);
    PrepareText(TEXT_RESTART_PROMPT);
}

void GameTimer(int timerId) {
    switch (timerId) {
    case TIMER_TICK:
        FrameTick();
        break;
    case TIMER_MOVE_LEFT:
    case TIMER_MOVE_RIGHT:
    case TIMER_ANGLE_UP:
    case TIMER_ANGLE_DOWN:
        OnHoldTimer(timerId);
        break;
    case TIMER_SPAWN:
        SpawnEnemy();
        break;
    default:
        break;
    }
}

void GameDestroy() {
    SaveHighScore(game.highScore);
}
