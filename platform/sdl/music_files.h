// Where the music and the soundfont are looked for.
#pragma once

#include <string>
#include <vector>

constexpr const char* MUSIC_FILE_NAME = "BGM.mid";

// The folders searched for the music, in order: the current folder, the
// program's own folder, the installed data folder.
std::vector<std::string> MusicFolders();

// The first folder in `folders` holding `name`, joined with it; empty if none.
std::string FindInFolders(const std::vector<std::string>& folders, const char* name);

// The soundfonts among `candidates` that exist, joined with ';' in the given
// order (FluidSynth uses the last one that loads), each file once however
// many links lead to it; empty if none exists.
std::string ExistingSoundFonts(const std::vector<std::string>& candidates);

// The General MIDI soundfonts tried: Debian's default-GM, then TimGM6mb.
std::vector<std::string> SoundFontCandidates();
