// Draws the plug-in's pictures: icons, cube-face labels, side images, the settings header, the
// dome logo and the XY pad maps.
// Usage: ovrin_resgen OUTDIR REGULAR_FONT BOLD_FONT
#include "canvas.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

using namespace resgen;

namespace {

constexpr float pi = std::numbers::pi_v<float>;

const Color orange{1.0f, 0.55f, 0.10f};
const Color white{1, 1, 1};
const Color ink{0.11f, 0.12f, 0.15f};
const Color grey{0.50f, 0.50f, 0.52f};
const Color night{0.07f, 0.13f, 0.26f};
const Color sky{0.35f, 0.62f, 0.92f};

struct Fonts {
    std::string regular, bold;
};

// One colour per cube face (left, right, down, up, back, front), shared by labels and sides.
struct FaceStyle {
    const char* letter;
    Color color;
};
const FaceStyle faceStyles[6] = {
    {"L", {0.20f, 0.42f, 0.85f}}, {"R", {0.85f, 0.25f, 0.22f}}, {"D", {0.55f, 0.40f, 0.22f}},
    {"U", {0.30f, 0.70f, 0.90f}}, {"B", {0.55f, 0.30f, 0.75f}}, {"F", {0.25f, 0.65f, 0.30f}},
};

// ---- icons (32 × 32, transparent) ----

Canvas TagIcon(Color base) {
    Canvas c(32, 32);
    const P m{16, 16};
    c.fill([&](P p) { return circle(p, m, 14.5f); }, base);
    c.fill([&](P p) { return ring(p, m, 9.0f, 2.0f); }, white);
    c.fill([&](P p) { return circle(p, m, 3.0f); }, white);
    return c;
}

Canvas FisheyeIcon() {
    Canvas c(32, 32);
    const P m{16, 16};
    c.fill([&](P p) { return circle(p, m, 14.5f); }, night);
    for (float r : {5.0f, 10.0f})
        c.fill([&](P p) { return ring(p, m, r, 1.2f); }, sky);
    for (int i = 0; i < 4; ++i) {
        const float a = float(i) * pi / 4;
        const P e0{m.x + 13 * std::cos(a), m.y + 13 * std::sin(a)};
        const P e1{m.x - 13 * std::cos(a), m.y - 13 * std::sin(a)};
        c.fill([&](P p) { return segment(p, e0, e1, 1.2f); }, sky);
    }
    c.fill([&](P p) { return ring(p, m, 14.0f, 1.5f); }, orange);
    return c;
}

Canvas PanoramaIcon() {
    Canvas c(32, 32);
    const P lo{1, 8}, hi{31, 24};
    c.fill([&](P p) { return box(p, lo, hi, 2); }, night);
    for (float x : {8.5f, 16.0f, 23.5f})
        c.fill([&](P p) { return segment(p, {x, 9}, {x, 23}, 1.2f); }, sky);
    c.fill([&](P p) { return segment(p, {2, 16}, {30, 16}, 1.5f); }, orange);
    c.fill([&](P p) { return std::abs(box(p, lo, hi, 2)) - 0.6f; }, white);
    return c;
}

Canvas CylinderIcon() {
    Canvas c(32, 32);
    const float x0 = 7, x1 = 25, top = 8, bottom = 24, ry = 3.5f;
    const P ct{16, top}, cb{16, bottom};
    c.fill([&](P p) { return ellipse(p, cb, 9, ry); }, night);
    c.fill([&](P p) { return box(p, {x0, top}, {x1, bottom}); }, night);
    for (float x : {11.0f, 16.0f, 21.0f})
        c.fill([&](P p) { return segment(p, {x, top + 3}, {x, bottom + 2.5f}, 1.2f); }, sky);
    c.fill([&](P p) { return ellipse(p, ct, 9, ry); }, sky);
    c.fill([&](P p) { return std::abs(ellipse(p, ct, 9, ry)) - 0.6f; }, white);
    c.fill([&](P p) { return segment(p, {x0, top}, {x0, bottom}, 1.2f); }, white);
    c.fill([&](P p) { return segment(p, {x1, top}, {x1, bottom}, 1.2f); }, white);
    c.fill([&](P p) { return p.y < bottom ? 1e9f : std::abs(ellipse(p, cb, 9, ry)) - 0.6f; },
           white);
    return c;
}

Canvas SkyboxIcon() {
    Canvas c(32, 32);
    const float s = 7.5f, x0 = 1, y0 = 4.75f;
    auto cell = [&](int col, int row, Color color) {
        const P lo{x0 + col * s + 0.5f, y0 + row * s + 0.5f};
        const P hi{x0 + (col + 1) * s - 0.5f, y0 + (row + 1) * s - 0.5f};
        c.fill([&](P p) { return box(p, lo, hi, 1); }, color);
    };
    cell(1, 0, faceStyles[3].color);
    cell(0, 1, faceStyles[0].color);
    cell(1, 1, faceStyles[5].color);
    cell(2, 1, faceStyles[1].color);
    cell(3, 1, faceStyles[4].color);
    cell(1, 2, faceStyles[2].color);
    return c;
}

Canvas HelpIcon(const Fonts& f) {
    Canvas c(32, 32);
    c.fill([&](P p) { return circle(p, {16, 16}, 14.5f); }, orange);
    c.text("?", 16, 16, 24, f.bold, white, true);
    return c;
}

Canvas ExamplesIcon() {
    Canvas c(32, 32);
    const P lo{6, 3}, hi{26, 29};
    c.fill([&](P p) { return box(p, lo, hi, 2); }, white);
    c.fill([&](P p) { return std::abs(box(p, lo, hi, 2)) - 0.6f; }, grey);
    c.fill([&](P p) { return std::max(circle(p, {16, 20}, 7), p.y - 20.0f); }, orange);
    c.fill([&](P p) { return segment(p, {8.5f, 20}, {23.5f, 20}, 1.2f); }, ink);
    for (float y : {7.0f, 10.0f})
        c.fill([&](P p) { return segment(p, {9, y}, {23, y}, 1.2f); }, grey);
    return c;
}

// ---- face pictures ----

Canvas FaceTile(int size, int face, const Fonts& f) {
    Canvas c(size, size, ink);
    const float inset = float(size) * 0.06f;
    const P lo{inset, inset}, hi{size - inset, size - inset};
    if (face < 0) {
        c.fill([&](P p) { return std::abs(box(p, lo, hi, inset)) - 0.5f; }, grey);
        return c;
    }
    const FaceStyle& st = faceStyles[face];
    c.fill([&](P p) { return box(p, lo, hi, inset); }, st.color);
    c.text(st.letter, size * 0.5f, size * 0.5f, int(size * 0.6f), f.bold, white, true);
    return c;
}

// ---- header and logo ----

Canvas Header(const Fonts& f) {
    Canvas c(400, 64);
    c.vgradient({0.16f, 0.17f, 0.21f}, {0.08f, 0.08f, 0.10f});
    const P dome{36, 56};
    c.fill([&](P p) { return std::max(circle(p, dome, 24), p.y - dome.y); }, night);
    for (float r : {8.0f, 16.0f})
        c.fill([&](P p) { return std::max(ring(p, dome, r, 1.2f), p.y - dome.y); }, sky);
    c.fill([&](P p) { return std::max(ring(p, dome, 24, 2.5f), p.y - dome.y); }, orange);
    c.text("Ovrin360Cam", 72, 34, 26, f.bold, white, false);
    c.text("dome, fisheye, panorama, cylinder, cubemap, stereo", 73, 52, 11, f.regular,
           {0.75f, 0.75f, 0.78f}, false);
    return c;
}

Canvas Logo(const Fonts& f) {
    Canvas c(256, 256);
    const P m{128, 128};
    c.fill([&](P p) { return circle(p, m, 120); }, ink.withAlpha(0.85f));
    c.fill([&](P p) { return ring(p, m, 112, 10); }, white);
    // An orange arc over the upper half, like the dome's horizon seen from inside.
    c.fill([&](P p) { return std::max(ring(p, m, 96, 8), p.y - m.y); }, orange);
    c.text("360", m.x, m.y + 8, 84, f.bold, white, true);
    return c;
}

// ---- XY pad maps ----

Canvas DomeMap() {
    Canvas c(100, 100, {0.10f, 0.10f, 0.12f});
    const P m{50, 50};
    c.fill([&](P p) { return circle(p, m, 49.5f); }, night);
    for (float r : {16.5f, 33.0f})
        c.fill([&](P p) { return ring(p, m, r, 1.0f); }, sky.withAlpha(0.7f));
    for (int i = 0; i < 4; ++i) {
        const float a = float(i) * pi / 4;
        const P e0{m.x + 49 * std::cos(a), m.y + 49 * std::sin(a)};
        const P e1{m.x - 49 * std::cos(a), m.y - 49 * std::sin(a)};
        c.fill([&](P p) { return segment(p, e0, e1, 1.0f); }, sky.withAlpha(0.7f));
    }
    c.fill([&](P p) { return ring(p, m, 49.0f, 1.5f); }, orange);
    c.fill([&](P p) { return circle(p, m, 2.0f); }, white);
    return c;
}

Canvas PanoramaMap() {
    Canvas c(200, 100, night);
    for (int i = 1; i < 8; ++i) { // every 45° of longitude
        const float x = float(i) * 25.0f;
        c.fill([&](P p) { return segment(p, {x, 0}, {x, 100}, 1.0f); }, sky.withAlpha(0.7f));
    }
    for (int i = 1; i < 6; ++i) { // every 30° of latitude
        const float y = float(i) * 100.0f / 6.0f;
        const Color line = i == 3 ? orange : sky.withAlpha(0.7f);
        c.fill([&](P p) { return segment(p, {0, y}, {200, y}, i == 3 ? 1.5f : 1.0f); }, line);
    }
    c.fill([&](P p) { return circle(p, {100, 50}, 2.0f); }, white);
    return c;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUTDIR REGULAR_FONT BOLD_FONT\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const Fonts fonts{argv[2], argv[3]};

    struct Picture {
        std::string name;
        std::function<Canvas()> draw;
        bool opaque = false;
    };
    std::vector<Picture> pictures = {
        {"ovrintag.tif", [] { return TagIcon(orange); }},
        {"ovrintag_off.tif", [] { return TagIcon(grey); }},
        {"ovrintag_fish.tif", FisheyeIcon},
        {"ovrintag_pano.tif", PanoramaIcon},
        {"ovrintag_cylindrical.tif", CylinderIcon},
        {"ovrintag_skybox.tif", SkyboxIcon},
        {"help.tif", [&] { return HelpIcon(fonts); }},
        {"c4dapp.tif", ExamplesIcon},
        {"cubemap_none.png", [&] { return FaceTile(40, -1, fonts); }, true},
        {"header.png", [&] { return Header(fonts); }, true},
        {"Ovrin360Cam.png", [&] { return Logo(fonts); }},
        {"map_dome.png", DomeMap, true},
        {"map_pano.png", PanoramaMap, true},
    };
    for (int face = 0; face < 6; ++face) {
        const std::string letter = faceStyles[face].letter;
        pictures.push_back(
            {"cubemap_" + letter + ".png", [&, face] { return FaceTile(40, face, fonts); }, true});
    }
    // The side images in the order the tag loads them: front, back, left, right, up, down.
    for (int face : {5, 4, 0, 1, 3, 2}) {
        const std::string letter = faceStyles[face].letter;
        pictures.push_back(
            {"side_" + letter + ".png", [&, face] { return FaceTile(64, face, fonts); }, true});
    }

    int failures = 0;
    for (const Picture& pic : pictures) {
        const std::string path = dir + "/" + pic.name;
        const Canvas canvas = pic.draw();
        if (!canvas.ok()) {
            std::fprintf(stderr, "ovrin_resgen: cannot draw the text of %s (fonts %s, %s)\n",
                         pic.name.c_str(), fonts.regular.c_str(), fonts.bold.c_str());
            ++failures;
        } else if (!canvas.write(path, pic.opaque)) {
            std::fprintf(stderr, "ovrin_resgen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
