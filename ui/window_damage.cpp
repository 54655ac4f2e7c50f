// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/window_damage.h"

#include "ui/control_painter.h"

namespace runeshot {

WindowDamage::Look WindowDamage::lookOf(const GraphicalControl& control) const {
    Look look;
    if (const Label* const* l = std::get_if<const Label*>(&control)) {
        const Label& label = **l;
        look.visible = label.Visible;
        look.caption = label.Caption;
        look.fontName = label.Font.Name;
        look.fore = label.ForeColor;
        look.back = label.BackColor;
        look.backStyle = label.BackStyle;
        look.borderStyle = label.BorderStyle;
        look.alignment = int(label.Alignment);
        look.fontSize = label.Font.Size;
        look.bold = label.Font.Bold;
        look.enabled = label.Enabled;
    } else if (const Shape* const* s = std::get_if<const Shape*>(&control)) {
        const Shape& shape = **s;
        look.visible = shape.Visible;
        look.fore = shape.BorderColor;
        look.back = shape.BackColor;
        look.fill = shape.FillColor;
        look.kind = int(shape.Kind);
        look.fillStyle = int(shape.FillStyle);
        look.backStyle = shape.BackStyle;
    } else if (const Line* const* l = std::get_if<const Line*>(&control)) {
        const Line& line = **l;
        look.visible = line.Visible;
        look.fore = line.BorderColor;
    }
    // Where a hidden control would be does not matter, and measuring a hidden caption
    // would load its face for nothing (the banner's, at start).
    if (look.visible) look.rect = controlPixelRect(control, measure_);
    return look;
}

QRegion WindowDamage::takeChanges(const std::vector<GraphicalControl>& controls) {
    looks_.resize(controls.size());
    QRegion changed;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Look now = lookOf(controls[i]);
        Look& before = looks_[i];
        if (now == before) continue;
        if (before.visible) changed += before.rect;
        if (now.visible) changed += now.rect;
        before = now;
    }
    return changed;
}

}  // namespace runeshot
