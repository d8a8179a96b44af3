// The worst frame the game can draw: background, ground and 600 keyed sprites
// (200 vehicles, 200 balls, 200 fireballs, some across the edges), composed
// three ways: our run blitter, SDL2's RLE colour-key blit of 32-bit surfaces,
// and a plain memcpy of the finished frame (the memory floor).
//
//   blit_bench                 Google Benchmark timings (after the pixel check)
//   blit_bench --check         only the check that all three give the same pixels
//   blit_bench --count=WAY [--frames=N]
//                              composes N frames one way (ours, sdl, memcpy) with
//                              callgrind collecting only around them:
//       GLIBC_TUNABLES=glibc.cpu.x86_rep_movsb_threshold=0x1000000000
//       valgrind --tool=callgrind --collect-atstart=no blit_bench --count=ours
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "canvas.h"
#include "platform.h"
#include "resources.h"

namespace {

constexpr int GROUND_Y = 300;

struct Placed {
    int slot;
    int x;
    int y;
};

struct Scene {
    Sprite sprites[SPRITE_COUNT];
    bool embedded = false;
    std::vector<Placed> objects;
    int clipped = 0;
};

// Sizes of the slots the frame uses: cannon, ground, background, balls,
// fireballs, bursts and the vehicles facing left and right.
struct Size {
    int w, h;
};
const Size kVehicleSizes[10] = {{36, 30}, {35, 31}, {33, 24}, {34, 25}, {31, 29},
                                {35, 26}, {33, 33}, {35, 31}, {35, 21}, {32, 31}};

Size SlotSize(int slot) {
    if (slot == 2) return {CANVAS_WIDTH, 90};
    if (slot == 3) return {CANVAS_WIDTH, 300};
    if (slot >= 4 && slot <= 7) return {39, 39};
    if (slot >= 8 && slot <= 10) return {88, 100};
    if (slot == 11 || slot == 12) return {61, 58};
    if (slot >= 13 && slot <= 22) return kVehicleSizes[slot - 13];
    if (slot >= 24 && slot <= 33) return kVehicleSizes[slot - 24];
    return {34, 31};
}

uint32_t Mix(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    return (v ^ v >> 16) & 0xFFFFFF;
}

// Stand-ins when the art is not built in: opaque noise for the scene, and
// red-keyed shapes for the objects (a disc for balls and fireballs, a hull on
// the bottom rows for vehicles).
void Synthesise(int slot, Sprite& sprite) {
    const Size s = SlotSize(slot);
    std::vector<uint32_t> px(static_cast<size_t>(s.w) * s.h);
    for (int y = 0; y < s.h; y++) {
        for (int x = 0; x < s.w; x++) {
            uint32_t colour = Mix(static_cast<uint32_t>(slot * 1000003 + y * s.w + x));
            if (colour == KEY_COLOUR) colour = 0xFE0000;
            bool shown = true;
            if (slot >= 4) {
                const bool disc = slot <= 12;
                const int cx = 2 * x + 1 - s.w;
                const int cy = 2 * y + 1 - s.h;
                const int r = disc ? (slot <= 7 ? 19 : s.w - 4) : 0;
                shown = disc ? cx * cx + cy * cy <= r * r
                             : y >= s.h / 3 && (y >= s.h - 8 || (x + y) % 7 != 0) && x >= (s.h - y) / 3;
            }
            px[static_cast<size_t>(y) * s.w + x] = shown ? colour : KEY_COLOUR;
        }
    }
    MakeSprite(sprite, s.w, s.h, px.data());
}

void LoadSprites(Scene& scene) {
    scene.embedded = true;
    for (int slot = 0; slot < SPRITE_COUNT; slot++) {
        ResourceData res;
        if (!FindResource(FIRST_BITMAP_ID + slot, res) || !DecodeBmp24(res.data, res.size, scene.sprites[slot])) {
            scene.embedded = false;
            break;
        }
    }
    if (!scene.embedded) {
        for (int slot = 0; slot < SPRITE_COUNT; slot++) Synthesise(slot, scene.sprites[slot]);
    }
}

// 200 of each kind, placed by a fixed sequence; every tenth one straddles
// one of the four edges.
void PlaceObjects(Scene& scene) {
    uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(n));
    };
    for (int i = 0; i < 600; i++) {
        const int kind = i % 3;
        int slot;
        int x;
        int y;
        if (kind == 0) {
            const int type = next(10);
            slot = next(2) ? 13 + type : 24 + type;
            x = next(CANVAS_WIDTH + 40) - 20;
            y = GROUND_Y - scene.sprites[slot].height;
        } else if (kind == 1) {
            slot = 4 + next(4);
            x = next(CANVAS_WIDTH) - 14;
            y = next(GROUND_Y) - 20;
        } else {
            slot = 8 + next(3);
            x = next(CANVAS_WIDTH - 44) - 22;
            y = GROUND_Y - 100 + 30;  // a fireball's foot at the burst point
        }
        const Sprite& s = scene.sprites[slot];
        if (i % 10 == 9) {
            switch (next(4)) {
            case 0: x = -s.width / 2; break;
            case 1: x = CANVAS_WIDTH - s.width / 2; break;
            case 2: y = -s.height / 2; break;
            default: y = CANVAS_HEIGHT - s.height / 2; break;
            }
        }
        if (x < 0 || y < 0 || x + s.width > CANVAS_WIDTH || y + s.height > CANVAS_HEIGHT) scene.clipped++;
        scene.objects.push_back(Placed{slot, x, y});
    }
}

Scene& TheScene() {
    static Scene scene;
    static bool made = false;
    if (!made) {
        LoadSprites(scene);
        PlaceObjects(scene);
        made = true;
    }
    return scene;
}

// 1. Our blitter.
struct Ours {
    OwnedCanvas target;
    explicit Ours() { MakeCanvas(target, CANVAS_WIDTH, CANVAS_HEIGHT); }
    void Compose(const Scene& scene) {
        Canvas* c = &target.canvas;
        BlitOpaque(c, &scene.sprites[3], 0);
        BlitOpaque(c, &scene.sprites[2], GROUND_Y);
        for (const Placed& p : scene.objects) DrawSprite(c, p.x, p.y, &scene.sprites[p.slot]);
    }
    uint32_t Pixel(int x, int y) const { return target.storage[static_cast<size_t>(y) * CANVAS_WIDTH + x]; }
};

// 2. SDL2: 32-bit surfaces, the key set with RLE acceleration.
struct Sdl {
    SDL_Surface* target = nullptr;
    SDL_Surface* surfaces[SPRITE_COUNT] = {};
    explicit Sdl(const Scene& scene) {
        target = SDL_CreateRGBSurfaceWithFormat(0, CANVAS_WIDTH, CANVAS_HEIGHT, 32, SDL_PIXELFORMAT_XRGB8888);
        if (target == nullptr) Fail(SDL_GetError());
        for (int slot = 0; slot < SPRITE_COUNT; slot++) {
            const Sprite& s = scene.sprites[slot];
            SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, s.width, s.height, 32, SDL_PIXELFORMAT_XRGB8888);
            if (surface == nullptr) Fail(SDL_GetError());
            for (int y = 0; y < s.height; y++) {
                std::memcpy(static_cast<char*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                            s.pixels.data() + static_cast<size_t>(y) * s.width, static_cast<size_t>(s.width) * 4);
            }
            if (slot != 2 && slot != 3) {
                SDL_SetColorKey(surface, SDL_TRUE, SDL_MapRGB(surface->format, 255, 0, 0));
                SDL_SetSurfaceRLE(surface, 1);
            }
            surfaces[slot] = surface;
        }
        Compose(scene);  // the RLE encoding happens on each surface's first blit
    }
    ~Sdl() {
        for (SDL_Surface* s : surfaces) SDL_FreeSurface(s);
        SDL_FreeSurface(target);
    }
    Sdl(const Sdl&) = delete;
    Sdl& operator=(const Sdl&) = delete;
    [[noreturn]] static void Fail(const char* why) {
        std::fprintf(stderr, "blit_bench: SDL: %s\n", why);
        std::exit(1);
    }
    void Blit(int slot, int x, int y) {
        SDL_Rect at{x, y, 0, 0};
        SDL_BlitSurface(surfaces[slot], nullptr, target, &at);
    }
    void Compose(const Scene& scene) {
        Blit(3, 0, 0);
        Blit(2, 0, GROUND_Y);
        for (const Placed& p : scene.objects) Blit(p.slot, p.x, p.y);
    }
    uint32_t Pixel(int x, int y) const {
        return static_cast<const uint32_t*>(target->pixels)[static_cast<size_t>(y) * (target->pitch / 4) + x];
    }
};

// 3. The floor: the finished frame's bytes copied once.
struct Floor {
    std::vector<uint32_t> finished;
    OwnedCanvas target;
    explicit Floor(const Ours& ours) : finished(ours.target.storage) { MakeCanvas(target, CANVAS_WIDTH, CANVAS_HEIGHT); }
    void Compose(const Scene&) { std::memcpy(target.storage.data(), finished.data(), finished.size() * sizeof(uint32_t)); }
    uint32_t Pixel(int x, int y) const { return target.storage[static_cast<size_t>(y) * CANVAS_WIDTH + x]; }
};

template <typename A, typename B>
long Differences(const A& a, const B& b, const char* name) {
    long diff = 0;
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        for (int x = 0; x < CANVAS_WIDTH; x++) {
            const uint32_t pa = a.Pixel(x, y) & 0xFFFFFF;
            const uint32_t pb = b.Pixel(x, y) & 0xFFFFFF;
            if (pa == pb) continue;
            if (diff == 0) std::fprintf(stderr, "blit_bench: %s differs first at (%d, %d): %06X, ours %06X\n", name, x, y, pb, pa);
            diff++;
        }
    }
    return diff;
}

// All three compositions must give the same frame; anything else is a bug in
// one of the blitters and makes the timings meaningless.
bool CheckPixels() {
    const Scene& scene = TheScene();
    Ours ours;
    ours.Compose(scene);
    Sdl sdl(scene);
    for (uint32_t& p : ours.target.storage) p ^= 0x5A5A5A;  // compose again over a spoiled frame
    ours.Compose(scene);
    sdl.Compose(scene);
    Floor floor(ours);
    floor.Compose(scene);
    const long sdlDiff = Differences(ours, sdl, "SDL's frame");
    const long floorDiff = Differences(ours, floor, "the copied frame");
    size_t runs = 0;
    size_t rows = 0;
    for (const Placed& p : scene.objects) {
        runs += scene.sprites[p.slot].runs.size();
        rows += static_cast<size_t>(scene.sprites[p.slot].height);
    }
    std::printf("blit_bench: %s sprites, %zu objects (%zu rows, %zu opaque runs), %d across an edge; "
                "SDL differs in %ld pixels, the copy in %ld\n",
                scene.embedded ? "embedded" : "stand-in", scene.objects.size(), rows, runs, scene.clipped, sdlDiff, floorDiff);
    if (sdlDiff != 0 || floorDiff != 0 || scene.objects.size() != 600 || scene.clipped == 0) {
        std::fprintf(stderr, "blit_bench: FAILED: the three compositions do not give the same frame\n");
        return false;
    }
    return true;
}

void BM_OurBlitter(benchmark::State& state) {
    const Scene& scene = TheScene();
    Ours ours;
    for (auto _ : state) {
        ours.Compose(scene);
        benchmark::DoNotOptimize(ours.target.storage.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OurBlitter);

void BM_SdlRleColourKey(benchmark::State& state) {
    const Scene& scene = TheScene();
    Sdl sdl(scene);
    for (auto _ : state) {
        sdl.Compose(scene);
        benchmark::DoNotOptimize(sdl.target->pixels);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SdlRleColourKey);

void BM_MemcpyFloor(benchmark::State& state) {
    const Scene& scene = TheScene();
    Ours ours;
    ours.Compose(scene);
    Floor floor(ours);
    for (auto _ : state) {
        floor.Compose(scene);
        benchmark::DoNotOptimize(floor.target.storage.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyFloor);

// Composes `frames` frames one way, with callgrind collecting only meanwhile.
template <typename Way>
void Count(Way& way, const Scene& scene, int frames) {
    way.Compose(scene);  // warm: SDL's RLE encoding, first touch of the pages
    CALLGRIND_TOGGLE_COLLECT;
    for (int i = 0; i < frames; i++) way.Compose(scene);
    CALLGRIND_TOGGLE_COLLECT;
}

int CountMode(const std::string& way, int frames) {
    const Scene& scene = TheScene();
    Ours ours;
    if (way == "ours") {
        Count(ours, scene, frames);
    } else if (way == "sdl") {
        Sdl sdl(scene);
        Count(sdl, scene, frames);
    } else if (way == "memcpy") {
        ours.Compose(scene);
        Floor floor(ours);
        Count(floor, scene, frames);
    } else {
        std::fprintf(stderr, "blit_bench: --count needs ours, sdl or memcpy, not '%s'\n", way.c_str());
        return 2;
    }
    std::printf("blit_bench: composed %d frames (%s)\n", frames, way.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string count;
    int frames = 100;
    std::vector<char*> rest{argv[0]};
    bool checkOnly = false;
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (arg == "--check") {
            checkOnly = true;
        } else if (arg.rfind("--count=", 0) == 0) {
            count = arg.substr(8);
        } else if (arg.rfind("--frames=", 0) == 0) {
            frames = std::atoi(arg.c_str() + 9);
            if (frames <= 0) {
                std::fprintf(stderr, "blit_bench: --frames needs a positive number\n");
                return 2;
            }
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (!count.empty()) return CountMode(count, frames);
    if (!CheckPixels()) return 1;
    if (checkOnly) return 0;
    int n = static_cast<int>(rest.size());
    benchmark::Initialize(&n, rest.data());
    if (benchmark::ReportUnrecognizedArguments(n, rest.data())) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
