#include "notice_logic.h"

namespace {

constexpr int MIN_BOX_WIDTH = 280;
constexpr int SIDE_MARGIN = 40;
constexpr int CAPTION_HEIGHT = 36;
constexpr int GAP = 20;
constexpr int BUTTON_WIDTH = 96;
constexpr int BUTTON_HEIGHT = 36;
constexpr int BOTTOM_MARGIN = 16;

int Max(int a, int b) {
    return a > b ? a : b;
}

int Min(int a, int b) {
    return a < b ? a : b;
}

bool DismissKey(SDL_Keycode key) {
    return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE || key == SDLK_ESCAPE;
}

}  // namespace

bool Inside(const Rect& r, int x, int y) {
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

NoticeLayout LayoutNotice(int canvasW, int canvasH, int textW, int captionW, int labelW, int cellHeight) {
    NoticeLayout l{};
    const int wanted = Max(MIN_BOX_WIDTH, Max(textW, captionW + BUTTON_WIDTH) + 2 * SIDE_MARGIN);
    l.box.w = Min(wanted, canvasW);
    l.box.h = Min(CAPTION_HEIGHT + GAP + cellHeight + GAP + BUTTON_HEIGHT + BOTTOM_MARGIN, canvasH);
    l.box.x = (canvasW - l.box.w) / 2;
    l.box.y = (canvasH - l.box.h) / 2;

    l.caption = Rect{l.box.x + 1, l.box.y + 1, l.box.w - 2, CAPTION_HEIGHT - 1};
    l.captionX = l.box.x + 12;
    l.captionY = l.box.y + (CAPTION_HEIGHT - cellHeight) / 2;

    l.textX = l.box.x + (l.box.w - textW) / 2;
    l.textY = l.box.y + CAPTION_HEIGHT + GAP;

    l.button = Rect{l.box.x + (l.box.w - BUTTON_WIDTH) / 2, l.textY + cellHeight + GAP, BUTTON_WIDTH, BUTTON_HEIGHT};
    l.labelX = l.button.x + (BUTTON_WIDTH - labelW) / 2;
    l.labelY = l.button.y + (BUTTON_HEIGHT - cellHeight) / 2;
    return l;
}

bool NoticeDismissedBy(NoticeInput& input, const SDL_Event& event, const Rect& button) {
    switch (event.type) {
    case SDL_KEYDOWN:
        if (event.key.repeat == 0 && DismissKey(event.key.keysym.sym)) input.key = event.key.keysym.sym;
        return false;
    case SDL_KEYUP:
        return input.key != SDLK_UNKNOWN && event.key.keysym.sym == input.key;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) input.buttonDown = Inside(button, event.button.x, event.button.y);
        return false;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT) return false;
        if (input.buttonDown && Inside(button, event.button.x, event.button.y)) return true;
        input.buttonDown = false;
        return false;
    default:
        return false;
    }
}
