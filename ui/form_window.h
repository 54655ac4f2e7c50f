#pragma once

#include <QWidget>

#include "shell/event_dispatcher.h"
#include "ui/tick_driver.h"

namespace runeshot {

// The game's one window: draws the form's controls and hands clicks, keys and ticks to
// the event table.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(Form1& form, EventDispatcher& events, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // After every event: show what the handlers changed and arm the next tick.
    void afterEvent();

    Form1& form_;
    EventDispatcher& events_;
    TickDriver ticks_;
};

}  // namespace runeshot
