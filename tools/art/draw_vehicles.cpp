#include "pictures.h"
#include "vehicles.h"

namespace art {

Picture DrawVehicle(int type) {
    switch (type) {
        case 0: return DrawSpikedBuggy();
        case 1: return DrawSiegeCart();
        case 2: return DrawBallistaCart();
        case 3: return DrawRocketSled();
        case 4: return DrawMonowheel();
        case 5: return DrawTanTank();
        case 6: return DrawWalker();
        case 7: return DrawWideGunTank();
        case 8: return DrawLowTracked();
        case 9: return DrawMissileLauncher();
        default: return DrawHoverTank();
    }
}

}  // namespace art
