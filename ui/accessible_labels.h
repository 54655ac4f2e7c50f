// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <functional>
#include <vector>

#include <QAccessible>
#include <QRect>
#include <QString>
#include <QWidget>

#include "game/spoken_news.h"
#include "shell/control_look.h"
#include "shell/form1.h"
#include "shell/text_measure.h"
#include "shell/label_changes.h"

namespace runeshot {

// The labels the window paints, as assistive technology sees them: an accessible object
// for each, a child of the window, named by its caption; the clickable ones are buttons
// whose press is a click. After each input it tells what changed, and speaks what a player
// must hear to play without seeing the window.
class AccessibleLabels {
public:
    using Press = std::function<void(const Label&)>;

    AccessibleLabels(const Form1& form, const TextMeasure& measure, QWidget& window,
                     Press press);
    ~AccessibleLabels();
    AccessibleLabels(const AccessibleLabels&) = delete;
    AccessibleLabels& operator=(const AccessibleLabels&) = delete;

    // Call after every input, once the window shows it, with what changed.
    void tell(const ControlChanges& changes);

    // For the window's accessible object: its painted children, in paint order.
    int count() const;
    QAccessibleInterface* at(int index) const;
    int indexOf(const QAccessibleInterface* child) const;
    QAccessibleInterface* atScreenPoint(QPoint point) const;
    int indexOfLabel(const Label& label) const;

    // For each label's accessible object.
    const QString& notice() const { return notice_; }
    const Form1& form() const { return form_; }
    QWidget& window() const { return window_; }
    QRect screenRect(const Label& label) const;
    bool isShown(const Label& label) const;
    bool isButton(const Label& label) const;
    void press(const Label& label) const;
    // The count a caption labels.
    const Label* labelledBy(const Label& caption) const;

private:
    QAccessibleInterface* interfaceOf(const Label& label) const;
    void announce(const Announcement& announcement);

    const Form1& form_;
    const TextMeasure& measure_;
    QWidget& window_;
    Press press_;
    // The last thing said, where Qt has no announcements.
    QString notice_;
    std::vector<const Label*> labels_;
    // Made when a screen reader first asks, and kept for the window's life.
    mutable std::vector<QAccessible::Id> ids_;
    SpokenNews news_;
};

// Gives the game's window the accessible object that holds its painted labels.
void installAccessibleFormWindow(QWidget& window);

}  // namespace runeshot
