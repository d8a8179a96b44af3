#include "loop_logic.h"

#include "game.h"
#include "timers.h"

int TranslateKey(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    default: return 0;
    }
}

int64_t DueBoundary(int64_t lastStepUs, int64_t nowUs) {
    const int64_t boundary = nowUs / BASE_PERIOD_US * BASE_PERIOD_US;
    return boundary > lastStepUs ? boundary : -1;
}

uint32_t WaitMs(int64_t lastStepUs, int64_t nowUs) {
    const int64_t next = (lastStepUs / BASE_PERIOD_US + 1) * BASE_PERIOD_US;
    if (nowUs >= next) return 0;
    // Round up: waking a little late costs nothing, waking early costs a spin.
    return static_cast<uint32_t>((next - nowUs + 999) / 1000);
}
