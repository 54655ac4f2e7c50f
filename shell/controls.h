// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "shell/colour.h"

namespace runeshot {

// Positions and sizes are in twips, 1/1440 inch: 15 twips make a pixel at 96 dots per inch.
using Twips = float;
inline constexpr Twips twipsPerPixel = 15;

struct Font {
    std::string Name;
    double Size = 8.25;  // points
    bool Bold = false;
    bool operator==(const Font&) const = default;
};

// The pixel size of a font of `points` at 96 dots per inch, at least one (8.25 pt is 11 px,
// 48 pt is 64 px): the layout is in twips, so text must not grow with the display's own dpi.
inline int pixelsFromPoints(double points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

enum class Alignment { Left = 0, Right = 1, Center = 2 };

struct Label {
    std::string Name;
    std::string Caption;
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    bool Enabled = true;
    Colour ForeColor = 0x80000012u;
    Colour BackColor = 0x8000000Fu;
    int BackStyle = 0;  // 0 transparent, 1 opaque
    bool AutoSize = false;
    runeshot::Alignment Alignment = runeshot::Alignment::Left;
    int BorderStyle = 0;  // 0 none, 1 sunken three-dimensional border
    runeshot::Font Font;
    bool operator==(const Label&) const = default;
};

struct TextBox {
    std::string Name;
    std::string Text;
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    bool Enabled = true;
    int MaxLength = 0;  // 0: no limit
    runeshot::Alignment Alignment = runeshot::Alignment::Left;
    Colour ForeColor = 0x80000008u;
    Colour BackColor = 0x80000005u;
    runeshot::Font Font;
    int TabIndex = 0;
    bool operator==(const TextBox&) const = default;
};

struct ComboBox {
    std::string Name;
    std::string Text;
    std::vector<std::string> List;
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    Colour ForeColor = 0x80000008u;
    Colour BackColor = 0x80000005u;
    runeshot::Font Font;
    int TabIndex = 0;
    bool operator==(const ComboBox&) const = default;
};

struct OptionButton {
    std::string Name;
    std::string Caption;
    bool Value = false;
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    Colour ForeColor = 0x80000012u;
    Colour BackColor = 0x8000000Fu;
    runeshot::Font Font;
    int TabIndex = 0;
    bool operator==(const OptionButton&) const = default;
};

// The panel draws neither a border nor a caption, and never takes the keyboard focus.
struct Frame {
    std::string Name;
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    Colour BackColor = 0x8000000Fu;
    bool operator==(const Frame&) const = default;
};

enum class ShapeKind { Rectangle = 0, Square = 1, Oval = 2, Circle = 3, RoundedRectangle = 4 };

enum class FillStyle {
    Solid = 0,
    Transparent = 1,
    HorizontalLine = 2,
    VerticalLine = 3,
    UpwardDiagonal = 4,
    DownwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7
};

struct Shape {
    std::string Name;
    ShapeKind Kind = ShapeKind::Rectangle;  // the control's Shape property
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
    Colour BackColor = 0x80000005u;
    int BackStyle = 0;  // 0 transparent, 1 opaque
    Colour FillColor = 0x00000000u;
    runeshot::FillStyle FillStyle = runeshot::FillStyle::Transparent;
    Colour BorderColor = 0x80000008u;
    bool operator==(const Shape&) const = default;
};

struct Line {
    std::string Name;
    Twips X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = true;
    Colour BorderColor = 0x80000008u;
    bool operator==(const Line&) const = default;
};

}  // namespace runeshot
