// tolvenar: the game in a window of its own, with sound and music.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "canvas.h"
#include "desktop.h"
#include "game.h"
#include "platform.h"
#include "timers.h"

namespace {

const char* const kUsage =
    "usage: tolvenar [--help] [--version]\n"
    "Tolvenar: hold off the war machines with your cannon.\n"
    "  Left/Right move the cannon, Up/Down aim it, Space fires, Enter starts a game.\n"
    "  The best score is kept in $XDG_DATA_HOME/tolvenar/HighScore.ini\n"
    "  (~/.local/share/tolvenar when XDG_DATA_HOME is not set).\n"
    "  The music, BGM.mid, is looked for in the current folder, beside the program\n"
    "  and in " TOLVENAR_DATA_DIR ".\n";

const char* const kNoDisplay = "tolvenar: no display to open the window on; set DISPLAY, or run under xvfb-run\n";

const char* Value(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// SDL quietly falls back to a window nobody can see when there is no
// display. Unless a video driver was asked for on purpose, try only the
// display systems the environment names, and refuse when there is none.
bool ChooseVideoDriver() {
    if (Set("SDL_VIDEODRIVER")) return true;
    const bool x11 = Set("DISPLAY");
    const bool wayland = Set("WAYLAND_DISPLAY");
    if (!x11 && !wayland) {
        std::fputs(kNoDisplay, stderr);
        return false;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && wayland ? "x11,wayland" : x11 ? "x11" : "wayland");
    return true;
}

bool OnRealDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (Set("SDL_VIDEODRIVER") || (driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
                                   std::strcmp(driver, "dummy") != 0)) {
        return true;
    }
    std::fputs(kNoDisplay, stderr);
    return false;
}

void PrintStats() {
    const LoopStats& s = GetLoopStats();
    const int64_t now = ClockNowUs();
    // The rate counts from the first tick, so start-up time does not dilute it.
    const double running = s.firstTickUs < 0 ? 0.0 : static_cast<double>(now - s.firstTickUs) / 1e6;
    std::fprintf(stderr,
                 "tolvenar: %lld ticks and %lld frames in %.2f s since the first tick (%.2f ticks/s); "
                 "first frame %.1f ms after start\n",
                 static_cast<long long>(s.ticks), static_cast<long long>(s.frames), running,
                 running > 0 ? static_cast<double>(s.ticks - 1) / running : 0.0,
                 static_cast<double>(s.firstFrameUs) / 1e3);
}

}  // namespace

int main(int argc, char** argv) {
    ClockStart();
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("tolvenar " TOLVENAR_VERSION);
            return 0;
        }
        std::fprintf(stderr, "tolvenar: unknown argument '%s'\n%s", argv[i], kUsage);
        return 2;
    }

    if (!ChooseVideoDriver()) return 1;
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // Present through the X server's shared-memory image rather than SDL's
    // OpenGL-backed window surface: under software GL the latter costs about
    // a fifth of a core and 90 MB more. The environment may still override.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "tolvenar: cannot open the display (DISPLAY='%s', WAYLAND_DISPLAY='%s'): %s; "
                     "check that it is running, or run under xvfb-run\n",
                     Value("DISPLAY"), Value("WAYLAND_DISPLAY"), SDL_GetError());
        SDL_Quit();
        return 1;
    }
    if (!OnRealDisplay()) {
        SDL_Quit();
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("Tolvenar", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, CANVAS_WIDTH,
                                          CANVAS_HEIGHT, SDL_WINDOW_HIDDEN);
    if (window == nullptr || !PresentInit(window)) {
        if (window == nullptr) std::fprintf(stderr, "tolvenar: cannot open the window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SoundInit();
    NoticeInit();

    // As on window creation: music, high score, seed, timers, pictures.
    TimersReset();
    TimersSetNow(ClockNowUs());
    GameCreate();
    PrepareText(TEXT_DEFEAT);
    PrepareText(TEXT_NOTICE_CAPTION);
    PrepareText("OK");
    SDL_ShowWindow(window);

    RunGameLoop();

    GameDestroy();
    if (std::getenv("TOLVENAR_STATS") != nullptr) PrintStats();
    SoundShutdown();
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
