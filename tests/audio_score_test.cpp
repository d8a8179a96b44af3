// The score reader: what each piece of notation turns into, how sections are
// put together by the form, and the mistakes it reports.
#include <gtest/gtest.h>

#include <tuple>

#include "song.h"

namespace {

using Note = std::tuple<uint32_t, uint32_t, int, int>;  // tick, sounding length, key, velocity

std::vector<Note> Notes(const SongTrack& t) {
    std::vector<Note> out;
    for (const SongNote& n : t.notes) out.emplace_back(n.tick, n.length, n.key, n.velocity);
    return out;
}

const char* const kScore = R"(# two-four time: a bar is 960 ticks
tempo 100
time 2/4
key Gm
form A B A
define two = C4/8 D4

track Lead channel=1 program=57 gate=50
section A
  C4/4 D4/8. E4/16 | [C4 E4]/8t r G4 oct+1 C4/4 oct0 |
section B
  ($two)x2 |

track Bass channel=2 program=33
section A
  C2/4+8 r/8 | r/2 |

track Drums channel=10 program=1
section B
  snare/8> kick hat hat |
)";

TEST(ScoreReader, TurnsNotationIntoTimedNotes) {
    Song song;
    std::string error;
    ASSERT_TRUE(ParseScore(kScore, song, error)) << error;
    EXPECT_EQ(song.tempoBpm, 100);
    EXPECT_EQ(song.beats, 2);
    EXPECT_EQ(song.beatUnit, 4);
    EXPECT_EQ(song.keySharps, -2);
    EXPECT_TRUE(song.keyMinor);
    ASSERT_EQ(song.tracks.size(), 3u);
    EXPECT_EQ(song.tracks[0].channel, 0);
    EXPECT_EQ(song.tracks[0].program, 56);
    EXPECT_EQ(song.tracks[2].channel, 9);

    // Lengths, dots, triplets, chords, rests, the carried length and the
    // octave shift; gate 50 sounds half of each length.
    const std::vector<Note> sectionA = {
        {0, 240, 60, 80},   {480, 180, 62, 80}, {840, 60, 64, 80},    {960, 80, 60, 80},
        {960, 80, 64, 80},  {1280, 80, 67, 80}, {1440, 240, 72, 80},
    };
    std::vector<Note> lead = sectionA;
    for (uint32_t t : {1920u, 2160u, 2400u, 2640u}) lead.emplace_back(t, 120, t % 480 ? 62 : 60, 80);
    for (const Note& n : sectionA)
        lead.emplace_back(std::get<0>(n) + 2880, std::get<1>(n), std::get<2>(n), std::get<3>(n));
    EXPECT_EQ(Notes(song.tracks[0]), lead);

    // A tie; the bass has no B, so it rests there. Default gate is 90%.
    EXPECT_EQ(Notes(song.tracks[1]), (std::vector<Note>{{0, 648, 36, 80}, {2880, 648, 36, 80}}));

    // Drum names and an accent.
    EXPECT_EQ(Notes(song.tracks[2]),
              (std::vector<Note>{{1920, 216, 38, 100}, {2160, 216, 36, 80}, {2400, 216, 42, 80}, {2640, 216, 42, 80}}));

    EXPECT_EQ(song.lengthTicks, 4800u);
    ASSERT_EQ(song.markers.size(), 3u);
    EXPECT_EQ(song.markers[1].tick, 1920u);
    EXPECT_EQ(song.markers[2].text, "A");
}

struct Mistake {
    const char* body;  // from line 5 on, after a two-four header
    const char* message;
};

TEST(ScoreReader, ReportsMistakesWithTheirLine) {
    const std::string header = "time 2/4\nform A\ntrack T channel=1\nsection A\n";
    const Mistake cases[] = {
        {"C4/4 | C4/4 C4/4 |", "line 5: bar line is not on a bar boundary (bar 1, 480 ticks in)"},
        {"C4/2 |\nC4/4", "line 4: section does not fill whole bars (1 bar and 480 ticks)"},
        {"H4/2 |", "line 5: 'H4' is not a note"},
        {"C/2 |", "line 5: 'C' has no octave"},
        {"C4/3 C4/4 |", "line 5: bad length '/3'"},
        {"$nope |", "line 5: '$nope' is not defined"},
        {"(C4/4 C4/4 |", "line 5: '(' without ')'"},
        {"C4/2 |\ntrack U channel=17", "line 6: channel must be a number from 1 to 16"},
        {"C4/2 |\ntrack U channel=2\nsection A\nC4/2 | C4/2 |",
         "line 7: section A is 2 bars in U but 1 bar in T"},
        {"C4/2 |\ntrack U channel=1 volume=90\nsection A\nC4/2 |", "line 6: tracks T and U share a channel"},
        {"C4/2 |\nsection B\nC4/2 |", "line 6: section B is not in the form"},
    };
    for (const Mistake& m : cases) {
        Song song;
        std::string error;
        EXPECT_FALSE(ParseScore(header + m.body, song, error)) << m.body;
        EXPECT_EQ(error.rfind(m.message, 0), 0u) << m.body << "\n  gave: " << error;
    }
    Song song;
    std::string error;
    EXPECT_FALSE(ParseScore("time 2/4\nC4/2 |\n", song, error));
    EXPECT_EQ(error, "line 2: notes outside a section or define");
    EXPECT_FALSE(ParseScore("time 2/4\nform A B\ntrack T channel=1\nsection A\nC4/2 |\n", song, error));
    EXPECT_EQ(error, "line 2: form names section B but no track has it");
}

}  // namespace
