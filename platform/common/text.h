// The display font's measures, for backends that lay out texts of their own
// (the desktop notice box). Drawing itself is DrawText/PrepareText in platform.h.
#pragma once

// Every text line is a cell this many pixels high; DrawText's y is its top.
constexpr int TEXT_CELL_HEIGHT = 30;

// False when neither UnGungseo nor any Korean font could be found; texts are
// then not drawn (one line on standard error says so).
bool TextFontAvailable();

// Pixels from the cell's top to the baseline; 0 without a font.
int TextAscent();

// The pen advance of a UTF-8 text in pixels; 0 without a font.
int TextWidth(const char* utf8);
