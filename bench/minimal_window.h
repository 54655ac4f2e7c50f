// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <memory>

#include <QLabel>
#include <QPalette>

namespace runeshot::bench {

// The floor every window figure is compared with: the least a Qt 6 program can show, one
// label the game window's size, filled with the status bar's colour so that a probe
// watching the screen sees it arrive the same way.
inline std::unique_ptr<QLabel> makeMinimalWindow() {
    auto label = std::make_unique<QLabel>(QStringLiteral("Runeshot"));
    label->setWindowTitle(QStringLiteral("Minimal window"));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(115, 136, 170));
    label->setPalette(palette);
    label->resize(657, 337);
    return label;
}

}  // namespace runeshot::bench
