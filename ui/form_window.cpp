// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/form_window.h"

#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "ui/control_painter.h"
#include "ui/fonts.h"
#include "ui/input_line.h"
#include "ui/pictures.h"
#include "ui/settings_panel.h"

namespace runeshot {

namespace {

// Behind the picture, where the client area reaches beyond it.
constexpr Colour formBackColor = 0x00404000u;

QRect controlRect(Twips left, Twips top, Twips width, Twips height) {
    return pixelRect({left, top, width, height});
}

// Sets a control's colours on the roles its widget paints with.
void setColours(QWidget& widget, Colour fore, Colour back, QPalette::ColorRole foreRole,
                QPalette::ColorRole backRole) {
    QPalette palette = widget.palette();
    // A disabled control keeps the toolkit's greyed text.
    palette.setColor(QPalette::Active, foreRole, qtColour(resolveColour(fore)));
    palette.setColor(QPalette::Inactive, foreRole, qtColour(resolveColour(fore)));
    palette.setColor(backRole, qtColour(resolveColour(back)));
    widget.setPalette(palette);
}

QString qt(const std::string& text) { return QString::fromStdString(text); }

// Wayland never tells a program that its window is minimized. What it does let Qt see is
// that the compositor has stopped showing the window: it withholds the frames a minimized
// window asks for, or says the window is suspended, and Qt then counts the window as no
// longer exposed. Losing the keyboard focus is not minimizing.
bool countsAsMinimized(const QWidget& window) {
    if (window.windowState() & Qt::WindowMinimized) return true;
    const QWindow* handle = window.windowHandle();
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
           handle != nullptr && handle->isVisible() && !handle->isExposed();
}

}  // namespace

FormWindow::FormWindow(Form1& form, EventDispatcher& events, QWidget* parent)
    : QWidget(parent),
      form_(form),
      events_(events),
      ticks_(form, events),
      starfield_(starfieldImage()) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Runeshot"));
    setWindowIcon(QIcon(QPixmap::fromImage(iconImage())));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(657, 337),
                                    screen()->availableGeometry()));
    form_.DecimalSeparator = QLocale().decimalPoint().toStdString();

    createInputLine();
    connect(&ticks_, &TickDriver::ticked, this, [this] { afterEvent(); });
    syncWidgets();
}

// Windowed controls stack in the order they are made, the last on top: the input line,
// then the panel, then the option buttons and the game-length box standing over it. The
// tab order follows the same order.
void FormWindow::createInputLine() {
    const TextBox& t = form_.Text1;
    text1_ = new InputLine([this](int KeyAscii) { typed(KeyAscii); }, this);
    text1_->setObjectName(qt(t.Name));
    text1_->setGeometry(controlRect(t.Left, t.Top, t.Width, t.Height));
    text1_->setFont(qtFont(t.Font));
    text1_->setMaxLength(t.MaxLength);
    text1_->setAlignment(t.Alignment == Alignment::Center  ? Qt::AlignCenter
                         : t.Alignment == Alignment::Right ? Qt::AlignRight | Qt::AlignVCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
    setColours(*text1_, t.ForeColor, t.BackColor, QPalette::Text, QPalette::Base);
    text1_->setText(qt(t.Text));
    text1_->setCursorPosition(0);
    connect(text1_, &QLineEdit::textChanged, this,
            [this](const QString& text) { form_.Text1.Text = text.toStdString(); });
}

// Made when the settings are first shown: the game-length box and the option buttons take
// a millisecond or two to make, at start the window's time is short, and many games never
// open the settings.
void FormWindow::createSettingsWidgets() {
    frame1_ = new SettingsPanel(form_, measure_, this);
    frame1_->setObjectName(qt(form_.Frame1.Name));

    for (OptionButton* o : {&form_.Option1, &form_.Option2}) {
        auto* button = new QRadioButton(qt(o->Caption), this);
        button->setObjectName(qt(o->Name));
        button->setGeometry(controlRect(o->Left, o->Top, o->Width, o->Height));
        button->setFont(qtFont(o->Font));
        button->setAutoFillBackground(true);
        setColours(*button, o->ForeColor, o->BackColor, button->foregroundRole(),
                   button->backgroundRole());
        button->setChecked(o->Value);
        // Both belong to the window, so they are one group: checking one clears the other,
        // and each writes its own state back.
        connect(button, &QRadioButton::toggled, this, [o](bool checked) { o->Value = checked; });
        (o == &form_.Option1 ? option1_ : option2_) = button;
    }

    const ComboBox& c = form_.Combo1;
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(qt(c.Name));
    combo1_->setEditable(true);
    // The length box holds what the player typed: it neither completes "1" to "100" nor
    // adds a typed length to its list.
    combo1_->setCompleter(nullptr);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    combo1_->setGeometry(controlRect(c.Left, c.Top, c.Width, c.Height));
    combo1_->setFont(qtFont(c.Font));
    setColours(*combo1_, c.ForeColor, c.BackColor, QPalette::Text, QPalette::Base);
    connect(combo1_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { form_.Combo1.Text = text.toStdString(); });
}

void FormWindow::typed(int KeyAscii) {
    ticks_.catchUp();
    events_.keyPress(KeyAscii);
    afterEvent();
}

void FormWindow::afterEvent() {
    if (form_.isUnloaded()) {
        hide();
        QApplication::quit();
        return;
    }
    syncWidgets();
    ticks_.arm();
}

void FormWindow::syncWidgets() {
    text1_->setEnabled(form_.Text1.Enabled);
    text1_->setVisible(form_.Text1.Visible);
    handFocusToInputLine();

    if (frame1_ == nullptr) {
        const bool settingsShown = form_.Frame1.Visible || form_.Option1.Visible ||
                                   form_.Option2.Visible || form_.Combo1.Visible;
        if (settingsShown) createSettingsWidgets();
    }
    if (frame1_ != nullptr) syncSettingsWidgets();
    update(windowDamage_.takeChanges(form_.windowPaintOrder()));
}

void FormWindow::syncSettingsWidgets() {
    // A panel that comes into view paints whole; while hidden, its captions are not even
    // measured.
    frame1_->setVisible(form_.Frame1.Visible);
    if (form_.Frame1.Visible) frame1_->update(panelDamage_.takeChanges(form_.panelPaintOrder()));
    const std::pair<const OptionButton*, QRadioButton*> options[] = {
        {&form_.Option1, option1_}, {&form_.Option2, option2_}};
    for (const auto& [option, button] : options) {
        if (option->Value && !button->isChecked()) button->setChecked(true);
        button->setVisible(option->Visible);
    }

    // Filling the list moves the edit text, which writes back: keep the form's text first.
    // The list is compared with the one last filled in, so that a tick converts nothing.
    const QString text = qt(form_.Combo1.Text);
    if (form_.Combo1.List != comboList_) {
        comboList_ = form_.Combo1.List;
        QStringList items;
        for (const std::string& item : comboList_) items << qt(item);
        combo1_->clear();
        combo1_->addItems(items);
    }
    if (combo1_->currentText() != text) combo1_->setEditText(text);
    combo1_->setVisible(form_.Combo1.Visible);
}

// The game never moves the focus, but a player should never have to click the input line
// to go on typing. When the control holding the focus is about to be hidden (the settings
// closing) or has been disabled (the input line at time over), the input line takes it as
// soon as it can. It takes it before the toolkit would pass it on by itself, which would
// select the whole line, so that the next letter is judged without wiping the line.
void FormWindow::handFocusToInputLine() {
    if (!text1_->isVisible() || !text1_->isEnabled()) return;
    const QWidget* holder = focusWidget();
    auto goingAway = [holder](const QWidget* control, bool staysVisible) {
        return !staysVisible && control != nullptr &&
               (control == holder || control->isAncestorOf(holder));
    };
    if (holder == nullptr || !holder->isEnabled() || !holder->isVisible() ||
        goingAway(frame1_, form_.Frame1.Visible) || goingAway(option1_, form_.Option1.Visible) ||
        goingAway(option2_, form_.Option2.Visible) || goingAway(combo1_, form_.Combo1.Visible)) {
        text1_->setFocus();
    }
}

const Label* FormWindow::labelAt(QPoint point) const {
    const bool onPanel =
        frame1_ != nullptr && frame1_->isVisible() && frame1_->geometry().contains(point);
    const std::vector<GraphicalControl> order =
        onPanel ? form_.panelPaintOrder() : form_.windowPaintOrder();
    const QPoint local = onPanel ? point - frame1_->pos() : point;
    // Labels that are hidden or disabled take no clicks, so a click passes through them.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Label* const* label = std::get_if<Label*>(&*it);
        if (label == nullptr || !(*label)->Visible || !(*label)->Enabled) continue;
        if (labelPixelRect(**label, measure_).contains(local)) return *label;
    }
    return nullptr;
}

void FormWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& beyond : QRegion(rect()) - QRegion(starfield_.rect())) {
        painter.fillRect(beyond, qtColour(formBackColor));
    }
    // Only the dirty patches of the picture are copied: a falling letter dirties two small
    // ones, and copying the whole picture for them would cost most of a repaint.
    for (const QRect& patch : event->region()) painter.drawImage(patch, starfield_, patch);
    paintControls(painter, form_.windowPaintOrder(), measure_, event->region());
    // Queued, so that it comes after this frame has been handed to the screen.
    if (!std::exchange(painted_, true)) {
        QMetaObject::invokeMethod(this, &FormWindow::firstFrameShown, Qt::QueuedConnection);
    }
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? labelAt(event->position().toPoint()) : nullptr;
}

// A click is a press and a release inside the same label.
void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Label* pressed = std::exchange(pressed_, nullptr);
    ticks_.catchUp();
    if (pressed != nullptr && labelAt(event->position().toPoint()) == pressed) {
        events_.click(*pressed);
    }
    afterEvent();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    events_.closeWindow();
    event->accept();
    afterEvent();
}

void FormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) noteWindowState();
    QWidget::changeEvent(event);
}

// Exposure belongs to the native window, which exists from the first show.
void FormWindow::showEvent(QShowEvent* event) {
    windowHandle()->installEventFilter(this);
    QWidget::showEvent(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose) noteWindowState();
    return QWidget::eventFilter(watched, event);
}

void FormWindow::noteWindowState() {
    form_.WindowState = countsAsMinimized(*this)               ? 1
                        : windowState() & Qt::WindowMaximized ? 2
                                                              : 0;
}

}  // namespace runeshot
