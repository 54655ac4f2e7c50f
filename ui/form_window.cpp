#include "ui/form_window.h"

#include <QApplication>
#include <QPainter>

namespace runeshot {

FormWindow::FormWindow(Form1& form, EventDispatcher& events, QWidget* parent)
    : QWidget(parent), form_(form), events_(events), ticks_(form, events) {
    setWindowTitle(QStringLiteral("Runeshot"));
    resize(657, 337);
    connect(&ticks_, &TickDriver::ticked, this, [this] { afterEvent(); });
}

void FormWindow::afterEvent() {
    if (form_.isUnloaded()) {
        QApplication::quit();
        return;
    }
    update();
    ticks_.arm();
}

void FormWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

}  // namespace runeshot
