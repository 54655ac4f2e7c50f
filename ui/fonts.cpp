// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/fonts.h"

#include <QStringList>

namespace runeshot {

namespace {

struct FaceSubstitute {
    const char* designFace;
    QStringList families;
};

// The form's own face is used wherever the system has it, as on Windows. Linux desktops
// seldom do: there each is drawn with a face of the same widths and heights that the build
// installs, then with common look-alikes.
const FaceSubstitute substitutes[] = {
    {"Times New Roman", {"Times New Roman", "Liberation Serif", "Tinos", "DejaVu Serif"}},
    {"MS Sans Serif", {"MS Sans Serif", "Liberation Sans", "Arial", "Arimo", "DejaVu Sans"}},
    {"Tempus Sans ITC", {"Tempus Sans ITC", "Comic Neue", "Comic Sans MS", "DejaVu Sans"}},
};

}  // namespace

QFont qtFont(const Font& font) {
    QFont result;
    QStringList families{QString::fromStdString(font.Name)};
    for (const FaceSubstitute& s : substitutes) {
        if (font.Name == s.designFace) families = s.families;
    }
    result.setFamilies(families);
    result.setPixelSize(pixelsFromPoints(font.Size));
    result.setBold(font.Bold);
    return result;
}

}  // namespace runeshot
