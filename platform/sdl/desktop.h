// The desktop backend's own pieces, shared between its files.
#pragma once

#include <cstdint>

#include "notice_logic.h"

struct Canvas;
struct SDL_Window;

// ---- the window's picture (present.cpp) ----
// Presents through the window surface; false (with the reason on standard
// error) when the window has none.
bool PresentInit(SDL_Window* window);
// Shows a whole canvas-sized frame, unscaled.
void PresentFrame(const Canvas* frame);
// Shows the last frame again (the window was uncovered).
void PresentAgain();

// ---- the loop (loop.cpp) ----
// Microseconds since the clock was started.
void ClockStart();
int64_t ClockNowUs();
// Runs the game loop until the program is asked to quit.
void RunGameLoop();
// Runs a nested loop while the notice box is open, until it is dismissed or
// the program is asked to quit. Timers keep stepping and key releases reach
// the game; key presses do not.
void RunNoticeLoop(const Rect& okButton);
bool QuitRequested();
// Called by RequestRepaint().
void MarkRepaint();

// ---- the notice box (notice.cpp) ----
// Sets aside the picture the box is drawn on, once, before play.
void NoticeInit();

// ---- sound (sound.cpp) ----
void SoundInit();
void SoundPlayEffect(int waveId);
// 0 once the music file and a soundfont are found and the music is loading
// (it starts playing a moment later); otherwise 1, after saying why.
int SoundStartMusic();
void SoundShutdown();

// ---- statistics for measuring (TOLVENAR_STATS=1) ----
struct LoopStats {
    int64_t ticks;
    int64_t frames;
    int64_t firstFrameUs;  // -1 until the first frame is shown
    int64_t firstTickUs;   // -1 until the first tick
};
const LoopStats& GetLoopStats();
