// Vehicles: drawn, then driven one step; one that gets across costs a life,
// and the last life lost ends the game.
#include <cstdio>

#include "game.h"
#include "platform.h"

void EnemyPass(Canvas* canvas) {
    for (int i = 0; i < POOL_SIZE; i++) {
        Enemy& e = enemies[i];
        if (!e.active) continue;
        bool escaped;
        if (e.fromLeft) {
            DrawSprite(canvas, e.x, e.y, SpriteAt(SPR_VEHICLE_RIGHT + e.type));
            e.x += e.speed;
            escaped = e.x > ENEMY_EXIT_RIGHT;
        } else {
            DrawSprite(canvas, e.x, e.y, SpriteAt(SPR_VEHICLE_LEFT + e.type));
            e.x -= e.speed;
            escaped = e.x < 0;
        }
        if (escaped) {
            game.life--;
            e = Enemy{};
        }
        if (game.life <= 0 && !game.gameOverShown) GameOver(canvas);
    }
}

void GameOver(Canvas* canvas) {
    game.running = false;
    game.gameOverShown = true;
    StopTimer(TIMER_SPAWN);
    StopTimer(TIMER_TICK);
    SaveHighScore(game.highScore);

    // The life line already shows the value before the loss; clear it so the
    // final value does not land on top of it.
    RestoreArea(canvas, sprites[SPR_BACKGROUND], 827, 45, SCREEN_WIDTH - 827, 30);
    char text[32];
    std::snprintf(text, sizeof text, "Life: %d", game.life);
    DrawText(canvas, 827, 45, text);
    DrawText(canvas, 250, 60, TEXT_RESTART_PROMPT);

    ShowNotice(TEXT_DEFEAT, TEXT_NOTICE_CAPTION);

    for (int i = 0; i < POOL_SIZE; i++) enemies[i].active = false;
}
