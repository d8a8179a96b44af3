// A piece of music as the MIDI writer sees it: tracks of timed notes on a
// grid of PPQ ticks per quarter note, read from a text score.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int PPQ = 480;

struct SongNote {
    uint32_t tick;
    uint32_t length;  // sounding length in ticks, at least 1
    uint8_t key;
    uint8_t velocity;
};

struct SongTrack {
    std::string name;
    int channel;  // 0-15; 9 is the GM drum channel
    int program;  // 0-127
    int volume, pan, reverb;
    std::vector<SongNote> notes;
};

struct SongMarker {
    uint32_t tick;
    std::string text;
};

struct Song {
    std::string title;
    int tempoBpm = 120;
    int beats = 4, beatUnit = 4;  // time signature
    int keySharps = 0;            // negative for flats
    bool keyMinor = false;
    uint32_t lengthTicks = 0;     // every track ends here, so the piece loops cleanly
    std::vector<SongMarker> markers;
    std::vector<SongTrack> tracks;
};

// Reads a score (notation described at the top of resources/music/bgm.score).
// On failure returns false and sets `error` to "line N: what is wrong".
bool ParseScore(const std::string& text, Song& out, std::string& error);

// Standard MIDI file, format 1: a conductor track, then one track per part.
std::vector<uint8_t> WriteMidi(const Song& song);
