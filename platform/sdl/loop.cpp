// The loop: the shared timer table stepped from the real clock once per base
// period, sleeping in between, with input handled as it arrives.
#include <SDL.h>

#include <chrono>

#include "canvas.h"
#include "desktop.h"
#include "game.h"
#include "loop_logic.h"
#include "platform.h"
#include "timers.h"

namespace {

struct NoticeState {
    NoticeInput input;
    Rect button;
    bool done;
};

std::chrono::steady_clock::time_point origin;
int64_t lastStepUs = 0;
bool quit = false;
bool repaint = false;
LoopStats stats{0, 0, -1, -1};

void Present() {
    repaint = false;
    PresentFrame(BackBuffer());
    stats.frames++;
    if (stats.firstFrameUs < 0) stats.firstFrameUs = ClockNowUs();
}

// One step of the timer table when a boundary has passed since the last one.
bool StepIfDue() {
    const int64_t due = DueBoundary(lastStepUs, ClockNowUs());
    if (due < 0) return false;
    lastStepUs = due;
    stats.ticks++;
    if (stats.firstTickUs < 0) stats.firstTickUs = due;
    TimersStep(due, GameTimer);
    if (repaint && !quit) Present();
    return true;
}

void HandleEvent(const SDL_Event& event, NoticeState* notice) {
    switch (event.type) {
    case SDL_QUIT:
        quit = true;
        return;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) PresentAgain();
        return;
    case SDL_KEYDOWN:
        // Auto-repeats included: holding Space keeps firing.
        if (notice == nullptr) {
            const int vk = TranslateKey(event.key.keysym.sym);
            if (vk != 0) OnKeyDown(vk);
        }
        break;
    case SDL_KEYUP: {
        // Releases reach the game even under the notice, so no arrow sticks.
        const int vk = TranslateKey(event.key.keysym.sym);
        if (vk != 0) OnKeyUp(vk);
        break;
    }
    default:
        break;
    }
    if (notice != nullptr && NoticeDismissedBy(notice->input, event, notice->button)) notice->done = true;
}

bool Running(const NoticeState* notice) {
    return !quit && (notice == nullptr || !notice->done);
}

void RunLoop(NoticeState* notice) {
    while (Running(notice)) {
        if (StepIfDue()) continue;
        SDL_Event event;
        const uint32_t wait = WaitMs(lastStepUs, ClockNowUs());
        if (SDL_WaitEventTimeout(&event, static_cast<int>(wait)) == 0) continue;
        do {
            // Timers armed by this input count from now, not from the last step.
            TimersSetNow(ClockNowUs());
            HandleEvent(event, notice);
        } while (Running(notice) && SDL_PollEvent(&event) != 0);
    }
}

}  // namespace

void ClockStart() {
    origin = std::chrono::steady_clock::now();
}

int64_t ClockNowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - origin).count();
}

void RunGameLoop() {
    RunLoop(nullptr);
}

void RunNoticeLoop(const Rect& okButton) {
    NoticeState notice{NoticeInput{}, okButton, false};
    RunLoop(&notice);
}

bool QuitRequested() {
    return quit;
}

void MarkRepaint() {
    repaint = true;
}

const LoopStats& GetLoopStats() {
    return stats;
}
