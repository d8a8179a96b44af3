// The game-over notice: a modal box drawn into the window over the game-over
// frame, with its caption, its text and an OK button.
#include <cstring>

#include "canvas.h"
#include "desktop.h"
#include "notice_logic.h"
#include "platform.h"
#include "text.h"

namespace {

constexpr uint32_t BOX_FACE = 0xF0F0F0;
constexpr uint32_t BOX_BORDER = 0x505A64;
constexpr uint32_t CAPTION_FACE = 0xD5E1EE;
constexpr uint32_t CAPTION_RULE = 0xA9BBD0;
constexpr uint32_t BUTTON_FACE = 0xE5E5E5;
constexpr uint32_t BUTTON_BORDER = 0x0078D7;  // the default button's focus ring
constexpr int SHADOW = 5;
constexpr const char* OK_LABEL = "OK";

OwnedCanvas picture;  // the game-over frame with the box on it

Rect Clip(const Canvas* c, Rect r) {
    if (r.x < 0) { r.w += r.x; r.x = 0; }
    if (r.y < 0) { r.h += r.y; r.y = 0; }
    if (r.x + r.w > c->width) r.w = c->width - r.x;
    if (r.y + r.h > c->height) r.h = c->height - r.y;
    if (r.w < 0) r.w = 0;
    if (r.h < 0) r.h = 0;
    return r;
}

void Fill(Canvas* c, Rect r, uint32_t colour) {
    r = Clip(c, r);
    for (int y = r.y; y < r.y + r.h; y++) {
        uint32_t* row = c->pixels + static_cast<size_t>(y) * static_cast<size_t>(c->width);
        for (int x = r.x; x < r.x + r.w; x++) row[x] = colour;
    }
}

// Halves the brightness under the box's shadow.
void Darken(Canvas* c, Rect r) {
    r = Clip(c, r);
    for (int y = r.y; y < r.y + r.h; y++) {
        uint32_t* row = c->pixels + static_cast<size_t>(y) * static_cast<size_t>(c->width);
        for (int x = r.x; x < r.x + r.w; x++) row[x] = (row[x] >> 1) & 0x7F7F7F;
    }
}

void Frame(Canvas* c, const Rect& r, int thickness, uint32_t colour) {
    Fill(c, Rect{r.x, r.y, r.w, thickness}, colour);
    Fill(c, Rect{r.x, r.y + r.h - thickness, r.w, thickness}, colour);
    Fill(c, Rect{r.x, r.y, thickness, r.h}, colour);
    Fill(c, Rect{r.x + r.w - thickness, r.y, thickness, r.h}, colour);
}

void DrawBox(Canvas* c, const NoticeLayout& l, const char* text, const char* caption) {
    const Rect& b = l.box;
    Darken(c, Rect{b.x + SHADOW, b.y + b.h, b.w, SHADOW});
    Darken(c, Rect{b.x + b.w, b.y + SHADOW, SHADOW, b.h - SHADOW});
    Fill(c, b, BOX_FACE);
    Fill(c, l.caption, CAPTION_FACE);
    Fill(c, Rect{l.caption.x, l.caption.y + l.caption.h, l.caption.w, 1}, CAPTION_RULE);
    Frame(c, b, 1, BOX_BORDER);
    DrawText(c, l.captionX, l.captionY, caption);
    DrawText(c, l.textX, l.textY, text);
    Fill(c, l.button, BUTTON_FACE);
    Frame(c, l.button, 2, BUTTON_BORDER);
    DrawText(c, l.labelX, l.labelY, OK_LABEL);
}

}  // namespace

void NoticeInit() {
    MakeCanvas(picture, CANVAS_WIDTH, CANVAS_HEIGHT);
}

void ShowNotice(const char* text, const char* caption) {
    Canvas* c = &picture.canvas;
    const NoticeLayout layout =
        LayoutNotice(c->width, c->height, TextWidth(text), TextWidth(caption), TextWidth(OK_LABEL), TEXT_CELL_HEIGHT);
    // The box sits on the frame the game over is drawing (the final lives and
    // the restart prompt), not on the one before it that still shows a life.
    const Canvas* frame = BackBuffer();
    std::memcpy(c->pixels, frame->pixels, static_cast<size_t>(c->width) * static_cast<size_t>(c->height) * 4);
    DrawBox(c, layout, text, caption);
    PresentFrame(c);
    RunNoticeLoop(layout.button);
}
