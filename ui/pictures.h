#pragma once

#include <QImage>

#include "assets/images/starfield.h"

namespace runeshot {

// The starfield as an image over the compiled-in pixels: nothing is decoded or copied, and
// a repaint copies patches of it straight into the window's own 32-bit pixels.
inline QImage starfieldImage() {
    return {reinterpret_cast<const uchar*>(starfieldPixels), starfieldWidth, starfieldHeight,
            starfieldWidth * int(sizeof starfieldPixels[0]), QImage::Format_RGB32};
}

}  // namespace runeshot
