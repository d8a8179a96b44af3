// The armoured enemy vehicles, facing left: two tanks, the walker, the low
// tracked carrier, the missile launcher and the hover tank.
#include <cmath>

#include "palette.h"
#include "vehicle_parts.h"
#include "vehicles.h"

namespace art {

namespace {

constexpr Rgb OLIVE = RGB(104, 122, 66);

// Hull and turret of a tank, with the driver standing in the turret hatch.
struct TankLook {
    Rgb paint;
    float hullTop, trackTop, bottom;  // y of the hull's deck, the tracks' top, the ground
    float turretX0, turretX1, turretTop;
    float width;
};

void TankBody(Sketch& s, const TankLook& t, float driverX, Rgb helmet) {
    Driver(s, driverX, t.turretTop - 6.2f, helmet);
    const Shape hull = Poly({{1.5f, t.trackTop + 0.5f}, {5, t.hullTop}, {t.width - 3, t.hullTop}, {t.width - 0.5f, t.trackTop + 0.5f}});
    s.Fill(hull, t.paint);
    Relief(s, hull, t.hullTop, t.trackTop + 0.5f);
    const Shape turret = Poly({{t.turretX0, t.hullTop}, {t.turretX0 + 2.5f, t.turretTop}, {t.turretX1 - 2, t.turretTop}, {t.turretX1, t.hullTop}});
    s.Fill(turret, t.paint);
    Relief(s, turret, t.turretTop, t.hullTop, 1.2f);
    s.Fill(Box(t.turretX1 - 5, t.turretTop - 1, t.turretX1 - 1, t.turretTop), Scale(t.paint, 0.7f));  // open hatch
    Track(s, 1, t.width - 1, t.trackTop, t.bottom, 5);
}

}  // namespace

// Type 5: a tan armoured tank.
Picture DrawTanTank() {
    Sketch s(35, 26);
    const TankLook look{RGB(200, 172, 118), 12, 17.5f, 26, 11, 29, 6.5f, 35};
    Barrel(s, 0, 14, 9.2f, 2.6f, RGB(150, 130, 90));
    TankBody(s, look, 23, OLIVE);
    s.Fill(Box(16, 8, 18.5f, 10.5f), RGB(120, 100, 66));  // vision slit
    return FinishVehicle(s);
}

// Type 6: a two-legged walker, purple legs under a grey cockpit.
Picture DrawWalker() {
    Sketch s(33, 33);
    const Rgb purple = RGB(140, 62, 176), purpleDark = RGB(92, 40, 120);
    // Two bird-like legs with the knees bent back, in mid-stride: the far
    // one darker and behind, the near one forward.
    auto leg = [&](float hx, Rgb c, Rgb joint) {
        s.Fill(Polyline({{hx, 14}, {hx + 4.5f, 21}, {hx, 28.5f}}, 3.6f), c);
        s.Fill(Poly({{hx - 5, 33}, {hx - 3.5f, 29.5f}, {hx + 2.5f, 28}, {hx + 4.5f, 33}}), c);  // foot, toes forward
        s.Fill(Circle(hx + 4.5f, 21, 1.9f), joint);
    };
    leg(21.5f, purpleDark, RGB(96, 96, 100));
    leg(13.5f, purple, STEEL);
    s.Shade(Polyline({{12.8f, 14.6f}, {17.0f, 20.4f}}, 1.1f), RGB(214, 160, 236), 0.6f);
    // Cockpit pod with an open top, the driver in it, and a gun under its chin.
    Driver(s, 18, 0.6f, OLIVE);
    const Shape pod = Poly({{3, 10}, {6, 6.5f}, {28, 6.5f}, {31, 10}, {28, 16}, {7, 16}});
    s.Fill(pod, RGB(128, 134, 124));
    Relief(s, pod, 6.5f, 16);
    s.Fill(Box(9, 8.5f, 13, 11), RGB(60, 170, 200));  // sensor eye
    s.Shade(Box(9.5f, 8.8f, 11, 9.8f), WHITE, 0.7f);
    Barrel(s, 0, 8, 13.4f, 2.6f, IRON);
    return FinishVehicle(s);
}

// Type 7: a blue-grey tank with a wide gun.
Picture DrawWideGunTank() {
    Sketch s(35, 31);
    const TankLook look{RGB(108, 128, 152), 16, 22, 31, 12, 31, 8.5f, 35};
    // A short, fat barrel with a broad muzzle.
    s.Fill(Box(2, 9.5f, 14, 14.5f), Linear(0, 9.5f, RGB(150, 166, 186), 0, 14.5f, RGB(58, 68, 84)));
    s.Fill(RoundBox(0, 8, 4.5f, 16, 1), Linear(0, 8, RGB(150, 166, 186), 0, 16, RGB(50, 58, 74)));
    s.Fill(Box(0, 10.6f, 1.2f, 13.4f), IRON_DARK);
    TankBody(s, look, 25, OLIVE);
    s.Fill(Box(15, 11, 18, 13), RGB(56, 66, 82));  // mantlet bolt line
    return FinishVehicle(s);
}

// Type 8: a low green tracked carrier.
Picture DrawLowTracked() {
    Sketch s(35, 21);
    const Rgb green = RGB(92, 138, 70);
    Driver(s, 21, 2, RGB(70, 96, 50));
    s.Fill(RoundBox(16, 7.4f, 26, 10.5f, 1), Scale(green, 0.8f));  // cupola ring
    Barrel(s, 7, 17, 8.6f, 1.8f, IRON);                            // machine gun
    const Shape hull = Poly({{0.8f, 13.5f}, {5, 9.5f}, {31, 9.5f}, {34.5f, 13.5f}});
    s.Fill(hull, green);
    Relief(s, hull, 9.5f, 13.5f);
    Track(s, 0.5f, 34.5f, 13, 21, 6);
    return FinishVehicle(s);
}

// Type 9: a grey tracked launcher carrying a red missile.
Picture DrawMissileLauncher() {
    Sketch s(32, 31);
    const Rgb grey = RGB(128, 130, 134);
    // The missile on its rail, raised towards the front.
    s.Fill(Polyline({{28, 16}, {15, 8}}, 2.0f), IRON);
    const float ax = 30.5f, ay = 12.5f, bx = 12.0f, by = 2.8f;  // tail and nose
    const float dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
    const float ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
    const float r = 2.3f;
    auto at = [&](float along, float side) { return Pt{ax + ux * along + nx * side, ay + uy * along + ny * side}; };
    s.Fill(Poly({at(0, -r - 2.2f), at(4, -r), at(4, r), at(0, r + 2.2f)}), RGB(70, 72, 78));  // tail fins
    const Shape missile = Poly({at(1, -r), at(len - 4, -r), at(len, 0), at(len - 4, r), at(1, r)});
    s.Fill(missile, RGB(204, 40, 36));
    s.Fill(Poly({at(len - 4.2f, -r), at(len, 0), at(len - 4.2f, r)}), RGB(236, 232, 224));
    s.Shade(Poly({at(2, -r), at(len - 5, -r), at(len - 5, -r + 1.2f), at(2, -r + 1.2f)}), RGB(255, 180, 170), 0.5f);
    // Cab at the front with the driver behind a window, hull over the tracks.
    Driver(s, 8, 5.5f, OLIVE);
    const Shape cab = Poly({{2, 16}, {3, 11}, {12.5f, 11}, {13, 16}});
    s.Fill(cab, grey);
    s.Fill(Box(3.5f, 12, 6.5f, 14.5f), RGB(150, 200, 230));
    const Shape hull = Poly({{1, 22.5f}, {2, 15.5f}, {30.5f, 15.5f}, {31.5f, 22.5f}});
    s.Fill(hull, grey);
    Relief(s, Union(cab, hull), 11, 22.5f);
    Track(s, 0.5f, 31.5f, 22, 31, 5);
    return FinishVehicle(s);
}

// Slot 23: a green hover tank riding on a cushion of air.
Picture DrawHoverTank() {
    Sketch s(39, 29);
    const Rgb green = RGB(70, 150, 92);
    // The air cushion, blowing dust down to the ground.
    for (int i = 0; i < 7; i++) {
        const float x = 5 + float(i) * 4.8f;
        s.Fill(Ellipse(x, 26.5f, 3.4f, 2.6f), Radial(x, 25, 4, RGB(226, 244, 250), RGB(150, 200, 220)));
    }
    Barrel(s, 0, 16, 8.8f, 2.4f, RGB(90, 110, 96));
    Driver(s, 26, 0.4f, RGB(60, 100, 64));
    const Shape turret = Poly({{14, 12.5f}, {16.5f, 6.5f}, {29.5f, 6.5f}, {32, 12.5f}});
    s.Fill(turret, green);
    Relief(s, turret, 6.5f, 12.5f, 1.2f);
    const Shape hull = Poly({{2, 19}, {7, 12}, {34, 12}, {38, 19}, {35, 21}, {5, 21}});
    s.Fill(hull, green);
    Relief(s, hull, 12, 21);
    s.Fill(Box(9, 15, 31, 16), Scale(green, 0.7f));           // panel seam
    s.Fill(RoundBox(3, 19.5f, 37, 24, 2), RGB(46, 52, 56));   // skirt
    s.Fill(Box(6, 21, 34, 22), RGB(92, 210, 240));            // glowing vents
    return FinishVehicle(s);
}

}  // namespace art
