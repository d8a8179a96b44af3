// The parts of the desktop loop that need no display: which key the game
// sees, and when the real clock has reached the next base period.
#pragma once

#include <cstdint>

#include <SDL_keycode.h>

// The game's key code for an SDL key, or 0 for a key the game ignores.
int TranslateKey(SDL_Keycode key);

// The base-period boundary to step the timer table to at nowUs, or -1 when
// none has passed since lastStepUs. Several boundaries passed at once (a
// stall) give one step, to the latest.
int64_t DueBoundary(int64_t lastStepUs, int64_t nowUs);

// Milliseconds to sleep at nowUs so as to wake at or just after the boundary
// following lastStepUs; 0 when that boundary has already been reached.
uint32_t WaitMs(int64_t lastStepUs, int64_t nowUs);
