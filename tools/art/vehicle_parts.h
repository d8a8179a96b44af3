// Parts shared by the enemy vehicles, all drawn facing left.
#pragma once

#include "raster.h"

namespace art {

// A small driver's head in a helmet, looking left; `top` is the helmet's crown.
void Driver(Sketch& s, float cx, float top, Rgb helmet);
// A rubber-tyred wheel with a metal hub.
void Wheel(Sketch& s, float cx, float cy, float r, Rgb hub);
// A caterpillar track from x0 to x1 between y0 and y1, with road wheels.
void Track(Sketch& s, float x0, float x1, float y0, float y1, int wheels);
// A gun barrel from the muzzle (x0) back to x1, centred on y.
void Barrel(Sketch& s, float x0, float x1, float y, float thickness, Rgb metal);
// Vertical shading of a part: lighter on top, darker below, clipped to what is painted.
void Relief(Sketch& s, const Shape& part, float y0, float y1, float strength = 1);
// Finishes a vehicle: resolve and ink the silhouette.
Picture FinishVehicle(const Sketch& s);

}  // namespace art
