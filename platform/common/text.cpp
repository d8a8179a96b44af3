// The display font: the serif face UnGungseo (or any font with Hangul) found
// through fontconfig, sized to a 30-pixel cell. Each glyph is rasterised once
// by FreeType and kept as coverage bytes, so drawing a known text does no font
// work and allocates nothing.
#include "text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "canvas.h"
#include "platform.h"

namespace {

constexpr const char* kDisplayFamily = "UnGungseo";
constexpr uint32_t kHangulGa = 0xAC00;  // a syllable every Korean font has

struct Glyph {
    int32_t left;     // from the pen to the bitmap's first column
    int32_t top;      // from the bitmap's first row up to the baseline
    int32_t width;
    int32_t height;
    int32_t advance;  // whole pixels
    size_t offset;    // into coverage
};

struct Font {
    bool tried = false;
    bool ok = false;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int ascent = 0;
    std::vector<uint8_t> coverage;
    std::vector<Glyph> glyphs;
    int32_t ascii[128];
    std::unordered_map<uint32_t, int32_t> others;
};

Font font;

bool HasFamily(FcPattern* match, const char* family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; i++) {
        if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
    }
    return false;
}

bool CoversHangul(FcPattern* match) {
    FcCharSet* chars = nullptr;
    return FcPatternGetCharSet(match, FC_CHARSET, 0, &chars) == FcResultMatch && FcCharSetHasChar(chars, kHangulGa);
}

// The file and face index fontconfig picks for `query`, if `accept` likes it.
// fontconfig always answers with something (DejaVu for an unknown family), so
// the answer has to be checked.
bool MatchFont(FcConfig* config, const char* query, bool (*accept)(FcPattern*), std::string& file, int& index) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(query));
    if (pattern == nullptr) return false;
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    bool found = false;
    FcChar8* path = nullptr;
    if (match != nullptr && accept(match) && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        found = true;
    }
    if (match != nullptr) FcPatternDestroy(match);
    return found;
}

bool IsDisplayFamily(FcPattern* match) {
    return HasFamily(match, kDisplayFamily);
}

// The largest pixel size whose cell (ascent and descent each rounded up, as
// the hinted metrics are) fits 30 pixels. UnGungseo's 970/250 per 1000 units
// give 24 pixels: ascent 24, descent 6. Windows sizes by the OS/2 win metrics.
void ChooseSize(FT_Face face, int& pixels, int& ascent) {
    long asc = face->ascender;
    long desc = -face->descender;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        asc = os2->usWinAscent;
        desc = os2->usWinDescent;
    }
    const long em = face->units_per_EM > 0 ? face->units_per_EM : 1000;
    for (pixels = TEXT_CELL_HEIGHT; pixels > 1; pixels--) {
        const long a = (pixels * asc + em - 1) / em;
        const long d = (pixels * desc + em - 1) / em;
        if (a + d <= TEXT_CELL_HEIGHT) break;
    }
    ascent = static_cast<int>((pixels * asc + em - 1) / em);
    if (ascent > TEXT_CELL_HEIGHT) ascent = TEXT_CELL_HEIGHT;
    if (ascent < 0) ascent = 0;
}

int32_t Store(uint32_t codePoint, const Glyph& g) {
    font.glyphs.push_back(g);
    const int32_t id = static_cast<int32_t>(font.glyphs.size() - 1);
    if (codePoint < 128) {
        font.ascii[codePoint] = id;
    } else {
        font.others.emplace(codePoint, id);
    }
    return id;
}

// Rasterises one code point into the cache. A glyph FreeType cannot load is
// kept as an empty one, so that it is not tried again every frame.
int32_t Rasterise(uint32_t codePoint) {
    const FT_UInt index = FT_Get_Char_Index(font.face, codePoint);
    Glyph g{};
    // Outlines only: some Korean faces carry 1-bit bitmap strikes.
    if (FT_Load_Glyph(font.face, index, FT_LOAD_RENDER | FT_LOAD_NO_BITMAP) != 0) return Store(codePoint, g);
    const FT_GlyphSlot slot = font.face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.width > 0 && bm.rows > 0) {
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int32_t>(bm.width);
        g.height = static_cast<int32_t>(bm.rows);
        g.offset = font.coverage.size();
        const int pitch = bm.pitch < 0 ? -bm.pitch : bm.pitch;
        for (int32_t r = 0; r < g.height; r++) {
            const unsigned char* row = bm.buffer + static_cast<size_t>(bm.pitch < 0 ? g.height - 1 - r : r) * pitch;
            const int grays = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
            for (int32_t c = 0; c < g.width; c++) font.coverage.push_back(static_cast<uint8_t>(row[c] * 255 / grays));
        }
    }
    return Store(codePoint, g);
}

bool OpenFont() {
    // fontconfig is only needed to find the file; its configuration is
    // released again at once.
    std::string file;
    int index = 0;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return false;
    const bool found = MatchFont(config, kDisplayFamily, IsDisplayFamily, file, index) ||
                       MatchFont(config, ":lang=ko", CoversHangul, file, index);
    FcConfigDestroy(config);
    if (!found) return false;
    if (FT_Init_FreeType(&font.library) != 0) return false;
    if (FT_New_Face(font.library, file.c_str(), index, &font.face) != 0 || !FT_IS_SCALABLE(font.face) ||
        FT_Get_Char_Index(font.face, kHangulGa) == 0) {
        if (font.face != nullptr) FT_Done_Face(font.face);
        FT_Done_FreeType(font.library);
        font.face = nullptr;
        font.library = nullptr;
        return false;
    }
    int pixels;
    ChooseSize(font.face, pixels, font.ascent);
    FT_Set_Pixel_Sizes(font.face, 0, static_cast<FT_UInt>(pixels));
    return true;
}

// Loads the font on first use; the game calls PrepareText at start-up, so this
// happens before the first tick.
bool EnsureFont() {
    if (font.tried) return font.ok;
    font.tried = true;
    for (int32_t& id : font.ascii) id = -1;
    font.ok = OpenFont();
    if (!font.ok) {
        std::fprintf(stderr, "tolvenar: no display font (UnGungseo or another font with Korean) was found; texts are not drawn\n");
        return false;
    }
    font.coverage.reserve(64 * 1024);
    font.glyphs.reserve(512);
    for (uint32_t c = 0x20; c < 0x7F; c++) Rasterise(c);
    return true;
}

const Glyph* FindGlyph(uint32_t codePoint) {
    int32_t id;
    if (codePoint < 128) {
        id = font.ascii[codePoint];
    } else {
        const auto it = font.others.find(codePoint);
        id = it == font.others.end() ? -1 : it->second;
    }
    if (id < 0) id = Rasterise(codePoint);
    return &font.glyphs[static_cast<size_t>(id)];
}

// Decodes one UTF-8 sequence at `p`; a malformed byte reads as U+FFFD and
// moves on by one byte.
uint32_t NextCodePoint(const unsigned char*& p) {
    const unsigned char b = *p;
    int extra;
    uint32_t cp;
    uint32_t min;
    if (b < 0x80) {
        p++;
        return b;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
        p++;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; i++) {
        if ((p[i] & 0xC0) != 0x80) {
            p++;
            return 0xFFFD;
        }
        cp = cp << 6 | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        p++;
        return 0xFFFD;
    }
    p += extra + 1;
    return cp;
}

// Darkens the canvas towards black by the coverage, rounded to nearest.
inline uint32_t Darken(uint32_t pixel, uint32_t keep) {
    auto scale = [keep](uint32_t c) {
        const uint32_t v = c * keep + 128;
        return (v + (v >> 8)) >> 8;  // v / 255, exact for these ranges
    };
    return scale(pixel >> 16 & 0xFF) << 16 | scale(pixel >> 8 & 0xFF) << 8 | scale(pixel & 0xFF);
}

// Glyph ink stays inside the cell rows [top, top + 30), as Windows clips to
// the font's win ascent and descent.
void BlendGlyph(Canvas* canvas, const Glyph& g, int x, int y, int cellTop) {
    int rowFrom = 0;
    int rowTo = g.height;
    const int clipTop = cellTop > 0 ? cellTop : 0;
    const int cellBottom = cellTop + TEXT_CELL_HEIGHT;
    const int clipBottom = cellBottom < canvas->height ? cellBottom : canvas->height;
    if (y + rowFrom < clipTop) rowFrom = clipTop - y;
    if (y + rowTo > clipBottom) rowTo = clipBottom - y;
    const int colFrom = x < 0 ? -x : 0;
    const int colTo = x + g.width > canvas->width ? canvas->width - x : g.width;
    for (int r = rowFrom; r < rowTo; r++) {
        const uint8_t* cov = font.coverage.data() + g.offset + static_cast<size_t>(r) * g.width;
        uint32_t* row = canvas->pixels + static_cast<size_t>(y + r) * canvas->width;
        for (int c = colFrom; c < colTo; c++) {
            const uint32_t a = cov[c];
            if (a == 0) continue;
            uint32_t& dst = row[x + c];
            dst = a == 255 ? 0 : Darken(dst, 255 - a);
        }
    }
}

}  // namespace

bool TextFontAvailable() {
    return EnsureFont();
}

int TextAscent() {
    return EnsureFont() ? font.ascent : 0;
}

int TextWidth(const char* text) {
    if (text == nullptr || !EnsureFont()) return 0;
    int width = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0';) {
        width += FindGlyph(NextCodePoint(p))->advance;
    }
    return width;
}

void PrepareText(const char* text) {
    TextWidth(text);
}

void DrawText(Canvas* canvas, int x, int y, const char* text) {
    if (canvas == nullptr || text == nullptr || !EnsureFont()) return;
    const int baseline = y + font.ascent;
    int pen = x;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0';) {
        const Glyph* g = FindGlyph(NextCodePoint(p));
        if (g->width > 0) BlendGlyph(canvas, *g, pen + g->left, baseline - g->top, y);
        pen += g->advance;
    }
}
