// Cannonballs: each tick a ball in flight is drawn and moved along its arc;
// a ball found below the ground line lands, hits at most one vehicle and goes.
#include <cmath>
#include <cstdint>

#include "game.h"
#include "platform.h"

static void AddScore(int32_t points) {
    const int64_t total = int64_t{game.score} + points;
    game.score = total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
    if (game.score > game.highScore) game.highScore = game.score;
}

static void Land(Shell& s) {
    PlayEffectSound(SOUND_LAND);
    for (int i = 0; i < POOL_SIZE; i++) {
        Enemy& e = enemies[i];
        if (!e.active) continue;
        // Closed spans: the vehicle's 34 columns against the ball's 21.
        if (e.x <= s.x + 15 && s.x - 5 <= e.x + 33) {
            AddScore(e.speed * 100);
            UpdateStage();
            AddEffect(e.x, e.y - 30, EFFECT_DESTROYED);
            e = Enemy{};
            break;
        }
    }
    AddEffect(s.x, s.y, EFFECT_IMPACT);
    s = Shell{};
}

// The position is recomputed from the launch values every step, never
// accumulated, with the products taken left to right and truncated.
static void Fly(Canvas* canvas, Shell& s) {
    DrawSprite(canvas, s.x - 14, s.y - 20, SpriteAt(SPR_BALL + s.frame));
    const double a = static_cast<double>(s.angle) * PI / 180;
    const double v = s.power;
    const double t = s.t;
    const int32_t dx = static_cast<int32_t>(std::cos(a) * v * t);
    s.x = s.toRight ? s.x0 + dx : s.x0 - dx;
    const int32_t dy = static_cast<int32_t>(std::sin(a) * t * v - t * 10 * t);
    s.y = s.y0 - dy;
    s.t = t + 0.05;
    s.frame++;
    if (s.frame > 3) s.frame = 0;
}

void ShellPass(Canvas* canvas) {
    for (int i = 0; i < POOL_SIZE; i++) {
        Shell& s = shells[i];
        if (!s.active) continue;
        if (s.y > GROUND_Y) {
            Land(s);
        } else {
            Fly(canvas, s);
        }
    }
}
