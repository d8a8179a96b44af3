// Effect sounds and background music through SDL2_mixer. Without an audio
// device, music file or soundfont the game carries on silently, after one
// line on standard error saying why. Reading the soundfont takes a good part
// of a second, so the music is loaded and started on a thread of its own and
// the first frame does not wait for it.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "desktop.h"
#include "music_files.h"
#include "resources.h"

namespace {

constexpr int EFFECT_CHANNEL = 0;
// Headroom: the effects peak at -1 dBFS and the music near -8 dBFS, so at
// full volume a shot over a loud bar clips. These keep the sum below 0 dBFS
// and the effects well above the music.
constexpr int EFFECT_VOLUME = 100;  // of MIX_MAX_VOLUME (128)
constexpr int MUSIC_VOLUME = 88;

bool audioOpen = false;
Mix_Chunk* fire = nullptr;
Mix_Chunk* land = nullptr;
Mix_Music* music = nullptr;  // written by the loader, read after it has ended
SDL_Thread* loader = nullptr;
std::string musicPath;

Mix_Chunk* LoadWave(int id) {
    ResourceData res;
    if (!FindResource(id, res)) {
        std::fprintf(stderr, "tolvenar: sound %d is missing from the program\n", id);
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(res.data, static_cast<int>(res.size)), 1);
    if (chunk == nullptr) std::fprintf(stderr, "tolvenar: cannot read sound %d: %s\n", id, Mix_GetError());
    return chunk;
}

// ALSA writes several lines of its own to standard error when there is no
// sound card; SDL loads the same library later, so a silent error handler
// set here keeps the message down to our one line.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (alsa == nullptr) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set != nullptr) set(IgnoreAlsaError);
    // The library stays loaded for SDL to use.
}

int LoadAndPlayMusic(void*) {
    Mix_Music* m = Mix_LoadMUS(musicPath.c_str());
    if (m == nullptr) {
        std::fprintf(stderr, "tolvenar: no music: cannot play %s: %s\n", musicPath.c_str(), Mix_GetError());
        return 1;
    }
    music = m;
    if (Mix_PlayMusic(m, -1) != 0) {
        std::fprintf(stderr, "tolvenar: no music: cannot play %s: %s\n", musicPath.c_str(), Mix_GetError());
        return 1;
    }
    return 0;
}

}  // namespace

void SoundInit() {
    QuietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "tolvenar: no sound or music: %s\n", SDL_GetError());
        return;
    }
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "tolvenar: no sound or music: no audio device (%s)\n", Mix_GetError());
        return;
    }
    audioOpen = true;
    // One effect channel: a new effect takes it over and cuts the old one off.
    Mix_AllocateChannels(1);
    Mix_Volume(EFFECT_CHANNEL, EFFECT_VOLUME);
    Mix_VolumeMusic(MUSIC_VOLUME);
    fire = LoadWave(WAVE_FIRE);
    land = LoadWave(WAVE_LAND);
}

void SoundPlayEffect(int waveId) {
    Mix_Chunk* chunk = waveId == WAVE_FIRE ? fire : waveId == WAVE_LAND ? land : nullptr;
    if (chunk != nullptr) Mix_PlayChannel(EFFECT_CHANNEL, chunk, 0);
}

int SoundStartMusic() {
    if (!audioOpen) return 1;  // already told at start-up
    const std::string path = FindInFolders(MusicFolders(), MUSIC_FILE_NAME);
    if (path.empty()) {
        std::fprintf(stderr, "tolvenar: no music: %s is not in the current folder, beside the program or in %s\n",
                     MUSIC_FILE_NAME, TOLVENAR_DATA_DIR);
        return 1;
    }
    const std::string fonts = ExistingSoundFonts(SoundFontCandidates());
    if (fonts.empty()) {
        std::fprintf(stderr, "tolvenar: no music: no General MIDI soundfont (install timgm6mb-soundfont)\n");
        return 1;
    }
    Mix_SetSoundFonts(fonts.c_str());
    musicPath = path;
    loader = SDL_CreateThread(LoadAndPlayMusic, "music", nullptr);
    if (loader == nullptr) return LoadAndPlayMusic(nullptr);
    return 0;
}

void SoundShutdown() {
    if (!audioOpen) return;
    if (loader != nullptr) SDL_WaitThread(loader, nullptr);
    loader = nullptr;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    if (music != nullptr) Mix_FreeMusic(music);
    if (fire != nullptr) Mix_FreeChunk(fire);
    if (land != nullptr) Mix_FreeChunk(land);
    music = nullptr;
    fire = land = nullptr;
    Mix_CloseAudio();
    audioOpen = false;
}
