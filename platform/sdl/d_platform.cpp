// The platform services the game asks for, on the desktop.
#include <ctime>

#include "desktop.h"
#include "platform.h"
#include "score_store.h"
#include "timers.h"

void ArmTimer(int id, uint32_t periodMs) {
    TimersArm(id, periodMs);
}

void StopTimer(int id) {
    TimersStop(id);
}

void RequestRepaint() {
    MarkRepaint();
}

void PlayEffectSound(int waveId) {
    // The rest of a frame cut short by closing the window stays silent.
    if (!QuitRequested()) SoundPlayEffect(waveId);
}

int StartMusic() {
    return SoundStartMusic();
}

int LoadHighScore() {
    return LoadScoreTelling(DefaultDataDir());
}

void SaveHighScore(int value) {
    SaveScoreTelling(DefaultDataDir(), value);
}

uint32_t StartupSeed() {
    return static_cast<uint32_t>(std::time(nullptr));
}
