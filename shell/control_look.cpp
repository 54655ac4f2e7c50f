// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/control_look.h"

#include <utility>

namespace runeshot {

namespace {

ControlValue valueOf(const GraphicalControl& control) {
    return std::visit([](const auto* c) -> ControlValue { return *c; }, control);
}

}  // namespace

GraphicalControl controlOf(const ControlValue& value) {
    return std::visit([](const auto& c) -> GraphicalControl { return &c; }, value);
}

FormLook::Surface::Surface(std::vector<GraphicalControl> shown) : controls(std::move(shown)) {
    for (const GraphicalControl& control : controls) values.push_back(valueOf(control));
}

std::vector<ControlChange> FormLook::Surface::take() {
    std::vector<ControlChange> changes;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        ControlValue now = valueOf(controls[i]);
        if (now == values[i]) continue;
        changes.push_back({std::exchange(values[i], std::move(now)), controls[i]});
    }
    return changes;
}

FormLook::FormLook(const Form1& form)
    : window_(form.windowPaintOrder()), panel_(form.panelPaintOrder()) {}

ControlChanges FormLook::take() { return {window_.take(), panel_.take()}; }

}  // namespace runeshot
