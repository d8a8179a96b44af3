// The enemy vehicles, one function per type, all facing left.
#pragma once

#include "raster.h"

namespace art {

Picture DrawSpikedBuggy();
Picture DrawSiegeCart();
Picture DrawBallistaCart();
Picture DrawRocketSled();
Picture DrawMonowheel();
Picture DrawTanTank();
Picture DrawWalker();
Picture DrawWideGunTank();
Picture DrawLowTracked();
Picture DrawMissileLauncher();
Picture DrawHoverTank();

}  // namespace art
