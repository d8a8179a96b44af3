// Keys, the four hold timers that move and aim the cannon, and firing.
#include "game.h"

#include "platform.h"

void OnKeyDown(int virtualKey) {
    switch (virtualKey) {
    case VK_RETURN:
        if (!game.running) StartGame();
        break;
    case VK_SPACE:
        FireShell();
        break;
    case VK_LEFT:
        game.facingLeft = true;
        game.facingRight = false;
        game.holdLeft = true;
        break;
    case VK_UP:
        game.holdUp = true;
        break;
    case VK_RIGHT:
        game.facingRight = true;
        game.facingLeft = false;
        game.holdRight = true;
        break;
    case VK_DOWN:
        game.holdDown = true;
        break;
    default:
        break;
    }
}

void OnKeyUp(int virtualKey) {
    switch (virtualKey) {
    case VK_LEFT: game.holdLeft = false; break;
    case VK_UP: game.holdUp = false; break;
    case VK_RIGHT: game.holdRight = false; break;
    case VK_DOWN: game.holdDown = false; break;
    default: break;
    }
}

// Each step is clamped on its own, so holding both arrows at an edge
// alternates between the edge and one step inside.
void OnHoldTimer(int timerId) {
    switch (timerId) {
    case TIMER_MOVE_LEFT:
        if (game.holdLeft) {
            game.cannonX -= CANNON_STEP;
            if (game.cannonX < CANNON_MIN_X) game.cannonX = CANNON_MIN_X;
        }
        break;
    case TIMER_MOVE_RIGHT:
        if (game.holdRight) {
            game.cannonX += CANNON_STEP;
            if (game.cannonX > CANNON_MAX_X) game.cannonX = CANNON_MAX_X;
        }
        break;
    case TIMER_ANGLE_UP:
        if (game.holdUp) {
            game.angle += 1.0;
            if (game.angle > ANGLE_MAX) game.angle = ANGLE_MAX;
        }
        break;
    case TIMER_ANGLE_DOWN:
        if (game.holdDown) {
            game.angle -= 1.0;
            if (game.angle < ANGLE_MIN) game.angle = ANGLE_MIN;
        }
        break;
    default:
        break;
    }
}

// No reload time and no check of `running`: every Space launches a ball
// while a record is free, and the shot is heard even when none is.
void FireShell() {
    for (int i = 0; i < POOL_SIZE; i++) {
        Shell& s = shells[i];
        if (s.active) continue;
        s.y0 = s.y = game.cannonY + 7;
        if (game.facingRight) {
            s.x0 = s.x = game.cannonX + 31;
            s.toRight = true;
        } else {
            s.x0 = s.x = game.cannonX + 1;
            s.toRight = false;
        }
        s.active = true;
        s.frame = 0;
        s.t = 0.0;
        s.power = SHELL_POWER;
        s.angle = static_cast<int32_t>(game.angle);
        break;
    }
    PlayEffectSound(SOUND_FIRE);
}
