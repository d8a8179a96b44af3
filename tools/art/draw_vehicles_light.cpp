// The lighter enemy vehicles, facing left: the spiked buggy, the siege cart,
// the ballista cart, the rocket sled and the single-wheel machine.
#include <cmath>

#include "palette.h"
#include "vehicle_parts.h"
#include "vehicles.h"

namespace art {

namespace {

constexpr Rgb OLIVE = RGB(104, 122, 66);

void Spike(Sketch& s, Pt base0, Pt base1, Pt tip) {
    s.Fill(Poly({base0, tip, base1}), Linear(tip.x, tip.y, STEEL_LIGHT, base0.x, base0.y, RGB(120, 124, 130)));
}

void WoodenWheel(Sketch& s, float cx, float cy, float r) {
    s.Fill(Circle(cx, cy, r), WOOD_DARK);
    s.Fill(Circle(cx, cy, r - 1.3f), RGB(110, 72, 38));
    for (int i = 0; i < 4; i++) {
        const float a = 3.14159265f * float(i) / 4;
        const float dx = std::cos(a) * (r - 1.2f), dy = std::sin(a) * (r - 1.2f);
        s.Fill(Segment({cx - dx, cy - dy}, {cx + dx, cy + dy}, 1.3f), WOOD_LIGHT);
    }
    s.Fill(Circle(cx, cy, 1.5f), IRON);
}

// Planks: a wooden box with grain and dark seams every `plank` pixels down.
void Planks(Sketch& s, const Shape& part, float y0, float plank) {
    s.Fill(part, WOOD);
    for (float y = y0 + plank; y < part.y1; y += plank) s.Shade(Box(part.x0, y - 0.5f, part.x1, y + 0.5f), WOOD_DARK, 0.8f);
    s.Shade(Box(part.x0, y0, part.x1, y0 + 1), WOOD_LIGHT, 0.7f);
}

}  // namespace

// Type 0: a spiked grey armoured buggy on three wheels.
Picture DrawSpikedBuggy() {
    Sketch s(36, 30);
    const Rgb armour = RGB(138, 142, 148);
    // Roll bar behind the driver.
    s.Fill(Polyline({{27, 13}, {26, 4.5f}, {21.5f, 3.5f}}, 1.8f), IRON);
    Driver(s, 20, 4, OLIVE);
    const Shape hull = Poly({{2.5f, 22}, {3.5f, 16}, {10, 12.5f}, {34, 12}, {35.5f, 15}, {35, 23}, {3, 23.5f}});
    s.Fill(hull, armour);
    Relief(s, hull, 12, 23.5f);
    // Windscreen frame and armour plates with rivets.
    s.Fill(Polyline({{11, 12.8f}, {14.5f, 6.5f}}, 1.6f), IRON);
    s.Fill(Box(14, 16, 15, 22), RGB(96, 100, 106));
    s.Fill(Box(25, 16, 26, 22), RGB(96, 100, 106));
    for (float x : {6.0f, 11.0f, 18.5f, 22.0f, 29.5f, 32.5f}) s.Fill(Circle(x, 18.5f, 0.7f), STEEL_LIGHT);
    // Spikes on the ram at the front and along the back.
    s.Fill(Box(3, 14, 5.5f, 23), IRON);  // ram plate
    for (float y : {15.2f, 18.6f, 22.0f}) Spike(s, {4.5f, y - 1.8f}, {4.5f, y + 1.8f}, {0.1f, y});
    for (float x : {8.5f, 30.0f, 34.0f}) Spike(s, {x - 1.9f, 12.8f}, {x + 1.9f, 12.4f}, {x - 0.4f, 7.2f});
    for (float x : {7.0f, 18.0f, 29.5f}) Spike(s, {x - 1.6f, 21.6f}, {x + 1.6f, 21.6f}, {x, 18.6f});
    // Three wheels along the ground.
    for (float x : {7.0f, 18.0f, 29.5f}) Wheel(s, x, 25.4f, 4.6f, RGB(170, 150, 90));
    return FinishVehicle(s);
}

// Type 1: a wooden siege cart under a plank roof, swinging an iron-capped ram.
Picture DrawSiegeCart() {
    Sketch s(35, 31);
    // Posts and roof.
    s.Fill(Box(6.5f, 6, 8.8f, 20), WOOD_DARK);
    s.Fill(Box(29, 6, 31.3f, 20), WOOD_DARK);
    Driver(s, 21.5f, 7.4f, RGB(150, 156, 164));
    const Shape roof = Poly({{5, 7.5f}, {12, 0.5f}, {28, 0.5f}, {35, 7.5f}});
    Planks(s, roof, 0.5f, 2.4f);
    s.Fill(Box(4.5f, 6.6f, 35, 8.0f), WOOD_DARK);  // eaves beam
    // The ram: a log on two ropes, with an iron head.
    s.Fill(Segment({10, 8}, {11, 13.5f}, 0.9f), RGB(210, 190, 140));
    s.Fill(Segment({29, 8}, {28, 13.5f}, 0.9f), RGB(210, 190, 140));
    const Shape log = RoundBox(3, 12.6f, 33, 17.2f, 2.2f);
    s.Fill(log, Linear(0, 12.6f, RGB(170, 118, 64), 0, 17.2f, RGB(104, 66, 34)));
    s.Fill(Box(14, 12.6f, 15.2f, 17.2f), IRON);
    s.Fill(Box(26, 12.6f, 27.2f, 17.2f), IRON);
    s.Fill(Poly({{0.2f, 14.9f}, {2.2f, 11.8f}, {6.5f, 11.6f}, {6.5f, 18.0f}, {2.2f, 17.8f}}),
           Linear(0, 11.5f, STEEL_LIGHT, 0, 18, IRON_DARK));
    // The cart's bed and its two wheels.
    Planks(s, Box(2, 18, 34, 23.5f), 18, 2.8f);
    WoodenWheel(s, 9, 25.6f, 5.4f);
    WoodenWheel(s, 27, 25.6f, 5.4f);
    return FinishVehicle(s);
}

// Type 2: a small wooden cart with a ballista aimed forward.
Picture DrawBallistaCart() {
    Sketch s(33, 24);
    Driver(s, 27, 2.2f, OLIVE);
    // Stock on a post, the bolt in its groove, and the bow's two arms with the string.
    s.Fill(Box(15, 9, 17.5f, 14), WOOD_DARK);
    s.Fill(Polyline({{4, 8.2f}, {25, 10.2f}}, 2.6f), WOOD);
    s.Fill(Polyline({{11.5f, 1.2f}, {8.6f, 3.6f}, {7.8f, 8.5f}, {8.6f, 13.2f}, {11.5f, 15.4f}}, 1.7f), WOOD_LIGHT);
    s.Fill(Segment({11.5f, 1.2f}, {22.5f, 9.4f}, 0.8f), RGB(230, 220, 190));
    s.Fill(Segment({11.5f, 15.4f}, {22.5f, 9.8f}, 0.8f), RGB(230, 220, 190));
    s.Fill(Segment({3, 7.2f}, {22, 8.9f}, 1.1f), RGB(200, 170, 120));
    s.Fill(Poly({{0.2f, 6.9f}, {3.6f, 5.3f}, {3.2f, 8.9f}}), STEEL_LIGHT);
    // Bed and wheels.
    Planks(s, Box(2, 13, 31.5f, 18.6f), 13, 2.8f);
    WoodenWheel(s, 8.2f, 19.4f, 4.6f);
    WoodenWheel(s, 25.2f, 19.4f, 4.6f);
    return FinishVehicle(s);
}

// Type 3: a red and blue rocket on skids, no wheels.
Picture DrawRocketSled() {
    Sketch s(34, 25);
    const Rgb red = RGB(206, 38, 36), blue = RGB(44, 82, 196);
    // Exhaust flame at the back.
    s.Fill(Poly({{28, 11.5f}, {34, 15}, {28, 18.5f}}), Linear(28, 0, RGB(255, 240, 160), 34, 0, RGB(250, 140, 30)));
    // Fins, then the body with its stripes and nose.
    s.Fill(Poly({{22, 11}, {27.5f, 5.5f}, {30, 5.5f}, {29, 12}}), blue);
    const Shape body = Union(Box(6, 10, 29, 20), Ellipse(6.5f, 15, 6.3f, 5));
    s.Fill(body, red);
    s.Fill(Intersect(body, Box(0, 0, 6.5f, 25)), blue);
    s.Fill(Box(15, 10, 17.5f, 20), blue);
    s.Fill(Box(26, 10, 29, 20), blue);
    Relief(s, body, 10, 20, 1.3f);
    s.Fill(Poly({{22, 19}, {28, 23}, {30, 23}, {29, 18}}), blue);
    // Cockpit with a glass screen in front of the driver.
    Driver(s, 21.5f, 2.6f, RGB(236, 236, 230));
    s.Fill(Poly({{12.5f, 10.5f}, {16.5f, 5.5f}, {18, 5.5f}, {18, 10.5f}}), RGB(150, 200, 230));
    s.Shade(Poly({{14, 10}, {16.6f, 6.6f}, {17.2f, 6.6f}, {15, 10}}), WHITE, 0.7f);
    // Struts and runners curling up at the front.
    s.Fill(Box(10, 19, 11.5f, 23), IRON);
    s.Fill(Box(24, 19, 25.5f, 23), IRON);
    s.Fill(Polyline({{1.2f, 19.2f}, {2.6f, 22.9f}, {5.5f, 23.9f}, {33, 23.9f}}, 2.2f), STEEL);
    return FinishVehicle(s);
}

// Type 4: an orange machine balanced on one big wheel.
Picture DrawMonowheel() {
    Sketch s(31, 29);
    const Rgb orange = RGB(236, 128, 32);
    Wheel(s, 15.5f, 19.5f, 9.5f, orange);
    // Fork from the hub up to the cab.
    s.Fill(Segment({15.5f, 19.5f}, {11, 12}, 2.2f), Scale(orange, 0.7f));
    s.Fill(Segment({15.5f, 19.5f}, {20, 12}, 2.2f), Scale(orange, 0.7f));
    s.Fill(Circle(15.5f, 19.5f, 2.6f), Radial(14.8f, 18.8f, 3, Scale(orange, 1.2f), Scale(orange, 0.7f)));
    s.Fill(Circle(15.5f, 19.5f, 0.9f), IRON_DARK);
    // Treads on the tyre.
    for (int i = 0; i < 12; i++) {
        const float a = 3.14159265f * float(i) / 6;
        s.Fill(Circle(15.5f + std::cos(a) * 9.1f, 19.5f + std::sin(a) * 9.1f, 0.8f), RGB(70, 68, 64));
    }
    // Mudguard and cab over the wheel.
    const Shape guard = Intersect(Ring(15.5f, 19.5f, 12, 10.2f), Box(0, 0, 31, 19));
    s.Fill(guard, Scale(orange, 0.85f));
    Driver(s, 17.5f, 1, OLIVE);
    const Shape cab = Poly({{4, 14}, {6.5f, 8}, {26, 8}, {28, 12}, {26, 14.5f}});
    s.Fill(cab, orange);
    Relief(s, cab, 8, 14.5f);
    s.Fill(Box(8, 9.5f, 10, 12), RGB(70, 40, 16));  // vent
    Barrel(s, 0, 6, 11.2f, 2.8f, IRON);
    s.Fill(Polyline({{27, 11}, {30, 7}, {30, 4}}, 1.6f), IRON);  // exhaust pipe
    return FinishVehicle(s);
}

}  // namespace art
