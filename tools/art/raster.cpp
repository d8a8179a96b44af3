#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "noise.h"

namespace art {

namespace {

constexpr float PI = 3.14159265358979f;

uint8_t Channel(float v) {
    const float c = std::clamp(v, 0.0f, 255.0f);
    return uint8_t(std::lround(c));
}

uint32_t Pack(Rgb c) {
    return uint32_t(Channel(c.r)) << 16 | uint32_t(Channel(c.g)) << 8 | Channel(c.b);
}

Rgb Unpack(uint32_t p) {
    return RGB(int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255));
}

float DistanceToSegment(float x, float y, Pt a, Pt b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = a.x + t * dx - x;
    const float ey = a.y + t * dy - y;
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, float k) { return Rgb{c.r * k, c.g * k, c.b * k}; }

Shader Solid(Rgb c, float alpha) {
    return [=](float, float) { return Paint{c, alpha}; };
}

Shader Linear(float x0, float y0, Rgb c0, float x1, float y1, Rgb c1, float alpha) {
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    return [=](float x, float y) {
        const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f);
        return Paint{Mix(c0, c1, t), alpha};
    };
}

Shader Radial(float cx, float cy, float r, Rgb c0, Rgb c1, float alpha) {
    return [=](float x, float y) {
        const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / r;
        return Paint{Mix(c0, c1, std::min(d, 1.0f)), alpha};
    };
}

Shape Box(float x0, float y0, float x1, float y1) {
    return Shape{x0, y0, x1, y1, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }};
}

Shape RoundBox(float x0, float y0, float x1, float y1, float radius) {
    const float r = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    return Shape{x0, y0, x1, y1, [=](float x, float y) {
                     if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
                     const float cx = std::clamp(x, x0 + r, x1 - r);
                     const float cy = std::clamp(y, y0 + r, y1 - r);
                     return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
                 }};
}

Shape Circle(float cx, float cy, float r) { return Ellipse(cx, cy, r, r); }

Shape Ellipse(float cx, float cy, float rx, float ry, float degrees) {
    const float c = std::cos(degrees * PI / 180);
    const float s = std::sin(degrees * PI / 180);
    const float reach = std::max(rx, ry);
    return Shape{cx - reach, cy - reach, cx + reach, cy + reach, [=](float x, float y) {
                     const float u = ((x - cx) * c + (y - cy) * s) / rx;
                     const float v = (-(x - cx) * s + (y - cy) * c) / ry;
                     return u * u + v * v <= 1;
                 }};
}

Shape Ring(float cx, float cy, float outer, float inner) {
    return Minus(Circle(cx, cy, outer), Circle(cx, cy, inner));
}

Shape Poly(std::vector<Pt> pts) {
    Shape s{1e9f, 1e9f, -1e9f, -1e9f, nullptr};
    for (const Pt& p : pts) {
        s.x0 = std::min(s.x0, p.x);
        s.y0 = std::min(s.y0, p.y);
        s.x1 = std::max(s.x1, p.x);
        s.y1 = std::max(s.y1, p.y);
    }
    s.inside = [pts = std::move(pts)](float x, float y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt& a = pts[i];
            const Pt& b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    };
    return s;
}

Shape Segment(Pt a, Pt b, float width) { return Polyline({a, b}, width); }

Shape Polyline(std::vector<Pt> pts, float width) {
    const float r = width / 2;
    Shape s{1e9f, 1e9f, -1e9f, -1e9f, nullptr};
    for (const Pt& p : pts) {
        s.x0 = std::min(s.x0, p.x - r);
        s.y0 = std::min(s.y0, p.y - r);
        s.x1 = std::max(s.x1, p.x + r);
        s.y1 = std::max(s.y1, p.y + r);
    }
    s.inside = [pts = std::move(pts), r](float x, float y) {
        for (size_t i = 0; i + 1 < pts.size(); i++) {
            if (DistanceToSegment(x, y, pts[i], pts[i + 1]) <= r) return true;
        }
        return pts.size() == 1 && DistanceToSegment(x, y, pts[0], pts[0]) <= r;
    };
    return s;
}

Shape Union(Shape a, Shape b) {
    return Shape{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1),
                 [a = std::move(a.inside), b = std::move(b.inside)](float x, float y) { return a(x, y) || b(x, y); }};
}

Shape Minus(Shape a, Shape b) {
    return Shape{a.x0, a.y0, a.x1, a.y1,
                 [a = std::move(a.inside), b = std::move(b.inside)](float x, float y) { return a(x, y) && !b(x, y); }};
}

Shape Intersect(Shape a, Shape b) {
    return Shape{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1),
                 [a = std::move(a.inside), b = std::move(b.inside)](float x, float y) { return a(x, y) && b(x, y); }};
}

Shape Blob(float cx, float cy, float r, float wobble, uint32_t seed, float lobes) {
    const float reach = r + wobble;
    return Shape{cx - reach, cy - reach, cx + reach, cy + reach, [=](float x, float y) {
                     const float dx = x - cx;
                     const float dy = y - cy;
                     // Noise along a circle of angles, so the outline closes on itself.
                     const float angle = std::atan2(dy, dx);
                     const float n = Noise(std::cos(angle) * lobes + 50, std::sin(angle) * lobes + 50, 1.0f, seed);
                     const float edge = r + wobble * (2 * n - 1);
                     return dx * dx + dy * dy <= edge * edge;
                 }};
}

Sketch::Sketch(int w, int h, int subsamples)
    : w_(w), h_(h), ss_(subsamples), col_(size_t(w) * h * subsamples * subsamples), on_(col_.size(), 0) {}

template <typename Visit>
void Sketch::Each(const Shape& s, Visit visit) {
    const int W = w_ * ss_;
    const int H = h_ * ss_;
    const int i0 = std::max(0, int(std::floor(s.x0 * ss_)) - 1);
    const int j0 = std::max(0, int(std::floor(s.y0 * ss_)) - 1);
    const int i1 = std::min(W - 1, int(std::ceil(s.x1 * ss_)) + 1);
    const int j1 = std::min(H - 1, int(std::ceil(s.y1 * ss_)) + 1);
    const float step = 1.0f / float(ss_);
    for (int j = j0; j <= j1; j++) {
        const float y = (float(j) + 0.5f) * step;
        for (int i = i0; i <= i1; i++) {
            const float x = (float(i) + 0.5f) * step;
            if (s.inside(x, y)) visit(size_t(j) * W + i, x, y);
        }
    }
}

void Sketch::Fill(const Shape& s, const Shader& paint) {
    Each(s, [&](size_t k, float x, float y) {
        const Paint p = paint(x, y);
        col_[k] = on_[k] ? Mix(col_[k], p.c, p.a) : p.c;
        on_[k] = 1;
    });
}

void Sketch::Shade(const Shape& s, const Shader& paint) {
    Each(s, [&](size_t k, float x, float y) {
        if (!on_[k]) return;
        const Paint p = paint(x, y);
        col_[k] = Mix(col_[k], p.c, p.a);
    });
}

void Sketch::Erase(const Shape& s) {
    Each(s, [&](size_t k, float, float) { on_[k] = 0; });
}

Picture Sketch::Resolve() const {
    Picture out{w_, h_, std::vector<uint32_t>(size_t(w_) * h_, KEY)};
    const int W = w_ * ss_;
    const int need = (ss_ * ss_ + 1) / 2;
    for (int y = 0; y < h_; y++) {
        for (int x = 0; x < w_; x++) {
            Rgb sum;
            int n = 0;
            for (int j = 0; j < ss_; j++) {
                for (int i = 0; i < ss_; i++) {
                    const size_t k = size_t(y * ss_ + j) * W + size_t(x * ss_ + i);
                    if (!on_[k]) continue;
                    sum = Rgb{sum.r + col_[k].r, sum.g + col_[k].g, sum.b + col_[k].b};
                    n++;
                }
            }
            if (n < need) continue;
            const uint32_t p = Pack(Scale(sum, 1.0f / float(n)));
            if (p == KEY) {
                std::fprintf(stderr, "tolvenar-art: an opaque pixel at (%d, %d) is the key colour\n", x, y);
                std::exit(1);
            }
            out.at(x, y) = p;
        }
    }
    return out;
}

Picture Sketch::ResolveOpaque() const {
    Picture out{w_, h_, std::vector<uint32_t>(size_t(w_) * h_, 0)};
    const int W = w_ * ss_;
    const float inv = 1.0f / float(ss_ * ss_);
    for (int y = 0; y < h_; y++) {
        for (int x = 0; x < w_; x++) {
            Rgb sum;
            for (int j = 0; j < ss_; j++) {
                for (int i = 0; i < ss_; i++) {
                    const Rgb& c = col_[size_t(y * ss_ + j) * W + size_t(x * ss_ + i)];
                    sum = Rgb{sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            out.at(x, y) = Pack(Scale(sum, inv));
        }
    }
    return out;
}

void Outline(Picture& p, Rgb ink, float strength, bool boxEdges) {
    const Picture src = p;
    auto key = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= src.w || y >= src.h) return boxEdges;
        return src.at(x, y) == KEY;
    };
    for (int y = 0; y < p.h; y++) {
        for (int x = 0; x < p.w; x++) {
            if (src.at(x, y) == KEY) continue;
            if (key(x - 1, y) || key(x + 1, y) || key(x, y - 1) || key(x, y + 1)) {
                p.at(x, y) = Pack(Mix(Unpack(src.at(x, y)), ink, strength));
            }
        }
    }
}

Picture Mirror(const Picture& p) {
    Picture out = p;
    for (int y = 0; y < p.h; y++) {
        for (int x = 0; x < p.w; x++) out.at(x, y) = p.at(p.w - 1 - x, y);
    }
    return out;
}

}  // namespace art
