// Cost of one whole frame: the busiest field the pools allow, and a typical one.
#include <benchmark/benchmark.h>

#include <cstring>

#include "game.h"
#include "headless.h"

namespace {

Enemy savedEnemies[POOL_SIZE];
Shell savedShells[POOL_SIZE];
Effect savedEffects[POOL_SIZE];

void Start(int vehicles, int balls, int explosions) {
    HeadlessConfig config;
    config.haveSeed = true;
    config.seed = 1;
    config.dataDir = "/tmp/tolvenar-bench";
    HeadlessInit(config);
    GameCreate();
    OnKeyDown(VK_RETURN);
    game.life = 1000000;
    // Spread over the field, some clipped at the edges; nothing lands or
    // escapes within a tick, so every frame does the same work.
    for (int i = 0; i < vehicles; i++) {
        enemies[i] = Enemy{-10 + (i * 37) % 935, 269, i % 10, 1, i % 2 == 0, true};
        if (enemies[i].x < 0) enemies[i].fromLeft = true;
    }
    for (int i = 0; i < balls; i++) {
        const int x = -20 + (i * 53) % 990;
        shells[i] = Shell{x, 276, x, 40 + (i * 7) % 250, 100, 45, i % 4, 0.0, true, true};
    }
    for (int i = 0; i < explosions; i++) {
        effects[i] = Effect{-30 + (i * 41) % 1000, 250 + (i % 60), i % 10, i % 2, true};
    }
    std::memcpy(savedEnemies, enemies, sizeof enemies);
    std::memcpy(savedShells, shells, sizeof shells);
    std::memcpy(savedEffects, effects, sizeof effects);
}

void Frame(benchmark::State& state) {
    for (auto _ : state) {
        // Put the field back as it was; a copy of 600 small records.
        std::memcpy(enemies, savedEnemies, sizeof enemies);
        std::memcpy(shells, savedShells, sizeof shells);
        std::memcpy(effects, savedEffects, sizeof effects);
        FrameTick();
        benchmark::ClobberMemory();
    }
}

void FullPools(benchmark::State& state) {
    Start(POOL_SIZE, POOL_SIZE, POOL_SIZE);
    Frame(state);
}

void TypicalField(benchmark::State& state) {
    Start(4, 3, 2);
    Frame(state);
}

BENCHMARK(FullPools)->Unit(benchmark::kMicrosecond);
BENCHMARK(TypicalField)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
