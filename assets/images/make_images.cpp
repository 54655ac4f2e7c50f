// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Draws the window's starfield and icon from a fixed seed, so every build embeds the same
// pictures. Usage: make_images PICTURES.cpp [ICON_FOLDER SIZE...] | make_images ICON.ico SIZE...
// PICTURES.cpp holds the pixels of both for the program; ICON_FOLDER receives the icon at
// each SIZE, as icon-SIZE.bmp, for the desktop's icon theme. ICON.ico holds the icon at
// every SIZE for the Windows program's resources.
//
// The starfield itself is drawn in starfield.cpp, which the web page's build shares.
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
#include "assets/images/starfield.h"

namespace {

using runeshot::drawStarfield;
using runeshot::iconSize;
using runeshot::Rgb;

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
