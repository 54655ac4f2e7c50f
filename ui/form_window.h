// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "shell/control_look.h"
#include "shell/event_dispatcher.h"
#include "ui/accessible_labels.h"

class QComboBox;
class QRadioButton;

namespace runeshot {

class InputLine;
class SettingsPanel;

// The game's one window: paints the graphical controls, keeps a real widget for each
// windowed one, and hands every input to the game's one road; it never writes the form.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    // Milliseconds on a clock that never goes back; tests hand in one they move themselves.
    using MillisecondClock = std::function<Millis()>;
    static MillisecondClock monotonicClock();

    FormWindow(const Form1& form, EventDispatcher& events,
               MillisecondClock clock = monotonicClock(), QWidget* parent = nullptr);

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
    void deliverUnlessSyncing(const Input& input);
    void syncWidgets();
    void armTimer();
    void syncSettingsWidgets();
    void repaintChanges(const ControlChanges& changes);
    void handFocusToInputLine();
    void noteWindowState();
    // A screen reader's press on a label is the player's click on it.
    void pressLabel(const Label& label);

    const Form1& form_;
    EventDispatcher& events_;
    // The time handed in with each input.
    MillisecondClock clock_;
    // One precise timer armed for the next tick, none while no game timer runs, so an idle
    // window costs no CPU. Named "nextTick", so tests can see when it is due.
    QTimer timer_{this};
    bool syncing_ = false;
    const TextMeasure& measure_ = events_.textMeasure();
    // How the painted controls looked after the last input.
    FormLook look_{form_};
    AccessibleLabels accessibleLabels_{form_, measure_, *this,
                                       [this](const Label& label) { pressLabel(label); }};
    QImage starfield_;
    InputLine* text1_ = nullptr;
    SettingsPanel* frame1_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::vector<std::string> comboList_;
    // Where the toolkit put the focus when it took it from the disabled or hidden input line.
    QPointer<QWidget> focusTakenFromInputLine_;
    bool firstFramePainted_ = false;
};

}  // namespace runeshot
