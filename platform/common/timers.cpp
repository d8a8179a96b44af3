#include "timers.h"

namespace {

struct TimerSlot {
    bool armed;
    uint32_t periodMs;
    int64_t dueUs;
};

TimerSlot slots[MAX_TIMERS];
int64_t clockUs = 0;

int64_t PeriodUs(uint32_t periodMs) {
    const int64_t us = int64_t{periodMs} * 1000;
    return us < 1 ? 1 : us;
}

}  // namespace

void TimersReset() {
    for (TimerSlot& s : slots) s = TimerSlot{};
    clockUs = 0;
}

void TimersSetNow(int64_t nowUs) {
    clockUs = nowUs;
}

int64_t TimersNow() {
    return clockUs;
}

uint32_t TimersArm(int id, uint32_t periodMs) {
    if (periodMs > MAX_TIMER_PERIOD_MS) periodMs = MAX_TIMER_PERIOD_MS;
    if (id < 0 || id >= MAX_TIMERS) return periodMs;
    TimerSlot& s = slots[id];
    s.armed = true;
    s.periodMs = periodMs;
    s.dueUs = clockUs + PeriodUs(periodMs);
    return periodMs;
}

void TimersStop(int id) {
    if (id < 0 || id >= MAX_TIMERS) return;
    slots[id].armed = false;
}

bool TimersArmed(int id, uint32_t* periodMs) {
    if (id < 0 || id >= MAX_TIMERS || !slots[id].armed) return false;
    if (periodMs != nullptr) *periodMs = slots[id].periodMs;
    return true;
}

void TimersStep(int64_t nowUs, void (*fire)(int id)) {
    clockUs = nowUs;
    for (int id = 0; id < MAX_TIMERS; id++) {
        TimerSlot& s = slots[id];
        if (!s.armed || s.dueUs > nowUs) continue;
        // Next due time first, so a timer that re-arms itself in its own
        // callback keeps the new period; all missed expiries merge into this one.
        const int64_t period = PeriodUs(s.periodMs);
        s.dueUs += ((nowUs - s.dueUs) / period + 1) * period;
        fire(id);
    }
}

int64_t TimersNextDue() {
    int64_t next = INT64_MAX;
    for (const TimerSlot& s : slots) {
        if (s.armed && s.dueUs < next) next = s.dueUs;
    }
    return next;
}
