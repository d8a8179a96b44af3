// Reads the text score into a Song. The notation is documented at the top of
// resources/music/bgm.score; every mistake is reported with its line number.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <deque>
#include <map>
#include <sstream>

#include "song.h"

namespace {

struct Token {
    enum Kind { WORD, OPEN, CLOSE, BAR, CHORD } kind;
    std::string text;                  // WORD: the word; CHORD: the length and accent after ']'
    std::vector<std::string> pitches;  // CHORD only
    int repeat = 1;                    // CLOSE: the count after 'x'
    int line = 0;
};

struct Failure {
    int line;
    std::string what;
};

struct Section {
    std::vector<Token> tokens;
    std::vector<SongNote> notes;
    uint32_t length = 0;
    int line = 0;
};

struct Part {
    SongTrack track;
    int gate = 90;  // percent of each note's length that sounds
    std::map<std::string, Section> sections;
    std::vector<std::string> order;
    int line = 0;
};

// One pass over the notes of one section of one part.
struct Cursor {
    uint32_t tick = 0;
    uint32_t lastLength = PPQ;
    int velocity = 80;
    int transpose = 0;  // semitones, from "oct+1" and the like
    int depth = 0;
};

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool ParseInt(const std::string& s, int& out) {
    if (s.empty() || s.size() > 9) return false;
    size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    for (size_t k = i; k < s.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(s[k]))) return false;
    out = std::atoi(s.c_str());
    return true;
}

// '#' starts a comment at the start of a line or after a space; in F#4 it is a sharp.
size_t CommentStart(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1])))) return i;
    return std::string::npos;
}

std::vector<Token> Lex(const std::string& text, int line) {
    std::vector<Token> out;
    size_t i = 0;
    auto word = [&]() {
        size_t b = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) && text[i] != '(' &&
               text[i] != ')' && text[i] != '[' && text[i] != ']' && text[i] != '|')
            ++i;
        return text.substr(b, i - b);
    };
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '|') {
            out.push_back({Token::BAR, "|", {}, 1, line});
            ++i;
        } else if (c == '(') {
            out.push_back({Token::OPEN, "(", {}, 1, line});
            ++i;
        } else if (c == ')') {
            ++i;
            Token t{Token::CLOSE, ")", {}, 1, line};
            if (i < text.size() && text[i] == 'x') {
                ++i;
                const std::string n = word();
                if (!ParseInt(n, t.repeat) || t.repeat < 1) throw Failure{line, "bad repeat count ')x" + n + "'"};
            }
            out.push_back(t);
        } else if (c == '[') {
            const size_t close = text.find(']', i);
            if (close == std::string::npos) throw Failure{line, "chord '[' without ']'"};
            Token t{Token::CHORD, "", {}, 1, line};
            std::istringstream in(text.substr(i + 1, close - i - 1));
            for (std::string p; in >> p;) t.pitches.push_back(p);
            if (t.pitches.empty()) throw Failure{line, "empty chord"};
            i = close + 1;
            t.text = word();
            out.push_back(t);
        } else if (c == ']') {
            throw Failure{line, "']' without '['"};
        } else {
            out.push_back({Token::WORD, word(), {}, 1, line});
        }
    }
    return out;
}

const std::map<std::string, int>& DrumKeys() {
    static const std::map<std::string, int> keys = {
        {"kick", 36},     {"kick2", 35},   {"rim", 37},     {"snare", 38},  {"clap", 39},
        {"snare2", 40},   {"floortom", 41}, {"hat", 42},    {"lowtom", 45}, {"pedalhat", 44},
        {"openhat", 46},  {"midtom", 47},  {"hightom", 50}, {"crash", 49},  {"ride", 51},
        {"china", 52},    {"splash", 55},  {"crash2", 57},  {"tambourine", 54},
    };
    return keys;
}

// "C4" is middle C (60); "Bb3", "F#5"; drum names stand for their GM keys.
int PitchKey(const std::string& s, int line) {
    auto drum = DrumKeys().find(s);
    if (drum != DrumKeys().end()) return drum->second;
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (s.empty() || s[0] < 'A' || s[0] > 'G') throw Failure{line, "'" + s + "' is not a note"};
    int key = base[s[0] - 'A'];
    size_t i = 1;
    if (i < s.size() && (s[i] == '#' || s[i] == 'b')) key += s[i++] == '#' ? 1 : -1;
    int octave = 0;
    if (!ParseInt(s.substr(i), octave)) throw Failure{line, "'" + s + "' has no octave (write e.g. C4)"};
    key += 12 * (octave + 1);
    if (key < 0 || key > 127) throw Failure{line, "'" + s + "' is outside the MIDI range"};
    return key;
}

// "4" quarter, "8." dotted eighth, "8t" triplet eighth, "2+8" tied.
uint32_t Length(const std::string& written, int line) {
    uint32_t total = 0;
    std::istringstream in(written);
    for (std::string part; std::getline(in, part, '+');) {
        char mod = 0;
        if (!part.empty() && (part.back() == '.' || part.back() == 't')) {
            mod = part.back();
            part.pop_back();
        }
        int n = 0;
        if (!ParseInt(part, n) || n < 1 || n > 64 || (n & (n - 1)) != 0)
            throw Failure{line, "bad length '/" + written + "' (use 1 2 4 8 16 32 64, '.', 't', '+')"};
        uint32_t ticks = 4 * PPQ / n;
        if (mod == '.') ticks = ticks * 3 / 2;
        if (mod == 't') ticks = ticks * 2 / 3;
        total += ticks;
    }
    if (total == 0) throw Failure{line, "bad length '/" + written + "'"};
    return total;
}

struct Reader {
    Song song;
    std::map<std::string, std::vector<Token>> defines;
    std::deque<Part> parts;  // a deque keeps `part` valid as tracks are added
    std::vector<std::string> form;
    int formLine = 0;
    uint32_t barTicks = 4 * PPQ;
    Part* part = nullptr;
    Section* section = nullptr;
    std::vector<Token>* collecting = nullptr;  // where lines of notes go: a section or a define

    void Play(const std::vector<Token>& tokens, size_t from, size_t to, Cursor& cur, Part& p, Section& s) {
        for (size_t i = from; i < to; ++i) {
            const Token& t = tokens[i];
            if (t.kind == Token::OPEN) {
                size_t close = i + 1;
                for (int level = 1; close < to; ++close) {
                    if (tokens[close].kind == Token::OPEN) ++level;
                    if (tokens[close].kind == Token::CLOSE && --level == 0) break;
                }
                if (close >= to) throw Failure{t.line, "'(' without ')'"};
                for (int r = 0; r < tokens[close].repeat; ++r) Play(tokens, i + 1, close, cur, p, s);
                i = close;
            } else if (t.kind == Token::CLOSE) {
                throw Failure{t.line, "')' without '('"};
            } else if (t.kind == Token::BAR) {
                if (cur.tick % barTicks != 0)
                    throw Failure{t.line, "bar line is not on a bar boundary (bar " +
                                              std::to_string(cur.tick / barTicks + 1) + ", " +
                                              std::to_string(cur.tick % barTicks) + " ticks in)"};
            } else if (t.kind == Token::CHORD) {
                std::vector<int> keys;
                for (const std::string& pitch : t.pitches) keys.push_back(Shifted(pitch, cur, t.line));
                Sound(t.text, keys, cur, p, s, t.line);
            } else {
                Word(t, cur, p, s);
            }
        }
    }

    static int Shifted(const std::string& pitch, const Cursor& cur, int line) {
        const int key = PitchKey(pitch, line);
        if (DrumKeys().count(pitch) || cur.transpose == 0) return key;
        if (key + cur.transpose < 0 || key + cur.transpose > 127)
            throw Failure{line, "'" + pitch + "' shifted by " + std::to_string(cur.transpose / 12) +
                                    " octaves is outside the MIDI range"};
        return key + cur.transpose;
    }

    void Word(const Token& t, Cursor& cur, Part& p, Section& s) {
        static const std::map<std::string, int> dynamics = {{"pp", 36}, {"p", 50},  {"mp", 64},
                                                            {"mf", 80}, {"f", 96}, {"ff", 112}};
        const std::string& w = t.text;
        if (auto d = dynamics.find(w); d != dynamics.end()) {
            cur.velocity = d->second;
            return;
        }
        int v = 0;
        if (w.size() > 1 && w[0] == 'v' && ParseInt(w.substr(1), v)) {
            if (v < 1 || v > 127) throw Failure{t.line, "velocity '" + w + "' is outside 1-127"};
            cur.velocity = v;
            return;
        }
        if (w.size() > 3 && w.compare(0, 3, "oct") == 0) {
            const std::string n = w[3] == '+' ? w.substr(4) : w.substr(3);
            int octaves = 0;
            if (!ParseInt(n, octaves) || octaves < -4 || octaves > 4)
                throw Failure{t.line, "bad octave shift '" + w + "' (write e.g. oct-1, oct0)"};
            cur.transpose = 12 * octaves;
            return;
        }
        if (w[0] == '$') {
            auto def = defines.find(w.substr(1));
            if (def == defines.end()) throw Failure{t.line, "'" + w + "' is not defined"};
            if (cur.depth > 16) throw Failure{t.line, "'" + w + "' refers to itself"};
            ++cur.depth;
            Play(def->second, 0, def->second.size(), cur, p, s);
            --cur.depth;
            return;
        }
        const size_t slash = w.find('/');
        const std::string head = w.substr(0, slash);
        std::vector<int> keys;
        if (head != "r") keys.push_back(Shifted(head, cur, t.line));
        Sound(slash == std::string::npos ? std::string() : w.substr(slash), keys, cur, p, s, t.line);
    }

    // `suffix` is "/LEN" and/or ">" (accent); empty means the previous length.
    void Sound(std::string suffix, const std::vector<int>& keys, Cursor& cur, Part& p, Section& s, int line) {
        int velocity = cur.velocity;
        if (!suffix.empty() && suffix.back() == '>') {
            velocity = std::min(127, velocity + 20);
            suffix.pop_back();
        }
        if (!suffix.empty()) {
            if (suffix[0] != '/') throw Failure{line, "expected '/length' but found '" + suffix + "'"};
            cur.lastLength = Length(suffix.substr(1), line);
        }
        const uint32_t sounding = std::max<uint32_t>(1, cur.lastLength * p.gate / 100);
        for (int key : keys)
            s.notes.push_back({cur.tick, sounding, static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)});
        cur.tick += cur.lastLength;
    }

    void CloseSection() {
        collecting = nullptr;
        if (!section) return;
        Cursor cur;
        Play(section->tokens, 0, section->tokens.size(), cur, *part, *section);
        section->length = cur.tick;
        if (cur.tick % barTicks != 0)
            throw Failure{section->line, "section does not fill whole bars (" + Bars(cur.tick) + " and " +
                                             std::to_string(cur.tick % barTicks) + " ticks)"};
        section = nullptr;
    }

    int Setting(const std::string& value, int lo, int hi, const std::string& name, int line) {
        int v = 0;
        if (!ParseInt(value, v) || v < lo || v > hi)
            throw Failure{line, name + " must be a number from " + std::to_string(lo) + " to " + std::to_string(hi)};
        return v;
    }

    void Statement(const std::string& keyword, const std::string& rest, int line) {
        std::istringstream in(rest);
        if (keyword == "title") {
            song.title = rest;
        } else if (keyword == "tempo") {
            std::string v;
            in >> v;
            song.tempoBpm = Setting(v, 20, 400, "tempo", line);
        } else if (keyword == "time") {
            if (!parts.empty()) throw Failure{line, "time must come before the first track"};
            std::string v;
            in >> v;
            const size_t slash = v.find('/');
            int n = 0, d = 0;
            if (slash == std::string::npos || !ParseInt(v.substr(0, slash), n) || !ParseInt(v.substr(slash + 1), d) ||
                n < 1 || n > 32 || d < 1 || d > 32 || (d & (d - 1)) != 0)
                throw Failure{line, "time signature must look like 4/4"};
            song.beats = n;
            song.beatUnit = d;
            barTicks = static_cast<uint32_t>(n * 4 * PPQ / d);
        } else if (keyword == "key") {
            static const std::map<std::string, int> keys = {
                {"Cb", -7}, {"Gb", -6}, {"Db", -5}, {"Ab", -4},  {"Eb", -3},  {"Bb", -2},  {"F", -1},  {"C", 0},
                {"G", 1},   {"D", 2},   {"A", 3},   {"E", 4},    {"B", 5},    {"F#", 6},   {"C#", 7},  {"Abm", -7},
                {"Ebm", -6}, {"Bbm", -5}, {"Fm", -4}, {"Cm", -3}, {"Gm", -2}, {"Dm", -1}, {"Am", 0},  {"Em", 1},
                {"Bm", 2},  {"F#m", 3}, {"C#m", 4}, {"G#m", 5}, {"D#m", 6}, {"A#m", 7}};
            std::string v;
            in >> v;
            auto k = keys.find(v);
            if (k == keys.end()) throw Failure{line, "unknown key '" + v + "' (write e.g. Bb or Gm)"};
            song.keySharps = k->second;
            song.keyMinor = v.size() > 1 && v.back() == 'm';
        } else if (keyword == "form") {
            for (std::string name; in >> name;) form.push_back(name);
            formLine = line;
        } else if (keyword == "define") {
            std::string name, eq;
            in >> name >> eq;
            if (name.empty() || eq != "=") throw Failure{line, "write: define NAME = notes"};
            CloseSection();
            if (defines.count(name)) throw Failure{line, name + " is already defined"};
            collecting = &defines[name];
            *collecting = Lex(rest.substr(rest.find('=') + 1), line);
        } else if (keyword == "track") {
            CloseSection();
            Part p;
            p.line = line;
            in >> p.track.name;
            p.track.channel = -1;
            p.track.program = 0;
            p.track.volume = 100;
            p.track.pan = 64;
            p.track.reverb = 40;
            for (std::string kv; in >> kv;) {
                const size_t eq = kv.find('=');
                const std::string k = kv.substr(0, eq), v = eq == std::string::npos ? "" : kv.substr(eq + 1);
                if (k == "channel") p.track.channel = Setting(v, 1, 16, "channel", line) - 1;
                else if (k == "program") p.track.program = Setting(v, 1, 128, "program", line) - 1;
                else if (k == "volume") p.track.volume = Setting(v, 0, 127, "volume", line);
                else if (k == "pan") p.track.pan = Setting(v, 0, 127, "pan", line);
                else if (k == "reverb") p.track.reverb = Setting(v, 0, 127, "reverb", line);
                else if (k == "gate") p.gate = Setting(v, 1, 100, "gate", line);
                else throw Failure{line, "unknown track setting '" + kv + "'"};
            }
            if (p.track.name.empty()) throw Failure{line, "track needs a name"};
            if (p.track.channel < 0) throw Failure{line, "track needs channel=1..16"};
            parts.push_back(p);
            part = &parts.back();
        } else if (keyword == "section") {
            if (!part) throw Failure{line, "section outside a track"};
            CloseSection();
            std::string name;
            in >> name;
            if (name.empty()) throw Failure{line, "section needs a name"};
            if (part->sections.count(name)) throw Failure{line, "section " + name + " already written for this track"};
            section = &part->sections[name];
            section->line = line;
            collecting = &section->tokens;
            part->order.push_back(name);
        }
    }

    void Finish() {
        CloseSection();
        if (parts.empty()) throw Failure{0, "the score has no tracks"};
        if (form.empty()) throw Failure{0, "the score has no form line"};
        uint32_t offset = 0;
        for (const std::string& name : form) {
            uint32_t length = 0;
            const Part* first = nullptr;
            for (const Part& p : parts) {
                auto s = p.sections.find(name);
                if (s == p.sections.end()) continue;
                if (first && s->second.length != length)
                    throw Failure{s->second.line, "section " + name + " is " + Bars(s->second.length) + " in " +
                                                      p.track.name + " but " + Bars(length) + " in " +
                                                      first->track.name};
                length = s->second.length;
                first = &p;
            }
            if (!first) throw Failure{formLine, "form names section " + name + " but no track has it"};
            if (length == 0) throw Failure{formLine, "section " + name + " is empty"};
            song.markers.push_back({offset, name});
            for (Part& p : parts) {
                auto s = p.sections.find(name);
                if (s == p.sections.end()) continue;
                for (SongNote n : s->second.notes) {
                    n.tick += offset;
                    p.track.notes.push_back(n);
                }
            }
            offset += length;
        }
        for (Part& p : parts)
            for (const std::string& name : p.order)
                if (std::find(form.begin(), form.end(), name) == form.end())
                    throw Failure{p.sections[name].line, "section " + name + " is not in the form"};
        for (size_t i = 0; i < parts.size(); ++i)
            for (size_t j = i + 1; j < parts.size(); ++j)
                if (const Part &a = parts[i], &b = parts[j]; a.track.channel == b.track.channel &&
                    (a.track.program != b.track.program || a.track.volume != b.track.volume ||
                     a.track.pan != b.track.pan || a.track.reverb != b.track.reverb))
                    throw Failure{b.line, "tracks " + a.track.name + " and " + b.track.name +
                                              " share a channel, so they need the same program, volume, pan and reverb"};
        song.lengthTicks = offset;
        for (Part& p : parts) song.tracks.push_back(p.track);
    }

    std::string Bars(uint32_t ticks) const {
        const uint32_t n = ticks / barTicks;
        return std::to_string(n) + (n == 1 ? " bar" : " bars");
    }
};

}  // namespace

bool ParseScore(const std::string& text, Song& out, std::string& error) {
    static const char* const keywords[] = {"title", "tempo", "time", "key", "form", "define", "track", "section"};
    Reader r;
    std::istringstream in(text);
    int lineNo = 0;
    try {
        for (std::string raw; std::getline(in, raw);) {
            ++lineNo;
            const std::string line = Trim(raw.substr(0, CommentStart(raw)));
            if (line.empty()) continue;
            const size_t sp = line.find_first_of(" \t");
            const std::string first = line.substr(0, sp);
            const std::string rest = sp == std::string::npos ? "" : Trim(line.substr(sp));
            bool statement = false;
            for (const char* k : keywords) statement = statement || first == k;
            if (statement) {
                r.collecting = nullptr;
                r.Statement(first, rest, lineNo);
            } else {
                if (!r.collecting) throw Failure{lineNo, "notes outside a section or define"};
                for (const Token& t : Lex(line, lineNo)) r.collecting->push_back(t);
            }
        }
        r.Finish();
    } catch (const Failure& f) {
        error = f.line > 0 ? "line " + std::to_string(f.line) + ": " + f.what : f.what;
        return false;
    }
    out = r.song;
    return true;
}
