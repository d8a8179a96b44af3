#include "driver_commands.h"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <sstream>
#include <vector>

#include "canvas.h"
#include "game.h"
#include "headless.h"
#include "platform.h"
#include "png_write.h"
#include "resources.h"
#include "timers.h"

namespace {

constexpr int VK_ESCAPE = 27;

enum class Kind { Int, Double, Bool };

struct Field {
    const char* name;
    Kind kind;
    size_t offset;
};

#define FIELD(T, f, k) Field{#f, Kind::k, offsetof(T, f)}

const Field kStateFields[] = {
    FIELD(GameState, cannonX, Int),      FIELD(GameState, cannonY, Int),
    FIELD(GameState, angle, Double),     FIELD(GameState, facingLeft, Bool),
    FIELD(GameState, facingRight, Bool), FIELD(GameState, holdLeft, Bool),
    FIELD(GameState, holdRight, Bool),   FIELD(GameState, holdUp, Bool),
    FIELD(GameState, holdDown, Bool),    FIELD(GameState, running, Bool),
    FIELD(GameState, gameOverShown, Bool), FIELD(GameState, score, Int),
    FIELD(GameState, highScore, Int),    FIELD(GameState, life, Int),
    FIELD(GameState, stage, Int),        FIELD(GameState, spawnInterval, Int),
    FIELD(GameState, barrelTipX, Double), FIELD(GameState, barrelTipY, Double),
};
const Field kEnemyFields[] = {
    FIELD(Enemy, x, Int), FIELD(Enemy, y, Int), FIELD(Enemy, type, Int),
    FIELD(Enemy, speed, Int), FIELD(Enemy, fromLeft, Bool), FIELD(Enemy, active, Bool),
};
const Field kShellFields[] = {
    FIELD(Shell, x0, Int), FIELD(Shell, y0, Int), FIELD(Shell, x, Int),
    FIELD(Shell, y, Int), FIELD(Shell, power, Int), FIELD(Shell, angle, Int),
    FIELD(Shell, frame, Int), FIELD(Shell, t, Double), FIELD(Shell, toRight, Bool),
    FIELD(Shell, active, Bool),
};
const Field kEffectFields[] = {
    FIELD(Effect, x, Int), FIELD(Effect, y, Int), FIELD(Effect, frame, Int),
    FIELD(Effect, kind, Int), FIELD(Effect, active, Bool),
};

#undef FIELD

template <size_t N>
const Field* FindField(const Field (&fields)[N], const std::string& name) {
    for (const Field& f : fields) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

void AppendDouble(std::string& out, double v) {
    char buf[32];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    out.append(buf, p);
}

void AppendField(std::string& out, const void* record, const Field& f) {
    const char* at = static_cast<const char*>(record) + f.offset;
    out += '"';
    out += f.name;
    out += "\":";
    switch (f.kind) {
    case Kind::Int: out += std::to_string(*reinterpret_cast<const int32_t*>(at)); break;
    case Kind::Double: AppendDouble(out, *reinterpret_cast<const double*>(at)); break;
    case Kind::Bool: out += *reinterpret_cast<const bool*>(at) ? "true" : "false"; break;
    }
}

template <size_t N>
void AppendRecord(std::string& out, const void* record, const Field (&fields)[N]) {
    for (const Field& f : fields) {
        out += ',';
        AppendField(out, record, f);
    }
}

template <typename T, size_t N>
void AppendPool(std::string& out, const char* name, const T* pool, const Field (&fields)[N]) {
    out += ",\"";
    out += name;
    out += "\":[";
    bool first = true;
    for (int i = 0; i < POOL_SIZE; i++) {
        if (!pool[i].active) continue;
        out += first ? "{" : ",{";
        first = false;
        out += "\"index\":" + std::to_string(i);
        AppendRecord(out, &pool[i], fields);
        out += '}';
    }
    out += ']';
}

bool ParseInt(const std::string& s, int32_t* v) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), *v);
    return ec == std::errc() && p == s.data() + s.size() && !s.empty();
}

bool ParseValue(const Field& f, const std::string& s, void* record) {
    char* at = static_cast<char*>(record) + f.offset;
    switch (f.kind) {
    case Kind::Int:
        return ParseInt(s, reinterpret_cast<int32_t*>(at));
    case Kind::Double: {
        double v;
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || p != s.data() + s.size() || s.empty()) return false;
        *reinterpret_cast<double*>(at) = v;
        return true;
    }
    case Kind::Bool:
        if (s == "1" || s == "true") {
            *reinterpret_cast<bool*>(at) = true;
        } else if (s == "0" || s == "false") {
            *reinterpret_cast<bool*>(at) = false;
        } else {
            return false;
        }
        return true;
    }
    return false;
}

bool ParseKey(const std::string& s, int* vk) {
    static const struct {
        const char* name;
        int code;
    } kKeys[] = {
        {"enter", VK_RETURN}, {"space", VK_SPACE}, {"left", VK_LEFT}, {"right", VK_RIGHT},
        {"up", VK_UP},        {"down", VK_DOWN},   {"escape", VK_ESCAPE},
    };
    for (const auto& k : kKeys) {
        if (s == k.name) {
            *vk = k.code;
            return true;
        }
    }
    int32_t code;
    if (!ParseInt(s, &code) || code < 0 || code > 255) return false;
    *vk = code;
    return true;
}

// While the notice is open, key presses go to it: Enter, Space and Escape
// close it, other keys do nothing. Releases always reach the game.
void PressKey(int vk) {
    if (HeadlessNoticeOpen()) {
        if (vk == VK_RETURN || vk == VK_SPACE || vk == VK_ESCAPE) HeadlessCloseNotice();
        return;
    }
    OnKeyDown(vk);
}

template <typename T, size_t N>
bool SetRecordFields(T* pool, const std::vector<std::string>& words, const Field (&fields)[N], std::string* error) {
    int32_t index;
    if (words.size() < 3 || !ParseInt(words[1], &index) || index < 0 || index >= POOL_SIZE) {
        *error = words[0] + " needs a record index from 0 to 199 and FIELD=VALUE pairs";
        return false;
    }
    T record = pool[index];
    for (size_t i = 2; i < words.size(); i++) {
        const size_t eq = words[i].find('=');
        const Field* f = eq == std::string::npos ? nullptr : FindField(fields, words[i].substr(0, eq));
        if (f == nullptr) {
            *error = "unknown " + words[0] + " field in '" + words[i] + "'";
            return false;
        }
        if (!ParseValue(*f, words[i].substr(eq + 1), &record)) {
            *error = "bad value in '" + words[i] + "'";
            return false;
        }
    }
    pool[index] = record;
    return true;
}

}  // namespace

std::string StateJson() {
    std::string out = "{\"tick\":" + std::to_string(HeadlessTicks());
    AppendRecord(out, &game, kStateFields);
    out += ",\"notice\":";
    out += HeadlessNoticeOpen() ? "true" : "false";
    out += ",\"timers\":{";
    bool first = true;
    for (int id = 0; id < MAX_TIMERS; id++) {
        uint32_t period;
        if (!TimersArmed(id, &period)) continue;
        out += first ? "\"" : ",\"";
        first = false;
        out += std::to_string(id) + "\":" + std::to_string(period);
    }
    out += '}';
    AppendPool(out, "enemies", enemies, kEnemyFields);
    AppendPool(out, "shells", shells, kShellFields);
    AppendPool(out, "effects", effects, kEffectFields);
    out += '}';
    return out;
}

CommandResult RunCommandLine(const std::string& line, std::string* error) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty() || words[0][0] == '#') return CommandResult::Ok;
    const std::string& cmd = words[0];

    if (cmd == "press" || cmd == "release" || cmd == "tap") {
        int vk;
        if (words.size() != 2 || !ParseKey(words[1], &vk)) {
            *error = cmd + " needs one key: enter, space, left, right, up, down, escape or a code 0-255";
            return CommandResult::Error;
        }
        if (cmd != "release") PressKey(vk);
        if (cmd != "press") OnKeyUp(vk);
        return CommandResult::Ok;
    }
    if (cmd == "tick") {
        int32_t n = 1;
        if (words.size() > 2 || (words.size() == 2 && (!ParseInt(words[1], &n) || n < 0))) {
            *error = "tick takes one optional count, a whole number of 0 or more";
            return CommandResult::Error;
        }
        for (int32_t i = 0; i < n; i++) HeadlessTick();
        return CommandResult::Ok;
    }
    if (cmd == "state" && words.size() == 1) {
        std::string s = StateJson();
        std::fwrite(s.data(), 1, s.size(), stdout);
        std::fputc('\n', stdout);
        return CommandResult::Ok;
    }
    if (cmd == "events" && words.size() == 1) {
        std::string s = HeadlessTakeEvents();
        std::fwrite(s.data(), 1, s.size(), stdout);
        std::fputc('\n', stdout);
        return CommandResult::Ok;
    }
    if (cmd == "set") {
        const Field* f = words.size() == 3 ? FindField(kStateFields, words[1]) : nullptr;
        if (f == nullptr) {
            *error = "set needs a state field and a value";
            return CommandResult::Error;
        }
        GameState copy = game;
        if (!ParseValue(*f, words[2], &copy)) {
            *error = "bad value '" + words[2] + "' for " + words[1];
            return CommandResult::Error;
        }
        game = copy;
        return CommandResult::Ok;
    }
    if (cmd == "enemy") return SetRecordFields(enemies, words, kEnemyFields, error) ? CommandResult::Ok : CommandResult::Error;
    if (cmd == "shell") return SetRecordFields(shells, words, kShellFields, error) ? CommandResult::Ok : CommandResult::Error;
    if (cmd == "effect") return SetRecordFields(effects, words, kEffectFields, error) ? CommandResult::Ok : CommandResult::Error;
    if (cmd == "close" && words.size() == 1) return CommandResult::Close;
    if (cmd == "frame") {
        if (words.size() != 2) {
            *error = "frame needs one PNG path";
            return CommandResult::Error;
        }
        return WritePng(*BackBuffer(), words[1].c_str(), error) ? CommandResult::Ok : CommandResult::Error;
    }
    if (cmd == "sprite" || cmd == "wave") {
        const bool sprite = cmd == "sprite";
        int32_t n;
        const bool known = words.size() == 3 && ParseInt(words[1], &n) &&
                           (sprite ? n >= 0 && n < SPRITE_COUNT : n == WAVE_FIRE || n == WAVE_LAND);
        if (!known) {
            *error = sprite ? "sprite needs a slot from 0 to 35 and a path" : "wave needs the id 137 or 138 and a path";
            return CommandResult::Error;
        }
        const int id = sprite ? FIRST_BITMAP_ID + n : n;
        ResourceData res;
        if (!FindResource(id, res)) {
            *error = "resource " + std::to_string(id) + " is not built into the program";
            return CommandResult::Error;
        }
        return WriteFileBytes(words[2].c_str(), res.data, res.size, error) ? CommandResult::Ok : CommandResult::Error;
    }

    *error = "unknown command '" + line + "'";
    return CommandResult::Error;
}
