// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Draws the window's starfield and icon from a fixed seed, so every build embeds the same
// pictures. Usage: make_images PICTURES.cpp [ICON_FOLDER SIZE...] | make_images ICON.ico SIZE...
// PICTURES.cpp holds the pixels of both for the program; ICON_FOLDER receives the icon at
// each SIZE, as icon-SIZE.bmp, for the desktop's icon theme. ICON.ico holds the icon at
// every SIZE for the Windows program's resources.
//
// The starfield uses 32 colours in two interleaved sets of 16 levels: greys (16k, 16k, 16k)
// and faint violets (16k+15, 16k+8, 16k+15). Four pixels in five stay black; the rest are a
// faint speckle spread evenly over the field and about 270 small stars.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "assets/images/pictures.h"

namespace {

using runeshot::iconSize;
using runeshot::starfieldHeight;
using runeshot::starfieldWidth;
constexpr int starCount = 270;
constexpr double blackShare = 0.8;
// Share of speckle pixels bright enough to pass a quarter of full intensity; with the
// stars it makes about one pixel in sixty a bright one.
constexpr double brightSpeckleShare = 0.065;

class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed) {}
    double unit() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / 16777216.0;
    }
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    std::uint32_t state_;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

Rgb level(int k, bool violet) {
    const int v = 16 * k;
    if (!violet) return {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)};
    return {std::uint8_t(v + 15), std::uint8_t(v + 8), std::uint8_t(v + 15)};
}

bool isBlack(const Rgb& c) { return c.r == 0 && c.g == 0 && c.b == 0; }

void put16(std::string& out, unsigned v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void put32(std::string& out, unsigned v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::string bmpHeader(int width, int height, int rowBytes) {
    const unsigned pixelOffset = 14 + 40;
    const unsigned imageSize = unsigned(rowBytes) * unsigned(height);
    std::string out = "BM";
    put32(out, pixelOffset + imageSize);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, 40);
    put32(out, unsigned(width));
    put32(out, unsigned(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 3780);  // 96 dots per inch
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    return out;
}

bool writeFile(const char* path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

std::vector<Rgb> drawStarfield() {
    std::vector<Rgb> field(starfieldWidth * starfieldHeight);
    Rng rng(0x52554E45u);
    auto at = [&](int x, int y) -> Rgb& { return field[y * starfieldWidth + x]; };

    // A star is a bright core with a few dimmer pixels clinging to it; small stars are the
    // most common.
    int starPixels = 0;
    for (int s = 0; s < starCount; ++s) {
        const int cx = 1 + rng.below(starfieldWidth - 2);
        const int cy = 1 + rng.below(starfieldHeight - 2);
        const double u = rng.unit();
        const int size = 1 + static_cast<int>(u * u * 12);
        const bool violet = rng.unit() < 0.5;
        const int core = 10 + rng.below(6);
        int x = cx, y = cy;
        for (int p = 0; p < size; ++p) {
            const int fade = std::min(core - 2, p == 0 ? 0 : 3 + rng.below(5));
            const Rgb colour = level(core - fade, violet);
            Rgb& pixel = at(x, y);
            if (isBlack(pixel)) ++starPixels;
            // A dim pixel never covers a brighter one, the star's own core included.
            if (pixel.r < colour.r) pixel = colour;
            x = std::clamp(cx + rng.below(3) - 1, 0, starfieldWidth - 1);
            y = std::clamp(cy + rng.below(3) - 1, 0, starfieldHeight - 1);
            if (p >= 8) {
                x = std::clamp(x + rng.below(3) - 1, 0, starfieldWidth - 1);
                y = std::clamp(y + rng.below(3) - 1, 0, starfieldHeight - 1);
            }
        }
    }

    // The speckle fills the black that the stars left up to one pixel in five.
    const int total = starfieldWidth * starfieldHeight;
    const double speckleChance =
        ((1.0 - blackShare) * total - starPixels) / (total - starPixels);
    for (Rgb& pixel : field) {
        if (!isBlack(pixel) || rng.unit() >= speckleChance) continue;
        const bool violet = rng.unit() < 0.5;
        // The darkest violet, (15, 8, 15), is not black. Grey 16k passes a quarter of full
        // intensity from k = 5, violet from k = 4.
        int k = violet ? rng.below(4) : 1 + rng.below(3);
        if (rng.unit() < brightSpeckleShare) k = violet ? 4 + rng.below(2) : 5;
        pixel = level(k, violet);
    }

    return field;
}

// One picture's pixels as the definition of an array declared in pictures.h.
std::string pixelArray(const char* name, const char* size, const std::vector<Rgb>& pixels) {
    std::string out = std::string("alignas(16) const std::uint32_t ") + name + "[" + size + "] = {\n";
    char word[16];
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Rgb& c = pixels[i];
        std::snprintf(word, sizeof word, "0xff%02x%02x%02x,", c.r, c.g, c.b);
        out += word;
        out += i % 8 == 7 ? '\n' : ' ';
    }
    return out + "\n};\n\n";
}

std::string picturesSource(const std::vector<Rgb>& starfield, const std::vector<Rgb>& icon) {
    return "// Drawn by make_images.\n"
           "#include \"assets/images/pictures.h\"\n\n"
           "namespace runeshot {\n\n" +
           pixelArray("starfieldPixels", "starfieldWidth * starfieldHeight", starfield) +
           pixelArray("iconPixels", "iconSize * iconSize", icon) + "}  // namespace runeshot\n";
}

// The icon: a yellow rune stave inside a green target ring, on a dark blue ground, in the
// sixteen colours of the classic palette, on a grid of 32 x 32 cells.
enum IconColour : std::uint8_t {
    black = 0,
    darkGreen = 2,
    navy = 4,
    grey = 8,
    green = 10,
    yellow = 11
};
constexpr std::array<Rgb, 16> iconPalette{{{0, 0, 0},
                                           {128, 0, 0},
                                           {0, 128, 0},
                                           {128, 128, 0},
                                           {0, 0, 128},
                                           {128, 0, 128},
                                           {0, 128, 128},
                                           {192, 192, 192},
                                           {128, 128, 128},
                                           {255, 0, 0},
                                           {0, 255, 0},
                                           {255, 255, 0},
                                           {0, 0, 255},
                                           {255, 0, 255},
                                           {0, 255, 255},
                                           {255, 255, 255}}};

// The icon's colour at a point of the grid, cell (x, y) spanning [x, x + 1) x [y, y + 1).
IconColour iconColourAt(double x, double y) {
    // A stave with two branches rising to the right: the rune of the name. Each branch is a
    // step of cells down to the right, with a grey shadow one cell beneath.
    if (x >= 12 && x < 14 && y >= 7 && y < 25) return yellow;
    if (x >= 14 && x < 21) {
        const double below = y - x;
        if (std::abs(below + 6) < 0.5 || std::abs(below + 1) < 0.5) return yellow;
        if (std::abs(below + 5) < 0.5 || std::abs(below) < 0.5) return grey;
    }
    const double r = std::hypot(x - 16, y - 16);
    const bool onCross = (x >= 15 && x < 17) || (y >= 15 && y < 17);
    if (onCross && r >= 14.5 && r < 15.8) return darkGreen;
    if (r >= 12.5 && r < 14.5) return green;
    return r < 15.5 ? navy : black;
}

// The icon at `size` pixels square. At 32 pixels, the window's own icon, each pixel is
// one cell in one of the sixteen colours; larger sizes average a few points per pixel, so
// that the ring and the branches are smooth rather than stepped.
std::vector<Rgb> drawIcon(int size) {
    const int samples = size == iconSize ? 1 : 4;
    const double step = double(iconSize) / (size * samples);
    std::vector<Rgb> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgb& c = iconPalette[iconColourAt((x * samples + sx + 0.5) * step,
                                                            (y * samples + sy + 0.5) * step)];
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            const int n = samples * samples;
            pixels.push_back({std::uint8_t((r + n / 2) / n), std::uint8_t((g + n / 2) / n),
                              std::uint8_t((b + n / 2) / n)});
        }
    }
    return pixels;
}

// A 24-bit BMP: rows from the bottom up, each padded to four bytes.
std::string bmpFile(int size, const std::vector<Rgb>& pixels) {
    const int rowBytes = (3 * size + 3) / 4 * 4;
    std::string out = bmpHeader(size, size, rowBytes);
    for (int y = size - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < size; ++x) {
            const Rgb& c = pixels[std::size_t(y * size + x)];
            row += char(c.b);
            row += char(c.g);
            row += char(c.r);
        }
        row.resize(std::size_t(rowBytes), '\0');
        out += row;
    }
    return out;
}

// Each image of an icon file is a BMP without its file header, twice as high: the lower
// half is the transparency mask, left clear so that every pixel shows.
std::string icoFile(const std::vector<int>& sizes) {
    std::string directory, images;
    put16(directory, 0);
    put16(directory, 1);
    put16(directory, unsigned(sizes.size()));
    unsigned offset = 6 + 16 * unsigned(sizes.size());
    for (int size : sizes) {
        std::string image = bmpFile(size, drawIcon(size)).substr(14);
        std::string height;
        put32(height, unsigned(2 * size));
        image.replace(8, 4, height);
        const std::size_t maskRowBytes = std::size_t(size + 31) / 32 * 4;
        image.append(maskRowBytes * std::size_t(size), '\0');
        const char side = char(size >= 256 ? 0 : size);  // 0 stands for 256
        directory += side;
        directory += side;
        directory += '\0';  // no palette
        directory += '\0';
        put16(directory, 1);
        put16(directory, 24);
        put32(directory, unsigned(image.size()));
        put32(directory, offset);
        offset += unsigned(image.size());
        images += image;
    }
    return directory + images;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]).ends_with(".ico")) {
        std::vector<int> sizes;
        for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
        const bool valid = std::all_of(sizes.begin(), sizes.end(),
                                       [](int size) { return size > 0 && size <= 256; });
        if (!valid || !writeFile(argv[1], icoFile(sizes))) {
            std::fprintf(stderr, "make_images: cannot write %s\n", argv[1]);
            return 1;
        }
        return 0;
    }
    if (argc < 2 || argc == 3) {
        std::fprintf(stderr, "usage: %s PICTURES.cpp [ICON_FOLDER SIZE...] | %s ICON.ico SIZE...\n",
                     argv[0], argv[0]);
        return 2;
    }
    if (!writeFile(argv[1], picturesSource(drawStarfield(), drawIcon(iconSize)))) {
        std::fprintf(stderr, "make_images: cannot write %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const std::string path = std::string(argv[2]) + "/icon-" + argv[i] + ".bmp";
        if (size <= 0 || !writeFile(path.c_str(), bmpFile(size, drawIcon(size)))) {
            std::fprintf(stderr, "make_images: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
