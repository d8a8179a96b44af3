// Standard MIDI file writer: format 1, PPQ ticks per quarter note. Track 0
// carries the title, time and key signatures, tempo and section markers;
// each part follows with its name, program, volume, pan and reverb, then its
// notes. Every track ends at the song's length so that a player looping the
// file comes back to the first bar on the beat.
#include <algorithm>

#include "song.h"

namespace {

struct Event {
    uint32_t tick;
    int order;  // at one tick: settings, then note-offs, then note-ons
    std::vector<uint8_t> bytes;
};

void Be32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void VarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7F;
    while (v >>= 7) buf[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
    while (n) out.push_back(buf[--n]);
}

Event Meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data) {
    Event e{tick, 0, {0xFF, type}};
    VarLen(e.bytes, static_cast<uint32_t>(data.size()));
    e.bytes.insert(e.bytes.end(), data.begin(), data.end());
    return e;
}

Event Text(uint32_t tick, uint8_t type, const std::string& s) {
    return Meta(tick, type, std::vector<uint8_t>(s.begin(), s.end()));
}

void Chunk(std::vector<uint8_t>& out, std::vector<Event> events, uint32_t end) {
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    events.push_back(Meta(end, 0x2F, {}));
    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const Event& e : events) {
        VarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Be32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

}  // namespace

std::vector<uint8_t> WriteMidi(const Song& song) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    const size_t tracks = song.tracks.size() + 1;
    out.push_back(static_cast<uint8_t>(tracks >> 8));
    out.push_back(static_cast<uint8_t>(tracks));
    out.push_back(PPQ >> 8);
    out.push_back(PPQ & 0xFF);

    std::vector<Event> conductor;
    if (!song.title.empty()) conductor.push_back(Text(0, 0x03, song.title));
    int unitPower = 0;
    while ((1 << unitPower) < song.beatUnit) ++unitPower;
    conductor.push_back(Meta(0, 0x58, {static_cast<uint8_t>(song.beats), static_cast<uint8_t>(unitPower), 24, 8}));
    conductor.push_back(Meta(0, 0x59, {static_cast<uint8_t>(static_cast<int8_t>(song.keySharps)),
                                       static_cast<uint8_t>(song.keyMinor ? 1 : 0)}));
    const uint32_t usPerQuarter = (60000000u + song.tempoBpm / 2) / song.tempoBpm;
    conductor.push_back(Meta(0, 0x51, {static_cast<uint8_t>(usPerQuarter >> 16), static_cast<uint8_t>(usPerQuarter >> 8),
                                       static_cast<uint8_t>(usPerQuarter)}));
    for (const SongMarker& m : song.markers) conductor.push_back(Text(m.tick, 0x06, m.text));
    Chunk(out, conductor, song.lengthTicks);

    for (const SongTrack& t : song.tracks) {
        const uint8_t ch = static_cast<uint8_t>(t.channel);
        std::vector<Event> events;
        events.push_back(Text(0, 0x03, t.name));
        events.push_back({0, 0, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(t.program)}});
        events.push_back({0, 0, {static_cast<uint8_t>(0xB0 | ch), 7, static_cast<uint8_t>(t.volume)}});
        events.push_back({0, 0, {static_cast<uint8_t>(0xB0 | ch), 10, static_cast<uint8_t>(t.pan)}});
        events.push_back({0, 0, {static_cast<uint8_t>(0xB0 | ch), 91, static_cast<uint8_t>(t.reverb)}});
        for (const SongNote& n : t.notes) {
            const uint32_t off = std::min(n.tick + n.length, song.lengthTicks);
            events.push_back({n.tick, 2, {static_cast<uint8_t>(0x90 | ch), n.key, n.velocity}});
            events.push_back({off, 1, {static_cast<uint8_t>(0x80 | ch), n.key, 64}});
        }
        Chunk(out, events, song.lengthTicks);
    }
    return out;
}
