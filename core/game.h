// The game's state: one GameState and three fixed pools, in static storage for
// the whole run, plus the constants and the operations that work on them.
#pragma once

#include <cstdint>

struct Canvas;
struct Sprite;

// ---- world -----------------------------------------------------------------

constexpr int SCREEN_WIDTH = 953;
constexpr int SCREEN_HEIGHT = 390;
constexpr int GROUND_Y = 300;
constexpr int CANNON_MIN_X = 0;
constexpr int CANNON_MAX_X = 920;
constexpr int CANNON_START_X = 420;
constexpr int CANNON_Y = 269;
constexpr int CANNON_STEP = 3;
constexpr double ANGLE_START = 30.0;
constexpr double ANGLE_MIN = 0.0;
constexpr double ANGLE_MAX = 90.0;
constexpr int ENEMY_LEFT_X = 0;
constexpr int ENEMY_RIGHT_X = 920;
constexpr int ENEMY_BASE_Y = 269;
constexpr int ENEMY_EXIT_RIGHT = 930;
constexpr int START_LIFE = 20;
constexpr int START_SPAWN_INTERVAL = 5000;
constexpr int SPAWN_STEP = 300;         // per stage
constexpr int SPAWN_FLOOR = 200;        // the stage-17 period; later stages keep it
constexpr int SHELL_POWER = 100;
constexpr double PI = 3.141592653589793;

constexpr int POOL_SIZE = 200;

// ---- timers ----------------------------------------------------------------

constexpr int TIMER_TICK = 0;
constexpr int TIMER_MOVE_LEFT = 1;
constexpr int TIMER_MOVE_RIGHT = 2;
constexpr int TIMER_ANGLE_UP = 3;
constexpr int TIMER_ANGLE_DOWN = 4;
constexpr int TIMER_SPAWN = 5;
constexpr int TIMER_COUNT = 6;
constexpr uint32_t FAST_TIMER_PERIOD = 1;

// ---- keys (virtual-key codes) ------------------------------------------------

constexpr int VK_RETURN = 13;
constexpr int VK_SPACE = 32;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;

// ---- pictures and sounds -----------------------------------------------------

constexpr int SPRITE_SLOTS = 36;
constexpr int FIRST_SPRITE_RESOURCE = 101;
constexpr int SPR_CANNON_LEFT = 0;
constexpr int SPR_CANNON_RIGHT = 1;
constexpr int SPR_GROUND = 2;
constexpr int SPR_BACKGROUND = 3;
constexpr int SPR_BALL = 4;          // 4 to 7
constexpr int SPR_FIREBALL = 8;      // 8 to 10
constexpr int SPR_BURST = 11;        // 11, 12
constexpr int SPR_VEHICLE_LEFT = 13;   // 13 + type
constexpr int SPR_VEHICLE_RIGHT = 24;  // 24 + type
constexpr int SOUND_FIRE = 137;
constexpr int SOUND_LAND = 138;

// ---- effects -----------------------------------------------------------------

constexpr int EFFECT_DESTROYED = 0;
constexpr int EFFECT_IMPACT = 1;
constexpr int EFFECT_TICKS_PER_SPRITE = 5;
constexpr int EFFECT_DESTROYED_TICKS = 15;
constexpr int EFFECT_IMPACT_TICKS = 10;

// ---- records -----------------------------------------------------------------

struct GameState {
    int32_t cannonX;
    int32_t cannonY;
    double angle;
    bool facingLeft;
    bool facingRight;
    bool holdLeft;
    bool holdRight;
    bool holdUp;
    bool holdDown;
    bool running;
    bool gameOverShown;
    int32_t score;
    int32_t highScore;
    int32_t life;
    int32_t stage;
    int32_t spawnInterval;
    double barrelTipX;
    double barrelTipY;
};

struct Enemy {
    int32_t x;
    int32_t y;
    int32_t type;
    int32_t speed;
    bool fromLeft;
    bool active;
};

struct Shell {
    int32_t x0;
    int32_t y0;
    int32_t x;
    int32_t y;
    int32_t power;
    int32_t angle;
    int32_t frame;
    double t;
    bool toRight;
    bool active;
};

struct Effect {
    int32_t x;
    int32_t y;
    int32_t frame;
    int32_t kind;
    bool active;
};

extern GameState game;
extern Enemy enemies[POOL_SIZE];
extern Shell shells[POOL_SIZE];
extern Effect effects[POOL_SIZE];
extern const Sprite* sprites[SPRITE_SLOTS];

// The sprite of a slot, or nullptr for a slot outside the table or not loaded.
const Sprite* SpriteAt(int slot);

// ---- texts (UTF-8) -------------------------------------------------------------

extern const char* const TEXT_START_PROMPT;
extern const char* const TEXT_RESTART_PROMPT;
extern const char* const TEXT_DEFEAT;
extern const char* const TEXT_NOTICE_CAPTION;

// ---- operations ------------------------------------------------------------------

// Program lifetime: window creation, one timer expiry, window destruction.
void GameCreate();
void GameTimer(int timerId);
void GameDestroy();

// Puts every value back to program start (for the start of a run and for tests).
void ResetGame();

void StartGame();
void OnKeyDown(int virtualKey);
void OnKeyUp(int virtualKey);
void OnHoldTimer(int timerId);
void FireShell();

void FrameTick();
void EffectPass(Canvas* canvas);
void AddEffect(int x, int y, int kind);
void EnemyPass(Canvas* canvas);
void GameOver(Canvas* canvas);
void ShellPass(Canvas* canvas);
void SpawnEnemy();
void UpdateStage();
// The spawn period of a stage index a (stage a + 1), never below the floor.
int32_t SpawnPeriodForBand(int32_t band);

// The game's own random generator: a 15-bit linear congruential generator.
void SeedRandom(uint32_t seed);
int32_t NextRandom();
uint32_t RandomState();
