// Everything the game core asks of the machine it runs on. The core includes
// this header and nothing else of the platform; each backend (sdl/, headless/)
// supplies the functions, with the canvas, timer table and score store shared.
#pragma once

#include <cstdint>

struct Canvas;  // the 32-bit back buffer
struct Sprite;  // one loaded picture, ready to draw

// Timers. Arming an armed id restarts it with the new period; periods above
// 2^31-1 ms are clamped. Expiries reach the game through GameTimer().
void ArmTimer(int id, uint32_t periodMs);
void StopTimer(int id);

// Ask for the back buffer to be shown once the current tick is over.
void RequestRepaint();

// Effect sounds by wave resource id; a new one cuts off the one playing.
void PlayEffectSound(int waveId);

// Background music; 0 when it plays. The game goes on without it.
int StartMusic();

// Modal notice box; returns once the player has dismissed it. Hold timers
// keep firing and key releases keep reaching the game meanwhile.
void ShowNotice(const char* text, const char* caption);

// The persistent best score. A failed load reads as 0; a failed save keeps
// the game going.
int LoadHighScore();
void SaveHighScore(int value);

// Seed for the game's random generator, taken once at start-up.
uint32_t StartupSeed();

// Pictures, by resource id; nullptr when the picture could not be loaded.
const Sprite* LoadSprite(int resourceId);

// Drawing. All texts are UTF-8; positions are top-left corners.
Canvas* BackBuffer();  // created once, window-sized, never resized
void FillWindowColour(Canvas* canvas);
void BlitOpaque(Canvas* canvas, const Sprite* picture, int y);
void DrawSprite(Canvas* canvas, int x, int y, const Sprite* sprite);  // pure red is transparent
void DrawLine(Canvas* canvas, int x0, int y0, int x1, int y1);        // black, end point left out
void DrawText(Canvas* canvas, int x, int y, const char* text);        // black, transparent background
// Copies the area (x, y, w, h) of an opaque picture drawn at (0, 0) back into the canvas.
void RestoreArea(Canvas* canvas, const Sprite* picture, int x, int y, int w, int h);
// Rasterises a text's glyphs ahead of time so that drawing it later does no font work.
void PrepareText(const char* text);
