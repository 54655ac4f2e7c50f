// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/label_places.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace runeshot {

bool inPanel(const Form1& form, const Label& label) {
    const std::vector<GraphicalControl> panel = form.panelPaintOrder();
    return std::find(panel.begin(), panel.end(), GraphicalControl{&label}) != panel.end();
}

bool isShown(const Form1& form, const Label& label) {
    return label.Visible && (form.Frame1.Visible || !inPanel(form, label));
}

TwipsRect labelInWindow(const Form1& form, const Label& label, const TextMeasure& measure) {
    TwipsRect rect = labelRect(label, measure);
    if (inPanel(form, label)) {
        rect.Left += form.Frame1.Left;
        rect.Top += form.Frame1.Top;
    }
    return rect;
}

const Label* labelAt(const Form1& form, const TextMeasure& measure, Twips x, Twips y) {
    const Frame& panel = form.Frame1;
    const bool onPanel =
        panel.Visible && TwipsRect{panel.Left, panel.Top, panel.Width, panel.Height}.contains(x, y);
    const std::vector<GraphicalControl> order =
        onPanel ? form.panelPaintOrder() : form.windowPaintOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const Label* const* label = std::get_if<const Label*>(&*it);
        if (label == nullptr || !(*label)->Visible || !(*label)->Enabled) continue;
        if (labelInWindow(form, **label, measure).contains(x, y)) return *label;
    }
    return nullptr;
}

}  // namespace runeshot
