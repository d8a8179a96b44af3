// The notice box's layout and how it is dismissed, apart from any display.
#pragma once

#include <SDL_events.h>

struct Rect {
    int x;
    int y;
    int w;
    int h;
};

bool Inside(const Rect& r, int x, int y);

struct NoticeLayout {
    Rect box;       // the whole box, border included
    Rect caption;   // the caption bar along its top
    Rect button;    // the OK button
    int captionX, captionY;
    int textX, textY;
    int labelX, labelY;
};

// Centres a box for a text, a caption and a button label of the given pixel
// widths (text cells `cellHeight` high) on a canvas; it never leaves the canvas.
NoticeLayout LayoutNotice(int canvasW, int canvasH, int textW, int captionW, int labelW, int cellHeight);

// What the box has seen of a press that may dismiss it. A press must start
// while the box is open: a key already held (auto-repeating) when it opened
// does not dismiss it, so a player firing at game over still sees it.
struct NoticeInput {
    SDL_Keycode key = SDLK_UNKNOWN;  // Enter, Space or Escape pressed in the box
    bool buttonDown = false;         // left mouse button pressed on OK
};

// Feeds one event; true when it dismisses the box (the release of Enter,
// keypad Enter, Space or Escape, or of a click that began and ended on OK).
bool NoticeDismissedBy(NoticeInput& input, const SDL_Event& event, const Rect& button);
