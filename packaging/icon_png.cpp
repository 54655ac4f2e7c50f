// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Desktop icon themes take PNG and SVG, not the BMP the generator writes: converts an icon.
// Usage: icon_png ICON.bmp ICON.png
#include <cstdio>

#include <QImage>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.bmp ICON.png\n", argv[0]);
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot convert %s to %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    return 0;
}
