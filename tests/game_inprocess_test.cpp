// The game run in-process on the headless backend: long randomized play that
// must keep every invariant, and ticks that must not touch the heap.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <random>

#include "game.h"
#include "headless.h"
#include "headless_run.h"

// ---- counting heap allocations ---------------------------------------------

static bool counting = false;
static long allocations = 0;

#if !defined(__SANITIZE_ADDRESS__)
// Below operator new too: C code (fonts, stdio) allocates with malloc.
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void* malloc(size_t n) {
    // Run under gdb with TOLVENAR_TRAP_ON_ALLOC=1 to see who allocated.
    if (counting && std::getenv("TOLVENAR_TRAP_ON_ALLOC") != nullptr) __builtin_trap();
    if (counting) allocations++;
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t n, size_t m) {
    if (counting) allocations++;
    return __libc_calloc(n, m);
}
extern "C" void* realloc(void* p, size_t n) {
    if (counting) allocations++;
    return __libc_realloc(p, n);
}
#endif

// The replacements below pair operator new with malloc and delete with free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t n) {
    if (counting) allocations++;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

class InProcess : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessConfig config;
        config.haveSeed = true;
        config.seed = 777;
        config.dataDir = data.path;
        HeadlessInit(config);
        GameCreate();
    }
    void Tick(int n = 1) {
        for (int i = 0; i < n; i++) HeadlessTick();
    }
    TempDir data;
};

int CountActive(const Enemy* pool) {
    int n = 0;
    for (int i = 0; i < POOL_SIZE; i++) n += pool[i].active;
    return n;
}

// Every rule that must hold after any tick, whatever the player did.
void CheckInvariants(int64_t tick) {
    ASSERT_GE(game.cannonX, CANNON_MIN_X) << tick;
    ASSERT_LE(game.cannonX, CANNON_MAX_X) << tick;
    ASSERT_EQ(game.cannonY, CANNON_Y) << tick;
    ASSERT_EQ(game.angle, std::floor(game.angle)) << tick;
    ASSERT_GE(game.angle, 0.0) << tick;
    ASSERT_LE(game.angle, 90.0) << tick;
    ASSERT_NE(game.facingLeft, game.facingRight) << tick;
    ASSERT_GE(game.life, 0) << tick;
    ASSERT_LE(game.life, START_LIFE) << tick;
    ASSERT_GE(game.score, 0) << tick;
    ASSERT_LE(game.score, game.highScore) << tick;
    ASSERT_GE(game.stage, 1) << tick;
    ASSERT_GE(game.spawnInterval, 200) << tick;
    ASSERT_LE(game.spawnInterval, 5000) << tick;
    ASSERT_FALSE(game.running && game.gameOverShown) << tick;
    if (game.gameOverShown) {
        ASSERT_EQ(CountActive(enemies), 0) << tick;
    }
    for (int i = 0; i < POOL_SIZE; i++) {
        const Enemy& e = enemies[i];
        if (e.active) {
            ASSERT_TRUE(e.type >= 0 && e.type <= 9) << tick;
            ASSERT_TRUE(e.speed == 1 || e.speed == 2) << tick;
            ASSERT_TRUE(e.x >= 0 && e.x <= 930) << tick << " x=" << e.x;
        }
        const Shell& s = shells[i];
        if (s.active) {
            ASSERT_TRUE(s.frame >= 0 && s.frame <= 3) << tick;
            ASSERT_TRUE(s.angle >= 0 && s.angle <= 90) << tick;
            ASSERT_EQ(s.power, 100) << tick;
        }
        const Effect& f = effects[i];
        if (f.active) {
            ASSERT_TRUE(f.kind == EFFECT_DESTROYED || f.kind == EFFECT_IMPACT) << tick;
            ASSERT_LT(f.frame, f.kind == EFFECT_DESTROYED ? 15 : 10) << tick;
        }
    }
}

TEST_F(InProcess, LongRandomPlayKeepsEveryInvariant) {
    std::mt19937 random(20261211);
    const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_RETURN, 65, 27};
    const int ticks = 300000;
    int games = 0;
    int hits = 0;
    int gameOvers = 0;
    bool wasOver = false;
    for (int64_t t = 0; t < ticks; t++) {
        // A few key events between most ticks, as a restless player makes them.
        const int events = static_cast<int>(random() % 4);
        for (int k = 0; k < events; k++) {
            const int key = keys[random() % 8];
            const bool wasRunning = game.running;
            if (random() % 2) {
                OnKeyDown(key);
            } else {
                OnKeyUp(key);
            }
            games += !wasRunning && game.running;
        }
        const int32_t scoreBefore = game.score;
        Tick();
        hits += game.score > scoreBefore;
        gameOvers += game.gameOverShown && !wasOver;
        wasOver = game.gameOverShown;
        CheckInvariants(t);
        if (HasFatalFailure()) return;
    }
    // The run really went through the game's states.
    EXPECT_GT(games, 3);
    EXPECT_GT(gameOvers, 2);
    EXPECT_GT(hits, 50);
    EXPECT_GT(game.highScore, 0);
}

TEST_F(InProcess, PlayTicksDoNotTouchTheHeap) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator cannot be counted here";
#endif
    // A busy field: a game with vehicles, balls in flight, hits and explosions.
    OnKeyDown(VK_RETURN);
    OnKeyUp(VK_RETURN);
    for (int i = 0; i < POOL_SIZE; i++) {
        enemies[i] = Enemy{40 + (i * 4) % 860, 270, i % 10, 1 + i % 2, i % 2 == 0, true};
    }
    game.life = 1000;
    Tick(5);
    HeadlessTakeEvents();
    allocations = 0;
    counting = true;
    for (int t = 0; t < 400; t++) {
        if (t % 3 == 0) {
            OnKeyDown(VK_SPACE);
            OnKeyUp(VK_SPACE);
        }
        if (t == 100) OnKeyDown(VK_UP);
        if (t == 160) OnKeyUp(VK_UP);
        Tick();
    }
    counting = false;
    EXPECT_EQ(allocations, 0);
    // The window really covered hits, escapes and explosions.
    EXPECT_GT(game.score, 0);
    EXPECT_LT(game.life, 1000);
}


}  // namespace
