// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/fonts.h"

#include <algorithm>

#include <QStringList>
#include <QtMath>

namespace runeshot {

namespace {

struct FaceSubstitute {
    const char* designFace;
    QStringList families;
};

// The faces of the form are seldom on a Linux desktop. Each is drawn with a face of the
// same widths and heights that the build installs, then the face itself, then common
// look-alikes. The stand-ins come first so that the window looks the same everywhere.
const FaceSubstitute substitutes[] = {
    {"Times New Roman", {"Liberation Serif", "Times New Roman", "Tinos", "DejaVu Serif"}},
    {"MS Sans Serif", {"Liberation Sans", "MS Sans Serif", "Arial", "Arimo", "DejaVu Sans"}},
    {"Tempus Sans ITC", {"Comic Neue", "Tempus Sans ITC", "Comic Sans MS", "DejaVu Sans"}},
};

}  // namespace

int pixelsFromPoints(double points) { return qRound(points * 96.0 / 72.0); }

QFont qtFont(const Font& font) {
    QFont result;
    QStringList families{QString::fromStdString(font.Name)};
    for (const FaceSubstitute& s : substitutes) {
        if (font.Name == s.designFace) families = s.families;
    }
    result.setFamilies(families);
    result.setPixelSize(std::max(1, pixelsFromPoints(font.Size)));
    result.setBold(font.Bold);
    return result;
}

}  // namespace runeshot
