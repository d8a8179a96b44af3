// The platform services for the headless backend.
#include <cstdio>
#include <ctime>

#include "game.h"
#include "headless.h"
#include "platform.h"
#include "score_store.h"
#include "timers.h"

namespace {

HeadlessConfig config;
std::string events;
int64_t ticks = 0;
int64_t repaints = 0;
bool noticeOpen = false;
void (*noticeLoop)() = nullptr;

// Events are kept in one buffer reserved up front, so recording them during
// a tick allocates nothing.
void Record(const char* json) {
    if (!events.empty()) events += ',';
    events += json;
}

void AppendEscaped(std::string& out, const char* text) {
    for (const char* p = text; *p != '\0'; p++) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
}

std::string DataDir() {
    return config.dataDir.empty() ? DefaultDataDir() : config.dataDir;
}

}  // namespace

void HeadlessInit(const HeadlessConfig& c) {
    config = c;
    events.clear();
    events.reserve(1 << 16);
    ticks = 0;
    repaints = 0;
    noticeOpen = false;
    TimersReset();
}

int64_t HeadlessTicks() {
    return ticks;
}

void HeadlessTick() {
    ticks++;
    TimersStep(ticks * BASE_PERIOD_US, GameTimer);
}

std::string HeadlessTakeEvents() {
    std::string out = "[" + events + "]";
    events.clear();
    return out;
}

bool HeadlessNoticeOpen() {
    return noticeOpen;
}

void HeadlessCloseNotice() {
    noticeOpen = false;
}

void HeadlessSetNoticeLoop(void (*loop)()) {
    noticeLoop = loop;
}

int64_t HeadlessRepaints() {
    return repaints;
}

void ArmTimer(int id, uint32_t periodMs) {
    const uint32_t period = TimersArm(id, periodMs);
    char buf[80];
    std::snprintf(buf, sizeof buf, "{\"event\":\"timer\",\"id\":%d,\"period\":%u}", id, period);
    Record(buf);
}

void StopTimer(int id) {
    TimersStop(id);
    char buf[48];
    std::snprintf(buf, sizeof buf, "{\"event\":\"stopTimer\",\"id\":%d}", id);
    Record(buf);
}

void RequestRepaint() {
    repaints++;
}

void PlayEffectSound(int waveId) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "{\"event\":\"sound\",\"id\":%d}", waveId);
    Record(buf);
}

int StartMusic() {
    return 1;  // no sound device here
}

void ShowNotice(const char* text, const char* caption) {
    std::string json = "{\"event\":\"notice\",\"text\":\"";
    AppendEscaped(json, text);
    json += "\",\"caption\":\"";
    AppendEscaped(json, caption);
    json += "\"}";
    Record(json.c_str());
    noticeOpen = true;
    if (noticeLoop != nullptr) noticeLoop();
    noticeOpen = false;
}

int LoadHighScore() {
    return LoadScoreTelling(DataDir());
}

void SaveHighScore(int value) {
    const SaveResult r = SaveScoreTelling(DataDir(), value);
    char buf[96];
    if (r.ok) {
        std::snprintf(buf, sizeof buf, "{\"event\":\"save\",\"value\":%d}", r.written);
    } else {
        std::snprintf(buf, sizeof buf, "{\"event\":\"save\",\"value\":%d,\"ok\":false}", value);
    }
    Record(buf);
}

uint32_t StartupSeed() {
    return config.haveSeed ? config.seed : static_cast<uint32_t>(std::time(nullptr));
}
