// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <QImage>

#include "assets/images/pictures.h"

namespace runeshot {

// Images over the compiled-in pixels: nothing is decoded or copied, and a repaint copies
// patches of the starfield straight into the window's own 32-bit pixels.
inline QImage starfieldImage() {
    return {reinterpret_cast<const uchar*>(starfieldPixels), starfieldWidth, starfieldHeight,
            starfieldWidth * int(sizeof starfieldPixels[0]), QImage::Format_RGB32};
}

inline QImage iconImage() {
    return {reinterpret_cast<const uchar*>(iconPixels), iconSize, iconSize,
            iconSize * int(sizeof iconPixels[0]), QImage::Format_RGB32};
}

}  // namespace runeshot
