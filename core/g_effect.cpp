// Explosions: a fireball where a vehicle was destroyed, a dark burst where a
// ball hit the ground. They only decorate; nothing in the game reads them.
#include "game.h"
#include "platform.h"

void AddEffect(int x, int y, int kind) {
    for (int i = 0; i < POOL_SIZE; i++) {
        Effect& e = effects[i];
        if (e.active) continue;
        e.x = x;
        e.y = y;
        e.frame = 0;
        e.kind = kind;
        e.active = true;
        return;
    }
}

void EffectPass(Canvas* canvas) {
    for (int i = 0; i < POOL_SIZE; i++) {
        Effect& e = effects[i];
        if (!e.active) continue;
        const int first = e.kind == EFFECT_DESTROYED ? SPR_FIREBALL : SPR_BURST;
        DrawSprite(canvas, e.x - 20, e.y - 30, SpriteAt(first + e.frame / EFFECT_TICKS_PER_SPRITE));
        e.frame++;
        const int length = e.kind == EFFECT_DESTROYED ? EFFECT_DESTROYED_TICKS : EFFECT_IMPACT_TICKS;
        if (e.frame >= length) e = Effect{};
    }
}
