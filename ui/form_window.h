// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "shell/event_dispatcher.h"
#include "ui/accessible_labels.h"
#include "ui/qt_text_measure.h"
#include "ui/window_damage.h"

class QComboBox;
class QRadioButton;

namespace runeshot {

class InputLine;
class SettingsPanel;

// The game's one window: draws the form's controls and hands every input to the game
// through the event table's one road. Graphical controls (labels, shapes, lines) are
// painted on the window; windowed controls are real widgets, named after their controls.
// After each input the window syncs its widgets with the form, repaints what changed and
// arms its one timer for the next tick; it never writes the form itself.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(const Form1& form, EventDispatcher& events, QWidget* parent = nullptr);

    // The label that a click at `point` lands on: the topmost visible, enabled label there.
    // The open settings panel covers the window's own labels.
    const Label* labelAt(QPoint point) const;

    // What assistive technology reads of the labels the window paints.
    AccessibleLabels& accessibleLabels() { return accessibleLabels_; }

signals:
    // The window's first frame is on the screen: work that would compete with it for the
    // processor, such as opening the sound device, can start.
    void firstFrameShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createInputLine();
    void createSettingsWidgets();
    // The one road: the input goes to the game, then the window shows what changed.
    void deliver(const Input& input);
    // What the player does to a widget while it is being synced is the sync itself.
    void deliverEdit(const Input& input);
    void syncWidgets();
    void armTimer();
    void syncSettingsWidgets();
    void handFocusToInputLine();
    void noteWindowState();
    // A screen reader's press on a label is the player's click on it.
    void pressLabel(const Label& label);

    const Form1& form_;
    EventDispatcher& events_;
    // Monotonic time for the game's clock, and one precise timer armed for the next tick,
    // none while no game timer runs, so an idle window costs no CPU.
    QElapsedTimer clock_;
    QTimer timer_;
    bool syncing_ = false;
    QtTextMeasure measure_;
    WindowDamage windowDamage_{measure_};
    WindowDamage panelDamage_{measure_};
    AccessibleLabels accessibleLabels_{form_, measure_, *this,
                                       [this](const Label& label) { pressLabel(label); }};
    QImage starfield_;
    InputLine* text1_ = nullptr;
    SettingsPanel* frame1_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::vector<std::string> comboList_;
    const Label* pressed_ = nullptr;
    // Where the toolkit put the focus when it took it from the disabled or hidden input line.
    QPointer<QWidget> focusTakenFromInputLine_;
    bool painted_ = false;
};

}  // namespace runeshot
