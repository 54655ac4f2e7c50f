// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/form_window.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScopedValueRollback>
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

FormWindow::FormWindow(const Form1& form, EventDispatcher& events, QWidget* parent)
    : QWidget(parent), form_(form), events_(events), starfield_(starfieldImage()) {
    installAccessibleFormWindow(*this);
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { deliver(inputs::Wake{}); });
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Runeshot"));
    setWindowIcon(QIcon(QPixmap::fromImage(iconImage())));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(657, 337),
                                    screen()->availableGeometry()));

    createInputLine();
    syncWidgets();
}

// Windowed controls stack in the order they are made, the last on top: the input line,
// then the panel, then the option buttons and the game-length box standing over it. Tab
// goes through them in the order of their tab indexes.
void FormWindow::createInputLine() {
    const TextBox& t = form_.Text1;
    text1_ = new InputLine([this](int KeyAscii) { deliver(inputs::Key{KeyAscii}); }, this);
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
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) {
        deliverEdit(inputs::InputLineText{text.toStdString()});
    });
}

// Made when the settings are first shown: the game-length box and the option buttons take
// a millisecond or two to make, at start the window's time is short, and many games never
// open the settings.
void FormWindow::createSettingsWidgets() {
    frame1_ = new SettingsPanel(form_, measure_, this);
    frame1_->setObjectName(qt(form_.Frame1.Name));
    accessibleLabels_.setPanel(frame1_);

    for (const OptionButton* o : {&form_.Option1, &form_.Option2}) {
        auto* button = new QRadioButton(qt(o->Caption), this);
        button->setObjectName(qt(o->Name));
        button->setGeometry(controlRect(o->Left, o->Top, o->Width, o->Height));
        button->setFont(qtFont(o->Font));
        button->setAutoFillBackground(true);
        setColours(*button, o->ForeColor, o->BackColor, button->foregroundRole(),
                   button->backgroundRole());
        button->setChecked(o->Value);
        // Both belong to the window, so they are one group: checking one clears the other.
        const bool speed = o == &form_.Option2;
        connect(button, &QRadioButton::toggled, this, [this, speed](bool checked) {
            if (checked) deliverEdit(inputs::SpeedChosen{speed});
        });
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
    connect(combo1_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        deliverEdit(inputs::LengthText{text.toStdString()});
    });

    std::pair<int, QWidget*> tabOrder[] = {{form_.Text1.TabIndex, text1_},
                                           {form_.Option1.TabIndex, option1_},
                                           {form_.Option2.TabIndex, option2_},
                                           {form_.Combo1.TabIndex, combo1_}};
    std::sort(std::begin(tabOrder), std::end(tabOrder),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}

void FormWindow::deliver(const Input& input) {
    events_.handle(clock_.elapsed(), input);
    if (form_.isUnloaded()) {
        timer_.stop();
        hide();
        QApplication::quit();
        return;
    }
    syncWidgets();
    accessibleLabels_.tell();
    armTimer();
}

void FormWindow::deliverEdit(const Input& input) {
    if (!syncing_) deliver(input);
}

void FormWindow::armTimer() {
    const std::optional<Millis> due = form_.scheduler.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    const Millis wait = *due - clock_.elapsed();
    timer_.start(static_cast<int>(std::max<Millis>(wait, 0)));
}

void FormWindow::syncWidgets() {
    const QScopedValueRollback syncing(syncing_, true);
    const bool inputLineHadFocus = focusWidget() == text1_;
    text1_->setEnabled(form_.Text1.Enabled);
    text1_->setVisible(form_.Text1.Visible);
    if (inputLineHadFocus && focusWidget() != text1_) focusTakenFromInputLine_ = focusWidget();
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
// select the whole line, so that the next letter is judged without wiping the line. Where
// the toolkit did pass it on (to a settings control standing open when the input line was
// disabled), it comes back unless the player has moved it since.
void FormWindow::handFocusToInputLine() {
    if (!text1_->isVisible() || !text1_->isEnabled()) return;
    const QWidget* holder = focusWidget();
    const QWidget* takenBy = std::exchange(focusTakenFromInputLine_, nullptr);
    if (holder != nullptr && holder == takenBy) {
        text1_->setFocus();
        return;
    }
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
        const Label* const* label = std::get_if<const Label*>(&*it);
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
    const bool released = pressed != nullptr && labelAt(event->position().toPoint()) == pressed;
    deliver(inputs::Click{released ? pressed : nullptr});
}

void FormWindow::pressLabel(const Label& label) { deliver(inputs::Click{&label}); }

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    deliver(inputs::CloseBox{});
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
    const int state = countsAsMinimized(*this)               ? Form1::minimized
                      : windowState() & Qt::WindowMaximized ? Form1::maximized
                                                            : Form1::normal;
    if (state != form_.WindowState) deliver(inputs::WindowStateChanged{state});
}

}  // namespace runeshot
