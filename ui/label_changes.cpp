// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/label_changes.h"

#include <utility>
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

LabelWatch::LabelWatch(std::vector<const Label*> labels) : labels_(std::move(labels)) {
    for (const Label* label : labels_) looks_.push_back(lookOf(*label));
}

LabelWatch::Look LabelWatch::lookOf(const Label& label) {
    return {label.Caption, label.Visible, label.Enabled, looksRed(label)};
}

LabelChanges LabelWatch::take() {
    LabelChanges changes;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const Label* label = labels_[i];
        const Look now = lookOf(*label);
        const Look was = std::exchange(looks_[i], now);
        if (now.caption != was.caption || now.red != was.red) changes.renamed.push_back(label);
        if (now.visible != was.visible) changes.shownOrHidden.push_back(label);
        if (now.enabled != was.enabled) changes.enabledOrDisabled.push_back(label);
    }
    return changes;
}

}  // namespace runeshot
