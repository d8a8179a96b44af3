// BGM.mid and the MIDI writer, read back with an independent reader of
// standard MIDI files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "song.h"

namespace {

struct MidiEvent {
    uint32_t tick;
    uint8_t status;  // 0xFF for meta events
    uint8_t meta;    // meta type
    std::vector<uint8_t> data;
};

struct MidiFile {
    int format = -1, division = 0;
    std::vector<std::vector<MidiEvent>> tracks;
};

// Reads a whole file; returns what is wrong with it, or "" when it is sound.
std::string ReadMidi(const std::vector<uint8_t>& b, MidiFile& out) {
    auto be = [&](size_t p, int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = v << 8 | b[p + i];
        return v;
    };
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be(4, 4) != 6) return "bad header";
    out.format = static_cast<int>(be(8, 2));
    const uint32_t count = be(10, 2);
    out.division = static_cast<int>(be(12, 2));
    size_t p = 14;
    for (uint32_t t = 0; t < count; ++t) {
        if (p + 8 > b.size() || std::string(b.begin() + p, b.begin() + p + 4) != "MTrk") return "missing MTrk";
        const size_t end = p + 8 + be(p + 4, 4);
        if (end > b.size()) return "track runs past the end of the file";
        p += 8;
        std::vector<MidiEvent> events;
        uint32_t tick = 0;
        uint8_t running = 0;
        bool ended = false;
        auto varLen = [&](uint32_t& v) {
            v = 0;
            for (int i = 0; i < 4; ++i) {
                if (p >= end) return false;
                v = v << 7 | (b[p] & 0x7F);
                if (!(b[p++] & 0x80)) return true;
            }
            return false;
        };
        while (p < end) {
            if (ended) return "events after end of track";
            uint32_t delta = 0;
            if (!varLen(delta)) return "bad delta time";
            tick += delta;
            MidiEvent e{tick, b[p], 0, {}};
            if (e.status < 0x80) {
                if (!running) return "running status without a status";
                e.status = running;
            } else {
                ++p;
            }
            uint32_t len = 0;
            if (e.status == 0xFF) {
                if (p >= end) return "truncated meta event";
                e.meta = b[p++];
                if (!varLen(len)) return "bad meta length";
                ended = e.meta == 0x2F;
            } else if (e.status == 0xF0 || e.status == 0xF7) {
                if (!varLen(len)) return "bad sysex length";
            } else if (e.status >= 0x80 && e.status < 0xF0) {
                running = e.status;
                len = (e.status & 0xF0) == 0xC0 || (e.status & 0xF0) == 0xD0 ? 1 : 2;
            } else {
                return "unexpected status byte";
            }
            if (p + len > end) return "event runs past its track";
            e.data.assign(b.begin() + p, b.begin() + p + len);
            if (e.status < 0xF0)
                for (uint8_t d : e.data)
                    if (d & 0x80) return "channel data byte above 127";
            p += len;
            events.push_back(e);
        }
        if (!ended) return "track without end of track";
        out.tracks.push_back(events);
    }
    if (p != b.size()) return "bytes after the last track";
    return "";
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class BgmMid : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> bytes = ReadFile(TOLVENAR_SOURCE_DIR "/resources/music/BGM.mid");
        ASSERT_FALSE(bytes.empty());
        ASSERT_EQ(ReadMidi(bytes, midi), "");
    }
    MidiFile midi;
};

TEST_F(BgmMid, IsAFormatOneFileWithTempoAndTimeSignature) {
    EXPECT_EQ(midi.format, 1);
    EXPECT_GT(midi.division, 0);
    EXPECT_LT(midi.division, 0x8000) << "ticks per quarter, not SMPTE";
    EXPECT_GE(midi.tracks.size(), 5u);
    int tempos = 0, signatures = 0;
    for (const MidiEvent& e : midi.tracks[0]) {
        tempos += e.status == 0xFF && e.meta == 0x51 && e.data.size() == 3;
        signatures += e.status == 0xFF && e.meta == 0x58 && e.data.size() == 4;
    }
    EXPECT_GE(tempos, 1);
    EXPECT_GE(signatures, 1);
}

TEST_F(BgmMid, LastsOneToTwoMinutes) {
    // Tempo changes may sit in any track; follow them in tick order.
    std::map<uint32_t, uint32_t> tempo = {{0, 500000}};
    uint32_t end = 0;
    for (const auto& track : midi.tracks)
        for (const MidiEvent& e : track) {
            if (e.status == 0xFF && e.meta == 0x51) tempo[e.tick] = e.data[0] << 16 | e.data[1] << 8 | e.data[2];
            end = std::max(end, e.tick);
        }
    double seconds = 0;
    for (auto it = tempo.begin(); it != tempo.end() && it->first < end; ++it) {
        const uint32_t until = std::next(it) == tempo.end() ? end : std::min(end, std::next(it)->first);
        seconds += (until - it->first) * (it->second / 1e6) / midi.division;
    }
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}

TEST_F(BgmMid, PlaysDrumsOnChannelTenAndSeveralInstruments) {
    int drumNotes = 0;
    std::set<int> programs;
    for (const auto& track : midi.tracks)
        for (const MidiEvent& e : track) {
            if ((e.status & 0xF0) == 0x90 && e.data[1] > 0 && (e.status & 0x0F) == 9) ++drumNotes;
            if ((e.status & 0xF0) == 0xC0 && (e.status & 0x0F) != 9) programs.insert(e.data[0]);
        }
    EXPECT_GT(drumNotes, 100);
    EXPECT_GE(programs.size(), 4u);
}

// For a seamless loop every note must be over and every track finished at
// the same tick, which is a bar line.
TEST_F(BgmMid, NotesCloseAndTracksEndTogetherOnABarLine) {
    uint32_t barTicks = 0, end = 0;
    for (const MidiEvent& e : midi.tracks[0])
        if (e.status == 0xFF && e.meta == 0x58) barTicks = e.data[0] * 4 * midi.division / (1u << e.data[1]);
    ASSERT_GT(barTicks, 0u);
    for (size_t t = 0; t < midi.tracks.size(); ++t) {
        std::map<int, int> open;  // channel * 128 + key -> count
        for (const MidiEvent& e : midi.tracks[t]) {
            const int kind = e.status & 0xF0, slot = (e.status & 0x0F) * 128 + (e.data.empty() ? 0 : e.data[0]);
            if (kind == 0x90 && e.data[1] > 0) ++open[slot];
            if (kind == 0x80 || (kind == 0x90 && e.data[1] == 0)) {
                EXPECT_GT(open[slot], 0) << "track " << t << " note-off without note-on at tick " << e.tick;
                --open[slot];
            }
        }
        for (const auto& [slot, n] : open) EXPECT_EQ(n, 0) << "track " << t << " leaves key " << slot % 128 << " on";
        const uint32_t trackEnd = midi.tracks[t].back().tick;
        if (t == 0) end = trackEnd;
        EXPECT_EQ(trackEnd, end) << "track " << t;
    }
    EXPECT_EQ(end % barTicks, 0u);
}

Song TinySong() {
    Song s;
    s.tempoBpm = 112;
    s.beats = 2;
    s.beatUnit = 4;
    s.lengthTicks = 4 * PPQ;
    s.tracks.push_back({"Horn", 1, 60, 100, 64, 40,
                        {{0, PPQ, 60, 80}, {PPQ, PPQ, 60, 90}, {2 * PPQ, 5 * PPQ, 67, 80}}});
    return s;
}

TEST(MidiWriter, WritesTempoSignatureAndEndsEveryTrackAtTheSongLength) {
    MidiFile m;
    ASSERT_EQ(ReadMidi(WriteMidi(TinySong()), m), "");
    ASSERT_EQ(m.tracks.size(), 2u);
    EXPECT_EQ(m.division, PPQ);
    bool tempo = false, signature = false;
    for (const MidiEvent& e : m.tracks[0]) {
        if (e.status == 0xFF && e.meta == 0x51)
            tempo = (e.data[0] << 16 | e.data[1] << 8 | e.data[2]) == 535714;  // 60e6 / 112, rounded
        if (e.status == 0xFF && e.meta == 0x58) signature = e.data[0] == 2 && e.data[1] == 2;
    }
    EXPECT_TRUE(tempo);
    EXPECT_TRUE(signature);
    for (const auto& track : m.tracks) {
        EXPECT_EQ(track.back().meta, 0x2F);
        EXPECT_EQ(track.back().tick, 4u * PPQ);
    }
    // The held note is cut at the end rather than ringing past the loop point.
    uint32_t lastOff = 0;
    for (const MidiEvent& e : m.tracks[1])
        if ((e.status & 0xF0) == 0x80) lastOff = std::max(lastOff, e.tick);
    EXPECT_EQ(lastOff, 4u * PPQ);
}

TEST(MidiWriter, RepeatedKeyIsReleasedBeforeItIsStruckAgain) {
    MidiFile m;
    ASSERT_EQ(ReadMidi(WriteMidi(TinySong()), m), "");
    std::vector<std::pair<uint32_t, int>> at480;  // (tick, kind) of key 60 events
    for (const MidiEvent& e : m.tracks[1])
        if (e.status < 0xF0 && (e.status & 0xF0) != 0xB0 && (e.status & 0xF0) != 0xC0 && e.data[0] == 60 &&
            e.tick == PPQ)
            at480.push_back({e.tick, e.status & 0xF0});
    ASSERT_EQ(at480.size(), 2u);
    EXPECT_EQ(at480[0].second, 0x80);
    EXPECT_EQ(at480[1].second, 0x90);
}

}  // namespace
