// The best score on disk: "HighScore.ini", section "HighScore", key "Score",
// a plain decimal integer, in the user's data folder.
#pragma once

#include <string>

constexpr const char* SCORE_FILE_NAME = "HighScore.ini";

// $XDG_DATA_HOME/tolvenar, else ~/.local/share/tolvenar.
std::string DefaultDataDir();

// Reads like the classic profile functions: a missing file, section or key,
// or a value that is not a number, reads as 0; leading blanks and a sign are
// accepted and the digits end at the first other character. Section and key
// names match without regard to case. `note` gets a reason when the file
// exists but gave no score (unreadable, or the value is not a number).
int ParseScoreText(const std::string& text, bool* found);
int ReadScoreFile(const std::string& path, std::string* note);

struct SaveResult {
    bool ok;
    int written;        // the value now in the file
    std::string error;  // why the save failed
};

// Writes the larger of `value` and the value already stored, keeping every
// other section, key and line of the file as it was. The new file is written
// beside the old one, flushed to disk and renamed over it, under a lock, so a
// crash, a full disk or a second game running at once never loses a score.
SaveResult WriteScoreFile(const std::string& dir, int value);

// What the game uses: the same, telling standard error (once per run for a
// failed save) when the file cannot serve.
int LoadScoreTelling(const std::string& dir);
SaveResult SaveScoreTelling(const std::string& dir, int value);
