// The frame reaches the window through the window surface: one conversion
// copy of the canvas into it, then one update. Under X11 with 24-bit colour
// the formats match and the copy is a plain row copy.
#include <SDL.h>

#include <cstdio>

#include "canvas.h"
#include "desktop.h"

namespace {
SDL_Window* window = nullptr;
}

bool PresentInit(SDL_Window* w) {
    window = w;
    if (SDL_GetWindowSurface(window) == nullptr) {
        std::fprintf(stderr, "tolvenar: cannot draw into the window: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

void PresentFrame(const Canvas* frame) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) return;
    const int w = frame->width < surface->w ? frame->width : surface->w;
    const int h = frame->height < surface->h ? frame->height : surface->h;
    SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, frame->pixels, frame->width * 4, surface->format->format,
                      surface->pixels, surface->pitch);
    SDL_UpdateWindowSurface(window);
}

void PresentAgain() {
    if (SDL_GetWindowSurface(window) != nullptr) SDL_UpdateWindowSurface(window);
}
