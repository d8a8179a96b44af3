// The notice box: how it is dismissed and where its parts sit.
#include <gtest/gtest.h>

#include <SDL_keyboard.h>

#include <cstdlib>

#include "notice_logic.h"

namespace {

const Rect kButton{400, 250, 96, 36};

SDL_Event Key(Uint32 type, SDL_Keycode sym, int repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.repeat = static_cast<Uint8>(repeat);
    return e;
}

SDL_Event Mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
}

// Feeds events in order; returns the index of the one that dismissed the box, or -1.
int DismissedAt(std::initializer_list<SDL_Event> events) {
    NoticeInput input;
    int i = 0;
    for (const SDL_Event& e : events) {
        if (NoticeDismissedBy(input, e, kButton)) return i;
        i++;
    }
    return -1;
}

TEST(DesktopNotice, EnterKeypadEnterSpaceAndEscapeDismissOnRelease) {
    for (SDL_Keycode k : {SDLK_RETURN, SDLK_KP_ENTER, SDLK_SPACE, SDLK_ESCAPE}) {
        EXPECT_EQ(DismissedAt({Key(SDL_KEYDOWN, k), Key(SDL_KEYDOWN, k, 1), Key(SDL_KEYUP, k)}), 2)
            << SDL_GetKeyName(k);
    }
}

TEST(DesktopNotice, OtherKeysAndKeysHeldFromBeforeDoNotDismiss) {
    // Other keys.
    EXPECT_EQ(DismissedAt({Key(SDL_KEYDOWN, SDLK_LEFT), Key(SDL_KEYUP, SDLK_LEFT), Key(SDL_KEYDOWN, SDLK_a),
                           Key(SDL_KEYUP, SDLK_a)}),
              -1);
    // Space was held for firing when the box opened: its repeats and its
    // release leave the box up; a fresh press then closes it.
    EXPECT_EQ(DismissedAt({Key(SDL_KEYDOWN, SDLK_SPACE, 1), Key(SDL_KEYDOWN, SDLK_SPACE, 1),
                           Key(SDL_KEYUP, SDLK_SPACE), Key(SDL_KEYDOWN, SDLK_SPACE), Key(SDL_KEYUP, SDLK_SPACE)}),
              4);
    // Enter held from before is released while Space is pressed: Space's release counts.
    EXPECT_EQ(DismissedAt({Key(SDL_KEYDOWN, SDLK_SPACE), Key(SDL_KEYUP, SDLK_RETURN), Key(SDL_KEYUP, SDLK_SPACE)}), 2);
}

TEST(DesktopNotice, AClickMustBeginAndEndOnOk) {
    const int inX = kButton.x + 10, inY = kButton.y + 10;
    const int outX = kButton.x - 1, outY = kButton.y;
    EXPECT_EQ(DismissedAt({Mouse(SDL_MOUSEBUTTONDOWN, inX, inY), Mouse(SDL_MOUSEBUTTONUP, inX, inY)}), 1);
    EXPECT_EQ(DismissedAt({Mouse(SDL_MOUSEBUTTONDOWN, outX, outY), Mouse(SDL_MOUSEBUTTONUP, inX, inY)}), -1);
    EXPECT_EQ(DismissedAt({Mouse(SDL_MOUSEBUTTONDOWN, inX, inY), Mouse(SDL_MOUSEBUTTONUP, outX, outY),
                           Mouse(SDL_MOUSEBUTTONUP, inX, inY)}),
              -1);
    EXPECT_EQ(DismissedAt({Mouse(SDL_MOUSEBUTTONDOWN, inX, inY, SDL_BUTTON_RIGHT),
                           Mouse(SDL_MOUSEBUTTONUP, inX, inY, SDL_BUTTON_RIGHT)}),
              -1);
    // The button's last row and column are still on it, the next ones are not.
    EXPECT_TRUE(Inside(kButton, kButton.x + kButton.w - 1, kButton.y + kButton.h - 1));
    EXPECT_FALSE(Inside(kButton, kButton.x + kButton.w, kButton.y));
    EXPECT_FALSE(Inside(kButton, kButton.x, kButton.y + kButton.h));
}

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

TEST(DesktopNotice, LayoutIsCentredAndStaysOnTheCanvas) {
    const Rect canvas{0, 0, 953, 390};
    for (int textW : {0, 150, 600, 2000}) {
        const NoticeLayout l = LayoutNotice(953, 390, textW, 48, 30, 30);
        SCOPED_TRACE(textW);
        EXPECT_TRUE(Contains(canvas, l.box));
        EXPECT_TRUE(Contains(l.box, l.caption));
        EXPECT_TRUE(Contains(l.box, l.button));
        EXPECT_LE(std::abs((l.box.x + l.box.w / 2) - 953 / 2), 1);
        EXPECT_LE(std::abs((l.button.x + l.button.w / 2) - (l.box.x + l.box.w / 2)), 1);
        // Caption, text and button stack from top to bottom without overlapping.
        EXPECT_LE(l.captionY + 30, l.textY);
        EXPECT_LE(l.textY + 30, l.button.y);
        EXPECT_GE(l.labelY, l.button.y);
        if (textW < 800) {
            EXPECT_GE(l.textX, l.box.x + 1);
        }
    }
}

}  // namespace
