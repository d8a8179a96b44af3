// Without any usable font the game still runs: texts are not drawn, and one
// line on standard error says why, however often text is asked for. Run with
// FONTCONFIG_FILE pointing at a configuration that lists no fonts.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "canvas.h"
#include "platform.h"
#include "text.h"

int main() {
    std::fflush(stderr);
    std::FILE* captured = std::tmpfile();
    const int saved = dup(2);
    if (captured == nullptr || saved < 0 || dup2(fileno(captured), 2) < 0) return 3;

    OwnedCanvas c;
    MakeCanvas(c, 120, 40);
    for (uint32_t& p : c.storage) p = WINDOW_COLOUR;
    const char* const prompt = "\xEC\x97\x94\xED\x84\xB0 Score: 0";
    PrepareText(prompt);
    for (int i = 0; i < 3; i++) DrawText(&c.canvas, 2, 2, prompt);
    const bool available = TextFontAvailable();
    const int width = TextWidth(prompt);
    const int ascent = TextAscent();

    std::fflush(stderr);
    dup2(saved, 2);
    std::string text;
    std::rewind(captured);
    for (int ch; (ch = std::fgetc(captured)) != EOF;) text += static_cast<char>(ch);

    int failures = 0;
    auto check = [&](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "FAILED: %s\n", what);
            failures++;
        }
    };
    check(!available && width == 0 && ascent == 0, "no font is reported as available with no measures");
    bool blank = true;
    for (uint32_t p : c.storage) blank = blank && p == WINDOW_COLOUR;
    check(blank, "nothing is drawn");
    const size_t newline = text.find('\n');
    check(newline != std::string::npos && newline + 1 == text.size(), "exactly one line on standard error");
    check(text.find("font") != std::string::npos, "the line names the missing font");
    std::fprintf(stderr, "standard error was: %s", text.c_str());
    return failures == 0 ? 0 : 1;
}
