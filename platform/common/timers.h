// The timer table every backend drives from its clock (real or virtual).
// Time advances in base periods of exactly 1/64 s. A timer whose period is
// shorter than that fires once per base period; a longer one fires in the
// first base period that reaches its due time; a timer due several times
// within one step fires once (no bursts after a stall); timers due in the
// same step fire in ascending id order.
#pragma once

#include <cstdint>

constexpr int64_t BASE_PERIOD_US = 15625;
constexpr int MAX_TIMERS = 8;
constexpr uint32_t MAX_TIMER_PERIOD_MS = 0x7FFFFFFF;

void TimersReset();
// The clock as the backend sees it now; timers armed from here on count from it.
void TimersSetNow(int64_t nowUs);
int64_t TimersNow();

// Returns the period actually used (clamped). Ids outside the table are ignored.
uint32_t TimersArm(int id, uint32_t periodMs);
void TimersStop(int id);
bool TimersArmed(int id, uint32_t* periodMs);

// One step of the clock, ending at nowUs: every timer due by then fires once,
// in ascending id. The callback may arm and stop timers, and may even step
// the table again from inside (a modal box keeps timers running).
void TimersStep(int64_t nowUs, void (*fire)(int id));

// The earliest due time of any armed timer, or INT64_MAX when none is armed.
int64_t TimersNextDue();
