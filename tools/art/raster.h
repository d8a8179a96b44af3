// Drawing primitives for the game's pictures. A Sketch is painted at a few
// subsamples per pixel; Resolve() turns it into pixels. Sprites get a hard
// silhouette (a pixel is opaque when at least half of it is covered) and
// their edge pixels are averaged only over covered subsamples, so no colour
// is ever mixed with the transparent key.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace art {

constexpr uint32_t KEY = 0x00FF0000;  // pure red: transparent in the game

struct Rgb {
    float r = 0, g = 0, b = 0;
};
constexpr Rgb RGB(int r, int g, int b) { return Rgb{float(r), float(g), float(b)}; }
Rgb Mix(Rgb a, Rgb b, float t);  // t = 0 gives a, 1 gives b
Rgb Scale(Rgb c, float k);       // brighter (k > 1) or darker (k < 1)

// A colour with how strongly it covers what is already painted.
struct Paint {
    Rgb c;
    float a = 1;
};
using Shader = std::function<Paint(float x, float y)>;

Shader Solid(Rgb c, float alpha = 1);
// Colour running from c0 at p0 to c1 at p1, flat beyond both ends.
Shader Linear(float x0, float y0, Rgb c0, float x1, float y1, Rgb c1, float alpha = 1);
// Colour running from c0 at the centre to c1 at radius r.
Shader Radial(float cx, float cy, float r, Rgb c0, Rgb c1, float alpha = 1);

struct Pt {
    float x, y;
};

// A region in pixel coordinates: pixel (i, j) spans [i, i+1) x [j, j+1).
struct Shape {
    float x0, y0, x1, y1;  // bounds
    std::function<bool(float, float)> inside;
};

Shape Box(float x0, float y0, float x1, float y1);
Shape RoundBox(float x0, float y0, float x1, float y1, float radius);
Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry, float degrees = 0);
Shape Ring(float cx, float cy, float outer, float inner);
Shape Poly(std::vector<Pt> points);  // even-odd rule
Shape Segment(Pt a, Pt b, float width);  // a stroke with round ends
Shape Polyline(std::vector<Pt> points, float width);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
// A circle whose radius wobbles by up to `wobble` with seeded noise: puffs of smoke and fire.
Shape Blob(float cx, float cy, float r, float wobble, uint32_t seed, float lobes = 5);

// Finished pixels, 0x00RRGGBB, rows top to bottom.
struct Picture {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    uint32_t& at(int x, int y) { return px[size_t(y) * w + x]; }
    uint32_t at(int x, int y) const { return px[size_t(y) * w + x]; }
};

class Sketch {
public:
    Sketch(int w, int h, int subsamples = 4);

    // Paints the shape, making it opaque. Where nothing was painted yet the
    // colour is taken whole; elsewhere it is blended by the paint's alpha.
    void Fill(const Shape& s, const Shader& paint);
    void Fill(const Shape& s, Rgb c) { Fill(s, Solid(c)); }
    // Blends onto what is already painted and never grows the silhouette:
    // shading, highlights, texture.
    void Shade(const Shape& s, const Shader& paint);
    void Shade(const Shape& s, Rgb c, float alpha) { Shade(s, Solid(c, alpha)); }
    // Cuts the shape back out to the transparent key.
    void Erase(const Shape& s);

    // Sprites: hard silhouette on the key colour. Scenery: every pixel is
    // the plain average (the sketch must be covered everywhere).
    Picture Resolve() const;
    Picture ResolveOpaque() const;

    int width() const { return w_; }
    int height() const { return h_; }

private:
    template <typename Visit>
    void Each(const Shape& s, Visit visit);

    int w_, h_, ss_;
    std::vector<Rgb> col_;
    std::vector<uint8_t> on_;
};

// Darkens the opaque pixels that touch the key (or the box edge, when
// `boxEdges`): a cartoon outline that keeps small sprites legible.
void Outline(Picture& p, Rgb ink, float strength, bool boxEdges = false);
Picture Mirror(const Picture& p);

}  // namespace art
