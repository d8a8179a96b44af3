// One frame: the scene, the cannon with its aiming lines, the text display,
// then the three passes that draw and move everything on the field.
#include <cmath>
#include <cstdio>

#include "game.h"
#include "platform.h"

const Sprite* SpriteAt(int slot) {
    if (slot < 0 || slot >= SPRITE_SLOTS) return nullptr;
    return sprites[slot];
}

static void DrawCannon(Canvas* canvas) {
    const double a = game.angle * PI / 180;
    const int cx = game.cannonX;
    const int cy = game.cannonY;
    if (game.facingLeft) {
        DrawSprite(canvas, cx, cy, sprites[SPR_CANNON_LEFT]);
        const int px = cx + 1;
        const int py = cy + 7;
        game.barrelTipX = px - std::cos(a) * 50;
        game.barrelTipY = py - std::sin(a) * 50;
        DrawLine(canvas, px, py, cx - 30, cy + 7);
        // The left-facing vertical gauge starts one pixel lower.
        DrawLine(canvas, px, cy + 8, px, cy - 25);
        DrawLine(canvas, px, py, static_cast<int>(game.barrelTipX), static_cast<int>(game.barrelTipY));
    } else {
        DrawSprite(canvas, cx, cy, sprites[SPR_CANNON_RIGHT]);
        const int px = cx + 31;
        const int py = cy + 7;
        game.barrelTipX = std::cos(a) * 50 + px;
        game.barrelTipY = py - std::sin(a) * 50;
        DrawLine(canvas, px, py, cx + 61, cy + 7);
        DrawLine(canvas, px, py, px, cy - 25);
        DrawLine(canvas, px, py, static_cast<int>(game.barrelTipX), static_cast<int>(game.barrelTipY));
    }
}

static void DrawDisplay(Canvas* canvas) {
    char text[64];
    std::snprintf(text, sizeof text, "Score: %d", game.score);
    DrawText(canvas, 10, 45, text);
    std::snprintf(text, sizeof text, "HighScore: %d", game.highScore);
    DrawText(canvas, 10, 10, text);
    std::snprintf(text, sizeof text, "Life: %d", game.life);
    DrawText(canvas, 827, 45, text);
    std::snprintf(text, sizeof text, "Angle: %.0lf", game.angle);
    DrawText(canvas, 800, 10, text);
    std::snprintf(text, sizeof text, "Stage %d", game.stage);
    DrawText(canvas, 420, 10, text);
    if (!game.running) DrawText(canvas, 250, 60, TEXT_START_PROMPT);
}

void FrameTick() {
    Canvas* canvas = BackBuffer();
    FillWindowColour(canvas);
    BlitOpaque(canvas, sprites[SPR_BACKGROUND], 0);
    BlitOpaque(canvas, sprites[SPR_GROUND], GROUND_Y);
    DrawCannon(canvas);
    DrawDisplay(canvas);
    EffectPass(canvas);
    EnemyPass(canvas);
    ShellPass(canvas);
    RequestRepaint();
}
