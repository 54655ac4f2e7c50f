// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <QWidget>

#include "shell/form1.h"
#include "shell/text_measure.h"

namespace runeshot {

// Frame1: a windowed control, so it covers every label, shape and line of the window
// beneath it. It paints its own background and controls, clipped to itself; clicks fall
// through to the window, which routes them.
class SettingsPanel final : public QWidget {
public:
    SettingsPanel(const Form1& form, const TextMeasure& measure, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Form1& form_;
    const TextMeasure& measure_;
};

}  // namespace runeshot
