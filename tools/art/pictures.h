// The game's 36 pictures, by slot (resource id - 101). Each Draw function is
// the editable source of one picture; the right-facing sprites are made by
// mirroring, never drawn.
#pragma once

#include <string>

#include "raster.h"

namespace art {

constexpr int PICTURE_COUNT = 36;
constexpr int VEHICLE_TYPES = 11;  // ten that drive, and the hover tank that never comes

struct PictureInfo {
    const char* file;  // name in resources/bitmaps
    int w, h;
    bool keyed;        // drawn with the transparent red key
};
const PictureInfo& Info(int slot);
Picture MakePicture(int slot);

Picture DrawCannon();           // facing left
Picture DrawGround();
Picture DrawBackground();
Picture DrawBall(int frame);    // 0..3: spark at bottom, left, top, right
Picture DrawFireball(int size); // 0..2: small, larger, full
Picture DrawBurst(int frame);   // 0..1
Picture DrawVehicle(int type);  // facing left
Picture DrawLife();

// Moves everything opaque by whole pixels so that its bounds are centred
// across the box (and down it, when `vertically`).
void CentreInBox(Picture& p, bool vertically);

}  // namespace art
