// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/settings_panel.h"

#include <QPaintEvent>
#include <QPainter>

#include "ui/control_painter.h"

namespace runeshot {

SettingsPanel::SettingsPanel(const Form1& form, const TextMeasure& measure, QWidget* parent)
    : QWidget(parent), form_(form), measure_(measure) {
    setGeometry(pixelRect({form.Frame1.Left, form.Frame1.Top, form.Frame1.Width,
                           form.Frame1.Height}));
    // The panel paints all of itself, so the field beneath it is not repainted for it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SettingsPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), qtColour(resolveColour(form_.Frame1.BackColor)));
    paintControls(painter, form_.panelPaintOrder(), measure_, event->region());
}

}  // namespace runeshot
