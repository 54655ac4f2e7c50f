// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/label_changes.h"

#include <variant>

#include "shell/design_colours.h"

namespace runeshot {

std::vector<const Label*> labelsIn(const std::vector<GraphicalControl>& controls) {
    std::vector<const Label*> labels;
    for (const GraphicalControl& control : controls) {
        if (const Label* const* label = std::get_if<const Label*>(&control)) {
            labels.push_back(*label);
        }
    }
    return labels;
}

bool looksRed(const Label& label) { return label.ForeColor == colours::red; }

LabelChanges labelChanges(const ControlChanges& changes) {
    LabelChanges labels;
    for (const std::vector<ControlChange>* surface : {&changes.window, &changes.panel}) {
        for (const ControlChange& change : *surface) {
            const Label* const* now = std::get_if<const Label*>(&change.now);
            if (now == nullptr) continue;
            const Label& was = std::get<Label>(change.before);
            const Label* label = *now;
            if (label->Caption != was.Caption || looksRed(*label) != looksRed(was)) {
                labels.renamed.push_back(label);
            }
            if (label->Visible != was.Visible) labels.shownOrHidden.push_back(label);
            if (label->Enabled != was.Enabled) labels.enabledOrDisabled.push_back(label);
        }
    }
    return labels;
}

}  // namespace runeshot
