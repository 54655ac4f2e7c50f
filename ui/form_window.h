// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>
#include <vector>

#include <QImage>
#include <QWidget>

#include "shell/event_dispatcher.h"
#include "ui/qt_text_measure.h"
#include "ui/tick_driver.h"
#include "ui/window_damage.h"

class QComboBox;
class QRadioButton;

namespace runeshot {

class InputLine;
class SettingsPanel;

// The game's one window: draws the form's controls and hands clicks, keys and ticks to
// the event table. Graphical controls (labels, shapes, lines) are painted on the window;
// windowed controls are real widgets, named after their controls, kept in step with the
// form after every event, and what the player changes in them is written back.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(Form1& form, EventDispatcher& events, QWidget* parent = nullptr);

    // The label that a click at `point` lands on: the topmost visible, enabled label there.
    // The open settings panel covers the window's own labels.
    const Label* labelAt(QPoint point) const;

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
    void typed(int KeyAscii);
    // After every event: show what the handlers changed and arm the next tick.
    void afterEvent();
    void syncWidgets();
    void syncSettingsWidgets();
    void handFocusToInputLine();
    void noteWindowState();

    Form1& form_;
    EventDispatcher& events_;
    TickDriver ticks_;
    QtTextMeasure measure_;
    WindowDamage windowDamage_{measure_};
    WindowDamage panelDamage_{measure_};
    QImage starfield_;
    InputLine* text1_ = nullptr;
    SettingsPanel* frame1_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::vector<std::string> comboList_;
    const Label* pressed_ = nullptr;
    bool painted_ = false;
};

}  // namespace runeshot
