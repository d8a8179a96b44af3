// The headless backend: the game on a virtual clock, with no window and no
// sound device. What would be seen or heard is recorded as events instead.
#pragma once

#include <cstdint>
#include <string>

struct HeadlessConfig {
    bool haveSeed = false;
    uint32_t seed = 0;
    std::string dataDir;  // empty: the user's data folder
};

// Sets the backend up; call before GameCreate().
void HeadlessInit(const HeadlessConfig& config);

// Base periods stepped since start, and one more step of the virtual clock.
int64_t HeadlessTicks();
void HeadlessTick();

// The events recorded since the last call, as a JSON array; clears them.
std::string HeadlessTakeEvents();

// The notice box: open while the game waits in ShowNotice(). The driver
// supplies the loop that runs meanwhile; it returns once the box is closed.
bool HeadlessNoticeOpen();
void HeadlessCloseNotice();
void HeadlessSetNoticeLoop(void (*loop)());

// Repaints requested so far.
int64_t HeadlessRepaints();
